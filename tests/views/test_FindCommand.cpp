#include "GridFixture.h"

#include "session/u_ContactSchema.h"
#include "support/u_ResourceStrings.h"
#include "testsupport/TestSupport.h"
#include "views/u_FindCommand.h"
#include "views/u_frameMainGrid.h"
#include "views/u_frameMainIDE.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using BasicFind::Direction;
using gridfixture::Record;
namespace cs = ContactSchema;

// The card, the table and a control outside both, on one window, with the
// database open and the card refreshed the way the main window does it.
class TestFindCommand : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void focusOutsideFieldsDownStartsAtFirstname();
    void focusOutsideFieldsUpStartsAtWorkMisc();
    void nextSearchContinuesAfterTheHitField();
    void downFromNotesOfLastRecordDoesNotWrap();
    void matchCaseOnAndOff();
    void accentsOnTheCard_data();
    void accentsOnTheCard();
    void hitOnALaterLineIsSelected();
    void hitInHobbyOrMiscShowsHomePage();
    void hitInWorkPhoneShowsWorkPage();
    void emptyTextIsNeverFound();
    void unsavedEditsAreAskedAboutAndCancelStops();
    void unsavedEditsSavedOnYes();
    void tableSearchStartsAfterTheSelectedCell();
    void tableSearchContinuesInLaterRows();
    void otherViewReportsItCannotSearch();

  private:
    FindCommand::Context context(FindCommand::View view = FindCommand::View::Card);
    void run(const QString& pattern, Direction direction = Direction::Down, bool matchCase = false,
             FindCommand::View view = FindCommand::View::Card);
    void focusOutside();
    QString selectedText(int field) const;

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<QWidget> window_;
    TframeMainIDE* card_ = nullptr;
    TColumnMap map_;
    TframeMainGrid* grid_ = nullptr;
    QLineEdit* outside_ = nullptr;
    std::unique_ptr<TQuib> quib_;
    QString path_;
    bool recordChanged_ = false;
    int confirmations_ = 0;
    bool confirmAnswer_ = true;
    std::unique_ptr<MessageRecorder> messages_;
};

void TestFindCommand::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    path_ = dir_->filePath(QStringLiteral("find.tbr"));
    gridfixture::WriteContacts(
        path_, cs::ColumnNames(),
        {Record({{cs::SurName, "Apple"},
                 {cs::FirstName, "Apple"},
                 {cs::Home_Town, "Brno"},
                 {cs::Work_Misc, "Apple"},
                 {cs::Notes, "Apple"}}),
         Record({{cs::SurName, "Berry"},
                 {cs::Home_Hobby, "chess and go"},
                 {cs::Home_Misc, "misc text"},
                 {cs::Notes, "first line\r\nsecond line with KOČKA"}}),
         Record({{cs::SurName, "Cherry"}, {cs::Work_Tel, "+420 555"}, {cs::Notes, "Brno office"}}),
         // Accents written as one character each and as combining marks.
         Record({{cs::SurName, QString::fromUtf8("ČERNÝ")},
                 {cs::Home_Address, QString::fromUtf8("Dvořákova 5")},
                 {cs::Notes,
                  QStringLiteral("malý z\u030Clut\u030Couc\u030Cky\u0301 ku\u030An\u030C")}})},
        // Combining marks have no Windows-1250 form.
        quib::TextEncoding::Utf8);
    quib_ = gridfixture::OpenContacts(path_, &map_);

    window_ = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window_.get());
    outside_ = new QLineEdit(window_.get());
    card_ = new TframeMainIDE(window_.get());
    grid_ = new TframeMainGrid(window_.get());
    layout->addWidget(outside_);
    layout->addWidget(card_);
    layout->addWidget(grid_);
    quib_->OnRefreshData = [this] {
        for (int i = 0; i < cs::ColumnCount; ++i)
            card_->setFieldText(i, quib_->GetData(-1, map_[i]));
        recordChanged_ = false;
    };
    connect(card_, &TframeMainIDE::fieldTextChanged, this, [this] { recordChanged_ = true; });
    quib_->RefreshData();
    window_->resize(900, 900);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->activateWindow();
    focusOutside();
    confirmations_ = 0;
    confirmAnswer_ = true;
    messages_ = std::make_unique<MessageRecorder>();
}

void TestFindCommand::cleanup() {
    messages_.reset();
    window_.reset();
    quib_.reset();
    dir_.reset();
}

FindCommand::Context TestFindCommand::context(FindCommand::View view) {
    FindCommand::Context c{*quib_, *card_, *grid_, map_, view, nullptr, window_.get(), {}, {}};
    c.confirmSaveChanges = [this] {
        if (!recordChanged_)
            return true;
        ++confirmations_;
        if (confirmAnswer_)
            quib_->RefreshData();  // stands in for saving the record
        return confirmAnswer_;
    };
    // The session's MoveTo: the move, then the views show the record.
    c.showRecord = [this](int record) {
        quib_->MoveTo(record);
        quib_->RefreshData();
    };
    return c;
}

void TestFindCommand::run(const QString& pattern, Direction direction, bool matchCase,
                          FindCommand::View view) {
    FindCommand::Run(context(view), {pattern, direction, matchCase});
}

