// Cells, rows and columns of the in-memory table.

#include <gtest/gtest.h>

#include "EngineTestSupport.h"

using quib::CQuibCtrl;
using quibtest::Cells;
using quibtest::FillTable;

namespace {

using Table = std::vector<std::vector<std::string>>;

TEST(TableEditing, NewEngineIsEmpty) {
    CQuibCtrl q;
    EXPECT_EQ(q.ColsCount(), 0);
    EXPECT_EQ(q.RowsCount(), 0);
    EXPECT_EQ(q.RowsCountTotal(), 0);
    EXPECT_EQ(q.RowsCountFilter(), 0);
    EXPECT_EQ(q.HeadersCount(), 0);
    EXPECT_EQ(q.RowIndex(), -1);
    EXPECT_EQ(q.DatabaseName(), "");
}

TEST(TableEditing, CurrentRowOnEmptyTable) {
    CQuibCtrl q;
    EXPECT_EQ(q.GetData(-1, 0), "");
    EXPECT_FALSE(q.SetData(-1, 0, "x"));
}

TEST(TableEditing, CreateControlByClassIdentifier) {
    auto q = quib::CreateControl("QUIB.QuibCtrl.1");
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->RowsCount(), 0);
    EXPECT_EQ(quib::CreateControl("QUIB.QuibCtrl.2"), nullptr);
    EXPECT_EQ(quib::CreateControl(""), nullptr);
    EXPECT_EQ(quib::CreateControl("quib.quibctrl.1"), nullptr);
}

TEST(TableEditing, NewRowAppendsAtRowsCountOnly) {
    CQuibCtrl q;
    FillTable(q, 2, 2);
    EXPECT_FALSE(q.NewRow(3));
    EXPECT_EQ(q.RowsCountTotal(), 2);
    EXPECT_FALSE(q.NewRow(-2));
    EXPECT_TRUE(q.NewRow(2));
    EXPECT_EQ(q.RowsCountTotal(), 3);
    EXPECT_EQ(q.GetData(2, 0), "");
    EXPECT_EQ(q.GetData(2, 1), "");
}

TEST(TableEditing, NewRowInsertsBeforeGivenRow) {
    CQuibCtrl q;
    FillTable(q, 2, 1);
    EXPECT_TRUE(q.NewRow(1));
    EXPECT_EQ(Cells(q), (Table{{"r0c0"}, {""}, {"r1c0"}}));
    EXPECT_TRUE(q.NewRow(0));
    EXPECT_EQ(Cells(q), (Table{{""}, {"r0c0"}, {""}, {"r1c0"}}));
}

TEST(TableEditing, NewRowAndDeleteRowDoNotMoveCursor) {
    CQuibCtrl q;
    FillTable(q, 3, 1);
    ASSERT_TRUE(q.MoveTo(1));
    EXPECT_TRUE(q.NewRow(0));
    EXPECT_EQ(q.RowIndex(), 1);
    EXPECT_EQ(q.GetData(-1, 0), "r0c0");
    EXPECT_TRUE(q.DeleteRow(0));
    EXPECT_EQ(q.RowIndex(), 1);
    EXPECT_EQ(q.GetData(-1, 0), "r1c0");
}

TEST(TableEditing, CurrentRowArgumentForNewAndDeleteRow) {
    CQuibCtrl q;
    FillTable(q, 3, 1);
    ASSERT_TRUE(q.MoveTo(1));
    EXPECT_TRUE(q.NewRow(-1));
    EXPECT_EQ(Cells(q), (Table{{"r0c0"}, {""}, {"r1c0"}, {"r2c0"}}));
    EXPECT_TRUE(q.DeleteRow(-1));
    EXPECT_EQ(Cells(q), (Table{{"r0c0"}, {"r1c0"}, {"r2c0"}}));
}

