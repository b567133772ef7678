#pragma once

#include <QString>
#include <QStringList>

// The recent-file list: four paths, most recent first, kept in the settings
// values RecentFile1 ... RecentFile4.
namespace RecentFiles {

inline constexpr int Count = 4;

// The list after opening name: name goes to the top, the entries above its
// old place move down one place (when it was absent, the last entry drops).
QStringList Promote(const QStringList& entries, const QString& name);

// The menu caption of entry index (0-based) for path: "&1. " and the file-name
// part of the path.
QString Caption(int index, const QString& path);
// The caption an entry carries until the first successful open: "&1. ---".
QString EmptyCaption(int index);

// The four stored paths (empty texts where none is stored).
QStringList Read();
void Write(const QStringList& entries);

}  // namespace RecentFiles
