#include "ExchangeFixtures.h"

#include "exchange/u_VCardReader.h"

#include "exchange/u_BatchImport.h"
#include "exchange/u_CsvImporter.h"
#include "exchange/u_VCardExchange.h"
#include "session/u_BackgroundWriter.h"
#include "session/u_ContactSchema.h"
#include "session/u_DBConverter.h"
#include "support/u_OrvFileLib.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

namespace fixtures {

QStringList ProgramColumns() {
    return DBLayouts().back().columns;
}

TColumnMap IdentityColumnMap(int count) {
    return TColumnMap::Identity(count);
}

QStringList IdentityMap(int count) {
    QStringList map;
    for (int i = 0; i < count; ++i) {
        map << QString::number(i);
    }
    return map;
}

void WriteDatabase(const QString& path, const TDBLayout& layout, const QList<QStringList>& rows,
                   quib::TextEncoding encoding) {
    TQuib db;
    db.SetDatabaseName(path);
    db.SetEncoding(encoding);
    TDBConverter::CreateDatabase(db, layout);
    for (int r = 0; r < rows.size(); ++r) {
        QVERIFY(db.NewRow(r));
        for (int c = 0; c < rows[r].size() && c < layout.columns.size(); ++c) {
            QVERIFY(db.SetData(r, c, rows[r][c]));
        }
    }
    QVERIFY(db.Save());
}

std::unique_ptr<TQuib> OpenDatabase(const QString& path) {
    auto db = std::make_unique<TQuib>();
    db->SetDatabaseName(path);
    if (!db->Open()) {
        return nullptr;
    }
    return db;
}

QList<QStringList> ReadRows(const TQuibReader& quib) {
    QList<QStringList> rows;
    for (int r = 0; r < quib.RowsCount(); ++r) {
        QStringList row;
        for (int c = 0; c < quib.ColsCount(); ++c) {
            row << quib.GetData(r, c);
        }
        rows << row;
    }
    return rows;
}

QList<QStringList> ReadRows(const TContactsSession& session) {
    return ReadRows(session.Quib1());
}

int ImportCsv(TContactsSession& session, const QString& file, bool hasHeaderRow,
              const QList<int>& fields, const TExchangeProgress::TReport& report) {
    TCsvImporter importer;
    importer.SetProgress(report);
    return ImportBatch(session, importer.Read(file, hasHeaderRow, fields), report);
}

int ImportVCards(TContactsSession& session, const QString& file,
                 const TExchangeProgress::TReport& report) {
    TVCardExchange exchange(session.Quib1(), session.Columns().lstDBColsIndexFromProgram);
    exchange.SetProgress(report);
    return ImportBatch(session, exchange.ReadFile(file), report);
}

int Writes(TContactsSession& session) {
    session.FinishSaves();
    return session.Writer().WritesDone();
}

QString ValueByName(const TQuibReader& quib, int r, const QString& name) {
    const int c = TDBConverter::DatabaseColumns(quib).indexOf(name);
    return c < 0 ? QString() : quib.GetData(r, c);
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return f.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QString WriteOldFile(const QDir& folder, const QString& name, const QByteArray& old) {
    // A folder that could not be made fails the write's check.
    folder.mkpath(QStringLiteral("."));
    const QString file = folder.filePath(name);
    WriteFile(file, old);
    return file;
}

QStringList ContactRow(const QList<std::pair<int, QString>>& cells) {
    QStringList r(32);
    for (const auto& [c, v] : cells) {
        r[c] = v;
    }
    return r;
}

QList<QStringList> ReadVCards(const QByteArray& bytes) {
    QList<QStringList> cards;
    TVCardReader::Read(bytes, [&cards](const QStringList& cells) { cards << cells; });
    return cards;
}

QList<QStringList> SampleContacts() {
    QList<QStringList> rows;
    QStringList a(32);
    a[0] = QStringLiteral("Dvořák");
    a[1] = QStringLiteral("Antonín");
    a[3] = QStringLiteral("Žitná 14, byt 3");
    a[4] = QStringLiteral("Praha");
    a[6] = QStringLiteral("120 00");
    a[8] = QStringLiteral("+420 222 333 444");
    a[11] = QStringLiteral("antonin@example.cz");
    a[15] = QStringLiteral("Nakladatelství \"Šťastná kniha\", s.r.o.");
    a[31] = QStringLiteral("Skladatel\nNovosvětská symfonie, \"Rusalka\"");
    rows << a;
    QStringList b(32);
    b[0] = QStringLiteral("Nováková");
    b[1] = QStringLiteral("Věra");
    b[2] = QStringLiteral("  Věrka  ");
    b[12] = QStringLiteral("123456");
    b[29] = QStringLiteral("654321");
    b[31] = QStringLiteral("Ľubovoľná poznámka; ďalší");
    rows << b;
    QStringList c(32);
    c[0] = QStringLiteral("Smith");
    c[1] = QStringLiteral("John");
    c[10] = QStringLiteral("http://example.com/a,b");
    c[17] = QStringLiteral("\"Chief\"");
    rows << c;
    return rows;
}

QList<QStringList> GeneratedContacts(int count) {
    static const QList<int> multiLine{3, 8, 9, 12, 13, 18, 25, 26, 29, 31};
    const QString alphabet = QStringLiteral("abcXYZ019 ěščřžýáíéúůďťňĚŠČŘŽÝÁÍÉÚŮĎŤŇ,;:\\\"'.-+@");
    QRandomGenerator random(1000);
    auto text = [&](int maxLength) {
        QString value;
        for (int n = 1 + random.bounded(maxLength); n > 0; --n) {
            value += alphabet[random.bounded(alphabet.size())];
        }
        return value;
    };
    QList<QStringList> rows;
    for (int r = 0; r < count; ++r) {
        QStringList row(32);
        for (int c = 0; c < 32; ++c) {
            if (random.bounded(5) == 0) {
                continue;
            }
            if (!multiLine.contains(c)) {
                row[c] = text(20);
                continue;
            }
            QStringList lines;
            for (int n = 1 + random.bounded(3); n > 0; --n) {
                lines << text(15);
            }
            row[c] = lines.join(u'\n');
        }
        rows << row;
    }
    return rows;
}

std::unique_ptr<TContactsSession> TImportScratch::database(const QList<QStringList>& rows) {
    const QString file = path(QStringLiteral("db%1.tbr").arg(++databases_));
    WriteDatabase(file, DBLayouts().back(), rows);
    lastDatabase = file;
    auto session = std::make_unique<TContactsSession>(RunningVersionText());
    if (!session->OpenFile(file)) {
        qFatal("database %s does not open", qPrintable(file));
    }
    return session;
}

QString TImportScratch::inputFile(const QByteArray& bytes, const QString& extension) {
    const QString file = path(QStringLiteral("in%1.%2").arg(++inputs_).arg(extension));
    WriteFile(file, bytes);
    return file;
}

}  // namespace fixtures
