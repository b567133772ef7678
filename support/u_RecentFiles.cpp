#include "support/u_RecentFiles.h"

#include "support/u_OrvFileLib.h"
#include "support/u_Settings.h"

namespace RecentFiles {

namespace {

TSetting setting(int index) {
    constexpr TSetting entries[Count] = {TSetting::RecentFile1, TSetting::RecentFile2,
                                         TSetting::RecentFile3, TSetting::RecentFile4};
    return entries[index];
}

QStringList normalised(QStringList entries) {
    while (entries.size() < Count) {
        entries << QString();
    }
    return entries.mid(0, Count);
}

}  // namespace

QStringList Promote(const QStringList& entries, const QString& name) {
    QStringList list = normalised(entries);
    // The last match wins; when absent, the last place is overwritten.
    int place = Count - 1;
    for (int i = 0; i < Count; ++i) {
        if (list[i] == name) {
            place = i;
        }
    }
    for (int i = place; i > 0; --i) {
        list[i] = list[i - 1];
    }
    list[0] = name;
    return list;
}

QString Caption(int index, const QString& path) {
    QString dir;
    QString name;
    SplitFilePath(path, dir, name);
    return QStringLiteral("&%1. ").arg(index + 1) + name;
}

QString EmptyCaption(int index) {
    return QStringLiteral("&%1. ---").arg(index + 1);
}

QStringList Read() {
    QStringList entries;
    for (int i = 0; i < Count; ++i) {
        entries << SettingText(setting(i));
    }
    return entries;
}

void Write(const QStringList& entries) {
    const QStringList list = normalised(entries);
    for (int i = 0; i < Count; ++i) {
        WriteSetting(setting(i), list[i]);
    }
}

}  // namespace RecentFiles
