#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace fixtures {

// A file shaped like another program's CSV export of its contacts, written
// from that program's header line, with the contacts it holds as they must
// land in this program's columns.
struct TShapedExport {
    QString source;               // the program, as the mapping by names calls it
    QByteArray bytes;             // the file
    QList<QStringList> contacts;  // 32 cells each, in program column order
};

// Google Contacts (the format until 2024 and the one since), Microsoft
// Outlook (in Windows-1250, as a Czech Windows writes it) and Thunderbird.
QList<TShapedExport> ShapedExports();

}  // namespace fixtures
