#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The column layouts that contacts databases have had over the program's
// versions. A database file names its columns in its "DBColsName" header, so
// any of them can be read; the converter writes any of them.
struct TDBLayout {
    QString text;         // as offered to the user, in English (context "TDBLayouts")
    QString version;      // written as the file's minimum and creating version
    QStringList columns;  // internal column names, in column order
};

// The layouts 2.5.0, 2.5.1 and 2.7.0, oldest first; the last is the current one.
const std::vector<TDBLayout>& DBLayouts();
