#pragma once

#include <QString>

class QTextStream;

// The command line's --export-vcard DB FILE and --import-vcard DB FILE, run
// without a window. Export writes every contact of the database as vCard
// 4.0; import appends the cards of the file and saves the database. Reports
// the count on out or the failure on err; returns the exit code, 0 when done
// and 1 when the database or the file could not be used.
int RunVCardCommand(bool exportCards, const QString& database, const QString& file,
                    QTextStream& out, QTextStream& err);
