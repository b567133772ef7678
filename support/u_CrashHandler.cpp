#include "support/u_CrashHandler.h"

#include "support/u_OrvFileLib.h"
#include "support/u_SimpleExceptionLog.h"
#include "support/u_StackTrace.h"

#include <dlfcn.h>
#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QStringList>

#include <atomic>
#include <cstring>
#include <ctime>
#include <exception>

namespace {

constexpr int kWidth = 100;
constexpr int kMaxFrames = 64;

// Everything the handler needs is prepared at installation, so that it only
// formats into fixed buffers and calls write().
char logPath[4096];
char programName[256];
char programVersion[64];
long utcOffsetSeconds = 0;
std::atomic<bool> entryWritten{false};
bool installed = false;
alignas(16) char alternateStack[128 * 1024];
char entry[64 * 1024];

// Appends to a fixed buffer; anything past its end is cut off.
struct Buffer {
    char* data;
    size_t size;
    size_t used = 0;

    void add(const char* text) {
        while (*text != '\0' && used < size) {
            data[used++] = *text++;
        }
    }
    void add(char c, size_t count = 1) {
        for (size_t i = 0; i < count && used < size; ++i) {
            data[used++] = c;
        }
    }
    void number(unsigned long long value, unsigned base, int width) {
        char digits[32];
        int n = 0;
        do {
            digits[n++] = "0123456789ABCDEF"[value % base];
            value /= base;
        } while (value != 0 && n < 32);
        for (int i = n; i < width; ++i) {
            add('0');
        }
        while (n > 0) {
            add(digits[--n]);
        }
    }
    void crlf() { add("\r\n"); }
};

// The local date and time "dd.mm.yyyy hh:nn:ss" without any library call
// that could lock or allocate.
void addTime(Buffer& b, time_t now) {
    const long long local = static_cast<long long>(now) + utcOffsetSeconds;
    long long days = local / 86400;
    long long secs = local % 86400;
    if (secs < 0) {
        secs += 86400;
        --days;
    }
    // Civil date from days since 1970-01-01 (H. Hinnant's algorithm).
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long doe = days - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long day = doy - (153 * mp + 2) / 5 + 1;
    const long long month = mp < 10 ? mp + 3 : mp - 9;
    const long long year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    b.number(static_cast<unsigned long long>(day), 10, 2);
    b.add('.');
    b.number(static_cast<unsigned long long>(month), 10, 2);
    b.add('.');
    b.number(static_cast<unsigned long long>(year), 10, 4);
    b.add(' ');
    b.number(static_cast<unsigned long long>(secs / 3600), 10, 2);
    b.add(':');
    b.number(static_cast<unsigned long long>(secs / 60 % 60), 10, 2);
    b.add(':');
    b.number(static_cast<unsigned long long>(secs % 60), 10, 2);
}

void addStamp(Buffer& b, time_t now) {
    b.add('=', kWidth);
    b.crlf();
    b.add("= ");
    const size_t start = b.used;
    addTime(b, now);
    b.add(' ', kWidth - 4 - (b.used - start));
    b.add(" [ASC Time Order :o)] =");
    b.crlf();
    b.add('=', kWidth);
    b.crlf();
}

const char* signalName(int sig) {
    switch (sig) {
        case SIGSEGV:
            return "SIGSEGV";
        case SIGBUS:
            return "SIGBUS";
        case SIGFPE:
            return "SIGFPE";
        case SIGILL:
            return "SIGILL";
        case SIGABRT:
            return "SIGABRT";
        default:
            return "signal";
    }
}

// Frame lines: address, symbol with offset when the module exports one (left
// mangled: demangling allocates), module offset and module file.
void addFrames(Buffer& b) {
    void* frames[kMaxFrames];
    const int count = backtrace(frames, kMaxFrames);
    for (int i = 0; i < count; ++i) {
        const auto address = reinterpret_cast<uintptr_t>(frames[i]);
        b.add('[');
        b.number(address, 16, sizeof(void*) * 2);
        b.add(']');
        Dl_info info{};
        if (dladdr(frames[i], &info) != 0) {
            if (info.dli_sname != nullptr) {
                b.add(' ');
                b.add(info.dli_sname);
                b.add(" + 0x");
                b.number(address - reinterpret_cast<uintptr_t>(info.dli_saddr), 16, 1);
            }
            b.add(" (+0x");
            b.number(address - reinterpret_cast<uintptr_t>(info.dli_fbase), 16, 1);
            b.add(") ");
            b.add(info.dli_fname != nullptr ? info.dli_fname : "");
        }
        b.crlf();
    }
}

void writeEntry(const Buffer& b, int fd) {
    size_t done = 0;
    while (done < b.used) {
        const ssize_t n = write(fd, b.data + done, b.used - done);
        if (n <= 0) {
            return;
        }
        done += static_cast<size_t>(n);
    }
}

void onCrash(int sig, siginfo_t* info, void*) {
    if (!entryWritten.exchange(true)) {
        // As the error log: only the user's own regular file, links not
        // followed.
        const int fd = open(
            logPath, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
        struct stat st {};
        if (fd >= 0 && (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid())) {
            close(fd);
        } else if (fd >= 0) {
            Buffer b{entry, sizeof entry};
            if (st.st_size > 0) {
                b.crlf();
            }
            addStamp(b, time(nullptr));
            b.add("Application executable: ");
            b.add(programName);
            b.crlf();
            b.add("Application version: ");
            b.add(programVersion);
            b.crlf();
            b.add("Error description: The program crashed with signal ");
            b.number(static_cast<unsigned>(sig), 10, 1);
            b.add(" (");
            b.add(signalName(sig));
            b.add(") at address ");
            b.number(reinterpret_cast<uintptr_t>(info != nullptr ? info->si_addr : nullptr), 16,
                     sizeof(void*) * 2);
            b.add('.');
            b.crlf();
            b.add('-', kWidth);
            b.crlf();
            b.add("Stack list:");
            b.crlf();
            addFrames(b);
            b.add('-', kWidth);
            b.crlf();
            writeEntry(b, fd);
            close(fd);
        }
    }
    // The handler was reset to the default action; raising again ends the
    // program as the signal would have (core dump included).
    signal(sig, SIG_DFL);
    raise(sig);
}

void onTerminate() {
    if (!entryWritten.exchange(true)) {
        QStringList lines;
        lines << QStringLiteral("Application executable: ") + QString::fromUtf8(programName);
        lines << QStringLiteral("Application version: ") + QString::fromUtf8(programVersion);
        const std::exception_ptr error = std::current_exception();
        if (error) {
            lines << QStringLiteral("Error description: Uncaught exception: ") +
                         ExceptionMessage(error);
            lines << QStringLiteral("Exception class: ") + ExceptionClassName(error);
            lines << QString(kWidth, u'-');
            const TStackTrace stack = LastThrowStack();
            lines << QStringLiteral("Stack list at the throw:");
            lines << StackLines(stack.Frames);
        } else {
            lines << QStringLiteral("Error description: The program was terminated.");
        }
        lines << QString(kWidth, u'-');
        TSimpleExceptionLog(QString::fromLocal8Bit(logPath))
            .Write(lines.join(QStringLiteral("\r\n")));
    }
    std::abort();
}

void copyTo(char* target, size_t size, const QByteArray& text) {
    const size_t n = std::min(size - 1, static_cast<size_t>(text.size()));
    std::memcpy(target, text.constData(), n);
    target[n] = '\0';
}

}  // namespace

void InstallCrashHandler() {
    copyTo(logPath, sizeof logPath, QFile::encodeName(TSimpleExceptionLog::ErrorLogFileName()));
    copyTo(programName, sizeof programName, App.ID.toUtf8());
    copyTo(programVersion, sizeof programVersion, RunningVersionText().toUtf8());
    utcOffsetSeconds = QDateTime::currentDateTime().offsetFromUtc();
    // The first backtrace loads the unwinder; doing it now keeps the
    // handler from loading anything.
    void* warmUp[2];
    backtrace(warmUp, 2);

    stack_t alternate{};
    alternate.ss_sp = alternateStack;
    alternate.ss_size = sizeof alternateStack;
    sigaltstack(&alternate, nullptr);
    struct sigaction action {};
    action.sa_sigaction = &onCrash;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (const int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) {
        sigaction(sig, &action, nullptr);
    }
    std::set_terminate(&onTerminate);
    installed = true;
}

bool CrashHandlerInstalled() {
    return installed;
}
