#include "support/u_ResourceStrings.h"

#include <QCoreApplication>

#include <array>

namespace {

struct ResString {
    int id;
    const char* text;
};

// Line breaks inside these texts are LF CR, the order the database messages
// have always used.
constexpr std::array kStrings{
    ResString{64992, QT_TRANSLATE_NOOP("ResourceStrings", "No database")},
    ResString{64997, QT_TRANSLATE_NOOP("ResourceStrings",
                                       "Could not write data to the Windows Registry.")},
    ResString{65003, QT_TRANSLATE_NOOP("ResourceStrings", "Pellum.tbr")},
    ResString{65004, QT_TRANSLATE_NOOP("ResourceStrings", "Pellum_DefaultTemplate.txt")},
    ResString{65017, QT_TRANSLATE_NOOP("ResourceStrings", "Open Database")},
    ResString{65018, QT_TRANSLATE_NOOP("ResourceStrings", "Create Database")},
    ResString{65019, QT_TRANSLATE_NOOP("ResourceStrings", "Save Database As")},
    ResString{65020, QT_TRANSLATE_NOOP("ResourceStrings",
                                       "Current record was changed. Save it before continue?")},
    ResString{65022, QT_TRANSLATE_NOOP("ResourceStrings",
                                       "Could not search. No possible frame visibled.")},
    ResString{65023, QT_TRANSLATE_NOOP("ResourceStrings",
                                       "Cannot show search result. No possible frame visibled.")},
    ResString{65026, QT_TRANSLATE_NOOP("ResourceStrings", "String not found.")},
    ResString{65029, QT_TRANSLATE_NOOP("ResourceStrings", "Select StartUp Database")},
    ResString{65030, QT_TRANSLATE_NOOP("ResourceStrings", "Select Default User Template")},
    ResString{65047,
              QT_TRANSLATE_NOOP("ResourceStrings", "The file isn't database for this program.")},
    ResString{65048, QT_TRANSLATE_NOOP("ResourceStrings",
                                       "The database require newer version of "
                                       "this program (%%REQUIRED_VERSION%%).")},
    ResString{65049, QT_TRANSLATE_NOOP("ResourceStrings", "Are you sure to switch the language?")},
    ResString{65050, QT_TRANSLATE_NOOP("ResourceStrings",
                                       "Language was succesfully changed. The program is about to "
                                       "restart to apply the changes. Restart now?")},
    ResString{65051, QT_TRANSLATE_NOOP(
                         "ResourceStrings",
                         "Database contains followed fields (cols) which is unsupported in this "
                         "version of this program. This fields will not be displayed and you will "
                         "not be able to change them:")},
    ResString{65052, QT_TRANSLATE_NOOP("ResourceStrings",
                                       "Database doesn't contain followed fields (cols) which this "
                                       "program supports. Changes in this fields will not be "
                                       "saved:")},
    ResString{65053,
              QT_TRANSLATE_NOOP("ResourceStrings",
                                "Warning: Problems with synchronizating fields (cols) in this "
                                "database file with fields (cols) supported by this program. Use "
                                "File | Import / Export command in main program window to convert "
                                "it to current version.\n\r\n\r")},
    ResString{65054, QT_TRANSLATE_NOOP("ResourceStrings",
                                       "Database File Name: %%DB_FILENAME%%\n\rDatabase Version: "
                                       "%%DB_PROGRAMAKTVERSION%%\n\rProgram Version: "
                                       "%%PROGRAM_PROGRAMAKTVERSION%%\n\r\n\r")},
};

}  // namespace

QString LoadResString(int id) {
    for (const auto& s : kStrings) {
        if (s.id == id) {
            return QCoreApplication::translate("ResourceStrings", s.text);
        }
    }
    return {};
}

QString ReplaceFirst(const QString& text, const QString& placeholder, const QString& value) {
    const qsizetype at = text.indexOf(placeholder);
    if (at < 0) {
        return text;
    }
    QString result = text;
    result.replace(at, placeholder.size(), value);
    return result;
}
