#pragma once

#include <QPlainTextEdit>

// A multi-line field of the contact card. Its height follows a number of text
// lines of its font (0 lets it grow with the layout), and it can refuse Enter
// so that a wrapped field never receives line breaks from the keyboard.
// Tab moves to the next field, as in every other card field.
//
// A field of one line can grow with its text up to growLines lines, so a
// second number typed on a new line shows instead of hiding behind a scroll
// bar that would make the field look like a number spinner; past growLines
// the scroll bar comes back.
class TCardMemo : public QPlainTextEdit {
    Q_OBJECT
    Q_PROPERTY(int visibleLines READ visibleLines WRITE setVisibleLines)
    Q_PROPERTY(bool wantReturns READ wantReturns WRITE setWantReturns)
    Q_PROPERTY(int growLines READ growLines WRITE setGrowLines)

  public:
    explicit TCardMemo(QWidget* parent = nullptr);

    int visibleLines() const { return visibleLines_; }
    void setVisibleLines(int lines);
    bool wantReturns() const { return wantReturns_; }
    void setWantReturns(bool want) { wantReturns_ = want; }
    int growLines() const { return growLines_; }
    void setGrowLines(int lines);
    // The lines the field shows now.
    int shownLines() const;

    // Height of the widget when it shows the given number of lines.
    int heightForLines(int lines) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void applyHeight();
    void textLinesChanged();

    int visibleLines_ = 0;
    int growLines_ = 0;
    int shownLines_ = 0;
    bool wantReturns_ = true;
};
