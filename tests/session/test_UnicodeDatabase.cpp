// Unicode and Central European databases on real files: new databases keep
// every letter; a Central European one opens and saves byte for byte as it
// was, never stores a "?" and is converted (with its backup) only when the
// user agrees.

#include "session/QUIBLib_TLB.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"
#include "session/u_ContactsSession.h"
#include "session/u_DBConverter.h"
#include "support/u_OrvFileLib.h"
#include "support/u_ProductInfo.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace cs = ContactSchema;
using quib::TextEncoding;

namespace {

QString LongText();

// Names no Central European database can hold, and some it can.
QStringList UnicodeNames() {
    return {
        QStringLiteral("Søren Kierkegaard"),
        QStringLiteral("Ærøskøbing"),
        QStringLiteral("Œuvre"),
        QStringLiteral("Ελένη Παπαδοπούλου"),
        QStringLiteral("Иван Петров"),
        QStringLiteral("王小明"),
        QStringLiteral("山田太郎"),
        QStringLiteral("👩‍💻 Emoji Test"),
        QStringLiteral("Dvořák Šťastný"),
        QStringLiteral("ends in four bytes 😀"),
        LongText(),
    };
}

// 65,536 bytes of UTF-8 of 2, 3 and 1 bytes a character, a 4-byte one at
// the end.
QString LongText() {
    const QString start = QString(16384, QChar(0x00E9)) + QString(8192, QChar(0x4E2D));
    return start + QString(65536 - 32768 - 24576 - 4, QLatin1Char('a')) + QStringLiteral("😀");
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QStringList> SampleRecords() {
    QList<QStringList> records;
    const char* surnames[] = {"Novák", "Dvořáková", "Šťastný", "Bláha", "Žižka"};
    for (int r = 0; r < 5; ++r) {
        QStringList fields(cs::ColumnCount);
        fields[cs::SurName] = QString::fromUtf8(surnames[r]);
        fields[cs::FirstName] = QStringLiteral("Jiří %1").arg(r);
        fields[cs::Notes] = QStringLiteral("řádek 1\r\nřádek %1").arg(r);
        records << fields;
    }
    return records;
}

std::unique_ptr<TQuib> Reopen(const QString& path) {
    auto quib = std::make_unique<TQuib>();
    quib->SetDatabaseName(path);
    return quib->Open() ? std::move(quib) : nullptr;
}

}  // namespace

class TestUnicodeDatabase : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TContactsSession> session_;
    QString path_;
    QStringList questions_;
    bool answer_ = false;

    QString path(const char* name) const { return dir_->filePath(QLatin1String(name)); }

    // A Central European database of the sample contacts, open in the session.
    void openCentralEuropean() {
        WriteContactsDatabase(path_, RunningVersionText(), SampleRecords(),
                              TextEncoding::Windows1250);
        QVERIFY(session_->OpenFile(path_));
        QVERIFY(!session_->Quib1().IsUnicode());
    }

    void askQuestions() {
        session_->SetUnicodeQuestion([this](const TUnstorableText& text) {
            questions_ << UnicodeConversionQuestion(text.character);
            return answer_;
        });
    }

