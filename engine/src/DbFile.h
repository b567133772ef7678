#pragma once

#include <cstdint>
#include <functional>

#include <string>
#include <string_view>
#include "TempFile.h"

namespace quib {

class Table;
struct TableImage;

// Reads the database file at path into table, which is emptied first.
// proceed() is asked once, after the header records are loaded and before
// any row is read; when it answers false the table is emptied and the
// function returns false. Raises QuibError for an unreadable or corrupt
// file, leaving the table empty. Every count and length is checked against
// the bytes that remain before anything is allocated for it.
bool ReadDatabaseFile(const std::string& path, Table& table, const std::function<bool()>& proceed);

// Writes a table image to path: into a temporary file in the same folder
// (see TempFile), in large blocks whose writeback starts as each is written,
// synced to disk once at the end, then renamed over path (through a symbolic
// link, over its target), keeping the old file's permissions; the folder is
// synced after the rename. Temporary files killed saves of the same file
// left are removed first (see RemoveStaleTempFiles). Raises QuibError 10000,
// before anything is created, when the name has no file part, names
// anything but a regular file (a folder, a pipe, a device, a socket) or a
// loop of links, or the existing file may not be written (or nobody may);
// 10000 also when the temporary file cannot be created; and 10004 when
// writing fails. The old file is then left as it was. Safe to call on any
// thread for an image no other thread changes (images never change).
void WriteDatabaseFile(const std::string& path, const TableImage& table);

// Testing seam: makes every following write fail once failAfterBytes bytes
// have been written to the temporary file (-1 turns it off; -2 fails the
// final flush after every byte was written).
void SetWriteFaultForTesting(int64_t failAfterBytes);

// The bytes every database file starts with.
inline constexpr std::string_view kDbFileSignature = "Quib";

// The newest file version the engine reads: a file whose required version
// is greater is refused.
inline constexpr const char* kEngineFileVersion = "0.2";
// The versions written (as both the writer's and the required version) for
// the two encodings; a file requiring more than 0.1 holds UTF-8.
inline constexpr const char* kWindows1250FileVersion = "0.1";
inline constexpr const char* kUtf8FileVersion = "0.2";

}  // namespace quib
