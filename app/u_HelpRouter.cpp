#include "app/u_HelpRouter.h"

#include "app/u_Language.h"
#include "app/u_LanguageModule.h"
#include "app/u_frmHelp.h"

#include <QFile>

#include <map>

THelpRouter::THelpRouter(QObject* parent) : QObject(parent) {}

THelpRouter::~THelpRouter() = default;

QString THelpRouter::PageOfContext(int context) {
    static const std::map<int, QString> pages{
        {11, QStringLiteral("file_menu.html")},
        {12, QStringLiteral("edit_menu.html")},
        {13, QStringLiteral("view_menu.html")},
        {14, QStringLiteral("record_menu.html")},
        {15, QStringLiteral("tools_menu.html")},
        {16, QStringLiteral("help_menu.html")},
        {22, QStringLiteral("query.html")},
        {31, QStringLiteral("print.html")},
        {32, QStringLiteral("print_template.html")},
        {33, QStringLiteral("print_preview.html")},
        {34, QStringLiteral("print_user_template.html")},
        {41, QStringLiteral("options.html")},
        {42, QStringLiteral("options.html")},
        {43, QStringLiteral("options.html")},
    };
    const auto it = pages.find(context);
    return it != pages.end() ? it->second : QStringLiteral("index.html");
}

QUrl THelpRouter::UrlOfPage(const QString& page) {
    return QUrl(QStringLiteral("qrc:/help/") + page);
}

QString THelpRouter::LocalPage(const QString& page) {
    const TLanguageModule* module = CurrentLanguageModule();
    if (module != nullptr && module->Language().startsWith(QLatin1String("cs"))) {
        const QString czech = QStringLiteral("cs/") + page;
        if (QFile::exists(QStringLiteral(":/help/") + czech)) {
            return czech;
        }
    }
    return page;
}

void THelpRouter::showPage(const QString& page) {
    const QString existing =
        QFile::exists(QStringLiteral(":/help/") + page) ? page : QStringLiteral("index.html");
    if (!window_) {
        window_ = std::make_unique<TfrmHelp>();
    }
    window_->ShowPage(UrlOfPage(LocalPage(existing)));
}

void THelpRouter::ShowContents() {
    showPage(QStringLiteral("index.html"));
}

void THelpRouter::ShowContext(int context) {
    showPage(PageOfContext(context));
}

void THelpRouter::ShowTopic(const QString& topic) {
    showPage(topic + QStringLiteral(".html"));
}

void THelpRouter::ShowKeywordSearch(const QString& keyword) {
    showPage(QStringLiteral("search.html"));
    if (!keyword.isEmpty() && window_) {
        window_->FindText(keyword);
    }
}

void THelpRouter::ShowHelpOnHelp() {
    showPage(QStringLiteral("how_to_use_help.html"));
}
