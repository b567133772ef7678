// The command-state rules as one function of the session's state, the view in
// front and the mode, without any window.
#include "views/u_CommandStates.h"

#include <QTest>

#include <map>

namespace {

using C = TCommand;

// The commands the normal rules set, in the order of the expectation strings.
constexpr TCommand kNormal[] = {
    C::MoveFirst,       C::MovePrevious,  C::MoveNext,    C::MoveLast,      C::NewRow,
    C::SaveRow,         C::DeleteRow,     C::DBCreate,    C::DBOpen,        C::RecentFiles,
    C::ImportExportTBR, C::ImportFromCSV, C::ExportToCSV, C::DBSave,        C::DBSaveAs,
    C::DBReload,        C::DBPrint,       C::FindBasic,   C::FindBasicNext, C::FindQuery,
    C::ShowAsTable,     C::CardFields,
};

// "1" enabled, "0" disabled, "-" unchanged, one character per command of kNormal.
QString statesText(const TCommandStates& states) {
    QString text;
    for (TCommand command : kNormal) {
        const std::optional<bool> enabled = states[command];
        text += !enabled ? u'-' : (*enabled ? u'1' : u'0');
    }
    return text;
}

}  // namespace

class TestCommandStateRules : public QObject {
    Q_OBJECT

  private slots:
    void normalModes_data() {
        QTest::addColumn<bool>("open");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("rowIndex");
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("noDatabaseText");
        QTest::addColumn<bool>("leaveTable");
        QTest::addColumn<bool>("checked");
        const auto card = static_cast<int>(TView::Card);
        const auto table = static_cast<int>(TView::Table);
        const auto sort = static_cast<int>(TView::Sort);
        // clang-format off
        //                                 open  rows row view   F P N L nw sv dl cr op rf ie ic ec s sa rl pr fb fn fq sg fields
        QTest::newRow("no database")      << false << 0 << -1 << card  << "0000000111100000000000" << true << false << false;
        QTest::newRow("empty database")   << true  << 0 << -1 << card  << "0000100111111111111101" << false << false << false;
        QTest::newRow("one record")       << true  << 1 << 0  << card  << "0000110111111111111111" << false << false << false;
        QTest::newRow("first of three")   << true  << 3 << 0  << card  << "0011111111111111111111" << false << false << false;
        QTest::newRow("middle of three")  << true  << 3 << 1  << card  << "1111111111111111111111" << false << false << false;
        QTest::newRow("last of three")    << true  << 3 << 2  << card  << "1100111111111111111111" << false << false << false;
        QTest::newRow("table of three")   << true  << 3 << 1  << table << "0000111111111111111111" << false << false << true;
        QTest::newRow("empty table")      << true  << 0 << -1 << table << "0000100111111111111101" << false << true  << false;
        QTest::newRow("sort builder")     << true  << 3 << 1  << sort  << "1111111111111111111111" << false << false << false;
        QTest::newRow("closed, in table") << false << 0 << -1 << table << "0000000111100000000000" << true  << true  << false;
        // clang-format on
    }

    void normalModes() {
        QFETCH(bool, open);
        QFETCH(int, rows);
        QFETCH(int, rowIndex);
        QFETCH(int, view);
        QFETCH(QString, expected);
        QFETCH(bool, noDatabaseText);
        QFETCH(bool, leaveTable);
        QFETCH(bool, checked);
        for (TCommandMode mode :
             {TCommandMode::RefreshData, TCommandMode::DBQueryResult, TCommandMode::DBQueryClose}) {
            const TCommandStates states =
                CommandStates({open, rows, rowIndex, rows, rowIndex}, static_cast<TView>(view), mode);
            QCOMPARE(statesText(states), expected);
            QCOMPARE(states.noDatabaseText, noDatabaseText);
            QCOMPARE(states.leaveTable, leaveTable);
            QCOMPARE(states.showAsTableChecked, std::optional<bool>(checked));
            // The cancel commands of the print wizard and the sort builder stay.
            QVERIFY(!states[C::PrintCancel]);
            QVERIFY(!states[C::SortCancel]);
        }
    }

