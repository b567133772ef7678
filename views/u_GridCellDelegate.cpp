#include "views/u_GridCellDelegate.h"

#include <QLineEdit>
#include <QPersistentModelIndex>

TGridCellDelegate::TGridCellDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QWidget* TGridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    const QPersistentModelIndex cell(index);
    // textEdited, not textChanged: the editor's initial text (setEditorData)
    // is no edit and must not save the file.
    connect(editor, &QLineEdit::textEdited, this, [this, cell](const QString& text) {
        if (!cell.isValid())
            return;
        auto* model = const_cast<QAbstractItemModel*>(cell.model());
        model->setData(cell, text, Qt::EditRole);
        emit editTextChanged(cell);
    });
    return editor;
}
