#pragma once

#include <QString>

class QTextStream;

// The command line's --export-vcard DB FILE and --import-vcard DB FILE, run
// without a window. Export writes every contact of the database as vCard
// 4.0; import appends the cards of the file and saves the database. Reports
// the count on out or the failure on err; returns the exit code, 0 when done
// and 1 when the database or the file could not be used. A card holding a
// letter a Central European database cannot store refuses the whole import
// (nothing is stored) unless convertToUnicode allows converting the database
// to Unicode first (its ".bak" copy kept).
int RunVCardCommand(bool exportCards, const QString& database, const QString& file,
                    QTextStream& out, QTextStream& err, bool convertToUnicode = false);
