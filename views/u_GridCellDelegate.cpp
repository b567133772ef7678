#include "views/u_GridCellDelegate.h"

#include <QKeyEvent>
#include <QLineEdit>

TGridCellDelegate::TGridCellDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QWidget* TGridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex&) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    return editor;
}

bool TGridCellDelegate::eventFilter(QObject* editor, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(editor);
    if (widget != nullptr && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == 0) {
            emit commitData(widget);
            emit closeEditor(widget, QAbstractItemDelegate::NoHint);
            emit enterPressed();
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}
