#pragma once

// Leaves an entry in the error log when the program crashes (SIGSEGV,
// SIGBUS, SIGFPE, SIGILL, SIGABRT) or an exception escapes outside the event
// loop (std::terminate), then lets the program end as it would have. The
// signal handler runs on its own stack and uses only async-signal-safe calls;
// the log file is the one the error log uses at the moment of installing, and
// it is written only when it is the user's own regular file (links are not
// followed).
void InstallCrashHandler();

// Whether InstallCrashHandler has run in this process.
bool CrashHandlerInstalled();
