#pragma once

#include "support/u_LinkMarkup.h"

#include <QLabel>

#include <functional>
#include <vector>

// A label for short formatted texts with clickable links (see u_LinkMarkup.h
// for its markup). It dispatches clicks itself: a link raises LinkClick, a
// web link has its redirect tokens replaced and is offered to OnWebLinkClick
// before the browser opens it, a mail link opens the mail program.
class TOrvLinkLabel : public QLabel {
    Q_OBJECT

  public:
    explicit TOrvLinkLabel(QWidget* parent = nullptr);

    void SetCaption(const QString& Markup);
    const QString& Caption() const { return caption_; }
    const std::vector<TLinkTarget>& Links() const { return links_; }

    // Called with the link number, its text and the expanded address before
    // a web link is opened; returning true marks the click handled.
    std::function<bool(int, const QString&, const QString&)> OnWebLinkClick;

    // Runs the click of the link with the given href, as a mouse click does.
    void ClickHref(const QString& Href);

  signals:
    void LinkClick(int LinkNumber, const QString& LinkText, const QString& LinkParam);

  private:
    void webLinkClick(int number, const TLinkTarget& link);

    QString caption_;
    std::vector<TLinkTarget> links_;
};
