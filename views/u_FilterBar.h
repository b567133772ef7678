#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

// The filter line of the navigation bar: a text box whose every edit asks
// for the records holding the text (filterEdited), and the count of those
// shown, "12 of 36". Escape empties the box. The box keeps no state of its
// own beyond the text being typed: what is shown is the session's.
class TFilterBar : public QWidget {
    Q_OBJECT

  public:
    explicit TFilterBar(QWidget* parent = nullptr);

    QLineEdit* edit() const { return edit_; }
    QString text() const;
    // Shows text in the box without asking for it (a filter set off
    // elsewhere, an edit taken back).
    void setText(const QString& text);
    // The count: hidden unless filtered.
    void showCount(bool filtered, int shown, int total);
    QString countText() const;
    // Puts the keyboard into the box with its text selected (Ctrl+K).
    void focusFilter();
    void retranslate();

  signals:
    void filterEdited(const QString& text);
    // The box got the keyboard: the records may be prepared for searching.
    void filterFocused();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fitWidth();

    QLineEdit* edit_ = nullptr;
    QLabel* count_ = nullptr;
    bool filtered_ = false;
    int shown_ = 0;
    int total_ = 0;
};
