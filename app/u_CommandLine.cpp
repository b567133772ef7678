#include "app/u_CommandLine.h"

#include "support/u_OrvFileLib.h"
#include "support/u_ProductInfo.h"

#include <QCoreApplication>

namespace {

// --sync DB, --url URL and --user NAME, each with its value.
void readSyncOption(const QStringList& arguments, qsizetype& i, TCommandLine& result) {
    const QString& arg = arguments[i];
    if (i + 1 >= arguments.size()) {
        result.Error = QCoreApplication::translate("CommandLine", "%1 needs a value.").arg(arg);
        return;
    }
    const QString value = arguments[++i];
    if (arg == QLatin1String("--sync")) {
        result.Sync = true;
        result.SyncDatabase = value;
    } else if (arg == QLatin1String("--url")) {
        result.SyncUrl = value;
    } else {
        result.SyncUser = value;
    }
}

// A command that runs without a window takes exactly its own arguments: a
// word more (a second file, an option the program does not know, another
// command) is a mistake, never silently ignored.
void checkCommandArguments(TCommandLine& line) {
    const int commands =
        int(line.MakeSample) + int(line.ExportVCard) + int(line.ImportVCard) + int(line.Sync);
    if (commands == 0 || !line.Error.isEmpty()) {
        return;
    }
    if (commands > 1) {
        line.Error = QCoreApplication::translate(
            "CommandLine",
            "Only one of --make-sample, --export-vcard, --import-vcard and --sync "
            "can be given.");
        return;
    }
    const QStringList extra = line.Databases + line.UnknownOptions;
    if (!extra.isEmpty()) {
        line.Error = QCoreApplication::translate("CommandLine", "Unexpected argument: %1")
                         .arg(extra.join(u' '));
    }
}

constexpr QLatin1StringView kDuplicatesOption("--duplicates=");

// Takes the --duplicates=WORD options out of arguments (not after "--"),
// the last one counting, so that one may stand anywhere, also between
// --import-vcard and its database.
QStringList takeDuplicatesOption(const QStringList& arguments, TCommandLine& result, bool& given) {
    QStringList rest;
    bool optionsEnded = false;
    for (const QString& arg : arguments) {
        if (optionsEnded || !arg.startsWith(kDuplicatesOption)) {
            optionsEnded = optionsEnded || arg == QLatin1String("--");
            rest << arg;
            continue;
        }
        given = true;
        const auto action = ParseDuplicateAction(QStringView(arg).mid(kDuplicatesOption.size()));
        if (action) {
            result.Duplicates = *action;
        } else if (result.Error.isEmpty()) {
            result.Error = QCoreApplication::translate(
                               "CommandLine", "%1: --duplicates takes add, skip or update.")
                               .arg(arg);
        }
    }
    return rest;
}

}  // namespace

TCommandLine ParseCommandLine(const QStringList& given) {
    TCommandLine result;
    bool duplicatesGiven = false;
    const QStringList arguments = takeDuplicatesOption(given, result, duplicatesGiven);
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (optionsEnded || !arg.startsWith(u'-') || arg == QLatin1String("-")) {
            result.Databases << arg;
        } else if (arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            result.ShowHelp = true;
        } else if (arg == QLatin1String("--version")) {
            result.ShowVersion = true;
        } else if (arg == QLatin1String("--make-sample")) {
            result.MakeSample = true;
            if (i + 1 < arguments.size()) {
                result.SampleFile = arguments[++i];
            } else {
                result.Error = QCoreApplication::translate(
                    "CommandLine", "--make-sample needs the name of the file to write.");
            }
        } else if (arg == QLatin1String("--export-vcard") ||
                   arg == QLatin1String("--import-vcard")) {
            (arg == QLatin1String("--export-vcard") ? result.ExportVCard : result.ImportVCard) =
                true;
            if (i + 2 < arguments.size()) {
                result.VCardDatabase = arguments[++i];
                result.VCardFile = arguments[++i];
            } else {
                result.Error = QCoreApplication::translate("CommandLine",
                                                           "%1 needs a database and a vCard file.")
                                   .arg(arg);
            }
        } else if (arg == QLatin1String("--convert-to-unicode")) {
            result.ConvertToUnicode = true;
        } else if (arg == QLatin1String("--sync") || arg == QLatin1String("--url") ||
                   arg == QLatin1String("--user")) {
            readSyncOption(arguments, i, result);
        } else {
            result.UnknownOptions << arg;
        }
    }
    if (result.Error.isEmpty() && !result.Sync &&
        (!result.SyncUrl.isEmpty() || !result.SyncUser.isEmpty())) {
        result.Error =
            QCoreApplication::translate("CommandLine", "--url and --user go with --sync.");
    }
    if (result.Error.isEmpty() && result.ConvertToUnicode && !result.ImportVCard) {
        result.Error = QCoreApplication::translate(
            "CommandLine", "--convert-to-unicode goes with --import-vcard.");
    }
    if (result.Error.isEmpty() && duplicatesGiven && !result.ImportVCard) {
        result.Error =
            QCoreApplication::translate("CommandLine", "--duplicates goes with --import-vcard.");
    }
    checkCommandArguments(result);
    return result;
}

QString CommandLineHelpText(const QString& programName) {
    return QCoreApplication::translate(
               "CommandLine",
               "Usage: %1 [OPTION]... [DATABASE]\n"
               "%2: a contacts manager. Opens DATABASE (a .tbr file), or the start-up\n"
               "database of the options when none is given.\n"
               "\n"
               "  --make-sample FILE  write a sample contacts database to FILE and exit\n"
               "  --export-vcard DATABASE FILE  write the contacts of DATABASE to the vCard\n"
               "                      file FILE (version 4.0) and exit\n"
               "  --import-vcard DATABASE FILE  add the contacts of the vCard file FILE to\n"
               "                      DATABASE and exit\n"
               "  --duplicates=add|skip|update  with --import-vcard: add the contacts already\n"
               "                      in DATABASE anyway (the default), skip them, or update\n"
               "                      the existing ones\n"
               "  --convert-to-unicode  with --import-vcard: convert a Central European\n"
               "                      DATABASE to Unicode when a card holds letters it\n"
               "                      cannot store (else the import is refused)\n"
               "  --sync DATABASE [--url URL] [--user NAME]  sync DATABASE with its CardDAV\n"
               "                      address book (URL and NAME are kept for the next time;\n"
               "                      the password comes from PELLUM_SYNC_PASSWORD or the\n"
               "                      secret store) and exit\n"
               "  -h, --help          show this help and exit\n"
               "  --version           show the program's version and exit\n")
        .arg(programName, product::Name);
}

QString CommandLineVersionText(const QString& programName) {
    return QStringLiteral("%1 (%2) %3\n").arg(programName, product::Name, RunningVersionText());
}