void TestFindCommand::focusOutside() {
    outside_->setFocus();
    QApplication::processEvents();
}

QString TestFindCommand::selectedText(int field) const {
    QWidget* edit = card_->fieldEdit(field);
    if (auto* line = qobject_cast<QLineEdit*>(edit))
        return line->selectedText();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(edit))
        return memo->textCursor().selectedText();
    return {};
}

void TestFindCommand::focusOutsideFieldsDownStartsAtFirstname() {
    run(QStringLiteral("apple"));
    QVERIFY(messages_->texts().isEmpty());
    QCOMPARE(quib_->RowIndex(), 0);
    QCOMPARE(card_->fieldIndexOf(QApplication::focusWidget()), static_cast<int>(cs::FirstName));
    QCOMPARE(selectedText(cs::FirstName), QStringLiteral("Apple"));
}

void TestFindCommand::focusOutsideFieldsUpStartsAtWorkMisc() {
    const auto start = FindCommand::StartingPoint(context(), Direction::Up);
    QCOMPARE(start.record, 0);
    QCOMPARE(start.field, 31);
    run(QStringLiteral("apple"), Direction::Up);
    QCOMPARE(card_->fieldIndexOf(QApplication::focusWidget()), static_cast<int>(cs::Work_Misc));
}

void TestFindCommand::nextSearchContinuesAfterTheHitField() {
    run(QStringLiteral("apple"));  // Firstname
    run(QStringLiteral("apple"));  // Work_Misc
    QCOMPARE(card_->fieldIndexOf(QApplication::focusWidget()), static_cast<int>(cs::Work_Misc));
    run(QStringLiteral("apple"));  // Notes
    QCOMPARE(card_->fieldIndexOf(QApplication::focusWidget()), static_cast<int>(cs::Notes));
    run(QStringLiteral("brno"));  // Home_Town is behind: the next is in record 3
    QCOMPARE(quib_->RowIndex(), 2);
    QCOMPARE(card_->fieldIndexOf(QApplication::focusWidget()), static_cast<int>(cs::Notes));
    QCOMPARE(card_->fieldText(cs::SurName), QStringLiteral("Cherry"));
}

void TestFindCommand::downFromNotesOfLastRecordDoesNotWrap() {
    quib_->MoveTo(2);
    quib_->RefreshData();
    card_->fieldEdit(cs::Notes)->setFocus();
    run(QStringLiteral("apple"));
    QCOMPARE(messages_->texts(), QStringList{LoadResString(res::StringNotFound)});
    QCOMPARE(messages_->messages().front().type, MsgType::Information);
    QCOMPARE(quib_->RowIndex(), 2);
}

void TestFindCommand::matchCaseOnAndOff() {
    run(QStringLiteral("kočka"), Direction::Down, true);
    QCOMPARE(messages_->texts(), QStringList{LoadResString(res::StringNotFound)});
    QCOMPARE(quib_->RowIndex(), 0);
    run(QStringLiteral("kočka"), Direction::Down, false);
    QCOMPARE(quib_->RowIndex(), 1);
    QCOMPARE(selectedText(cs::Notes), QString::fromUtf8("KOČKA"));
}

void TestFindCommand::accentsOnTheCard_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<int>("field");  // -1: not found
    QTest::addColumn<QString>("selected");

    const int notes = cs::Notes;
    QTest::newRow("composed") << "dvorak" << false << static_cast<int>(cs::Home_Address)
                              << QString::fromUtf8("Dvořák");
    QTest::newRow("upper case") << "cerny" << false << static_cast<int>(cs::SurName)
                                << QString::fromUtf8("ČERNÝ");
    QTest::newRow("decomposed") << "zlutoucky" << false << notes
                                << QStringLiteral("z\u030Clut\u030Couc\u030Cky\u0301");
    QTest::newRow("decomposed, after a composed word")
        << "KUN" << false << notes << QStringLiteral("ku\u030An\u030C");
    QTest::newRow("match case on, accents count") << "dvorak" << true << -1 << QString();
    QTest::newRow("match case on, exact")
        << QString::fromUtf8("ČERNÝ") << true << static_cast<int>(cs::SurName)
        << QString::fromUtf8("ČERNÝ");
}

void TestFindCommand::accentsOnTheCard() {
    QFETCH(QString, pattern);
    QFETCH(bool, matchCase);
    QFETCH(int, field);
    QFETCH(QString, selected);

    run(pattern, Direction::Down, matchCase);
    if (field < 0) {
        QCOMPARE(messages_->texts(), QStringList{LoadResString(res::StringNotFound)});
        QCOMPARE(quib_->RowIndex(), 0);
        return;
    }
    QVERIFY(messages_->texts().isEmpty());
    QCOMPARE(quib_->RowIndex(), 3);
    QCOMPARE(card_->fieldIndexOf(QApplication::focusWidget()), field);
    QCOMPARE(selectedText(field), selected);
}

