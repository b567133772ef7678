// Filter records and the view of rows they leave.

#include <gtest/gtest.h>

#include <random>

#include "EngineTestSupport.h"

using quib::CQuibCtrl;
using namespace quibtest;
using Column = std::vector<std::string>;

namespace {

class Filters : public ::testing::Test {
  protected:
    CQuibCtrl q;

    // Rows: (Novák, Brno), (Černý, Praha), (novák, Olomouc), (Adam, Ostrava).
    void SetUp() override {
        const std::vector<std::vector<std::string>> rows = {
            {"Novák", "Brno"}, {"Černý", "Praha"}, {"novák", "Olomouc"}, {"Adam", "Ostrava"}};
        q.NewCol(0);
        q.NewCol(1);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            q.NewRow(static_cast<int32_t>(r));
            q.SetData(static_cast<int32_t>(r), 0, rows[r][0]);
            q.SetData(static_cast<int32_t>(r), 1, rows[r][1]);
        }
    }

    void Add(const std::string& column, const std::string& compar, const std::string& cs,
             const std::string& text) {
        const int32_t f = q.FiltersCount();
        ASSERT_TRUE(q.NewFilter(f));
        ASSERT_TRUE(q.SetFilterData(f, "column", column));
        ASSERT_TRUE(q.SetFilterData(f, "compar", compar));
        ASSERT_TRUE(q.SetFilterData(f, "casesensitive", cs));
        ASSERT_TRUE(q.SetFilterData(f, "text", text));
    }

    // Column 0 of the rows in the view.
    Column View() {
        Column out;
        for (int32_t r = 0; r < q.RowsCount(); ++r) {
            out.push_back(q.GetData(r, 0));
        }
        return out;
    }
};

TEST_F(Filters, InactiveByDefault) {
    EXPECT_FALSE(q.FilterActive());
    Add("0", "is", "true", "Adam");
    EXPECT_EQ(q.RowsCount(), 4);
    EXPECT_EQ(q.RowsCountFilter(), 4);
    q.SetFilterActive(true);
    EXPECT_EQ(q.RowsCount(), 1);
    EXPECT_EQ(q.RowsCountFilter(), 1);
    EXPECT_EQ(q.RowsCountTotal(), 4);
    EXPECT_EQ(View(), Column{"Adam"});
    q.SetFilterActive(false);
    EXPECT_EQ(q.RowsCount(), 4);
}

TEST_F(Filters, ActiveWithoutRecordsShowsAll) {
    q.SetFilterActive(true);
    EXPECT_EQ(q.RowsCountFilter(), q.RowsCountTotal());
    EXPECT_EQ(View(), (Column{"Novák", "Černý", "novák", "Adam"}));
}

TEST_F(Filters, EmptyRecordPassesEveryRow) {
    q.SetFilterActive(true);
    ASSERT_TRUE(q.NewFilter(0));
    EXPECT_EQ(q.GetFilterData(0, "column"), "");
    EXPECT_EQ(q.GetFilterData(0, "compar"), "");
    EXPECT_EQ(q.RowsCount(), 4);
}

TEST_F(Filters, ContainAndDoesNotContain) {
    q.SetFilterActive(true);
    Add("1", "contain", "true", "a");
    EXPECT_EQ(View(), (Column{"Černý", "Adam"}));
    ASSERT_TRUE(q.SetFilterData(0, "compar", "doesnotcontain"));
    EXPECT_EQ(View(), (Column{"Novák", "novák"}));
}

TEST_F(Filters, IsAndIsNot) {
    q.SetFilterActive(true);
    Add("0", "is", "true", "novák");
    EXPECT_EQ(View(), Column{"novák"});
    ASSERT_TRUE(q.SetFilterData(0, "compar", "isnot"));
    EXPECT_EQ(View(), (Column{"Novák", "Černý", "Adam"}));
}

