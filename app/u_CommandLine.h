#pragma once

#include "exchange/u_ImportDuplicates.h"

#include <QString>
#include <QStringList>

// What the program was asked to do on its command line.
struct TCommandLine {
    QStringList Databases;     // arguments that are not options, in order
    bool ShowHelp = false;     // --help or -h
    bool ShowVersion = false;  // --version
    bool MakeSample = false;   // --make-sample FILE
    QString SampleFile;
    bool ExportVCard = false;  // --export-vcard DB FILE
    bool ImportVCard = false;  // --import-vcard DB FILE
    QString VCardDatabase;
    QString VCardFile;
    bool ConvertToUnicode = false;  // --convert-to-unicode (with --import-vcard)
    // --duplicates=add|skip|update with --import-vcard: what the cards
    // already in the database do (add when not given).
    TDuplicateAction Duplicates = TDuplicateAction::Add;
    bool Sync = false;  // --sync DB [--url URL] [--user NAME]
    QString SyncDatabase;
    QString SyncUrl;
    QString SyncUser;
    QStringList UnknownOptions;  // options the program does not know (ignored by the window)
    QString Error;               // a usage error, e.g. --make-sample without a file, or a
                                 // window-less command given more than its own arguments
};

// Reads the arguments after the program's name. Arguments starting with "-"
// are options, never databases; after "--" every argument is a database.
TCommandLine ParseCommandLine(const QStringList& arguments);

// The text printed by --help.
QString CommandLineHelpText(const QString& programName);
// The text printed by --version.
QString CommandLineVersionText(const QString& programName);
