#pragma once

#include <QDateTime>
#include <QStringList>

#include <exception>
#include <vector>

// The call stack of the last exception thrown on this thread, recorded at the
// moment of the throw, and its text for the error report.
struct TStackTrace {
    std::vector<void*> Frames;  // return addresses, innermost first
    QDateTime Time;             // when it was recorded
};

// The stack recorded at the last throw on this thread; empty Frames when no
// exception was thrown yet.
TStackTrace LastThrowStack();

// One line per frame: the address, the function (demangled) with the offset
// into it, and the offset into its module, which addr2line can resolve.
QStringList StackLines(const std::vector<void*>& Frames);

// The demangled name of the exception's type ("std::runtime_error").
QString ExceptionClassName(const std::exception_ptr& Error);

// The exception's message: what() for a std::exception, otherwise a fixed text.
QString ExceptionMessage(const std::exception_ptr& Error);

// A symbol name demangled when it is a C++ name, else unchanged.
QString Demangled(const char* Name);

// Sixteen hexadecimal digits on 64-bit systems, eight on 32-bit ones.
QString HexAddress(quintptr Address);
