#pragma once

#include <QStringList>

// Facts about the machine and the process for the error report, in the
// report's line layouts.

// "System   : ...", "Processor: ..." and "Display  : ..." lines.
QStringList SystemLines();

// The loaded modules, sorted by load address: per module its address and
// file, then its version ("(no version info)" for modules not of this
// product). Empty when the list cannot be read.
QStringList ModuleLines();

// The parts of a kernel release such as "6.1.0-18-amd64": 6, 1 and 0.
struct TKernelVersion {
    int Major = 0;
    int Minor = 0;
    int Build = 0;
};
TKernelVersion ParseKernelRelease(const QString& Release);

// The value of key in /proc/cpuinfo or /etc/os-release style text
// ("key : value" or key="value"); empty when missing.
QString InfoValue(const QString& Text, const QString& Key);
