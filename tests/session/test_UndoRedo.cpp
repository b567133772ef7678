// Undo and redo of every change the session makes, on real files: after an
// undo the file holds exactly the bytes it held before the step, after a
// redo the bytes it held after it, also for columns the program does not
// know and for records that go and come back in their physical place.

#include "exchange/u_BatchImport.h"
#include "exchange/u_CsvImporter.h"
#include "exchange/u_VCardExchange.h"
#include "session/QUIBLib_TLB.h"
#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"
#include "session/u_ContactsSession.h"
#include "support/u_OrvFileLib.h"
#include "support/u_ProductInfo.h"

#include <QFile>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace cs = ContactSchema;

namespace {

QStringList RecordFields(const TContactsSession& s, int record) {
    QStringList fields;
    for (int f = 0; f < cs::ColumnCount; ++f) {
        fields << s.FieldText(record, f);
    }
    return fields;
}

// What the session hands out of its engine: only members that read. Each
// editing member of the binding, called on it, fails to compile; the
// binding itself has them, so the checks can tell.
template <typename T>
concept CanStore = requires(T& q) {
    q.SetData(0, 0, QString());
};
template <typename T>
concept CanAddAndRemoveRows = requires(T& q) {
    q.NewRow(0);
    q.DeleteRow(0);
};
template <typename T>
concept CanMoveOrRefresh = requires(T& q) {
    q.MoveTo(0);
    q.RefreshData();
};
template <typename T>
concept CanOpenOrSave = requires(T& q) {
    q.SetDatabaseName(QString());
    q.Save();
    q.Open();
};
template <typename T>
concept CanSortOrSubscribe = requires(T& q) {
    q.Sort();
    q.OnSaveRow = nullptr;
};
using TSessionEngine = std::remove_reference_t<decltype(std::declval<TContactsSession&>().Quib1())>;
static_assert(std::is_const_v<TSessionEngine>);
static_assert(!CanStore<TSessionEngine> && !CanAddAndRemoveRows<TSessionEngine> &&
              !CanMoveOrRefresh<TSessionEngine> && !CanOpenOrSave<TSessionEngine> &&
              !CanSortOrSubscribe<TSessionEngine>);
static_assert(!CanStore<TQuibReader> && !CanAddAndRemoveRows<TQuibReader> &&
              !CanMoveOrRefresh<TQuibReader> && !CanOpenOrSave<TQuibReader> &&
              !CanSortOrSubscribe<TQuibReader>);
static_assert(CanStore<TQuib> && CanAddAndRemoveRows<TQuib> && CanMoveOrRefresh<TQuib> &&
              CanOpenOrSave<TQuib> && CanSortOrSubscribe<TQuib>);

// The program's columns and one it does not know, which must survive too.
QStringList DatabaseColumnNames() {
    return cs::ColumnNames() << QStringLiteral("X_Unknown");
}

// Five contacts, not in surname order, with Czech letters, line breaks and
// a value in the unknown column.
void WriteFive(const QString& path) {
    TQuib quib;
    quib.SetDatabaseName(path);
    quib.Create();
    WriteContactsHeaders(quib, product::MinDatabaseVersion, RunningVersionText(),
                         DatabaseColumnNames());
    const char* surnames[] = {"Novák", "Adámek", "Dvořáková", "Zeman", "Bláha"};
    for (int r = 0; r < 5; ++r) {
        quib.NewRow(r);
        quib.SetData(r, cs::SurName, QString::fromUtf8(surnames[r]));
        quib.SetData(r, cs::Home_Town, QStringLiteral("Město %1").arg(r));
        quib.SetData(r, cs::Notes, QStringLiteral("řádek 1\r\nřádek %1").arg(r));
        quib.SetData(r, 32, QStringLiteral("unknown %1").arg(r));
    }
    quib.Save();
}

// The cells of every record in the columns the file had at first.
QList<QStringList> FirstColumns(const TContactsSession& session) {
    QList<QStringList> rows;
    for (int r = 0; r < session.Quib1().RowsCount(); ++r) {
        QStringList row;
        for (int c = 0; c < cs::ColumnCount + 1; ++c) {
            row << session.Quib1().GetData(r, c);
        }
        rows << row;
    }
    return rows;
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Surnames(const TContactsSession& session) {
    QStringList names;
    for (int r = 0; r < session.Quib1().RowsCount(); ++r) {
        names << session.FieldText(r, cs::SurName);
    }
    return names;
}

using TChange = std::function<void(TContactsSession&, const QTemporaryDir&)>;

QString WriteInput(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QLatin1String(name));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
    return path;
}

}  // namespace

