#pragma once

#include <QString>

// Writes a contacts database with a few dozen made-up Czech and English
// contacts to path, with the headers a new database gets. Throws EQuibError
// when the file cannot be written.
void MakeSampleDatabase(const QString& path);

// The number of contacts MakeSampleDatabase writes.
int SampleContactCount();
