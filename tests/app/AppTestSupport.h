#pragma once

#include "app/u_SampleDatabase.h"
#include "session/QUIBLib_TLB.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"
#include "support/u_OrvFileLib.h"
#include "support/u_ProductInfo.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <functional>

// Helpers shared by the program's window tests: real database files and a
// clean settings store.
namespace apptest {

// Removes every stored setting of the program.
inline void ClearSettings() {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Orvane"),
                       QStringLiteral("Orvane Contacts"));
    settings.clear();
    settings.sync();
}

// A contacts database with rows records whose surnames are "Row 1", "Row 2", ...
inline void MakeDatabase(const QString& path, int rows) {
    TQuib quib;
    quib.SetDatabaseName(path);
    quib.Create();
    WriteContactsHeaders(quib, product::MinDatabaseVersion, RunningVersionText(),
                         ContactSchema::ColumnNames());
    for (int r = 0; r < rows; ++r) {
        quib.NewRow(r);
        quib.SetData(r, 0, QStringLiteral("Row %1").arg(r + 1));
    }
    quib.Save();
}

// A dialog runner that shows each dialog a command opens, records its
// objectName in run, lets drive work it and closes it, instead of a window
// loop.
inline std::function<void(QDialog&)> DialogDriver(QStringList& run,
                                                  std::function<void(QDialog&)> drive) {
    return [&run, drive = std::move(drive)](QDialog& dialog) {
        run << dialog.objectName();
        dialog.show();
        drive(dialog);
        dialog.close();
    };
}

// A named control of a dialog; a test cannot go on without it.
template <typename T>
T* DialogControl(QDialog& dialog, const char* name) {
    T* found = dialog.findChild<T*>(QLatin1String(name));
    if (found == nullptr) {
        qFatal("control %s missing", name);
    }
    return found;
}

}  // namespace apptest
