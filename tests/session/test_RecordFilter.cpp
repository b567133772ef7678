// Find as you type: which records the filter shows, with letter case and
// accents folded, how the moves and the command states follow them, and how
// the records shown follow the changes of the database.

#include "session/u_ContactSchema.h"
#include "session/u_ContactsDB.h"
#include "session/u_ContactsSession.h"
#include "session/u_QuibReader.h"
#include "session/u_RecordFilter.h"
#include "support/u_OrvFileLib.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace cs = ContactSchema;

namespace {

struct TPerson {
    const char* surname;
    const char* firstName;
    const char* city;
    const char* email;
};

// Record numbers 0..5, in this order.
constexpr TPerson kPeople[] = {
    {"Dvořák", "Antonín", "Praha", ""},
    {"Černý", "Jan", "Brno", ""},
    {"Novák", "Jan", "Ústí nad Labem", "jan.novak@example.cz"},
    {"Smith", "John", "London", "john@example.com"},
    // A decomposed "ë": e and a combining diaeresis.
    {"Zoe\xCC\x88", "Anna", "Plzeň", ""},
    {"ŁUKASZ", "Wiśniewski", "Łódź", ""},
};

QList<QStringList> People() {
    QList<QStringList> records;
    for (const TPerson& p : kPeople) {
        QStringList fields(cs::ColumnCount);
        fields[cs::SurName] = QString::fromUtf8(p.surname);
        fields[cs::FirstName] = QString::fromUtf8(p.firstName);
        fields[cs::Home_City] = QString::fromUtf8(p.city);
        fields[cs::Home_Email] = QString::fromUtf8(p.email);
        records << fields;
    }
    return records;
}

QList<int> Shown(const TContactsSession& session) {
    const QVector<int> shown = session.ShownRecords();
    return {shown.begin(), shown.end()};
}

}  // namespace

