#include "app/u_Options.h"

#include "app/u_Settings.h"
#include "support/u_ResourceStrings.h"

#include <stdexcept>

namespace {

int readNumber(const char* name, int def) {
    try {
        return ReadSettingInteger(QLatin1String(name), def);
    } catch (const std::runtime_error&) {
        return def;
    }
}

}  // namespace

TOptionsValues TOptionsValues::Read() {
    TOptionsValues values;
    values.StartUpDatabase = ReadSettingString(QStringLiteral("StartUpDatabase"),
                                               LoadResString(res::DefaultStartUpDatabase));
    values.ActiveTab = readNumber("ActiveTab", 0);
    values.MenuStyle = readNumber("MenuStyle", 1);
    values.DefaultUserTemplate = ReadSettingString(QStringLiteral("DefaultUserTemplate"),
                                                   LoadResString(res::DefaultUserTemplate));
    values.DefaultPrintStyle = readNumber("DefaultPrintStyle", 0);
    return values;
}

void TOptionsValues::Write() const {
    WriteSettingString(QStringLiteral("StartUpDatabase"), StartUpDatabase);
    WriteSettingString(QStringLiteral("ActiveTab"), QString::number(ActiveTab));
    WriteSettingString(QStringLiteral("MenuStyle"), QString::number(MenuStyle));
    WriteSettingString(QStringLiteral("DefaultUserTemplate"), DefaultUserTemplate);
    WriteSettingString(QStringLiteral("DefaultPrintStyle"), QString::number(DefaultPrintStyle));
}
