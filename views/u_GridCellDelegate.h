#pragma once

#include <QStyledItemDelegate>

// Edits the table view's cells in a frameless line editor. The text goes into
// the cell when the edit ends (Enter, Tab, another cell, the focus going
// elsewhere), so a whole cell edit is stored as one change; Escape closes
// the editor and leaves the cell's old text. Enter then goes on to the cell
// below (enterPressed), as in a spreadsheet.
class TGridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    explicit TGridCellDelegate(QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

  signals:
    // An edit ended with Enter.
    void enterPressed();

  protected:
    bool eventFilter(QObject* editor, QEvent* event) override;
};
