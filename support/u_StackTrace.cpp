#include "support/u_StackTrace.h"

#include <cxxabi.h>
#include <dlfcn.h>
#include <execinfo.h>

#include <QCoreApplication>

#include <array>
#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace {

constexpr int kMaxFrames = 64;

// Kept per thread without allocation, since a throw may report memory
// exhaustion itself.
struct ThrowRecord {
    std::array<void*, kMaxFrames> frames{};
    int count = 0;
    qint64 msecs = 0;
};
thread_local ThrowRecord lastThrow;

using CxaThrow = void (*)(void*, std::type_info*, void (*)(void*));

CxaThrow realCxaThrow() {
    static const auto real = reinterpret_cast<CxaThrow>(dlsym(RTLD_NEXT, "__cxa_throw"));
    return real;
}

}  // namespace

// Every throw of the program passes here first: the stack is recorded, then
// the runtime's own __cxa_throw raises the exception.
namespace __cxxabiv1 {
extern "C" void __cxa_throw(void* thrown, std::type_info* type, void (*destroy)(void*)) {
    lastThrow.count = backtrace(lastThrow.frames.data(), kMaxFrames);
    lastThrow.msecs = QDateTime::currentMSecsSinceEpoch();
    realCxaThrow()(thrown, type, destroy);
    std::abort();  // the runtime's __cxa_throw never returns
}
}  // namespace __cxxabiv1

TStackTrace LastThrowStack() {
    TStackTrace trace;
    // Frame 0 is __cxa_throw above; the stack starts at the throwing code.
    for (int i = 1; i < lastThrow.count; ++i) {
        trace.Frames.push_back(lastThrow.frames[static_cast<size_t>(i)]);
    }
    trace.Time = QDateTime::fromMSecsSinceEpoch(lastThrow.msecs);
    return trace;
}

QString Demangled(const char* Name) {
    if (Name == nullptr) {
        return {};
    }
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> plain(
        abi::__cxa_demangle(Name, nullptr, nullptr, &status), &std::free);
    return QString::fromUtf8(status == 0 && plain ? plain.get() : Name);
}

QString HexAddress(quintptr Address) {
    return QStringLiteral("%1")
        .arg(Address, static_cast<int>(sizeof(void*) * 2), 16, QChar(u'0'))
        .toUpper();
}

QStringList StackLines(const std::vector<void*>& Frames) {
    QStringList lines;
    for (void* frame : Frames) {
        const auto address = reinterpret_cast<quintptr>(frame);
        QString line = u'[' + HexAddress(address) + u']';
        Dl_info info{};
        if (dladdr(frame, &info) == 0) {
            lines << line;
            continue;
        }
        if (info.dli_sname != nullptr) {
            line += u' ' + Demangled(info.dli_sname) + QStringLiteral(" + 0x") +
                    QString::number(address - reinterpret_cast<quintptr>(info.dli_saddr), 16);
        }
        // The offset into the module names the place even without a symbol.
        line += QStringLiteral(" (+0x") +
                QString::number(address - reinterpret_cast<quintptr>(info.dli_fbase), 16) + u')';
        lines << line;
    }
    return lines;
}

QString ExceptionClassName(const std::exception_ptr& Error) {
    try {
        std::rethrow_exception(Error);
    } catch (const std::exception& e) {
        return Demangled(typeid(e).name());
    } catch (...) {
        const std::type_info* type = abi::__cxa_current_exception_type();
        return type != nullptr ? Demangled(type->name()) : QStringLiteral("(unknown)");
    }
}

QString ExceptionMessage(const std::exception_ptr& Error) {
    try {
        std::rethrow_exception(Error);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QCoreApplication::translate("ExceptionDialog", "Unknown error");
    }
}
