#include "print/u_FormatMarks.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

void TFormatMarks::Clear() {
    for (QList<int>* list : {&lstFormat_B_start, &lstFormat_B_end, &lstFormat_I_start,
                             &lstFormat_I_end, &lstFormat_U_start, &lstFormat_U_end,
                             &lstFormat_C_start, &lstFormat_C_end, &lstFormat_FontSize_start}) {
        list->clear();
    }
    lstFormat_FontSize_size.clear();
}

namespace {

// The last position a selection may reach: the end of the text.
int DocumentEnd(const QTextDocument& document) {
    return std::max(0, document.characterCount() - 1);
}

void Report(const TProgress& progress, int value, int maximum) {
    if (progress) {
        progress(value, maximum);
    }
}

// Calls apply(start, end) for each range of starts and ends; an unended last
// range ends at the document's end.
template <typename Apply>
void ForEachRange(const QList<int>& starts, const QList<int>& ends, int documentEnd,
                  const TProgress& progress, Apply apply) {
    const int count = static_cast<int>(starts.size());
    Report(progress, 0, count);
    for (int i = 0; i < count; ++i) {
        const int s = std::clamp(starts[i], 0, documentEnd);
        const int e = i < ends.size() ? std::clamp(ends[i], 0, documentEnd) : documentEnd;
        if (e > s) {
            apply(s, e);
        }
        Report(progress, i + 1, count);
    }
}

void MergeRanges(QTextCursor& cursor, const QList<int>& starts, const QList<int>& ends,
                 int documentEnd, const TProgress& progress, const QTextCharFormat& format) {
    ForEachRange(starts, ends, documentEnd, progress, [&](int s, int e) {
        cursor.setPosition(s);
        cursor.setPosition(e, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(format);
    });
}

void CentreRanges(QTextDocument& document, const TFormatMarks& marks, int documentEnd,
                  const TProgress& progress) {
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    QTextCursor cursor(&document);
    // A range touches the paragraphs from the one holding its first
    // character to the one holding its last.
    ForEachRange(
        marks.lstFormat_C_start, marks.lstFormat_C_end, documentEnd, progress, [&](int s, int e) {
            cursor.setPosition(s);
            cursor.setPosition(document.findBlock(e - 1).position(), QTextCursor::KeepAnchor);
            cursor.mergeBlockFormat(centred);
        });
}

void SizeRanges(QTextDocument& document, const TFormatMarks& marks, int documentEnd,
                const TProgress& progress) {
    const QList<int>& starts = marks.lstFormat_FontSize_start;
    const int count =
        static_cast<int>(std::min(starts.size(), marks.lstFormat_FontSize_size.size()));
    const qreal base = document.defaultFont().pointSizeF();
    QTextCursor cursor(&document);
    Report(progress, 0, count);
    // The last mark has no range: the text after it keeps the base size.
    for (int i = 0; i + 1 < count; ++i) {
        const int s = std::clamp(starts[i], 0, documentEnd);
        const int e = std::clamp(starts[i + 1], 0, documentEnd);
        if (e > s) {
            QTextCharFormat format;
            format.setFontPointSize(
                std::max<qreal>(1.0, base + marks.lstFormat_FontSize_size[i].toInt()));
            cursor.setPosition(s);
            cursor.setPosition(e, QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(format);
        }
        Report(progress, i + 1, count);
    }
    Report(progress, count, count);
}

}  // namespace

void ApplyFormatMarks(QTextDocument& document, const TFormatMarks& marks,
                      const TProgress& progress) {
    const int end = DocumentEnd(document);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    MergeRanges(cursor, marks.lstFormat_B_start, marks.lstFormat_B_end, end, progress, bold);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    MergeRanges(cursor, marks.lstFormat_I_start, marks.lstFormat_I_end, end, progress, italic);
    QTextCharFormat underline;
    underline.setFontUnderline(true);
    MergeRanges(cursor, marks.lstFormat_U_start, marks.lstFormat_U_end, end, progress, underline);
    CentreRanges(document, marks, end, progress);
    SizeRanges(document, marks, end, progress);
    cursor.endEditBlock();
}