    QByteArray file() {
        session_->FinishSaves();
        return Bytes(path_);
    }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        path_ = path("contacts.tbr");
        session_ = std::make_unique<TContactsSession>(RunningVersionText());
        questions_.clear();
        answer_ = false;
    }

    void cleanup() {
        session_.reset();
        dir_.reset();
    }

    void aNewDatabaseIsUnicodeAndNeedsTheFirstProgramThatReadsIt() {
        session_->Create(path_);
        QVERIFY(session_->Quib1().IsUnicode());
        session_->FinishSaves();
        const auto quib = Reopen(path_);
        QVERIFY(quib);
        QCOMPARE(quib->Encoding(), TextEncoding::Utf8);
        QCOMPARE(HeaderValue(*quib, QStringLiteral("ProgramMinVersion")), QStringLiteral("2.8.0"));
        QCOMPARE(HeaderValue(*quib, QStringLiteral("ProgramAktVersion")), RunningVersionText());
        QCOMPARE(RunningVersionText(), QStringLiteral("2.8.0.0"));
        // The old kind when asked for.
        session_->Create(path("old.tbr"), TextEncoding::Windows1250);
        QVERIFY(!session_->Quib1().IsUnicode());
        QCOMPARE(HeaderValue(session_->Quib1(), QStringLiteral("ProgramMinVersion")),
                 product::MinDatabaseVersion);
        // The sample and other new files are Unicode too.
        WriteContactsDatabase(path("sample.tbr"), RunningVersionText(), SampleRecords());
        QCOMPARE(Reopen(path("sample.tbr"))->Encoding(), TextEncoding::Utf8);
    }

    void everyNameComesBackFromAUnicodeFile() {
        session_->Create(path_);
        const QStringList names = UnicodeNames();
        // The card, a cell and an import.
        QStringList card(cs::ColumnCount);
        card[cs::SurName] = names[0];
        card[cs::Notes] = names.join(u'\n');
        QVERIFY(session_->StoreRecord(card));
        QVERIFY(session_->StoreField(0, cs::FirstName, names[3]));
        TRecordBatch batch;
        for (const QString& name : names) {
            QStringList fields(cs::ColumnCount);
            fields[cs::SurName] = name;
            batch.AppendRow(fields);
        }
        QCOMPARE(session_->ImportRecords(batch), names.size());
        QVERIFY(questions_.isEmpty());
        session_->FinishSaves();
        const auto quib = Reopen(path_);
        QVERIFY(quib);
        QCOMPARE(quib->GetData(0, cs::SurName), names[0]);
        QCOMPARE(quib->GetData(0, cs::FirstName), names[3]);
        QCOMPARE(quib->GetData(0, cs::Notes), names.join(u'\n'));
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(quib->GetData(i + 1, cs::SurName), names[i]);
        }
        QCOMPARE(names.back().toUtf8().size(), 65536);
    }

    // Packed rows (undo steps, imports) keep every text as QString::toUtf8
    // writes it, a lone surrogate as "?", and rows appended from other
    // packed rows stay whole.
    void packedRowsKeepEveryText() {
        QStringList texts = UnicodeNames();
        const QChar high(u'\xD83D');
        const QChar low(u'\xDE00');
        texts << QString() << QString(high) << (QString(low) + QLatin1Char('a'))
              << (QLatin1Char('b') + QString(high)) << QString(200, QChar(u'\x4E2D'));
        TPackedRows rows;
        rows.AppendRow(texts);
        rows.AppendRow({QString(), QStringLiteral("second")});
        TPackedRows more;
        more.AppendRow({QStringLiteral("third")});
        rows.AppendRows(more);
        QCOMPARE(rows.RowCount(), 3);
        const QStringList back = rows.Row(0, static_cast<int>(texts.size()));
        for (qsizetype i = 0; i < texts.size(); ++i) {
            QCOMPARE(back[i], QString::fromUtf8(texts[i].toUtf8()));
        }
        QCOMPARE(rows.Row(1, 2), (QStringList{QString(), QStringLiteral("second")}));
        QCOMPARE(rows.Row(2, 1), QStringList{QStringLiteral("third")});
        QByteArray viewed;
        rows.ForEachUtf8(0, [&viewed](int index, std::string_view text) {
            viewed +=
                QByteArray::number(index) + ':' + QByteArray(text.data(), qsizetype(text.size()));
        });
        QByteArray expected;
        for (qsizetype i = 0; i < texts.size(); ++i) {
            if (!texts[i].isEmpty()) {
                expected += QByteArray::number(i) + ':' + texts[i].toUtf8();
            }
        }
        QCOMPARE(viewed, expected);
    }

    void aCentralEuropeanFileSavedUnchangedKeepsItsBytes() {
        openCentralEuropean();
        const QByteArray before = Bytes(path_);
        session_->Save();
        QCOMPARE(file(), before);
        // The card saved as it stands.
        QStringList card;
        for (int i = 0; i < cs::ColumnCount; ++i) {
            card << session_->FieldText(i);
        }
        QVERIFY(session_->StoreRecord(card));
        QCOMPARE(file(), before);
        // Sorted and sorted back.
        session_->Sort({{cs::SurName, true}});
        QVERIFY(file() != before);
        QVERIFY(session_->Undo());
        QCOMPARE(file(), before);
    }

    void czechLettersKeepTheFileCentralEuropean() {
        openCentralEuropean();
        const QByteArray before = Bytes(path_);
        QVERIFY(session_->StoreField(1, cs::Home_Town, QStringLiteral("Čeřovice nad Úhlavou")));
        QVERIFY(questions_.isEmpty());
        const QByteArray after = file();
        auto quib = Reopen(path_);
        QCOMPARE(quib->Encoding(), TextEncoding::Windows1250);
        // Only the edited cell differs.
        const QList<QStringList> records = SampleRecords();
        for (int r = 0; r < records.size(); ++r) {
            for (int c = 0; c < cs::ColumnCount; ++c) {
                const QString expected = r == 1 && c == cs::Home_Town
                                             ? QStringLiteral("Čeřovice nad Úhlavou")
                                             : records[r][c];
                QCOMPARE(quib->GetData(r, c), expected);
            }
        }
        QVERIFY(after != before);
        QVERIFY(session_->Undo());
        QCOMPARE(file(), before);
    }

    void aLetterTheFileCannotHoldIsAskedAbout_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("character");
        const QStringList names = UnicodeNames();
        const QStringList firsts = {"ø", "Æ", "Œ", "Ε", "И", "王", "山", "👩", "", "😀", "中"};
        for (int i = 0; i < names.size(); ++i) {
            if (!firsts[i].isEmpty()) {
                QTest::newRow(qPrintable(names[i].left(12))) << names[i] << firsts[i];
            }
        }
    }

    void aLetterTheFileCannotHoldIsAskedAbout() {
        QFETCH(QString, text);
        QFETCH(QString, character);
        openCentralEuropean();
        askQuestions();
        const QByteArray before = Bytes(path_);
        // No: nothing stored, the file as it was, a message naming both.
        try {
            session_->StoreField(0, cs::FirstName, text);
            QFAIL("stored");
        } catch (const ETextNotStored& e) {
            QCOMPARE(e.text().character, character);
            QVERIFY(e.message().contains(QStringLiteral("\"%1\"").arg(character)));
            QVERIFY(e.message().contains(session_->Columns().lstDBColsTitleFull[cs::FirstName]));
        }
        QCOMPARE(questions_,
                 QStringList{QStringLiteral(
                                 "This database stores only Central European letters, so \"%1\" "
                                 "cannot be saved. Convert the database to Unicode? (Versions of "
                                 "the program before 2.8 cannot open it afterwards.)")
                                 .arg(character)});
        QCOMPARE(session_->FieldText(0, cs::FirstName), QStringLiteral("Jiří 0"));
        QVERIFY(!session_->UndoStepName());
        QCOMPARE(file(), before);
        QVERIFY(!QFile::exists(TDBConverter::BackupFileName(path_)));
        // Yes: converted with a backup, then stored.
        answer_ = true;
        QVERIFY(session_->StoreField(0, cs::FirstName, text));
        QCOMPARE(questions_.size(), 2);
        QVERIFY(session_->Quib1().IsUnicode());
        QCOMPARE(Bytes(TDBConverter::BackupFileName(path_)), before);
        session_->FinishSaves();
        auto quib = Reopen(path_);
        QCOMPARE(quib->Encoding(), TextEncoding::Utf8);
        QCOMPARE(quib->GetData(0, cs::FirstName), text);
        QCOMPARE(quib->GetData(1, cs::SurName), QStringLiteral("Dvořáková"));
        QCOMPARE(HeaderValue(*quib, QStringLiteral("ProgramMinVersion")), QStringLiteral("2.8.0"));
        // Undone, the text goes; the file stays Unicode.
        QVERIFY(session_->Undo());
        QCOMPARE(session_->FieldText(0, cs::FirstName), QStringLiteral("Jiří 0"));
        QVERIFY(session_->Quib1().IsUnicode());
    }

    void theCardAndAnImportStoreNothingUnasked() {
        openCentralEuropean();
        const QByteArray before = Bytes(path_);
        QStringList card(cs::ColumnCount);
        card[cs::SurName] = QStringLiteral("Søren");
        QVERIFY_THROWS_EXCEPTION(ETextNotStored, session_->StoreRecord(card));
        TRecordBatch batch;
        for (const QString& name :
             {QStringLiteral("Novák"), QStringLiteral("Иван"), QStringLiteral("Dvořák")}) {
            QStringList fields(cs::ColumnCount);
            fields[cs::Work_Company] = name;
            batch.AppendRow(fields);
        }
        try {
            session_->ImportRecords(batch);
            QFAIL("imported");
        } catch (const ETextNotStored& e) {
            QCOMPARE(e.text().character, QStringLiteral("И"));
            QCOMPARE(e.text().field, session_->Columns().lstDBColsTitleFull[cs::Work_Company]);
        }
        QCOMPARE(session_->Quib1().RowsCount(), 5);
        QCOMPARE(file(), before);
        QVERIFY(!session_->Quib1().IsUnicode());
    }

    void aUnicodeFileIsRefusedByAnOlderProgram() {
        WriteContactsDatabase(path_, RunningVersionText(), SampleRecords());
        TContactsSession older(QStringLiteral("2.7.1.0"));
        QSignalSpy refused(&older, &TContactsSession::openRefused);
        QVERIFY(!older.OpenFile(path_));
        QCOMPARE(refused.size(), 1);
        QVERIFY(refused.front().front().toString().contains(QStringLiteral("2.8.0")));
        // The engine of the older program would refuse the file version too:
        // the required version of the file is 0.2.
        QVERIFY(Bytes(path_).contains(QByteArray("0.2")));
    }

    void theConverterChoosesTheStoredText() {
        WriteContactsDatabase(path_, RunningVersionText(), SampleRecords(),
                              TextEncoding::Windows1250);
        TDBConverter converter(RunningVersionText());
        QCOMPARE(converter.TextEncoding(), TextEncoding::Utf8);
        const QString unicode = path("unicode.tbr");
        QCOMPARE(converter.Convert(path_, unicode, DBLayouts().back(), {}),
                 TDBConverter::Result::Written);
        auto quib = Reopen(unicode);
        QCOMPARE(quib->Encoding(), TextEncoding::Utf8);
        QCOMPARE(quib->GetData(1, cs::SurName), QStringLiteral("Dvořáková"));
        QCOMPARE(HeaderValue(*quib, QStringLiteral("ProgramMinVersion")), QStringLiteral("2.8.0"));
        // Back to Central European while every text has a form there.
        converter.SetTextEncoding(TextEncoding::Windows1250);
        const QString back = path("back.tbr");
        QCOMPARE(converter.Convert(unicode, back, DBLayouts().back(), {}),
                 TDBConverter::Result::Written);
        QCOMPARE(Reopen(back)->Encoding(), TextEncoding::Windows1250);
        QCOMPARE(Reopen(back)->GetData(4, cs::SurName), QStringLiteral("Žižka"));
        // A Greek name refuses it, naming the contact and the field.
        quib->SetData(2, cs::Home_Town, QStringLiteral("Αθήνα"));
        QVERIFY(quib->Save());
        quib.reset();
        const QString refused = path("refused.tbr");
        try {
            converter.Convert(unicode, refused, DBLayouts().back(), {});
            QFAIL("converted");
        } catch (const EExchangeError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("Contact 3 (Jiří 2 Šťastný)")),
                     qPrintable(e.message()));
            QVERIFY(e.message().contains(QStringLiteral("\"Α\"")));
            QVERIFY(e.message().contains(QStringLiteral("Home_Town")));
        }
        QVERIFY(!QFile::exists(refused));
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
    }

    void bothKindsSortTheSameWay() {
        // 1,000 Czech contacts, stored both ways, sorted by surname.
        QList<QStringList> records;
        const QStringList stems = {"Čapek", "Cibulka", "Chalupa", "Hora",    "Řezník", "Rada",
                                   "Šimek", "Sýkora",  "Žák",     "Zeman",   "Ďurica", "Dušek",
                                   "Ábel",  "Adam",    "ňadro",   "Nováková"};
        for (int i = 0; i < 1000; ++i) {
            QStringList fields(cs::ColumnCount);
            fields[cs::SurName] = stems[(i * 7) % stems.size()] + QString::number(i % 13);
            fields[cs::FirstName] = QString::number(i);
            records << fields;
        }
        QStringList orders[2];
        const TextEncoding kinds[] = {TextEncoding::Windows1250, TextEncoding::Utf8};
        for (int k = 0; k < 2; ++k) {
            const QString file = path(k == 0 ? "cp1250.tbr" : "utf8.tbr");
            WriteContactsDatabase(file, RunningVersionText(), records, kinds[k]);
            TContactsSession session(RunningVersionText());
            QVERIFY(session.OpenFile(file));
            QCOMPARE(session.Quib1().Encoding(), kinds[k]);
            session.Sort({{cs::SurName, true}, {cs::FirstName, true}});
            for (int r = 0; r < session.Quib1().RowsCount(); ++r) {
                orders[k] << session.FieldText(r, cs::FirstName);
            }
        }
        QCOMPARE(orders[1], orders[0]);
        QCOMPARE(orders[0].size(), 1000);
    }
};

QTEST_MAIN(TestUnicodeDatabase)
#include "test_UnicodeDatabase.moc"
