#include "app/u_HelpCommands.h"

#include "app/u_HelpRouter.h"
#include "app/u_frmHelp.h"
#include "support/u_WebRoutines.h"
#include "support/u_frmAbout.h"
#include "views/u_MainWindowInterface.h"

#include <QCoreApplication>

#include <stdexcept>

THelpCommands::THelpCommands(ICommandHost& host)
    : TCommandUnit(host), helpRouter_(std::make_unique<THelpRouter>()) {
    host.Register("actHelpContents", [this] { helpRouter_->ShowContents(); });
    host.Register("actHelpTopicSearch", [this] { helpRouter_->ShowKeywordSearch(QString()); });
    host.Register("actHelpHowToUse", [this] { helpRouter_->ShowHelpOnHelp(); });
    host.Register("actHelpWhatIsNew",
                  [this] { helpRouter_->ShowTopic(QStringLiteral("what_is_new")); });
    host.Register("actHelpUpdate", [] { CheckForNewVersion(); });
    host.Register("actHelpVisitWWW", [] { VisitProductWebSite(); });
    host.Register("actAbout", [this] {
        TfrmAbout box(this->host().Main().Widget());
        this->host().RunDialog(box);
    });
    // Hidden (Ctrl+Alt+Shift+F12): lets developers and testers see the error
    // report and its log entry on demand.
    host.Register("actHelpRaiseTestError", [] {
        throw std::runtime_error(
            QCoreApplication::translate("THelpCommands",
                                        "Test error raised on purpose (Ctrl+Alt+Shift+F12)")
                .toStdString());
    });
    host.AddCloseStep([this] {
        if (helpRouter_->window() != nullptr) {
            helpRouter_->window()->close();
        }
    });
}

THelpCommands::~THelpCommands() = default;

void THelpCommands::ShowHelpContext(int context) {
    helpRouter_->ShowContext(context);
}
