// Measures the memory a CSV import takes, in a process of its own so that
// the peak is the import's alone.
//   csv_memory_probe write FILE LINES   writes a CSV file of short lines
//   csv_memory_probe import FILE DB     imports FILE into the empty database DB
//   csv_memory_probe direct LINES DB    appends the same rows without the import
// import and direct save the database and print "base_kb peak_kb": the
// resident size before the work and the peak resident size of the process.
#include "exchange/u_BatchImport.h"
#include "exchange/u_CsvImporter.h"
#include "session/QUIBLib_TLB.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsSession.h"
#include "session/u_DBConverter.h"
#include "support/u_OrvFileLib.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

// The three fields of line i.
QStringList lineFields(int i) {
    return {QStringLiteral("Nova%1").arg(i, 7, 10, QChar(u'0')), QStringLiteral("Jana"),
            QStringLiteral("+420 %1").arg(i, 7, 10, QChar(u'0'))};
}

long statusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(key) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(prefix, 0) == 0) {
            return std::stol(line.substr(prefix.size()));
        }
    }
    return -1;
}

std::unique_ptr<TQuib> emptyDatabase(const QString& path) {
    auto db = std::make_unique<TQuib>();
    db->SetDatabaseName(path);
    TDBConverter::CreateDatabase(*db, DBLayouts().back());
    db->Save();
    return db;
}

int write(const QString& file, int lines) {
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        return 1;
    }
    for (int i = 0; i < lines; ++i) {
        out.write(lineFields(i).join(u',').toLatin1() + "\r\n");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        return 2;
    }
    if (args[1] == QLatin1String("write")) {
        return write(args[2], args[3].toInt());
    }
    auto db = emptyDatabase(args[3]);
    if (args[1] == QLatin1String("import")) {
        // As the program imports: the session holds the database.
        db.reset();
        TContactsSession session(RunningVersionText());
        session.OpenFile(args[3]);
        const long base = statusKb("VmRSS");
        ImportBatch(session, TCsvImporter().Read(args[2], false, {0, 1, 8}));
        session.FinishSaves();
        std::printf("%ld %ld %d\n", base, statusKb("VmHWM"), session.Quib1().RowsCount());
        return 0;
    }
    const long base = statusKb("VmRSS");
    const int lines = args[2].toInt();
    for (int i = 0; i < lines; ++i) {
        const QStringList fields = lineFields(i);
        db->NewRow(i);
        db->SetData(i, 0, fields[0]);
        db->SetData(i, 1, fields[1]);
        db->SetData(i, 8, fields[2]);
    }
    db->Save();
    std::printf("%ld %ld %d\n", base, statusKb("VmHWM"), db->RowsCount());
    return 0;
}
