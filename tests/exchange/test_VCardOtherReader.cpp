// Every exported card is read by another vCard reader, Python's vobject, and
// its names, phones and addresses are what the program wrote.
#include "ExchangeFixtures.h"

#include "app/u_SampleDatabase.h"
#include "session/u_ContactSchema.h"
#include "exchange/u_VCardExchange.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace fixtures;

namespace {

QJsonArray strings(const QStringList& list) {
    return QJsonArray::fromStringList(list);
}

// What the cards of contacts say about names, phones and addresses.
QJsonArray expectedFacts(const QList<QStringList>& contacts) {
    QJsonArray cards;
    for (const QStringList& c : contacts) {
        QJsonArray tels;
        const QList<std::pair<int, QString>> phones{
            {8, "home,voice"}, {9, "home,fax"}, {25, "work,voice"}, {26, "work,fax"}};
        for (const auto& [field, types] : phones) {
            for (const QString& line : c[field].split(u'\n', Qt::SkipEmptyParts)) {
                tels.append(strings({types, line}));
            }
        }
        QJsonArray adrs;
        for (const auto& [street, types] : {std::pair{3, "home"}, std::pair{18, "work"}}) {
            const QStringList parts = c.mid(street, 5);
            if (!parts.join(QString()).isEmpty()) {
                adrs.append(strings({types, parts[0], parts[1], parts[2], parts[3], parts[4]}));
            }
        }
        const QString fn = c[0].isEmpty() && c[1].isEmpty()   ? c[15]
                           : c[0].isEmpty() || c[1].isEmpty() ? c[1] + c[0]
                                                              : c[1] + u' ' + c[0];
        cards.append(QJsonObject{
            {"family", c[0]}, {"given", c[1]}, {"fn", fn}, {"tel", tels}, {"adr", adrs}});
    }
    return cards;
}

}  // namespace

class TestVCardOtherReader : public QObject {
    Q_OBJECT

  private slots:
    void vobjectReadsEveryCard_data() {
        QTest::addColumn<int>("version");
        QTest::newRow("4.0") << int(TVCardVersion::V4_0);
        QTest::newRow("3.0") << int(TVCardVersion::V3_0);
    }
    void vobjectReadsEveryCard() {
        QFETCH(int, version);
        QTemporaryDir dir;
        const QString sample = dir.filePath(QStringLiteral("sample.tbr"));
        MakeSampleDatabase(sample);
        QList<QStringList> contacts = ReadRows(*OpenDatabase(sample));
        contacts += SampleContacts();
        contacts += GeneratedContacts(300);
        const QString db = dir.filePath(QStringLiteral("all.tbr"));
        WriteDatabase(db, DBLayouts().back(), contacts);
        auto quib = OpenDatabase(db);
        const QString vcf = dir.filePath(QStringLiteral("contacts.vcf"));
        TVCardExchange(*quib, IdentityColumnMap()).ExportToFile(vcf, static_cast<TVCardVersion>(version));
        const QString json = dir.filePath(QStringLiteral("expected.json"));
        WriteFile(json, QJsonDocument(expectedFacts(contacts)).toJson());

        QProcess python;
        python.setProcessChannelMode(QProcess::MergedChannels);
        python.start(QStringLiteral(VCARD_PYTHON),
                     {QStringLiteral(VCARD_VOBJECT_CHECK), vcf, json});
        QVERIFY(python.waitForFinished(120'000));
        const QString output = QString::fromUtf8(python.readAll());
        qInfo("%s", qPrintable(output.trimmed()));
        QVERIFY2(python.exitCode() == 0, qPrintable(output));
        QVERIFY(output.contains(QStringLiteral("%1 cards parsed").arg(contacts.size())));
    }
};

QTEST_MAIN(TestVCardOtherReader)
#include "test_VCardOtherReader.moc"
