#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include "print/u_FormatMarks.h"
#include "session/u_ColumnMap.h"

#include <functional>

// Renders template text: field tags become the row's values, the markup
// vanishes and the formatting tags are recorded as marks at the offsets of
// the rendered text. The text is assembled here and put into a document
// only once the whole report is rendered.
//
// Line breaks of templates and values become "\n" (a CR LF pair one "\n"),
// so that offsets count exactly what the document will hold.
class TTemplateRenderer {
  public:
    // The value of a database column in a table row.
    using CellReader = std::function<QString(int row, int column)>;

    // names: the catalogue's column names in program order; fromProgram:
    // the database column of each (kMissingColumn when the database lacks it).
    TTemplateRenderer(const QStringList& names, const TColumnMap& fromProgram, CellReader cell);

    // Empties the text and the marks.
    void Reset();

    // Renders one block followed by two line breaks.
    void RenderBlock(QStringView block, int row);
    // Renders text without ending a block.
    void RenderText(QStringView text, int row);
    // Appends text as it stands: no tag in it takes effect.
    void AppendLiteral(QStringView text);
    // Ends a block: two line breaks.
    void EndBlock();

    const QString& Text() const { return text_; }
    const TFormatMarks& Marks() const { return marks_; }

  private:
    // A value substituted for a field tag is scanned with expandFields off:
    // its formatting tags take effect, but a field tag in it prints as it
    // stands and is never expanded, so expansion always ends.
    void Scan(QStringView text, int row, bool expandFields);
    void Field(QStringView tag, QStringView name, int row, bool expandFields);
    void FormatTag(QStringView content);
    void Open(QList<int>& starts, const QList<int>& ends);
    void Close(const QList<int>& starts, QList<int>& ends);
    int Offset() const { return static_cast<int>(text_.size()); }

    QHash<QString, int> columnOfName_;  // catalogue name -> database column
    CellReader cell_;
    QString text_;
    TFormatMarks marks_;
};