TEST_F(Filters, CaseFoldingUnlessExactlyTrue) {
    q.SetFilterActive(true);
    for (const char* cs : {"false", "", "True", "TRUE", "yes", "1"}) {
        while (q.FiltersCount() > 0) {
            q.DeleteFilter(0);
        }
        Add("0", "is", cs, "NOVáK");
        EXPECT_EQ(View(), (Column{"Novák", "novák"})) << cs;
    }
    ASSERT_TRUE(q.SetFilterData(0, "casesensitive", "true"));
    EXPECT_EQ(View(), Column{});
    // Only a-z fold: Č and č stay different.
    ASSERT_TRUE(q.SetFilterData(0, "casesensitive", "false"));
    ASSERT_TRUE(q.SetFilterData(0, "text", "čERNÝ"));
    EXPECT_EQ(View(), Column{});
    ASSERT_TRUE(q.SetFilterData(0, "text", "Černý"));
    EXPECT_EQ(View(), Column{"Černý"});
    ASSERT_TRUE(q.SetFilterData(0, "compar", "contain"));
    ASSERT_TRUE(q.SetFilterData(0, "text", "rn"));
    EXPECT_EQ(View(), Column{"Černý"});
}

TEST_F(Filters, UnknownOperatorPasses) {
    q.SetFilterActive(true);
    Add("0", "Contains", "true", "zzz");
    Add("0", "IS", "true", "zzz");
    EXPECT_EQ(q.RowsCount(), 4);
}

TEST_F(Filters, EmptyPatternIsContainedEverywhere) {
    q.SetFilterActive(true);
    Add("0", "contain", "true", "");
    EXPECT_EQ(q.RowsCount(), 4);
    ASSERT_TRUE(q.SetFilterData(0, "compar", "doesnotcontain"));
    EXPECT_EQ(q.RowsCount(), 0);
}

TEST_F(Filters, TwoRecordsAreJoinedByAnd) {
    q.SetFilterActive(true);
    Add("0", "contain", "false", "NOV");
    Add("1", "doesnotcontain", "true", "no");
    EXPECT_EQ(View(), Column{"novák"});
    EXPECT_EQ(q.GetData(0, 1), "Olomouc");
}

TEST_F(Filters, ColumnOutsideTableComparesEmptyText) {
    q.SetFilterActive(true);
    Add("5", "is", "true", "");
    EXPECT_EQ(q.RowsCount(), 4);
    ASSERT_TRUE(q.SetFilterData(0, "compar", "contain"));
    ASSERT_TRUE(q.SetFilterData(0, "text", "a"));
    EXPECT_EQ(q.RowsCount(), 0);
    ASSERT_TRUE(q.SetFilterData(0, "column", "-1"));
    EXPECT_EQ(q.RowsCount(), 0);
    ASSERT_TRUE(q.SetFilterData(0, "compar", "isnot"));
    EXPECT_EQ(q.RowsCount(), 4);
}

TEST_F(Filters, EmptyColumnFieldMeansColumnZero) {
    q.SetFilterActive(true);
    Add("", "is", "true", "Adam");
    EXPECT_EQ(View(), Column{"Adam"});
    ASSERT_TRUE(q.SetFilterData(0, "column", " 1 trailing"));
    ASSERT_TRUE(q.SetFilterData(0, "text", "Brno"));
    EXPECT_EQ(View(), Column{"Novák"});
}

TEST_F(Filters, DeleteRowZeroRemovesFirstRowOfView) {
    q.SetFilterActive(true);
    Add("1", "contain", "true", "a");  // Černý, Adam
    ASSERT_TRUE(q.DeleteRow(0));
    EXPECT_EQ(q.RowsCountTotal(), 3);
    EXPECT_EQ(View(), Column{"Adam"});
    q.SetFilterActive(false);
    EXPECT_EQ(View(), (Column{"Novák", "novák", "Adam"}));
}

