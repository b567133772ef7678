#pragma once

#include <exception>

// The program's error report: every error that no command handles itself ends
// here (through the command boundary, the settings steps and the
// application's event handling). Shows the error report dialog (a plain box
// when a report is already on screen); the program goes on unless the user
// ends it there.
void ReportException(const std::exception& error);
