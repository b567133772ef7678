#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace quib {

class Table;

// Reads the database file at path into table, which is emptied first.
// proceed() is asked once, after the header records are loaded and before
// any row is read; when it answers false the table is emptied and the
// function returns false. Raises QuibError for an unreadable or corrupt
// file, leaving the table empty. Every count and length is checked against
// the bytes that remain before anything is allocated for it.
bool ReadDatabaseFile(const std::string& path, Table& table, const std::function<bool()>& proceed);

// Writes table to path: into a temporary file in the same folder, flushed to
// disk, then renamed over path (through a symbolic link, over its target),
// keeping the old file's permissions. Raises QuibError 10000 when the file
// cannot be created and 10004 when writing fails; the old file is then left
// as it was.
void WriteDatabaseFile(const std::string& path, const Table& table);

// Testing seam: makes every following write fail once failAfterBytes bytes
// have been written to the temporary file (-1 turns it off).
void SetWriteFaultForTesting(int64_t failAfterBytes);

// The engine version written into files and compared with a file's
// required version.
inline constexpr const char* kEngineFileVersion = "0.1";

}  // namespace quib
