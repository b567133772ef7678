#pragma once

#include <QString>

// The main window's title: the open database's file name before the program's
// name, marked "* " while the card holds edits not yet stored; the program's
// name alone when no database is open.
QString MainWindowTitle(const QString& databaseName, bool unsavedEdits);
