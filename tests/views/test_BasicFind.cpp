#include "GridFixture.h"

#include "session/u_ContactSchema.h"
#include "support/u_BusyCursor.h"
#include "views/u_BasicFind.h"

#include <QApplication>
#include <QCursor>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <string>
#include <vector>

using BasicFind::Direction;
using BasicFind::Hit;
using gridfixture::Record;
namespace cs = ContactSchema;

Q_DECLARE_METATYPE(BasicFind::Direction)

namespace {

// Three records, each a list of 32 program fields.
QList<QStringList> Records() {
    return {
        Record({{cs::SurName, QString::fromUtf8("Novák")},
                {cs::FirstName, "Jan"},
                {cs::Home_Town, "Praha"},
                {cs::Work_Misc, "misc zero"},
                {cs::Notes, "note zero"}}),
        Record({{cs::SurName, QString::fromUtf8("DVOŘÁK")},
                {cs::FirstName, "Petr"},
                {cs::Home_Hobby, "chess"},
                {cs::Notes, "first line\r\nsecond line with kočka"}}),
        Record({{cs::SurName, QString::fromUtf8("Černá")},
                {cs::FirstName, "Eva"},
                {cs::Work_Tel, "+420 111"},
                {cs::Notes, "last note"}}),
    };
}

// The records as the database keeps them, UTF-8, read by view.
struct Utf8Records {
    std::vector<std::vector<std::string>> cells;
    explicit Utf8Records(const QList<QStringList>& records) {
        for (const QStringList& record : records) {
            cells.emplace_back();
            for (const QString& field : record)
                cells.back().push_back(field.toStdString());
        }
    }
    BasicFind::CellView view() const {
        return [this](int r, int i) { return std::string_view(cells[r][i]); };
    }
};

// Both ways of reading the cells give the same hit.
std::optional<Hit> FindBothWays(const QList<QStringList>& records, BasicFind::Position start,
                                const BasicFind::Request& request) {
    const auto cell = [&records](int r, int i) { return records[r][i]; };
    const int count = static_cast<int>(records.size());
    const std::optional<Hit> hit = BasicFind::Find(cell, count, start, request);
    const Utf8Records utf8(records);
    const std::optional<Hit> viewed = BasicFind::Find(utf8.view(), count, start, request);
    if (hit.has_value() != viewed.has_value() ||
        (hit && (hit->record != viewed->record || hit->field != viewed->field ||
                 hit->position != viewed->position || hit->length != viewed->length))) {
        qWarning("the UTF-8 cells give another hit");
        return Hit{-2, -2, -2, -2};
    }
    return hit;
}

}  // namespace

class TestBasicFind : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanupTestCase();
    void search_data();
    void search();
    void foldedSpans_data();
    void foldedSpans();
    void defaultStarts();
    void noRecordsFindsNothing();
    void busyCursorOnlyWhenTheSearchRunsLong();
    void throughTheEngineAndItsColumnMap();

  private:
    QList<QStringList> records_ = Records();
    QLocale savedLocale_;
};

void TestBasicFind::initTestCase() {
    // Lower-casing follows the user's language; Czech has letters outside
    // ASCII that must fold as well.
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
}

void TestBasicFind::cleanupTestCase() {
    QLocale::setDefault(savedLocale_);
}