class TestRecordFilter : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        path_ = dir_->filePath(QStringLiteral("people.tbr"));
        WriteContactsDatabase(path_, RunningVersionText(), People());
        session_ = std::make_unique<TContactsSession>(RunningVersionText());
        QVERIFY(session_->OpenFile(path_));
    }
    void cleanup() {
        session_->FinishSaves();
        session_.reset();
        dir_.reset();
    }

    void showsTheRecordsHoldingEveryWord_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("accents folded") << "dvorak" << QList<int>{0};
        QTest::newRow("upper case with accents") << "DVOŘÁK" << QList<int>{0};
        QTest::newRow("a háček folded") << "cerny" << QList<int>{1};
        QTest::newRow("in any field") << "jan" << QList<int>{1, 2};
        QTest::newRow("every word, any order") << "novak jan" << QList<int>{2};
        QTest::newRow("words in different fields") << "jan brno" << QList<int>{1};
        QTest::newRow("spaces around") << "  smith  " << QList<int>{3};
        QTest::newRow("a decomposed letter") << "zoe" << QList<int>{4};
        QTest::newRow("a composed letter finds a decomposed one") << "zoë" << QList<int>{4};
        QTest::newRow("letters without a decomposition") << "lodz lukasz" << QList<int>{5};
        QTest::newRow("part of an address") << "example.c" << QList<int>{2, 3};
        QTest::newRow("nothing") << "xyz" << QList<int>{};
        QTest::newRow("no word across two fields") << "dvorakantonin" << QList<int>{};
    }
    void showsTheRecordsHoldingEveryWord() {
        QFETCH(QString, text);
        QFETCH(QList<int>, shown);
        QSignalSpy changed(session_.get(), &TContactsSession::filterChanged);
        session_->SetFilterText(text);
        QVERIFY(session_->IsFiltered());
        QCOMPARE(Shown(*session_), shown);
        QCOMPARE(changed.count(), 1);
        const TSessionState state = session_->State();
        QCOMPARE(state.rows, 6);
        QCOMPARE(state.shownRows, shown.size());
        // The cursor is on the first record shown, when there is one.
        if (!shown.isEmpty()) {
            QCOMPARE(session_->Quib1().RowIndex(), shown.front());
            QCOMPARE(state.shownIndex, 0);
        } else {
            QCOMPARE(state.shownIndex, -1);
        }
    }

    void blankTextShowsEveryRecord() {
        session_->SetFilterText(QStringLiteral("jan"));
        QSignalSpy changed(session_.get(), &TContactsSession::filterChanged);
        session_->SetFilterText(QStringLiteral("   "));
        QVERIFY(!session_->IsFiltered());
        QCOMPARE(Shown(*session_), (QList<int>{0, 1, 2, 3, 4, 5}));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(session_->State().shownRows, 6);
    }

    void movesGoAmongTheShownRecords() {
        session_->SetFilterText(QStringLiteral("example"));  // records 2 and 3
        QCOMPARE(session_->Quib1().RowIndex(), 2);
        QVERIFY(!session_->MovePrevious());
        QVERIFY(session_->MoveNext());
        QCOMPARE(session_->Quib1().RowIndex(), 3);
        QCOMPARE(session_->State().shownIndex, 1);
        QVERIFY(!session_->MoveNext());
        QVERIFY(session_->MoveFirst());
        QCOMPARE(session_->Quib1().RowIndex(), 2);
        QVERIFY(session_->MoveLast());
        QCOMPARE(session_->Quib1().RowIndex(), 3);
    }

    void theCurrentRecordStaysWhenShown() {
        QVERIFY(session_->MoveTo(2));
        session_->SetFilterText(QStringLiteral("jan"));
        QCOMPARE(session_->Quib1().RowIndex(), 2);
    }

    void deletingAShownRecordGoesToTheNextShown() {
        session_->SetFilterText(QStringLiteral("an"));  // Antonín, Jan, Jan, Anna
        QCOMPARE(Shown(*session_), (QList<int>{0, 1, 2, 4}));
        QVERIFY(session_->MoveTo(2));
        QVERIFY(session_->DeleteRecord(2));
        // Smith moved up to record 2 and is not shown: the cursor skips him.
        QCOMPARE(Shown(*session_), (QList<int>{0, 1, 3}));
        QCOMPARE(session_->Quib1().RowIndex(), 3);
        QCOMPARE(session_->FieldText(cs::SurName), QString::fromUtf8("Zoe\xCC\x88"));
        // Undo brings the record back, shown.
        QVERIFY(session_->Undo());
        QCOMPARE(Shown(*session_), (QList<int>{0, 1, 2, 4}));
        // The last shown record deleted: the cursor goes to the one before.
        QVERIFY(session_->MoveTo(4));
        QVERIFY(session_->DeleteRecord(4));
        QCOMPARE(session_->Quib1().RowIndex(), 2);
    }

    void changedAndNewRecordsStayShown() {
        session_->SetFilterText(QStringLiteral("jan"));
        QVERIFY(session_->StoreField(1, cs::FirstName, QStringLiteral("Petr")));
        const int added = session_->AppendRecord();
        QCOMPARE(Shown(*session_), (QList<int>{1, 2, added}));
        // A new text asks every record again.
        session_->SetFilterText(QStringLiteral("jan "));
        QCOMPARE(Shown(*session_), (QList<int>{2}));
    }

    void typingOnFindsWhatAChangeMadeMatch() {
        session_->SetFilterText(QStringLiteral("lo"));  // London, Łódź
        QCOMPARE(Shown(*session_), (QList<int>{3, 5}));
        QVERIFY(session_->StoreField(0, cs::Home_City, QStringLiteral("Londýn")));
        // "lon" narrows "lo", but record 0 changed meanwhile.
        session_->SetFilterText(QStringLiteral("lon"));
        QCOMPARE(Shown(*session_), (QList<int>{0, 3}));
        session_->SetFilterText(QStringLiteral("lond"));
        QCOMPARE(Shown(*session_), (QList<int>{0, 3}));
        session_->SetFilterText(QStringLiteral("londy"));
        QCOMPARE(Shown(*session_), (QList<int>{0}));
    }

    void theShownRecordsFollowASort() {
        session_->SetFilterText(QStringLiteral("jan"));
        const int surname = session_->ColumnOfField(cs::SurName);
        session_->Sort({TSortKey{surname, true}});
        // Černý, Dvořák, ŁUKASZ, Novák, Smith, Zoë: the shown ones move along.
        QList<QString> names;
        for (const int record : session_->ShownRecords()) {
            names << session_->FieldText(record, cs::SurName);
        }
        QCOMPARE(names, (QList<QString>{QString::fromUtf8("Černý"), QString::fromUtf8("Novák")}));
    }

    void openingAgainSetsTheFilterOff() {
        session_->SetFilterText(QStringLiteral("jan"));
        QSignalSpy changed(session_.get(), &TContactsSession::filterChanged);
        QVERIFY(session_->Reload());
        QVERIFY(!session_->IsFiltered());
        QCOMPARE(session_->FilterText(), QString());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(session_->ShownRecords().size(), 6);
    }

    void foldsUtf8AsTheRecordsAre_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("folded");
        QTest::newRow("ascii") << QByteArray("AbC 1") << QByteArray("abc 1");
        QTest::newRow("czech") << QByteArray("ŽLUŤOUČKÝ kůň") << QByteArray("zlutoucky kun");
        QTest::newRow("combining mark dropped") << QByteArray("e\xCC\x81") << QByteArray("e");
        QTest::newRow("beyond the plane kept")
            << QByteArray("a\xF0\x9F\x98\x80") << QByteArray("a\xF0\x9F\x98\x80");
        QTest::newRow("broken bytes kept") << QByteArray("A\xC3") << QByteArray("a\xC3");
    }
    void foldsUtf8AsTheRecordsAre() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, folded);
        std::string out;
        TRecordFilter::AppendFolded(std::string_view(text.constData(), std::size_t(text.size())),
                                    out);
        QCOMPARE(QByteArray::fromStdString(out), folded);
    }

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString path_;
    std::unique_ptr<TContactsSession> session_;
};

QTEST_GUILESS_MAIN(TestRecordFilter)
#include "test_RecordFilter.moc"