TEST(TableEditing, DeleteLastRowUnderCursorKeepsCursor) {
    CQuibCtrl q;
    FillTable(q, 3, 2);
    ASSERT_TRUE(q.MoveLast());
    ASSERT_EQ(q.RowIndex(), 2);
    EXPECT_TRUE(q.DeleteRow(2));
    EXPECT_EQ(q.RowIndex(), 2);
    EXPECT_EQ(q.GetData(-1, 0), "");
    EXPECT_FALSE(q.SetData(-1, 0, "x"));
    EXPECT_FALSE(q.DeleteRow(-1));
    EXPECT_EQ(q.RowsCountTotal(), 2);
}

TEST(TableEditing, DeleteRowOutOfRange) {
    CQuibCtrl q;
    FillTable(q, 2, 1);
    EXPECT_FALSE(q.DeleteRow(2));
    EXPECT_FALSE(q.DeleteRow(-2));
    EXPECT_FALSE(q.DeleteRow(INT32_MAX));
    EXPECT_FALSE(q.DeleteRow(INT32_MIN));
    EXPECT_EQ(q.RowsCountTotal(), 2);
}

TEST(TableEditing, NewColAtFrontShiftsCells) {
    CQuibCtrl q;
    FillTable(q, 3, 2);
    EXPECT_TRUE(q.NewCol(0));
    EXPECT_EQ(q.ColsCount(), 3);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(q.GetData(r, 0), "");
        EXPECT_EQ(q.GetData(r, 1), "r" + std::to_string(r) + "c0");
        EXPECT_EQ(q.GetData(r, 2), "r" + std::to_string(r) + "c1");
    }
}

TEST(TableEditing, NewColInMiddleAndAtEnd) {
    CQuibCtrl q;
    FillTable(q, 1, 2);
    EXPECT_TRUE(q.NewCol(1));
    EXPECT_TRUE(q.NewCol(3));
    EXPECT_FALSE(q.NewCol(5));
    EXPECT_FALSE(q.NewCol(-1));
    EXPECT_EQ(Cells(q), (Table{{"r0c0", "", "r0c1", ""}}));
}

TEST(TableEditing, DeleteColRemovesCellFromEveryRow) {
    CQuibCtrl q;
    FillTable(q, 2, 3);
    EXPECT_TRUE(q.DeleteCol(1));
    EXPECT_EQ(Cells(q), (Table{{"r0c0", "r0c2"}, {"r1c0", "r1c2"}}));
    EXPECT_FALSE(q.DeleteCol(2));
    EXPECT_FALSE(q.DeleteCol(-1));
}

TEST(TableEditing, DeleteOnlyColumnKeepsRows) {
    CQuibCtrl q;
    FillTable(q, 3, 1);
    EXPECT_TRUE(q.DeleteCol(0));
    EXPECT_EQ(q.ColsCount(), 0);
    EXPECT_EQ(q.RowsCountTotal(), 3);
    EXPECT_EQ(q.GetData(0, 0), "");
    EXPECT_TRUE(q.NewCol(0));
    EXPECT_EQ(q.GetData(2, 0), "");
    EXPECT_TRUE(q.SetData(2, 0, "back"));
    EXPECT_EQ(q.GetData(2, 0), "back");
}

TEST(TableEditing, ColumnsWithoutRowsOnlyChangeCount) {
    CQuibCtrl q;
    EXPECT_TRUE(q.NewCol(0));
    EXPECT_TRUE(q.NewCol(0));
    EXPECT_EQ(q.ColsCount(), 2);
    EXPECT_EQ(q.RowsCountTotal(), 0);
    EXPECT_TRUE(q.DeleteCol(1));
    EXPECT_EQ(q.ColsCount(), 1);
    EXPECT_TRUE(q.NewRow(0));
    EXPECT_EQ(q.GetData(0, 0), "");
}

TEST(TableEditing, SetDataOfEveryLengthKeepsOtherCells) {
    const std::vector<std::string> values = {"longer text than before", "s", "r1c1", "", "r1c1"};
    for (const auto& v : values) {
        CQuibCtrl q;
        FillTable(q, 3, 3);
        EXPECT_TRUE(q.SetData(1, 1, v));
        Table expected = {{"r0c0", "r0c1", "r0c2"}, {"r1c0", v, "r1c2"}, {"r2c0", "r2c1", "r2c2"}};
        EXPECT_EQ(Cells(q), expected) << "value " << v;
    }
}