void TestBasicFind::search_data() {
    QTest::addColumn<int>("startRecord");
    QTest::addColumn<int>("startField");
    QTest::addColumn<Direction>("direction");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("record");  // -1: not found
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("position");

    const auto down = Direction::Down;
    const auto up = Direction::Up;
    // Focus outside the fields: down starts after Surname, so Firstname is
    // the first field examined; "a" in Surname is skipped.
    QTest::newRow("down default skips Surname") << 0 << 0 << down << false << "a" << 0 << 1 << 1;
    QTest::newRow("down default finds Firstname")
        << 0 << 0 << down << false << "Jan" << 0 << 1 << 0;
    QTest::newRow("up default skips Notes") << 0 << 31 << up << false << "zero" << 0 << 30 << 5;
    QTest::newRow("starting field never examined")
        << 0 << 4 << down << false << "Praha" << -1 << 0 << 0;
    QTest::newRow("next record from its first field")
        << 0 << 4 << down << false << "DVO" << 1 << 0 << 0;
    QTest::newRow("previous record from its last field")
        << 1 << 0 << up << false << "note" << 0 << 31 << 0;
    QTest::newRow("up within the starting record")
        << 1 << 31 << up << false << "ess" << 1 << 13 << 2;
    QTest::newRow("no wrap past the last record")
        << 2 << 31 << down << false << "Novák" << -1 << 0 << 0;
    QTest::newRow("no wrap past the first record")
        << 0 << 1 << up << false << "Eva" << -1 << 0 << 0;
    QTest::newRow("match case off folds upper case")
        << 0 << 31 << down << false << QString::fromUtf8("dvořák") << 1 << 0 << 0;
    QTest::newRow("match case on keeps them apart")
        << 0 << 31 << down << true << QString::fromUtf8("dvořák") << -1 << 0 << 0;
    QTest::newRow("match case on finds the same case")
        << 0 << 31 << down << true << QString::fromUtf8("DVOŘÁK") << 1 << 0 << 0;
    QTest::newRow("upper-case pattern without match case")
        << 0 << 31 << down << false << QString::fromUtf8("ČERNÁ") << 2 << 0 << 0;
    QTest::newRow("later line of a multi-line field")
        << 1 << 13 << down << false << QString::fromUtf8("KOČKA") << 1 << 31 << 29;
    QTest::newRow("empty text never found down") << 0 << 0 << down << false << "" << -1 << 0 << 0;
    QTest::newRow("empty text never found up") << 2 << 31 << up << true << "" << -1 << 0 << 0;
    QTest::newRow("first occurrence in the cell")
        << 1 << 13 << down << false << "line" << 1 << 31 << 6;
    QTest::newRow("start beyond the last record") << 5 << 0 << down << false << "a" << -1 << 0 << 0;
    QTest::newRow("match case off ignores accents")
        << 0 << 31 << down << false << "dvorak" << 1 << 0 << 0;
    QTest::newRow("match case off ignores accents up")
        << 2 << 31 << up << false << "NOVAK" << 0 << 0 << 0;
    QTest::newRow("match case on keeps accents")
        << 0 << 31 << down << true << "DVORAK" << -1 << 0 << 0;
    QTest::newRow("accents ignored in the pattern too")
        << 1 << 13 << down << false << QString::fromUtf8("lině") << 1 << 31 << 6;
}

void TestBasicFind::foldedSpans_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("position");  // in text's characters; -1: not found
    QTest::addColumn<int>("length");

    const QString composed = QString::fromUtf8("Antonín Dvořák");
    // The same name with its accents as combining marks after the letters.
    const QString decomposed = QStringLiteral("Antoni\u0301n Dvor\u030Ca\u0301k");
    QTest::newRow("composed") << composed << false << "dvorak" << 8 << 6;
    QTest::newRow("decomposed covers the marks") << decomposed << false << "dvorak" << 9 << 8;
    QTest::newRow("decomposed from inside a word") << decomposed << false << "rak" << 12 << 5;
    QTest::newRow("decomposed keeps the last letter's mark")
        << decomposed << false << "dvora" << 9 << 7;
    QTest::newRow("decomposed pattern finds composed text")
        << composed << false << QStringLiteral("Dvor\u030Ca\u0301k") << 8 << 6;
    QTest::newRow("upper case with accents")
        << QString::fromUtf8("Jan ČERNÝ") << false << "cerny" << 4 << 5;
    QTest::newRow("every letter accented")
        << QString::fromUtf8("žluťoučký kůň") << false << "zlutoucky" << 0 << 9;
    QTest::newRow("accented pattern, plain text")
        << QStringLiteral("Dvorak") << false << QString::fromUtf8("DVOŘÁK") << 0 << 6;
    QTest::newRow("marks alone find nothing")
        << decomposed << false << QStringLiteral("\u0301") << -1 << 0;
    QTest::newRow("match case on, accents missing") << composed << true << "Dvorak" << -1 << 0;
    QTest::newRow("match case on, case differs")
        << composed << true << QString::fromUtf8("dvořák") << -1 << 0;
    QTest::newRow("match case on, exact")
        << composed << true << QString::fromUtf8("Dvořák") << 8 << 6;
    QTest::newRow("match case on, other form of the accents")
        << decomposed << true << QString::fromUtf8("Dvořák") << -1 << 0;
    // A letter beyond the plane counts as two characters before the hit.
    const QString beyond = QString::fromUtf8("\U0001F600 Dvořák");
    QTest::newRow("after a letter beyond the plane") << beyond << false << "dvorak" << 3 << 6;
    QTest::newRow("match case on, after a letter beyond the plane")
        << beyond << true << QString::fromUtf8("Dvořák") << 3 << 6;
    QTest::newRow("a letter beyond the plane found")
        << beyond << false << QString::fromUtf8("\U0001F600") << 0 << 2;
}

