#include "app/u_Options.h"

#include "support/u_Settings.h"

#include <stdexcept>

namespace {

int readNumber(TSetting setting, int def) {
    try {
        return SettingInteger(setting);
    } catch (const std::runtime_error&) {
        return def;
    }
}

}  // namespace

TOptionsValues TOptionsValues::Read() {
    const TOptionsValues defaults;
    TOptionsValues values;
    values.StartUpDatabase = SettingText(TSetting::StartUpDatabase);
    values.ActiveTab = readNumber(TSetting::ActiveTab, defaults.ActiveTab);
    values.MenuStyle = readNumber(TSetting::MenuStyle, defaults.MenuStyle);
    values.DefaultUserTemplate = SettingText(TSetting::DefaultUserTemplate);
    values.DefaultPrintStyle = readNumber(TSetting::DefaultPrintStyle, defaults.DefaultPrintStyle);
    return values;
}

void TOptionsValues::Write() const {
    WriteSetting(TSetting::StartUpDatabase, StartUpDatabase);
    WriteSetting(TSetting::ActiveTab, ActiveTab);
    WriteSetting(TSetting::MenuStyle, MenuStyle);
    WriteSetting(TSetting::DefaultUserTemplate, DefaultUserTemplate);
    WriteSetting(TSetting::DefaultPrintStyle, DefaultPrintStyle);
}