void TestFindCommand::hitOnALaterLineIsSelected() {
    run(QStringLiteral("line with"));
    QCOMPARE(quib_->RowIndex(), 1);
    QCOMPARE(selectedText(cs::Notes), QStringLiteral("line with"));
    auto* memo = qobject_cast<QPlainTextEdit*>(card_->fieldEdit(cs::Notes));
    QVERIFY(memo);
    QCOMPARE(memo->textCursor().blockNumber(), 1);
}

void TestFindCommand::hitInHobbyOrMiscShowsHomePage() {
    card_->ShowField(cs::Work_Company);
    focusOutside();
    QCOMPARE(card_->currentPage(), 1);
    run(QStringLiteral("chess"));
    QCOMPARE(card_->currentPage(), 0);
    QCOMPARE(card_->fieldIndexOf(QApplication::focusWidget()), static_cast<int>(cs::Home_Hobby));
    card_->ShowField(cs::Work_Company);
    card_->fieldEdit(cs::Home_Hobby)->setFocus();
    run(QStringLiteral("misc"));
    QCOMPARE(card_->currentPage(), 0);
    QCOMPARE(selectedText(cs::Home_Misc), QStringLiteral("misc"));
}

void TestFindCommand::hitInWorkPhoneShowsWorkPage() {
    QCOMPARE(card_->currentPage(), 0);
    run(QStringLiteral("555"));
    QCOMPARE(quib_->RowIndex(), 2);
    QCOMPARE(card_->currentPage(), 1);
    QCOMPARE(selectedText(cs::Work_Tel), QStringLiteral("555"));
}

void TestFindCommand::emptyTextIsNeverFound() {
    run(QString());
    QCOMPARE(messages_->texts(), QStringList{LoadResString(res::StringNotFound)});
    run(QString(), Direction::Up, true);
    QCOMPARE(messages_->texts().size(), 2);
}

void TestFindCommand::unsavedEditsAreAskedAboutAndCancelStops() {
    card_->setFieldText(cs::Home_Town, QStringLiteral("edited"));
    QVERIFY(recordChanged_);
    confirmAnswer_ = false;
    run(QStringLiteral("cherry"));
    QCOMPARE(confirmations_, 1);
    QCOMPARE(quib_->RowIndex(), 0);
    QCOMPARE(card_->fieldText(cs::Home_Town), QStringLiteral("edited"));
}

void TestFindCommand::unsavedEditsSavedOnYes() {
    card_->setFieldText(cs::Home_Town, QStringLiteral("edited"));
    run(QStringLiteral("cherry"));
    QCOMPARE(confirmations_, 1);
    QCOMPARE(quib_->RowIndex(), 2);
    QCOMPARE(card_->fieldText(cs::SurName), QStringLiteral("Cherry"));
}

void TestFindCommand::tableSearchStartsAfterTheSelectedCell() {
    card_->hide();
    grid_->GridFill(*quib_, cs::ColumnTitlesFull(), map_);
    grid_->selectCell(0, cs::FirstName);
    const auto start =
        FindCommand::StartingPoint(context(FindCommand::View::Table), Direction::Down);
    QCOMPARE(start.record, 0);
    QCOMPARE(start.field, static_cast<int>(cs::FirstName));
    run(QStringLiteral("apple"), Direction::Down, false, FindCommand::View::Table);
    QCOMPARE(grid_->currentRow(), 0);
    QCOMPARE(grid_->currentField(), static_cast<int>(cs::Work_Misc));
    QCOMPARE(quib_->RowIndex(), 0);  // the table search does not move the cursor
}

void TestFindCommand::tableSearchContinuesInLaterRows() {
    card_->hide();
    grid_->GridFill(*quib_, cs::ColumnTitlesFull(), map_);
    grid_->selectCell(0, cs::Home_Town);
    run(QStringLiteral("brno"), Direction::Down, false, FindCommand::View::Table);
    QCOMPARE(grid_->currentRow(), 2);
    QCOMPARE(grid_->currentField(), static_cast<int>(cs::Notes));
    run(QStringLiteral("brno"), Direction::Down, false, FindCommand::View::Table);
    QCOMPARE(messages_->texts(), QStringList{LoadResString(res::StringNotFound)});
    run(QStringLiteral("brno"), Direction::Up, false, FindCommand::View::Table);
    QCOMPARE(grid_->currentRow(), 0);
    QCOMPARE(grid_->currentField(), static_cast<int>(cs::Home_Town));
}

void TestFindCommand::otherViewReportsItCannotSearch() {
    run(QStringLiteral("cherry"), Direction::Down, false, FindCommand::View::Other);
    QCOMPARE(messages_->texts(),
             (QStringList{LoadResString(res::FindNoFrame), LoadResString(res::FindNoResultFrame)}));
    QCOMPARE(messages_->messages().front().type, MsgType::Error);
    QCOMPARE(quib_->RowIndex(), 0);
    messages_->clear();
    run(QStringLiteral("nowhere"), Direction::Down, false, FindCommand::View::Other);
    QCOMPARE(messages_->texts(),
             (QStringList{LoadResString(res::FindNoFrame), LoadResString(res::StringNotFound)}));
}

QTEST_MAIN(TestFindCommand)
#include "test_FindCommand.moc"