void TestBasicFind::foldedSpans() {
    QFETCH(QString, text);
    QFETCH(bool, matchCase);
    QFETCH(QString, pattern);
    QFETCH(int, position);
    QFETCH(int, length);

    const BasicFind::Request request{pattern, Direction::Down, matchCase};
    // The same answer from the text alone and from a search of the cells,
    // where the text is in the third record's Notes.
    const std::optional<BasicFind::Span> span = BasicFind::FindInText(text, request);
    QList<QStringList> records = records_;
    records[2][cs::Notes] = text;
    const std::optional<Hit> hit = FindBothWays(records, {2, cs::Notes - 1}, request);
    if (position < 0) {
        QVERIFY(!span);
        QVERIFY(!hit);
        return;
    }
    QVERIFY(span);
    QCOMPARE(span->position, position);
    QCOMPARE(span->length, length);
    QVERIFY(hit);
    QCOMPARE(hit->record, 2);
    QCOMPARE(hit->field, static_cast<int>(cs::Notes));
    QCOMPARE(hit->position, position);
    QCOMPARE(hit->length, length);
}

void TestBasicFind::search() {
    QFETCH(int, startRecord);
    QFETCH(int, startField);
    QFETCH(Direction, direction);
    QFETCH(bool, matchCase);
    QFETCH(QString, pattern);
    QFETCH(int, record);
    QFETCH(int, field);
    QFETCH(int, position);

    const std::optional<Hit> hit =
        FindBothWays(records_, {startRecord, startField}, {pattern, direction, matchCase});
    if (record < 0) {
        QVERIFY(!hit);
        return;
    }
    QVERIFY(hit);
    QCOMPARE(hit->record, record);
    QCOMPARE(hit->field, field);
    QCOMPARE(hit->position, position);
}

void TestBasicFind::defaultStarts() {
    QCOMPARE(BasicFind::DefaultStart(Direction::Down).field, 0);
    QCOMPARE(BasicFind::DefaultStart(Direction::Down).record, 0);
    QCOMPARE(BasicFind::DefaultStart(Direction::Up).field, 31);
}

void TestBasicFind::busyCursorOnlyWhenTheSearchRunsLong() {
    const BasicFind::CellInto cell = [this](int r, int i, QString& out) { out = records_[r][i]; };
    const BasicFind::Request request{QStringLiteral("nowhere to be found"), Direction::Down, false};
    struct Outcome {
        bool found = false;
        int ticks = 0;
        bool busy = false;
    };
    const auto search = [&](int delayMs) {
        Outcome outcome;
        TBusyCursorAfter busy(delayMs);
        outcome.found =
            BasicFind::Find(cell, static_cast<int>(records_.size()), {0, 0}, request, [&] {
                ++outcome.ticks;
                busy.Poll();
                const QCursor* shown = QApplication::overrideCursor();
                outcome.busy =
                    outcome.busy || (shown != nullptr && shown->shape() == Qt::WaitCursor);
            }).has_value();
        return outcome;
    };
    // A quick search never shows it; one that ran past the moment does.
    // Either way every record is entered once and the cursor is back after.
    for (const int delayMs : {60000, 0}) {
        const Outcome outcome = search(delayMs);
        QVERIFY(!outcome.found);
        QCOMPARE(outcome.ticks, static_cast<int>(records_.size()));
        QCOMPARE(outcome.busy, delayMs == 0);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }
}

void TestBasicFind::noRecordsFindsNothing() {
    int reads = 0;
    const auto cell = [&reads](int, int) {
        ++reads;
        return QStringLiteral("anything");
    };
    QVERIFY(!BasicFind::Find(cell, 0, {0, 0}, {"a", Direction::Down, false}));
    QCOMPARE(reads, 0);
}

void TestBasicFind::throughTheEngineAndItsColumnMap() {
    // A database whose columns are stored in reverse order: the search walks
    // program fields, not database columns.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("reverse.tbr"));
    QStringList columns = cs::ColumnNames();
    std::reverse(columns.begin(), columns.end());
    gridfixture::WriteContacts(path, columns, records_);
    TColumnMap map;
    auto quib = gridfixture::OpenContacts(path, &map);
    const auto cell = [&](int r, int i) { return quib->GetData(r, map[i]); };
    const auto hit = BasicFind::Find(cell, quib->RowsCount(), {0, 0},
                                     {QStringLiteral("zero"), Direction::Down, false});
    QVERIFY(hit);
    QCOMPARE(hit->field, static_cast<int>(cs::Work_Misc));
    const auto next = BasicFind::Find(cell, quib->RowsCount(), {hit->record, hit->field},
                                      {QStringLiteral("zero"), Direction::Down, false});
    QVERIFY(next);
    QCOMPARE(next->field, static_cast<int>(cs::Notes));
    QCOMPARE(next->position, 5);
}

QTEST_MAIN(TestBasicFind)
#include "test_BasicFind.moc"
