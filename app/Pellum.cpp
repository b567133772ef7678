#include "app/Pellum.h"

#include "app/u_ActionImages.h"
#include "app/u_Application.h"
#include "app/u_CommandLine.h"
#include "app/u_Language.h"
#include "app/u_LanguageModule.h"
#include "app/u_LanguageSwitch.h"
#include "app/u_SampleDatabase.h"
#include "app/u_SignalHandler.h"
#include "app/u_frmCommon.h"
#include "app/u_frmMain.h"
#include "app/u_frmSplash.h"
#include "exchange/u_VCardCommandLine.h"
#include "session/u_ContactsSession.h"
#include "session/u_QuibReader.h"
#include "support/u_CrashHandler.h"
#include "support/u_OrvFileLib.h"
#include "support/u_ProductInfo.h"
#include "sync/u_SyncCommandLine.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QTextStream>

#include <cstdio>

// Resources of the static program library are registered explicitly, since
// the linker drops object files nothing refers to.
void InitProgramResources() {
    Q_INIT_RESOURCE(help);
    Q_INIT_RESOURCE(pellum);
}

TProgram::TProgram() = default;
TProgram::~TProgram() {
    language.reset();
    frmCommon.reset();
    frmMain.reset();
    session.reset();
}

QString ProgramVersionText() {
    const QString version = FileVersionText(QCoreApplication::applicationFilePath());
    return version.isEmpty() ? RunningVersionText() : version;
}

namespace {

// The Language menu of the main window; at its creation the user's locale may
// switch the language (a recorded choice wins).
void attachLanguageMenu(TProgram& program) {
    TfrmMain& main = *program.frmMain;
    auto* czech = main.findChild<QAction*>(QStringLiteral("mnuToolsLanguageCzech"));
    auto* english = main.findChild<QAction*>(QStringLiteral("mnuToolsLanguageEnglish"));
    if (czech == nullptr || english == nullptr) {
        return;
    }
    program.language = std::make_unique<TLanguageSwitch>(main, *czech, *english);
    program.language->ConfirmSaveChanges = [&program] {
        return !program.frmCommon || program.frmCommon->ConfirmSaveChanges();
    };
    program.language->ApplyStartUpLocale(LocaleIdOfLocale(QLocale::system()));
}

}  // namespace

std::unique_ptr<TProgram> StartProgram(const QStringList& databases, bool showSplash) {
    InitProgramResources();
    auto program = std::make_unique<TProgram>();
    program->session = std::make_unique<TContactsSession>(ProgramVersionText());
    program->frmMain = std::make_unique<TfrmMain>(*program->session);
    attachLanguageMenu(*program);
    if (showSplash) {
        auto splash = std::make_unique<TfrmSplash>(program->session->ProgramVersion());
        splash->ShowAndPaint();
        program->frmMain->SetSplash(std::move(splash));
    }
    program->frmCommon =
        std::make_unique<TfrmCommon>(*program->frmMain, *program->session, databases);
    return program;
}

namespace {

void print(FILE* stream, const QString& text) {
    QTextStream(stream) << text;
}

// Commands that need no window: help, version, the sample database and the
// vCard export and import.
int runWithoutWindows(int argc, char** argv, const TCommandLine& line) {
    QCoreApplication app(argc, argv);
    LoadStartUpLanguage();
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    if (!line.Error.isEmpty()) {
        print(stderr, line.Error + u'\n' + CommandLineHelpText(program));
        return 2;
    }
    if (line.ShowHelp) {
        print(stdout, CommandLineHelpText(program));
        return 0;
    }
    if (line.ShowVersion) {
        print(stdout, CommandLineVersionText(program));
        return 0;
    }
    if (line.ExportVCard || line.ImportVCard) {
        QTextStream out(stdout);
        QTextStream err(stderr);
        return RunVCardCommand(line.ExportVCard, line.VCardDatabase, line.VCardFile, out, err,
                               line.Duplicates, line.ConvertToUnicode);
    }
    if (line.Sync) {
        QTextStream out(stdout);
        QTextStream err(stderr);
        return RunSyncCommand(line.SyncDatabase, line.SyncUrl, line.SyncUser, out, err);
    }
    try {
        MakeSampleDatabase(line.SampleFile);
    } catch (const std::exception& e) {
        print(stderr, QStringLiteral("%1: %2: %3\n")
                          .arg(program, line.SampleFile, QString::fromUtf8(e.what())));
        return 1;
    }
    print(stdout, QStringLiteral("%1: wrote %2 contacts to %3\n")
                      .arg(program)
                      .arg(SampleContactCount())
                      .arg(line.SampleFile));
    return 0;
}

}  // namespace

int RunPellum(int argc, char** argv) {
    IgnoreFileSizeSignal();
    QStringList raw;
    for (int i = 1; i < argc; ++i) {
        raw << QString::fromLocal8Bit(argv[i]);
    }
    const TCommandLine early = ParseCommandLine(raw);
    if (early.ShowHelp || early.ShowVersion || early.MakeSample || early.ExportVCard ||
        early.ImportVCard || early.Sync || !early.Error.isEmpty()) {
        return runWithoutWindows(argc, argv, early);
    }

    TPellumApplication app(argc, argv);
    std::unique_ptr<TProgram> program;
    // A logout or kill ends the program only once its last save is written.
    const TSignalHandler termination([&program] {
        if (program && program->session) {
            program->session->FinishSaves();
        }
    });
    // The application object has taken its own options (-platform, ...) away.
    const TCommandLine line = ParseCommandLine(QCoreApplication::arguments().mid(1));
    FillAppInfo(QCoreApplication::applicationFilePath());
    // From here on a crash leaves its entry in the error log.
    InstallCrashHandler();
    QCoreApplication::setOrganizationName(QStringLiteral("Orvane"));
    QCoreApplication::setApplicationName(product::Name);
    QGuiApplication::setDesktopFileName(QStringLiteral("pellum"));
    InitProgramResources();
    LoadStartUpLanguage();
    QGuiApplication::setWindowIcon(ProgramIcon());

    try {
        program = StartProgram(line.Databases);
    } catch (...) {
        TPellumApplication::HandleException(std::current_exception());
        return 1;
    }
    if (termination.EndRequested()) {
        return termination.ExitCode();
    }
    program->frmMain->show();
    return app.exec();
}
