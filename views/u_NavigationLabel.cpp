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
    // "n / N [" and "]" stay; the path gets what is left.
    const QString head = text.left(open + 2);
    const QString path = text.mid(open + 2, text.size() - open - 3);
    const int room = width - metrics.horizontalAdvance(head) - metrics.horizontalAdvance(u']');
    const QString shortPath =
        room > 0 ? metrics.elidedText(path, Qt::ElideMiddle, room) : QString();
    return head + (shortPath.isEmpty() ? QStringLiteral("…") : shortPath) + u']';
}

TNavigationLabel::TNavigationLabel(QWidget* parent) : QLabel(parent) {}

QString TNavigationLabel::shownText() const {
    return ElideNavigationText(text(), fontMetrics(), contentsRect().width());
}

QSize TNavigationLabel::minimumSizeHint() const {
    // The text shortens itself: it never widens the window.
    const QSize hint = QLabel::minimumSizeHint();
    return {std::min(hint.width(), 20), hint.height()};
}

QSize TNavigationLabel::sizeHint() const {
    const QSize hint = QLabel::sizeHint();
    return {std::min(hint.width(), 20), hint.height()};
}

void TNavigationLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, contentsRect(),
                          QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shownText(), foregroundRole());
}
