#pragma once

#include <QStyledItemDelegate>

// Edits the table view's cells in a frameless line editor. The text goes into
// the cell when the edit ends (Enter, Tab, another cell, the focus going
// elsewhere), so a whole cell edit is stored as one change; Escape closes
// the editor and leaves the cell's old text.
class TGridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    explicit TGridCellDelegate(QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};
