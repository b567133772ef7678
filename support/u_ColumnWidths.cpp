#include "support/u_ColumnWidths.h"

#include "support/u_Settings.h"

#include <QStringList>

namespace ColumnWidths {

namespace {

constexpr int MaxWidth = 10000;

}  // namespace

QList<QPair<QString, QList<int>>> Parse(const QString& text) {
    QList<QPair<QString, QList<int>>> entries;
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
        if (entries.size() >= MaxLayouts)
            break;
        const qsizetype tab = line.indexOf(u'\t');
        if (tab <= 0)
            continue;
        QList<int> widths;
        bool good = true;
        for (const QString& part : line.mid(tab + 1).split(u',')) {
            bool ok = false;
            const int width = part.toInt(&ok);
            if (!ok || width < 0 || width > MaxWidth) {
                good = false;
                break;
            }
            widths << width;
        }
        if (good)
            entries.append({line.left(tab), widths});
    }
    return entries;
}

QString Format(const QList<QPair<QString, QList<int>>>& entries) {
    QStringList lines;
    for (const auto& [layout, widths] : entries) {
        QStringList parts;
        for (int width : widths)
            parts << QString::number(width);
        lines << layout + u'\t' + parts.join(u',');
    }
    return lines.join(u'\n');
}

QList<int> Stored(const QString& layout) {
    for (const auto& [stored, widths] : Parse(SettingText(TSetting::TableColumnWidths))) {
        if (stored == layout)
            return widths;
    }
    return {};
}

void Store(const QString& layout, const QList<int>& widths) {
    QList<QPair<QString, QList<int>>> entries = Parse(SettingText(TSetting::TableColumnWidths));
    entries.removeIf([&](const auto& entry) { return entry.first == layout; });
    entries.prepend({layout, widths});
    while (entries.size() > MaxLayouts)
        entries.removeLast();
    WriteSetting(TSetting::TableColumnWidths, Format(entries));
}

}  // namespace ColumnWidths
