#pragma once

#include <QString>

// The five user settings the Options dialog edits, with their defaults.
struct TOptionsValues {
    QString StartUpDatabase;      // default: resource 65003 ("Pellum.tbr")
    int ActiveTab = 0;            // 0 Home, 1 Work
    int MenuStyle = 1;            // 0 "New style", 1 "Classic style"
    QString DefaultUserTemplate;  // default: resource 65004
    int DefaultPrintStyle = 0;    // 0 "Basic", 1 "User"

    // The stored values, each missing one as its default. A stored number that
    // is not a decimal number reads as the default too, so the dialog can
    // show and repair it.
    static TOptionsValues Read();

    // Stores the values in the order StartUpDatabase, ActiveTab, MenuStyle,
    // DefaultUserTemplate, DefaultPrintStyle. Throws std::runtime_error with
    // "Could not write data to the Windows Registry." on the first write that
    // fails; the writes before it stay done.
    void Write() const;
};
