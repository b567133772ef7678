#pragma once

#include <exception>

// The program's error report: every error that no command handles itself ends
// here (through the command boundary, the settings steps and the
// application's event handling). Shows the error to the user; the program
// goes on.
void ReportException(const std::exception& error);
