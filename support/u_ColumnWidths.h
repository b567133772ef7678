#pragma once

#include <QList>
#include <QString>

// The table's column widths as the user dragged them, remembered per
// database layout (the layout names the database columns the table shows,
// so databases of the same layout share their widths). The newest layouts
// are kept, at most MaxLayouts of them, in the TableColumnWidths setting.
namespace ColumnWidths {

inline constexpr int MaxLayouts = 8;

// The widths stored for layout, empty when none are.
QList<int> Stored(const QString& layout);
// Stores widths for layout (the newest layout first). Throws as WriteSetting.
void Store(const QString& layout, const QList<int>& widths);

// The text of the setting and back (one layout a line: the layout, a tab,
// the widths joined by commas); bounded by MaxLayouts, bad lines skipped.
QList<QPair<QString, QList<int>>> Parse(const QString& text);
QString Format(const QList<QPair<QString, QList<int>>>& entries);

}  // namespace ColumnWidths
