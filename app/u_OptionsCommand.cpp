#include "app/u_OptionsCommand.h"

#include "app/u_frmCommon.h"
#include "app/u_frmMain.h"
#include "app/u_frmOptions.h"

void RunOptionsDialog(TfrmCommon& common) {
    TfrmOptions dialog([&common] { common.ApplySettings(QStringLiteral("Manual")); },
                       &common.main());
    dialog.setObjectName(QStringLiteral("frmOptions"));
    // The holder's open dialog, which keeps the chosen path as its preset.
    dialog.ChooseStartUpDatabase = [&common](const QString& title, const QString&) {
        return common.ExecuteOpenDialog(title);
    };
    dialog.ShowHelp = [&common](int context) { common.ShowHelpContext(context); };
    common.RunDialog(dialog);
}
