#pragma once

#include <QString>

#include <vector>

// The small markup of the program's link labels: "<b>", "</b>", "<p>",
// "<br>", "<link=name>text</link>", "<url=address>text</url>" (also
// "<url:address>") and "<mail>address</mail>". Everything else is text.

enum class TLinkKind { Link, Url, Mail };

struct TLinkTarget {
    TLinkKind Kind = TLinkKind::Link;
    QString Text;   // what the label shows
    QString Param;  // the link's name, the web address or the mail address
};

// The rich text for a label, every text escaped; Links gets the links in
// order of appearance, and link number n is shown with the href LinkHref(n).
QString LinkMarkupToRichText(const QString& Markup, std::vector<TLinkTarget>& Links);

QString LinkHref(int Number);

// The link number of an href made by LinkHref; -1 for any other text.
int LinkNumberOfHref(const QString& Href);
