#pragma once

#include "session/QUIBLib_TLB.h"
#include "session/u_ColumnMap.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A contacts database on disk for the print tests, written and opened
// through the real engine. Its columns are stored in reverse program order,
// so every read must go through the column map.
struct PrintDatabase {
    // rows lists each contact's values by program field (missing ones empty).
    explicit PrintDatabase(const QList<QStringList>& rows,
                           const QString& folder = QStringLiteral("Contacts [old]"));

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<TQuib> quib;
    QStringList names;            // catalogue names in program order
    QStringList titlesFull;       // full titles in program order
    QStringList names_2_5_2;      // the older layout
    TColumnMap indexFromProgram;  // program field -> database column
};

// A contact with the given surname, first name and town (home).
QStringList Contact(const QString& surname, const QString& firstName,
                    const QString& town = QString());

// The three contacts most print tests use, Czech letters included.
QList<QStringList> CzechContacts();

// The text pdftotext finds in a PDF file (empty when it cannot run).
QString PdfText(const QString& pdfPath);
