#include "views/u_NavigationLabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

QString ElideNavigationText(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const qsizetype open = text.indexOf(QLatin1String(" ["));
    if (open < 0 || !text.endsWith(u']'))
        return metrics.elidedText(text, Qt::ElideMiddle, width);
    // "n / N [" and "]" stay; the path gets what is left, and without room
    // for any of it only the numbers show.
    const QString head = text.left(open + 2);
    const QString path = text.mid(open + 2, text.size() - open - 3);
    const int room = width - metrics.horizontalAdvance(head) - metrics.horizontalAdvance(u']');
    const QString shortPath =
        room > 0 ? metrics.elidedText(path, Qt::ElideMiddle, room) : QString();
    if (shortPath.isEmpty() || shortPath == QStringLiteral("…"))
        return text.left(open);
    return head + shortPath + u']';
}

namespace {

// The record numbers of a navigation text ("12 / 36" of "12 / 36 [...]");
// none in a text without them (the table's "[...]", "No database").
QString numbersOf(const QString& text) {
    const qsizetype open = text.indexOf(QLatin1String(" ["));
    return open < 0 ? QString() : text.left(open);
}

}  // namespace

TNavigationLabel::TNavigationLabel(QWidget* parent) : QLabel(parent) {}

QString TNavigationLabel::shownText() const {
    return ElideNavigationText(text(), fontMetrics(), contentsRect().width());
}

QSize TNavigationLabel::minimumSizeHint() const {
    // The text shortens itself down to its record numbers, which the bar
    // keeps room for (the filter box gives way first).
    const QSize hint = QLabel::minimumSizeHint();
    const QMargins margins = contentsMargins();
    const int numbers = fontMetrics().horizontalAdvance(numbersOf(text())) + margins.left() +
                        margins.right() + 2 * margin();
    return {std::min(hint.width(), std::max(numbers, 20)), hint.height()};
}

QSize TNavigationLabel::sizeHint() const {
    const QSize hint = QLabel::sizeHint();
    return {std::min(hint.width(), minimumSizeHint().width()), hint.height()};
}

void TNavigationLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, contentsRect(),
                          QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shownText(), foregroundRole());
}