Q_DECLARE_METATYPE(TChange)

class TestUndoRedo : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TContactsSession> session_;
    QString path_;

    // The file once every save asked for is written.
    QByteArray file() {
        session_->FinishSaves();
        return Bytes(path_);
    }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        path_ = dir_->filePath(QStringLiteral("five.tbr"));
        WriteFive(path_);
        session_ = std::make_unique<TContactsSession>(RunningVersionText());
        QVERIFY(session_->OpenFile(path_));
        QVERIFY(!session_->UndoStepName());
    }

    void cleanup() {
        session_.reset();
        dir_.reset();
    }

    void eachChangeIsUndoneAndRedoneByteForByte_data() {
        QTest::addColumn<TChange>("change");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("count");
        const auto row = [](const char* name, TChange change, TStepKind kind, int count = 0) {
            QTest::newRow(name) << change << int(kind) << count;
        };
        row(
            "store a field",
            [](TContactsSession& s, const QTemporaryDir&) {
                QVERIFY(s.StoreField(2, cs::Home_Town, QStringLiteral("Žďár")));
            },
            TStepKind::EditField);
        row(
            "store a record",
            [](TContactsSession& s, const QTemporaryDir&) {
                s.MoveTo(3);
                QStringList fields(cs::ColumnCount);
                fields[cs::SurName] = QStringLiteral("Zemanová");
                fields[cs::Work_Company] = QStringLiteral("Firma, s.r.o.");
                QVERIFY(s.StoreRecord(fields));
            },
            TStepKind::SaveRecord);
        row(
            "append a record",
            [](TContactsSession& s, const QTemporaryDir&) { QCOMPARE(s.AppendRecord(), 5); },
            TStepKind::NewRecord);
        for (const auto& [name, record] :
             {std::pair{"delete the first record", 0}, std::pair{"delete a middle record", 2},
              std::pair{"delete the last record", 4}}) {
            const int at = record;
            row(
                name,
                [at](TContactsSession& s, const QTemporaryDir&) { QVERIFY(s.DeleteRecord(at)); },
                TStepKind::DeleteRecord);
        }
        row(
            "import CSV",
            [](TContactsSession& s, const QTemporaryDir& dir) {
                QByteArray csv;
                for (int i = 0; i < 300; ++i) {
                    csv += "Nový " + QByteArray::number(i) + ",Jan,\"a\r\nb\"\r\n";
                }
                TCsvImporter importer;
                const TRecordBatch batch = importer.Read(WriteInput(dir, "in.csv", csv), false,
                                                         {cs::SurName, cs::FirstName, cs::Notes});
                QCOMPARE(ImportBatch(s, batch), 300);
            },
            TStepKind::Import, 300);
        row(
            "import vCard",
            [](TContactsSession& s, const QTemporaryDir& dir) {
                const QByteArray vcf =
                    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Dvořák;Antonín\r\nTEL;TYPE=home:1\r\n"
                    "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nN:Smetana;Bedřich\r\n"
                    "END:VCARD\r\n";
                TVCardExchange exchange(s.Quib1(), s.Columns().lstDBColsIndexFromProgram);
                QCOMPARE(ImportBatch(s, exchange.ReadFile(WriteInput(dir, "in.vcf", vcf))), 2);
            },
            TStepKind::Import, 2);
        row(
            "import that updates records",
            [](TContactsSession& s, const QTemporaryDir&) {
                TRecordBatch batch;
                batch.AppendRow({QStringLiteral("Nová"), QStringLiteral("Eva")});
                QStringList updated = RecordFields(s, 1);
                updated[cs::Home_Tel] = QStringLiteral("+420 777 123 456\n222 333 444");
                QStringList other = RecordFields(s, 3);
                other[cs::Notes] = QStringLiteral("Poznámka: ještě");
                QCOMPARE(s.ImportRecords(batch, {}, {{1, updated}, {3, other}}), 1);
                QCOMPARE(s.FieldText(1, cs::Home_Tel), updated[cs::Home_Tel]);
            },
            TStepKind::Import, 3);
        row(
            "merge records",
            [](TContactsSession& s, const QTemporaryDir&) {
                QStringList merged = RecordFields(s, 2);
                merged[cs::Notes] = QStringLiteral("Sloučeno\nze tří");
                QVERIFY(s.MergeRecords(2, merged, {4, 0}));
                QCOMPARE(s.Quib1().RowsCount(), 3);
                // The kept record moved up by the one deleted before it.
                QCOMPARE(s.Quib1().RowIndex(), 1);
                QCOMPARE(s.FieldText(1, cs::Notes), merged[cs::Notes]);
            },
            TStepKind::Merge, 3);
        row(
            "sort",
            [](TContactsSession& s, const QTemporaryDir&) {
                s.Sort({{s.ColumnOfField(cs::SurName), true}});
                QCOMPARE(Surnames(s),
                         (QStringList{"Adámek", "Bláha", "Dvořáková", "Novák", "Zeman"}));
            },
            TStepKind::Sort);
    }

    void eachChangeIsUndoneAndRedoneByteForByte() {
        QFETCH(TChange, change);
        QFETCH(int, kind);
        QFETCH(int, count);
        const QByteArray before = file();
        const QStringList namesBefore = Surnames(*session_);
        change(*session_, *dir_);
        const QByteArray after = file();
        QVERIFY(after != before);
        QCOMPARE(session_->UndoStepName()->kind, TStepKind(kind));
        QCOMPARE(session_->UndoStepName()->count, count);

        QVERIFY(session_->Undo());
        QCOMPARE(file(), before);
        QCOMPARE(Surnames(*session_), namesBefore);
        QVERIFY(!session_->UndoStepName());
        QCOMPARE(session_->RedoStepName()->kind, TStepKind(kind));

        QVERIFY(session_->Redo());
        QCOMPARE(file(), after);
        QVERIFY(session_->Undo());
        QCOMPARE(file(), before);
        // The file read afresh is the database as it was.
        QVERIFY(session_->Reload());
        QCOMPARE(Surnames(*session_), namesBefore);
        QCOMPARE(session_->Quib1().GetData(4, 32), QStringLiteral("unknown 4"));
    }

    void identitiesAreGivenOnceAndChangesByThemAreOneStep() {
        QCOMPARE(session_->IdentityColumn(), kMissingColumn);
        QVERIFY(session_->EnsureIdentities());
        QVERIFY(!session_->EnsureIdentities());
        QVERIFY(!session_->UndoStepName());  // no text of the user changed
        QStringList identities;
        for (int r = 0; r < 5; ++r) {
            identities << session_->IdentityOf(r);
            QVERIFY(!identities.back().isEmpty());
        }
        QCOMPARE(QSet<QString>(identities.begin(), identities.end()).size(), 5);
        // The column is the program's own: opening the file names only the
        // column it does not know.
        QSignalSpy warnings(session_.get(), &TContactsSession::openWarning);
        QVERIFY(session_->OpenFile(path_));
        QCOMPARE(warnings.count(), 1);
        QVERIFY(warnings.at(0).at(0).toString().contains(QStringLiteral("X_Unknown")));
        QVERIFY(!warnings.at(0).at(0).toString().contains(QLatin1String(kIdentityColumn)));
        QCOMPARE(session_->IdentityOf(4), identities[4]);
        QCOMPARE(session_->Quib1().GetData(4, 32), QStringLiteral("unknown 4"));
        // A record made afterwards gets one of its own.
        const int made = session_->AppendRecord();
        QVERIFY(!session_->IdentityOf(made).isEmpty());
        QVERIFY(!identities.contains(session_->IdentityOf(made)));

        const QByteArray before = file();
        TIdentifiedChanges changes;
        QStringList fields(cs::ColumnCount);
        fields[cs::SurName] = QStringLiteral("Dvořáček");
        changes.changed << TIdentifiedRecord{identities[1], fields};
        changes.removed << identities[3] << QStringLiteral("nobody has this one");
        fields[cs::SurName] = QStringLiteral("Nový");
        changes.added << TIdentifiedRecord{QStringLiteral("card-1"), fields};
        session_->ApplyIdentified(changes);
        const QByteArray after = file();
        QCOMPARE(session_->UndoStepName()->kind, TStepKind::Sync);
        QCOMPARE(Surnames(*session_).size(), 6);
        QCOMPARE(session_->FieldText(1, cs::SurName), QStringLiteral("Dvořáček"));
        QCOMPARE(session_->IdentityOf(5), QStringLiteral("card-1"));

        QVERIFY(session_->Undo());
        QCOMPARE(file(), before);
        QCOMPARE(session_->IdentityOf(3), identities[3]);
        QVERIFY(session_->Redo());
        QCOMPARE(file(), after);
    }

    void stepsAreUndoneNewestFirst() {
        const QByteArray start = file();
        QVERIFY(session_->StoreField(0, cs::FirstName, QStringLiteral("Jan")));
        session_->Sort({{session_->ColumnOfField(cs::SurName), false}});
        QVERIFY(session_->DeleteRecord(1));
        const int added = session_->AppendRecord();
        QVERIFY(session_->StoreField(added, cs::SurName, QStringLiteral("Nový")));
        const QByteArray end = file();
        QCOMPARE(session_->UndoStack().UndoCount(), 5);
        for (int i = 0; i < 5; ++i) {
            QVERIFY(session_->Undo());
        }
        QVERIFY(!session_->Undo());
        QCOMPARE(file(), start);
        for (int i = 0; i < 5; ++i) {
            QVERIFY(session_->Redo());
        }
        QVERIFY(!session_->Redo());
        QCOMPARE(file(), end);
    }

    void aNewChangeForgetsWhatWasUndone() {
        QVERIFY(session_->DeleteRecord(0));
        QVERIFY(session_->Undo());
        QVERIFY(session_->RedoStepName());
        QVERIFY(session_->StoreField(0, cs::FirstName, QStringLiteral("x")));
        QVERIFY(!session_->RedoStepName());
        QCOMPARE(session_->UndoStack().UndoCount(), 1);
    }

    void storingWhatIsThereMakesNoStep() {
        const QByteArray before = file();
        QVERIFY(session_->StoreField(0, cs::SurName, QString::fromUtf8("Novák")));
        QVERIFY(!session_->UndoStepName());
        QCOMPARE(file(), before);
        // A field whose column the database lacks is refused.
        QVERIFY(!session_->StoreField(0, cs::ColumnCount, QStringLiteral("x")));
        QVERIFY(!session_->StoreField(5, cs::SurName, QStringLiteral("x")));
    }

    void cursorShowsWhatAnUndoBroughtBack() {
        session_->MoveTo(4);
        QVERIFY(session_->DeleteRecord(4));
        // Beyond the records, the cursor went to the new last one.
        QCOMPARE(session_->Quib1().RowIndex(), 3);
        QVERIFY(session_->Undo());
        QCOMPARE(session_->Quib1().RowIndex(), 4);
        QCOMPARE(session_->FieldText(cs::SurName), QString::fromUtf8("Bláha"));
        session_->MoveTo(0);
        QVERIFY(session_->StoreField(2, cs::FirstName, QStringLiteral("Eva")));
        QVERIFY(session_->Undo());
        QCOMPARE(session_->Quib1().RowIndex(), 2);
    }

    void changesAreAnnouncedBeforeTheCursor() {
        QStringList heard;
        connect(session_.get(), &TContactsSession::recordsChanged, this,
                [&](const TRecordChange& change) {
                    heard << QStringLiteral("changed %1 %2 %3")
                                 .arg(int(change.kind))
                                 .arg(change.first)
                                 .arg(change.count);
                });
        connect(session_.get(), &TContactsSession::afterMove, this,
                [&] { heard << QStringLiteral("moved %1").arg(session_->Quib1().RowIndex()); });
        connect(session_.get(), &TContactsSession::undoStackChanged, this,
                [&] { heard << QStringLiteral("stack"); });
        session_->MoveTo(4);
        heard.clear();
        QVERIFY(session_->DeleteRecord(4));
        QCOMPARE(heard, (QStringList{"changed 2 4 1", "moved 3", "stack"}));
        heard.clear();
        QVERIFY(session_->Undo());
        QCOMPARE(heard, (QStringList{"changed 1 4 1", "moved 4", "stack"}));
    }

    void theStackIsBounded() {
        session_->UndoStack().SetLimits(3, TUndoStack::kMaxBytes);
        for (int i = 0; i < 5; ++i) {
            QVERIFY(session_->StoreField(0, cs::FirstName, QStringLiteral("v%1").arg(i)));
        }
        QCOMPARE(session_->UndoStack().UndoCount(), 3);
        while (session_->Undo()) {
        }
        QCOMPARE(session_->FieldText(0, cs::FirstName), QStringLiteral("v1"));
        // By the bytes the steps keep: the step just made always stays.
        session_->UndoStack().SetLimits(100, 1);
        QVERIFY(session_->DeleteRecord(0));
        QCOMPARE(session_->UndoStack().UndoCount() + session_->UndoStack().RedoCount(), 1);
        QCOMPARE(session_->UndoStepName()->kind, TStepKind::DeleteRecord);
        QVERIFY(session_->Undo());
        QCOMPARE(session_->FieldText(0, cs::SurName), QString::fromUtf8("Novák"));
    }

    void theDefaultBoundsAreAHundredStepsOrSixtyFourMegabytes() {
        QCOMPARE(TUndoStack::kMaxSteps, 100);
        QCOMPARE(TUndoStack::kMaxBytes, qsizetype(64) * 1024 * 1024);
        for (int i = 0; i < 120; ++i) {
            QVERIFY(session_->StoreField(1, cs::Notes, QStringLiteral("note %1").arg(i)));
        }
        QCOMPARE(session_->UndoStack().UndoCount(), 100);
    }

    void openingADatabaseEmptiesTheStack() {
        QSignalSpy stack(session_.get(), &TContactsSession::undoStackChanged);
        QVERIFY(session_->DeleteRecord(0));
        QVERIFY(session_->Undo());
        QVERIFY(session_->OpenFile(path_));
        QVERIFY(!session_->UndoStepName());
        QVERIFY(!session_->RedoStepName());
        QCOMPARE(stack.count(), 3);
        QVERIFY(session_->DeleteRecord(0));
        session_->Create(dir_->filePath(QStringLiteral("new.tbr")));
        QVERIFY(!session_->UndoStepName());
    }

    void aCancelledImportLeavesNoStep() {
        const QByteArray before = file();
        TRecordBatch batch;
        for (int i = 0; i < 1000; ++i) {
            batch.AppendRow({QStringLiteral("Nový %1").arg(i)});
        }
        struct TStop {};
        try {
            session_->ImportRecords(batch, [](qint64 done, qint64) {
                if (done == 600) {
                    throw TStop();
                }
            });
            QFAIL("the import went on");
        } catch (const TStop&) {
        }
        QCOMPARE(session_->Quib1().RowsCount(), 5);
        QVERIFY(!session_->UndoStepName());
        QCOMPARE(file(), before);
    }

    void aMergeRefusesRecordsThatAreNotThere() {
        const QByteArray before = file();
        const QStringList fields(cs::ColumnCount);
        QVERIFY(!session_->MergeRecords(1, fields, {}));
        QVERIFY(!session_->MergeRecords(1, fields, {1}));
        QVERIFY(!session_->MergeRecords(1, fields, {5}));
        QVERIFY(!session_->MergeRecords(-1, fields, {0}));
        QVERIFY(!session_->UndoStepName());
        session_->FinishSaves();
        QCOMPARE(file(), before);
    }

    // A record brought with its identity keeps it, unless another has it;
    // in a Central European database and in a Unicode one, whose rows come
    // in as UTF-8.
    void importedIdentitiesAreKeptOnce_data() {
        QTest::addColumn<bool>("unicode");
        QTest::newRow("Central European") << false;
        QTest::newRow("Unicode") << true;
    }
    void importedIdentitiesAreKeptOnce() {
        QFETCH(bool, unicode);
        if (unicode) {
            session_->ConvertToUnicode();
            QVERIFY(session_->Quib1().IsUnicode());
        }
        const QList<QStringList> before = FirstColumns(*session_);
        TRecordBatch batch;
        QStringList card(cs::ColumnCount + 1);
        card[cs::SurName] = QStringLiteral("Dvořák");
        card[cs::ColumnCount] = QStringLiteral("card-1");
        batch.AppendRow(card);
        batch.AppendRow(card);
        card[cs::ColumnCount].clear();
        batch.AppendRow(card);
        QCOMPARE(session_->ImportRecords(batch), 3);
        QVERIFY(session_->IdentityColumn() >= 0);
        QCOMPARE(session_->IdentityOf(5), QStringLiteral("card-1"));
        QVERIFY(!session_->IdentityOf(6).isEmpty());
        QVERIFY(session_->IdentityOf(6) != QStringLiteral("card-1"));
        QVERIFY(!session_->IdentityOf(7).isEmpty());
        // The surname went into its field, not the identity into another.
        QCOMPARE(session_->FieldText(5, cs::SurName), QStringLiteral("Dvořák"));
        QCOMPARE(session_->Quib1().GetData(5, 32), QString());
        QVERIFY(session_->Undo());
        QCOMPARE(FirstColumns(*session_), before);
        QVERIFY(session_->Redo());
        QCOMPARE(session_->IdentityOf(5), QStringLiteral("card-1"));
        QCOMPARE(session_->FieldText(7, cs::SurName), QStringLiteral("Dvořák"));
    }

    void saveAsKeepsTheStackAndWritesTheNewFileOnly() {
        const QByteArray before = file();
        session_->MoveTo(1);
        QStringList fields;
        for (int i = 0; i < cs::ColumnCount; ++i) {
            fields << session_->FieldText(i);
        }
        fields[cs::FirstName] = QStringLiteral("Unsaved");
        const QString other = dir_->filePath(QStringLiteral("other.tbr"));
        session_->SaveAs(other, fields);
        QCOMPARE(Bytes(path_), before);
        QCOMPARE(session_->DatabaseName(), other);
        QCOMPARE(session_->FieldText(1, cs::FirstName), QStringLiteral("Unsaved"));
        QCOMPARE(session_->UndoStepName()->kind, TStepKind::SaveRecord);
        QVERIFY(session_->Undo());
        session_->FinishSaves();
        QCOMPARE(Bytes(other), before);
    }
};

QTEST_MAIN(TestUndoRedo)
#include "test_UndoRedo.moc"
