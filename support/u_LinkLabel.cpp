#include "support/u_LinkLabel.h"

#include "support/u_WebRoutines.h"

#include <QDesktopServices>
#include <QUrl>

TOrvLinkLabel::TOrvLinkLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::RichText);
    setWordWrap(true);
    setOpenExternalLinks(false);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(this, &QLabel::linkActivated, this, &TOrvLinkLabel::ClickHref);
}

void TOrvLinkLabel::SetCaption(const QString& Markup) {
    caption_ = Markup;
    setText(LinkMarkupToRichText(Markup, links_));
}

void TOrvLinkLabel::ClickHref(const QString& Href) {
    const int number = LinkNumberOfHref(Href);
    if (number < 0 || number >= static_cast<int>(links_.size())) {
        return;
    }
    // A copy: the handler may give the label a new caption.
    const TLinkTarget link = links_[static_cast<size_t>(number)];
    switch (link.Kind) {
        case TLinkKind::Link:
            emit LinkClick(number, link.Text, link.Param);
            break;
        case TLinkKind::Url:
            webLinkClick(number, link);
            break;
        case TLinkKind::Mail:
            QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + link.Param));
            break;
    }
}

void TOrvLinkLabel::webLinkClick(int number, const TLinkTarget& link) {
    const QString address = ExpandLinkLabelAddress(link.Param);
    if (OnWebLinkClick && OnWebLinkClick(number, link.Text, address)) {
        return;
    }
    QDesktopServices::openUrl(QUrl(address));
}