TEST_F(Filters, NewRowAtEndOfViewAppendsPhysicalRow) {
    q.SetFilterActive(true);
    Add("1", "contain", "true", "a");
    ASSERT_TRUE(q.NewRow(q.RowsCountFilter()));
    EXPECT_EQ(q.RowsCountTotal(), 5);
    // The empty row does not contain "a".
    EXPECT_EQ(q.RowsCountFilter(), 2);
    ASSERT_TRUE(q.SetFilterData(0, "compar", "doesnotcontain"));
    EXPECT_EQ(View(), (Column{"Novák", "novák", ""}));
    q.SetFilterActive(false);
    EXPECT_EQ(q.GetData(4, 0), "");
}

TEST_F(Filters, NewRowInsideViewGoesBeforeShownRow) {
    q.SetFilterActive(true);
    Add("1", "contain", "true", "a");  // physical rows 1 and 3
    ASSERT_TRUE(q.NewRow(1));          // before physical row 3
    q.SetFilterActive(false);
    EXPECT_EQ(View(), (Column{"Novák", "Černý", "novák", "", "Adam"}));
}

TEST_F(Filters, SetDataDropsCurrentRowFromView) {
    q.SetFilterActive(true);
    Add("1", "contain", "true", "a");
    ASSERT_TRUE(q.MoveTo(1));
    ASSERT_EQ(q.GetData(-1, 0), "Adam");
    ASSERT_TRUE(q.SetData(-1, 1, "Brno"));
    EXPECT_EQ(q.RowsCount(), 1);
    EXPECT_EQ(q.RowIndex(), 1);
    EXPECT_EQ(q.GetData(-1, 0), "");
}

TEST_F(Filters, FieldNamesAreCaseSensitive) {
    ASSERT_TRUE(q.NewFilter(0));
    EXPECT_FALSE(q.SetFilterData(0, "Column", "1"));
    EXPECT_EQ(q.GetFilterData(0, "Column"), "");
    EXPECT_FALSE(q.SetFilterData(0, "value", "1"));
    EXPECT_FALSE(q.SetFilterData(1, "column", "1"));
    EXPECT_EQ(q.GetFilterData(1, "column"), "");
    EXPECT_TRUE(q.SetFilterData(0, "text", "Příliš"));
    EXPECT_EQ(q.GetFilterData(0, "text"), "Příliš");
}

TEST_F(Filters, NewFilterPositions) {
    EXPECT_FALSE(q.NewFilter(1));
    EXPECT_FALSE(q.NewFilter(-1));
    ASSERT_TRUE(q.NewFilter(0));
    ASSERT_TRUE(q.SetFilterData(0, "text", "second"));
    ASSERT_TRUE(q.NewFilter(0));
    EXPECT_EQ(q.GetFilterData(1, "text"), "second");
    EXPECT_EQ(q.FiltersCount(), 2);
    EXPECT_TRUE(q.DeleteFilter(0));
    EXPECT_EQ(q.GetFilterData(0, "text"), "second");
    EXPECT_FALSE(q.DeleteFilter(1));
}

TEST_F(Filters, DeleteFilterRebuildsView) {
    q.SetFilterActive(true);
    Add("0", "is", "true", "Adam");
    ASSERT_EQ(q.RowsCount(), 1);
    ASSERT_TRUE(q.DeleteFilter(0));
    EXPECT_EQ(q.RowsCount(), 4);
}

TEST_F(Filters, NewFilterDoesNotRebuildView) {
    q.SetFilterActive(true);
    Add("0", "is", "true", "Adam");
    ASSERT_EQ(q.RowsCount(), 1);
    // The new, empty record passes every row anyway; the view stays right.
    ASSERT_TRUE(q.NewFilter(0));
    EXPECT_EQ(q.RowsCount(), 1);
}

TEST_F(Filters, ColumnEditsRebuildView) {
    q.SetFilterActive(true);
    Add("1", "is", "true", "Brno");
    ASSERT_EQ(View(), Column{"Novák"});
    ASSERT_TRUE(q.NewCol(0));  // the record now reads the old column 0
    EXPECT_EQ(q.RowsCount(), 0);
    ASSERT_TRUE(q.DeleteCol(0));
    EXPECT_EQ(View(), Column{"Novák"});
}

