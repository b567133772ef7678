#pragma once

#include <QStyledItemDelegate>

// Edits the table view's cells in a line editor that hands every change of
// its text to the cell at once, not only when the editor closes, so that
// each typed character can be stored and saved.
class TGridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    explicit TGridCellDelegate(QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

  signals:
    // The text being edited in the cell at index changed and is already in
    // the cell.
    void editTextChanged(const QModelIndex& index) const;
};
