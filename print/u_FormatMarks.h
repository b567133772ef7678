#pragma once

#include <QList>
#include <QStringList>

#include <functional>

class QTextDocument;

// Where the formatting tags of a report stood, as offsets into the report's
// text (a tag takes no room: its offset is that of the character after it).
// Filled block by block by the renderer, applied once at the end.
struct TFormatMarks {
    QList<int> lstFormat_B_start, lstFormat_B_end;
    QList<int> lstFormat_I_start, lstFormat_I_end;
    QList<int> lstFormat_U_start, lstFormat_U_end;
    QList<int> lstFormat_C_start, lstFormat_C_end;
    QList<int> lstFormat_FontSize_start;
    QStringList lstFormat_FontSize_size;  // "+02", "-01", ...

    void Clear();
};

// Progress of a long pass: value out of maximum.
using TProgress = std::function<void(int value, int maximum)>;

// Turns the marks into formats of document, in five passes: bold, italic and
// underline ranges are added to what the text already has, centre ranges
// centre every paragraph they touch, and each size mark but the last sets
// the size up to the next mark to the document's base size plus its amount
// (never below one point). A range still open at the end of the document
// ends there; offsets beyond the document are clamped to its end.
void ApplyFormatMarks(QTextDocument& document, const TFormatMarks& marks,
                      const TProgress& progress = {});
