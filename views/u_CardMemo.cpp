#include "views/u_CardMemo.h"

#include <QEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace {
// Narrow enough for the card's half-width columns at the smallest window.
constexpr int MinimumWidth = 60;
constexpr int PreferredWidth = 120;
}  // namespace

TCardMemo::TCardMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    connect(document(), &QTextDocument::blockCountChanged, this, &TCardMemo::textLinesChanged);
    applyHeight();
}

void TCardMemo::setGrowLines(int lines) {
    growLines_ = std::max(0, lines);
    applyHeight();
}

int TCardMemo::shownLines() const {
    if (visibleLines_ <= 0)
        return 0;
    if (growLines_ <= visibleLines_)
        return visibleLines_;
    return std::clamp(document()->blockCount(), visibleLines_, growLines_);
}

void TCardMemo::textLinesChanged() {
    if (growLines_ > visibleLines_ && shownLines() != shownLines_)
        applyHeight();
}

void TCardMemo::setVisibleLines(int lines) {
    visibleLines_ = std::max(0, lines);
    applyHeight();
}

int TCardMemo::heightForLines(int lines) const {
    const int text = fontMetrics().lineSpacing() * std::max(1, lines);
    const int documentMargins = static_cast<int>(std::ceil(2 * document()->documentMargin()));
    return text + documentMargins + 2 * frameWidth();
}

QSize TCardMemo::sizeHint() const {
    return {PreferredWidth, heightForLines(visibleLines_ > 0 ? shownLines() : 3)};
}

QSize TCardMemo::minimumSizeHint() const {
    return {MinimumWidth, heightForLines(visibleLines_ > 0 ? shownLines() : 1)};
}

void TCardMemo::keyPressEvent(QKeyEvent* event) {
    const bool isReturn = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (isReturn && !wantReturns_) {
        // Leave Enter to the window (a default button, if any).
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TCardMemo::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        applyHeight();
}

void TCardMemo::applyHeight() {
    shownLines_ = shownLines();
    if (growLines_ > visibleLines_ && visibleLines_ > 0) {
        // The scroll bar only once the text has more lines than the field grows to.
        setVerticalScrollBarPolicy(document()->blockCount() > growLines_ ? Qt::ScrollBarAsNeeded
                                                                         : Qt::ScrollBarAlwaysOff);
    }
    if (visibleLines_ > 0) {
        setFixedHeight(heightForLines(shownLines_));
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    } else {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    updateGeometry();
}
