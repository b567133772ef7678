#pragma once

#include "print/u_FormatMarks.h"

#include <QList>
#include <QString>
#include <QStringList>

class QTextDocument;
class TTemplateRenderer;

// What a report is made of.
struct TReportContent {
    QString title;             // the application title, first line of the heading
    QString databaseName;      // second line of the heading, printed as it stands
    QString templateText;      // one block per ticked row
    QList<bool> rows;          // entry i ticked: table row i is printed
    QStringList closingLines;  // the closing block, printed as it stands
};

// The title and the maker's credits that close every report.
QStringList ReportClosingLines();

// The Basic template: for every ticked column, in list order, its full title
// in bold, a colon and its field tag on a line of its own; each line ends
// with a line break. Nothing is ticked: the empty text.
QString BasicTemplate(const QStringList& titlesFull, const QStringList& names,
                      const QList<bool>& ticked);

// Renders the heading, one block per ticked row and the closing block.
// rowProgress advances by one for every entry of content.rows.
void RenderReport(TTemplateRenderer& renderer, const TReportContent& content,
                  const TProgress& rowProgress = {});

// Renders the report and puts it into document, replacing what it held, then
// applies the formats. The document's default font is the base size.
void BuildReport(QTextDocument& document, TTemplateRenderer& renderer,
                 const TReportContent& content, const TProgress& rowProgress = {},
                 const TProgress& markProgress = {});