TEST_F(Filters, FilterActiveAnyNonZero) {
    q.SetFilterActive(5);
    EXPECT_TRUE(q.FilterActive());
}

TEST_F(Filters, SurviveCloseAndOpen) {
    TempDir dir;
    q.SetDatabaseName(dir.file("f.tbr"));
    ASSERT_TRUE(q.Save());
    q.SetFilterActive(true);
    Add("0", "contain", "false", "nov");
    ASSERT_TRUE(q.Close());
    EXPECT_EQ(q.FiltersCount(), 1);
    EXPECT_TRUE(q.FilterActive());
    EXPECT_EQ(q.RowsCount(), 0);
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(q.RowsCountTotal(), 4);
    EXPECT_EQ(View(), (Column{"Novák", "novák"}));
    ASSERT_TRUE(q.Create());
    EXPECT_EQ(q.FiltersCount(), 1);
}

TEST_F(Filters, SortRebuildsView) {
    q.SetFilterActive(true);
    Add("0", "contain", "false", "nov");
    q.NewSort(0);
    ASSERT_TRUE(q.SetSortData(0, "column", "1"));
    ASSERT_TRUE(q.SetSortData(0, "order", "desc"));
    EXPECT_EQ(q.GetData(0, 1), "Olomouc");
    EXPECT_EQ(q.GetData(1, 1), "Brno");
}

TEST_F(Filters, ViewAfterEditsEqualsFreshPass) {
    // Cell edits update the view for the edited row only; the result must
    // equal a full pass (forced here by switching the filter off and on).
    std::mt19937 rng(5);
    CQuibCtrl a;
    FillTable(a, 300, 2);
    a.SetFilterActive(true);
    a.NewFilter(0);
    a.SetFilterData(0, "column", "0");
    a.SetFilterData(0, "compar", "contain");
    a.SetFilterData(0, "text", "X");
    a.NewFilter(1);
    a.SetFilterData(1, "column", "1");
    a.SetFilterData(1, "compar", "isnot");
    a.SetFilterData(1, "casesensitive", "true");
    a.SetFilterData(1, "text", "b");
    const std::vector<std::string> values = {"x", "X", "b", "B", "xb", "", "y"};
    for (int step = 0; step < 3000; ++step) {
        const unsigned op = rng() % 6;
        if (op == 2) {
            // A new row updates the view for that row only, too.
            a.NewRow(static_cast<int32_t>(rng() % (a.RowsCount() + 1)));
        } else if (op == 3 && a.RowsCount() > 0) {
            a.DeleteRow(static_cast<int32_t>(rng() % a.RowsCount()));
        } else if (op == 4) {
            // A new row that passes the filters, put anywhere physically.
            a.SetFilterActive(false);
            const auto at = static_cast<int32_t>(rng() % (a.RowsCountTotal() + 1));
            a.NewRow(at);
            a.SetData(at, 0, "X");
            a.SetFilterActive(true);
        } else if (a.RowsCount() > 0 && op < 2) {
            a.SetData(static_cast<int32_t>(rng() % a.RowsCount()), static_cast<int32_t>(rng() % 2),
                      values[rng() % values.size()]);
        } else if (a.RowsCountTotal() > 0) {
            a.SetFilterActive(false);
            a.SetData(static_cast<int32_t>(rng() % a.RowsCountTotal()),
                      static_cast<int32_t>(rng() % 2), values[rng() % values.size()]);
            a.SetFilterActive(true);
        }
        const auto incremental = Cells(a);
        a.SetFilterActive(false);
        a.SetFilterActive(true);
        ASSERT_EQ(Cells(a), incremental) << "step " << step;
    }
}

