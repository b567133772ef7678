#include "app/u_OptionsCommands.h"

#include "app/u_frmOptions.h"
#include "views/u_MainWindowInterface.h"

TOptionsCommands::TOptionsCommands(ICommandHost& host, std::function<void()> applySettings,
                                   std::function<QString(const QString& title)> chooseDatabase)
    : TCommandUnit(host),
      applySettings_(std::move(applySettings)),
      chooseDatabase_(std::move(chooseDatabase)) {
    host.Register("actOptions", [this] { showOptions(); });
}

void TOptionsCommands::showOptions() {
    TfrmOptions dialog(applySettings_, host().Main().Widget());
    dialog.setObjectName(QStringLiteral("frmOptions"));
    dialog.ChooseStartUpDatabase = [this](const QString& title, const QString&) {
        return chooseDatabase_(title);
    };
    dialog.ShowHelp = [this](int context) { host().ShowHelpContext(context); };
    host().RunDialog(dialog);
}