    void printAndQueryLockTheDatabase_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("cancelPrint");
        QTest::newRow("print") << static_cast<int>(TCommandMode::print) << true;
        QTest::newRow("DBQuery") << static_cast<int>(TCommandMode::DBQuery) << false;
    }

    void printAndQueryLockTheDatabase() {
        QFETCH(int, mode);
        QFETCH(bool, cancelPrint);
        const TCommandStates states =
            CommandStates({true, 3, 1}, TView::Card, static_cast<TCommandMode>(mode));
        // Every database command off; the card fields keep their state.
        QCOMPARE(statesText(states), QStringLiteral("000000000000000000000-"));
        QCOMPARE(states[C::PrintCancel], std::optional<bool>(cancelPrint));
        QVERIFY(!states[C::SortCancel]);
        QVERIFY(!states.showAsTableChecked);
        QVERIFY(!states.noDatabaseText);
        QVERIFY(!states.leaveTable);
    }

    void cancelModesTouchOnlyTheirCommand_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("command");
        QTest::newRow("print_cancel")
            << static_cast<int>(TCommandMode::print_cancel) << static_cast<int>(C::PrintCancel);
        QTest::newRow("sort_cancel")
            << static_cast<int>(TCommandMode::sort_cancel) << static_cast<int>(C::SortCancel);
    }

    void cancelModesTouchOnlyTheirCommand() {
        QFETCH(int, mode);
        QFETCH(int, command);
        const TCommandStates states =
            CommandStates({true, 3, 1}, TView::Sort, static_cast<TCommandMode>(mode));
        for (int c = 0; c < kCommandCount; ++c) {
            const std::optional<bool> expected =
                c == command ? std::optional<bool>(false) : std::nullopt;
            QCOMPARE(states[static_cast<TCommand>(c)], expected);
        }
        QVERIFY(!states.showAsTableChecked);
    }

    void modeWords_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("mode");
        QTest::newRow("RefreshData")
            << "RefreshData" << static_cast<int>(TCommandMode::RefreshData);
        QTest::newRow("print") << "print" << static_cast<int>(TCommandMode::print);
        QTest::newRow("print_cancel")
            << "print_cancel" << static_cast<int>(TCommandMode::print_cancel);
        QTest::newRow("DBQuery") << "DBQuery" << static_cast<int>(TCommandMode::DBQuery);
        QTest::newRow("DBQueryResult")
            << "DBQueryResult" << static_cast<int>(TCommandMode::DBQueryResult);
        QTest::newRow("DBQueryClose")
            << "DBQueryClose" << static_cast<int>(TCommandMode::DBQueryClose);
        QTest::newRow("sort_cancel")
            << "sort_cancel" << static_cast<int>(TCommandMode::sort_cancel);
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("wrong case") << "refreshdata" << -1;
        QTest::newRow("other") << "Refresh" << -1;
    }

    void modeWords() {
        QFETCH(QString, word);
        QFETCH(int, mode);
        const std::optional<TCommandMode> parsed = CommandModeFromWord(word);
        QCOMPARE(parsed.has_value(), mode >= 0);
        if (parsed) {
            QCOMPARE(static_cast<int>(*parsed), mode);
        }
    }

    void everyActionCommandHasItsName() {
        std::map<QString, int> seen;
        for (int c = 0; c < kCommandCount; ++c) {
            const char* name = CommandActionName(static_cast<TCommand>(c));
            const bool action = static_cast<TCommand>(c) != C::RecentFiles &&
                                static_cast<TCommand>(c) != C::CardFields;
            QCOMPARE(name != nullptr, action);
            if (name != nullptr) {
                QVERIFY(QByteArray(name).startsWith("act"));
                QCOMPARE(seen[QString::fromLatin1(name)]++, 0);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestCommandStateRules)
#include "test_CommandStateRules.moc"
