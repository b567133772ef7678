#pragma once

#include "exchange/u_ImportDuplicates.h"

#include <QString>

class QTextStream;

// The command line's --export-vcard DB FILE and --import-vcard DB FILE, run
// without a window. Export writes every contact of the database as vCard
// 4.0, each with its identity as UID (records without one get it, and the
// database is saved). Import appends the cards of the file and saves the
// database; the cards already in it (or repeating one earlier in the file)
// are added, skipped or update the contacts they repeat, as duplicates
// says. Reports the counts on out or the failure on err; returns the exit
// code, 0 when done and 1 when the database or the file could not be used.
// A card holding a letter a Central European database cannot store refuses
// the whole import (nothing is stored) unless convertToUnicode allows
// converting the database to Unicode first (its ".bak" copy kept).
int RunVCardCommand(bool exportCards, const QString& database, const QString& file,
                    QTextStream& out, QTextStream& err,
                    TDuplicateAction duplicates = TDuplicateAction::Add,
                    bool convertToUnicode = false);
