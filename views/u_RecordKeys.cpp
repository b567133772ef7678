#include "views/u_RecordKeys.h"

#include <QKeyEvent>

#include <algorithm>

namespace {

bool IsMovingKey(const QKeyEvent& key) {
    if (key.modifiers() != Qt::ControlModifier)
        return false;
    switch (key.key()) {
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool IsRecordKey(const QKeyEvent& key) {
    if (IsMovingKey(key))
        return true;
    if (key.key() == Qt::Key_Delete && key.modifiers() == Qt::ControlModifier)
        return true;
    return key.key() == Qt::Key_N && key.modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
}

int RowForRecordKey(const QKeyEvent& key, int row, int count) {
    if (!IsMovingKey(key) || count <= 0)
        return -1;
    switch (key.key()) {
        case Qt::Key_PageUp:
            return std::max(0, row - 1);
        case Qt::Key_PageDown:
            return std::min(count - 1, row + 1);
        case Qt::Key_Home:
            return 0;
        default:
            return count - 1;
    }
}

bool IsContextMenuKey(const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    return (key.key() == Qt::Key_Menu && mods == Qt::NoModifier) ||
           (key.key() == Qt::Key_F10 && mods == Qt::ShiftModifier);
}
