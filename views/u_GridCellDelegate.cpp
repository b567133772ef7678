#include "views/u_GridCellDelegate.h"

#include <QLineEdit>

TGridCellDelegate::TGridCellDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QWidget* TGridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex&) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    return editor;
}
