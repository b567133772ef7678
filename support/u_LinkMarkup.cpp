#include "support/u_LinkMarkup.h"

namespace {

const QString kHrefPrefix = QStringLiteral("orvlink:");

bool startsWithAt(const QString& text, qsizetype at, const QString& what) {
    return QStringView(text).mid(at).startsWith(what, Qt::CaseInsensitive);
}

QString escaped(const QString& text) {
    QString plain = text;
    plain.replace(u'\r', u' ');
    plain.replace(u'\n', u' ');
    return plain.toHtmlEscaped();
}

class MarkupReader {
  public:
    MarkupReader(const QString& markup, std::vector<TLinkTarget>& links)
        : in_(markup), links_(links) {}

    QString Read() {
        out_ = QStringLiteral("<p>");
        qsizetype text = 0;  // start of the plain text not yet written
        while (at_ < in_.size()) {
            const qsizetype tag = in_.indexOf(u'<', at_);
            if (tag < 0) {
                break;
            }
            at_ = tag;
            const QString converted = readTag();
            if (converted.isNull()) {
                ++at_;  // a "<" that starts no known tag stays text
                continue;
            }
            out_ += escaped(in_.mid(text, tag - text)) + converted;
            text = at_;
        }
        out_ += escaped(in_.mid(text)) + QStringLiteral("</p>");
        return out_;
    }

  private:
    // The rich text of the tag at at_, which moves past it; a null text when
    // no known tag starts there.
    QString readTag() {
        static const std::pair<QString, QString> kSimple[] = {
            {QStringLiteral("<b>"), QStringLiteral("<b>")},
            {QStringLiteral("</b>"), QStringLiteral("</b>")},
            {QStringLiteral("<br>"), QStringLiteral("<br>")},
            {QStringLiteral("<p>"), QStringLiteral("</p><p>")},
        };
        for (const auto& [tag, html] : kSimple) {
            if (startsWithAt(in_, at_, tag)) {
                at_ += tag.size();
                return html;
            }
        }
        if (startsWithAt(in_, at_, QStringLiteral("<link="))) {
            return readLink(TLinkKind::Link, 6, QStringLiteral("</link>"));
        }
        if (startsWithAt(in_, at_, QStringLiteral("<url=")) ||
            startsWithAt(in_, at_, QStringLiteral("<url:"))) {
            return readLink(TLinkKind::Url, 5, QStringLiteral("</url>"));
        }
        if (startsWithAt(in_, at_, QStringLiteral("<mail>"))) {
            return readMail();
        }
        return {};
    }

    QString readLink(TLinkKind kind, qsizetype paramStart, const QString& closing) {
        const qsizetype paramEnd = in_.indexOf(u'>', at_ + paramStart);
        const qsizetype close =
            paramEnd < 0 ? -1 : in_.indexOf(closing, paramEnd + 1, Qt::CaseInsensitive);
        if (close < 0) {
            return {};
        }
        const QString param = in_.mid(at_ + paramStart, paramEnd - at_ - paramStart);
        const QString text = in_.mid(paramEnd + 1, close - paramEnd - 1);
        at_ = close + closing.size();
        return addLink(kind, text, param);
    }

    QString readMail() {
        const QString closing = QStringLiteral("</mail>");
        const qsizetype close = in_.indexOf(closing, at_ + 6, Qt::CaseInsensitive);
        if (close < 0) {
            return {};
        }
        const QString address = in_.mid(at_ + 6, close - at_ - 6).trimmed();
        at_ = close + closing.size();
        return addLink(TLinkKind::Mail, address, address);
    }

    QString addLink(TLinkKind kind, const QString& text, const QString& param) {
        const int number = static_cast<int>(links_.size());
        links_.push_back({kind, text, param});
        return QStringLiteral("<a href=\"%1\">%2</a>").arg(LinkHref(number), escaped(text));
    }

    const QString& in_;
    std::vector<TLinkTarget>& links_;
    QString out_;
    qsizetype at_ = 0;
};

}  // namespace

QString LinkMarkupToRichText(const QString& Markup, std::vector<TLinkTarget>& Links) {
    Links.clear();
    return MarkupReader(Markup, Links).Read();
}

QString LinkHref(int Number) {
    return kHrefPrefix + QString::number(Number);
}

int LinkNumberOfHref(const QString& Href) {
    if (!Href.startsWith(kHrefPrefix)) {
        return -1;
    }
    bool ok = false;
    const int number = Href.mid(kHrefPrefix.size()).toInt(&ok);
    return ok && number >= 0 ? number : -1;
}
