#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <memory>

class TfrmHelp;

// Sends the program's help requests to its help pages, which are HTML pages
// inside the program's resources, shown in one help window.
class THelpRouter : public QObject {
    Q_OBJECT

  public:
    explicit THelpRouter(QObject* parent = nullptr);
    ~THelpRouter() override;

    // The page of a help context id ("index.html" for an unknown one).
    static QString PageOfContext(int context);
    static QUrl UrlOfPage(const QString& page);
    // The page in the language in use: the Czech page (under "cs/") while the
    // Czech module is loaded and the page exists in Czech, else page.
    static QString LocalPage(const QString& page);

    void ShowContents();
    void ShowContext(int context);
    // The topic named like the page without its extension ("what_is_new").
    void ShowTopic(const QString& topic);
    // Keyword search; an empty keyword shows the index of topics.
    void ShowKeywordSearch(const QString& keyword);
    void ShowHelpOnHelp();

    // The help window while it is open (tests).
    TfrmHelp* window() const { return window_.get(); }

  private:
    void showPage(const QString& page);

    std::unique_ptr<TfrmHelp> window_;
};