TEST_F(Filters, ManyRowsAgreeWithDirectCheck) {
    CQuibCtrl big;
    FillTable(big, 1000, 3);
    big.SetFilterActive(true);
    big.NewFilter(0);
    big.SetFilterData(0, "column", "1");
    big.SetFilterData(0, "compar", "contain");
    big.SetFilterData(0, "casesensitive", "true");
    big.SetFilterData(0, "text", "7");
    int expected = 0;
    for (int r = 0; r < 1000; ++r) {
        expected += std::to_string(r).find('7') != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(big.RowsCount(), expected);
    for (int32_t r = 0; r < big.RowsCount(); ++r) {
        ASSERT_NE(big.GetData(r, 1).find('7'), std::string::npos);
    }
}

// The same filter records give the same view on the same rows in either
// encoding; a pattern a Windows-1250 table cannot hold occurs in none of
// its cells (and is not turned into "?", which would match a real one).
TEST(FilterEncodings, SameViewInBothEncodings) {
    const std::vector<std::vector<std::string>> rows = {
        {"Novák", "Brno"},  {"NOVÁK", "Plzeň"},   {"novák", "Olomouc"},       {"Černý", "Praha"},
        {"černý", "Ústí"},  {"Adam?", "Ostrava"}, {"Šťastný", "Děčín"},       {"", "Brno"},
        {"Dvořák", "Zlín"}, {"dvořák", "zlín"},   {"Ďáblík", "Č. Budějovice"}};
    struct Record {
        std::string column, compar, casesensitive, text;
    };
    const std::vector<std::vector<Record>> cases = {
        {{"0", "contain", "false", "NOV"}},
        {{"0", "contain", "true", "Nov"}},
        {{"0", "contain", "false", "ák"}},  // a-z fold only: "ÁK" stays apart
        {{"0", "contain", "false", "ÁK"}},
        {{"0", "is", "false", "černý"}},
        {{"0", "is", "true", "černý"}},
        {{"0", "isnot", "false", "Novák"}},
        {{"1", "doesnotcontain", "true", "ín"}},
        {{"0", "contain", "false", "?"}},
        {{"0", "contain", "false", "ø"}},  // no Windows-1250 form
        {{"0", "doesnotcontain", "false", "ø"}},
        {{"0", "is", "false", "Ωmega"}},
        {{"0", "isnot", "true", "Ωmega"}},
        {{"0", "contain", "false", ""}},
        {{"0", "contain", "false", "v"}, {"1", "isnot", "false", "BRNO"}},
    };
    std::vector<CQuibCtrl> engines(2);
    engines[1].SetEncoding(quib::TextEncoding::Utf8);
    for (CQuibCtrl& e : engines) {
        e.NewCol(0);
        e.NewCol(1);
        for (const auto& row : rows) {
            ASSERT_TRUE(e.AppendRow(row));
        }
        e.SetFilterActive(true);
    }
    for (const auto& records : cases) {
        std::vector<Column> views;
        for (CQuibCtrl& e : engines) {
            while (e.FiltersCount() > 0) {
                e.DeleteFilter(0);
            }
            for (const Record& r : records) {
                const int32_t f = e.FiltersCount();
                e.NewFilter(f);
                e.SetFilterData(f, "column", r.column);
                e.SetFilterData(f, "compar", r.compar);
                e.SetFilterData(f, "casesensitive", r.casesensitive);
                e.SetFilterData(f, "text", r.text);
            }
            Column view;
            for (int32_t r = 0; r < e.RowsCount(); ++r) {
                view.push_back(e.GetData(r, 0) + "/" + e.GetData(r, 1));
            }
            views.push_back(view);
        }
        EXPECT_EQ(views[0], views[1]) << records[0].compar << " " << records[0].text;
        if (records.size() == 1 && records[0].text == "ø") {
            EXPECT_EQ(views[0].size(), records[0].compar == "contain" ? 0u : rows.size());
        }
        if (records.size() == 1 && records[0].text == "?") {
            EXPECT_EQ(views[0], Column{"Adam?/Ostrava"});
        }
    }
}

}  // namespace
