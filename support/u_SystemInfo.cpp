#include "support/u_SystemInfo.h"

#include "support/u_OrvFileLib.h"
#include "support/u_ProductInfo.h"
#include "support/u_StackTrace.h"

#include <link.h>
#include <sys/utsname.h>

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Small system files only: os-release and cpuinfo.
QString readSmallFile(const QString& name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.read(1024 * 1024));
}

QString systemLine() {
    utsname uts{};
    uname(&uts);
    const QString release = QString::fromUtf8(uts.release);
    const TKernelVersion kernel = ParseKernelRelease(release);
    QString name =
        InfoValue(readSmallFile(QStringLiteral("/etc/os-release")), QStringLiteral("PRETTY_NAME"));
    if (name.isEmpty()) {
        name = QString::fromUtf8(uts.sysname);
    }
    return QStringLiteral("System   : %1 %2, Version: %3.%4, Build: %5, \"%6\"")
        .arg(name, QString::fromUtf8(uts.sysname) + u' ' + QString::fromUtf8(uts.machine))
        .arg(kernel.Major)
        .arg(kernel.Minor)
        .arg(QString::number(kernel.Build, 16).toUpper())
        .arg(release + u' ' + QString::fromUtf8(uts.version));
}

QString processorLine() {
    const QString info = readSmallFile(QStringLiteral("/proc/cpuinfo"));
    const double mhz = InfoValue(info, QStringLiteral("cpu MHz")).toDouble();
    const bool mmx =
        InfoValue(info, QStringLiteral("flags")).split(u' ').contains(QStringLiteral("mmx"));
    // No processor of this platform has the old division fault.
    return QStringLiteral("Processor: %1, %2, %3 MHz %4")
        .arg(InfoValue(info, QStringLiteral("vendor_id")),
             InfoValue(info, QStringLiteral("model name")))
        .arg(static_cast<long long>(std::lround(mhz)))
        .arg(mmx ? QStringLiteral("MMX") : QString());
}

QString displayLine() {
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    if (screen == nullptr) {
        return QStringLiteral("Display  : (none)");
    }
    return QStringLiteral("Display  : %1x%2 pixels, %3 bpp")
        .arg(screen->geometry().width())
        .arg(screen->geometry().height())
        .arg(screen->depth());
}

struct Module {
    quintptr Address = 0;    // where its first segment is loaded
    quintptr Preferred = 0;  // the address its file asks for; 0 for anywhere
    QString File;
};

int collectModule(dl_phdr_info* info, size_t, void* data) {
    auto* modules = static_cast<std::vector<Module>*>(data);
    quintptr lowest = ~quintptr(0);
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        if (info->dlpi_phdr[i].p_type == PT_LOAD) {
            lowest = std::min<quintptr>(lowest, info->dlpi_phdr[i].p_vaddr);
        }
    }
    if (lowest == ~quintptr(0)) {
        return 0;
    }
    QString file = QString::fromLocal8Bit(info->dlpi_name);
    if (file.isEmpty() && modules->empty()) {
        file = QCoreApplication::applicationFilePath();  // the first entry is the program
    }
    if (!file.isEmpty()) {
        modules->push_back({info->dlpi_addr + lowest, lowest, file});
    }
    return 0;
}

// "1.1.0" of ".../libquib.so.1.1.0": the engine library carries its build
// version in its file name.
QString libraryVersion(const QString& file) {
    const QString real = QFileInfo(file).canonicalFilePath();
    const qsizetype at = real.indexOf(QStringLiteral(".so."));
    return at < 0 ? QString() : real.mid(at + 4);
}

// Version text and description of a module of this product; empty else.
std::pair<QString, QString> productVersion(const QString& file) {
    if (QFileInfo(file).canonicalFilePath() ==
        QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath()) {
        return {RunningVersionText() + QStringLiteral(" - ") + RunningVersionText(), product::Name};
    }
    if (QFileInfo(file).fileName().startsWith(QStringLiteral("libquib.so"))) {
        QString version = libraryVersion(file);
        QString numeric = version;
        while (numeric.count(u'.') < 3 && !numeric.isEmpty()) {
            numeric += QStringLiteral(".0");
        }
        return {numeric + QStringLiteral(" - ") + version,
                QStringLiteral("Quib table-database engine")};
    }
    return {};
}

void appendModule(QStringList& lines, const Module& m) {
    const int digits = static_cast<int>(sizeof(void*) * 2);
    const QString blank(digits + 3, u' ');
    lines << u'[' + HexAddress(m.Address) + QStringLiteral("] ") + m.File;
    const QString prefix = m.Preferred != 0 && m.Preferred != m.Address
                               ? u'<' + HexAddress(m.Preferred) + QStringLiteral("> ")
                               : blank;
    const auto [version, description] = productVersion(m.File);
    if (version.isEmpty()) {
        lines << prefix + QStringLiteral("(no version info)");
        return;
    }
    lines << prefix + version;
    if (!description.isEmpty()) {
        lines << blank + description;
    }
}

}  // namespace

TKernelVersion ParseKernelRelease(const QString& Release) {
    static const QRegularExpression parts(QStringLiteral("^(\\d+)(?:\\.(\\d+))?(?:\\.(\\d+))?"));
    const auto match = parts.match(Release);
    return {match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt()};
}

QString InfoValue(const QString& Text, const QString& Key) {
    for (const QString& line : Text.split(u'\n')) {
        const qsizetype sep = line.indexOf(QRegularExpression(QStringLiteral("[:=]")));
        if (sep < 0 || line.left(sep).trimmed() != Key) {
            continue;
        }
        QString value = line.mid(sep + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"')) {
            value = value.mid(1, value.size() - 2);
        }
        return value;
    }
    return {};
}

QStringList SystemLines() {
    return {systemLine(), processorLine(), displayLine()};
}

QStringList ModuleLines() {
    std::vector<Module> modules;
    dl_iterate_phdr(&collectModule, &modules);
    if (modules.empty()) {
        return {};
    }
    std::sort(modules.begin(), modules.end(),
              [](const Module& a, const Module& b) { return a.Address < b.Address; });
    QStringList lines{QStringLiteral("List of loaded modules:")};
    for (const Module& m : modules) {
        appendModule(lines, m);
    }
    return lines;
}
