#pragma once

#include <QString>

class QPrinter;
class QTextDocument;

// Prints a report over the whole printable area of each page, with no page
// numbers, headers or margins of its own: a copy of the document is laid out
// with the printer as its paint device and the page rectangle as its size.
// Honours the page range, page order and copies chosen in the print dialog.
// Returns false when the printer cannot start the job or reports an error.
bool PrintReport(const QTextDocument& document, QPrinter& printer, const QString& jobTitle);

// The job title for a database: the application title + " [" + path + "]".
QString PrintJobTitle(const QString& databaseName);
