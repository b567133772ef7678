// Replays the vCard fuzzing corpus (seeds and any inputs kept from earlier
// runs): every file is read or refused with the reader's own error.
#include "exchange/u_VCardReader.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestVCardCorpus : public QObject {
    Q_OBJECT

  private slots:
    void everyFileIsReadOrRefused() {
        const QDir corpus(QStringLiteral(VCARD_CORPUS));
        const QStringList files = corpus.entryList(QDir::Files);
        QVERIFY(!files.isEmpty());
        int read = 0;
        for (const QString& name : files) {
            QFile file(corpus.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            try {
                TVCardReader::Read(file.readAll(),
                                   [](const QStringList& cells) { QCOMPARE(cells.size(), 32); });
                ++read;
            } catch (const EVCardError& e) {
                QVERIFY(e.line() >= 1);
            }
        }
        qInfo("%lld files, %d read as cards", static_cast<long long>(files.size()), read);
    }
};

QTEST_MAIN(TestVCardCorpus)
#include "test_VCardCorpus.moc"