TEST(TableEditing, SetDataRepeatedlyOnSameCell) {
    CQuibCtrl q;
    FillTable(q, 1, 3);
    std::string v;
    for (int i = 0; i < 50; ++i) {
        v += static_cast<char>('a' + i % 26);
        ASSERT_TRUE(q.SetData(0, 1, v));
        ASSERT_EQ(q.GetData(0, 1), v);
        ASSERT_EQ(q.GetData(0, 0), "r0c0");
        ASSERT_EQ(q.GetData(0, 2), "r0c2");
    }
}

TEST(TableEditing, SetDataOutOfRange) {
    CQuibCtrl q;
    FillTable(q, 3, 2);
    EXPECT_FALSE(q.SetData(5, 0, "x"));
    EXPECT_FALSE(q.SetData(3, 0, "x"));
    EXPECT_FALSE(q.SetData(0, 2, "x"));
    EXPECT_FALSE(q.SetData(0, -1, "x"));
    EXPECT_FALSE(q.SetData(-2, 0, "x"));
    EXPECT_EQ(q.GetData(3, 0), "");
    EXPECT_EQ(q.GetData(0, 2), "");
    EXPECT_EQ(q.GetData(INT32_MIN, INT32_MIN), "");
    EXPECT_EQ(q.GetData(INT32_MAX, INT32_MAX), "");
}

TEST(TableEditing, CurrentRowArgumentWithNoCursor) {
    CQuibCtrl q;
    FillTable(q, 2, 1);
    // Edits do not move the cursor, so it is still -1 here.
    ASSERT_EQ(q.RowIndex(), -1);
    EXPECT_EQ(q.GetData(-1, 0), "");
    EXPECT_FALSE(q.SetData(-1, 0, "x"));
    EXPECT_FALSE(q.NewRow(-1));
    EXPECT_FALSE(q.DeleteRow(-1));
    EXPECT_EQ(q.RowsCountTotal(), 2);
}

TEST(TableEditing, CountsAgreeWithoutFilter) {
    CQuibCtrl q;
    FillTable(q, 4, 2);
    EXPECT_EQ(q.RowsCount(), 4);
    EXPECT_EQ(q.RowsCountFilter(), 4);
    EXPECT_EQ(q.RowsCountTotal(), 4);
    EXPECT_EQ(q.ColsCount(), 2);
}

TEST(TableEditing, CloseEmptiesTableButKeepsDatabaseName) {
    CQuibCtrl q;
    q.SetDatabaseName("/some/where.tbr");
    FillTable(q, 2, 2);
    q.NewHeader(0);
    ASSERT_TRUE(q.MoveFirst());
    EXPECT_TRUE(q.Close());
    EXPECT_EQ(q.ColsCount(), 0);
    EXPECT_EQ(q.RowsCountTotal(), 0);
    EXPECT_EQ(q.HeadersCount(), 0);
    EXPECT_EQ(q.RowIndex(), -1);
    EXPECT_EQ(q.DatabaseName(), "/some/where.tbr");
}

TEST(TableEditing, ManyRowsAndColumnsStayConsistent) {
    CQuibCtrl q;
    FillTable(q, 200, 5);
    ASSERT_TRUE(q.NewCol(2));
    ASSERT_TRUE(q.DeleteCol(0));
    for (int r = 0; r < 200; r += 37) {
        EXPECT_EQ(q.GetData(r, 0), "r" + std::to_string(r) + "c1");
        EXPECT_EQ(q.GetData(r, 1), "");
        EXPECT_EQ(q.GetData(r, 4), "r" + std::to_string(r) + "c4");
    }
    for (int r = 199; r >= 0; r -= 2) {
        ASSERT_TRUE(q.DeleteRow(r));
    }
    EXPECT_EQ(q.RowsCountTotal(), 100);
    EXPECT_EQ(q.GetData(99, 0), "r198c1");
}

}  // namespace
