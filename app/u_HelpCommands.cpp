#include "app/u_HelpCommands.h"

#include "app/u_HelpRouter.h"
#include "app/u_frmHelp.h"

THelpCommands::THelpCommands(ICommandHost& host)
    : TCommandUnit(host), helpRouter_(std::make_unique<THelpRouter>()) {
    host.Register("actHelpContents", [this] { helpRouter_->ShowContents(); });
    host.Register("actHelpTopicSearch", [this] { helpRouter_->ShowKeywordSearch(QString()); });
    host.Register("actHelpHowToUse", [this] { helpRouter_->ShowHelpOnHelp(); });
    host.Register("actHelpWhatIsNew",
                  [this] { helpRouter_->ShowTopic(QStringLiteral("what_is_new")); });
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
