// The current-row cursor and its moves.

#include <gtest/gtest.h>

#include "EngineTestSupport.h"

using quib::CQuibCtrl;
using namespace quibtest;

namespace {

class Cursor : public ::testing::Test {
  protected:
    CQuibCtrl q;
    RecordingListener events;

    void SetUp() override {
        FillTable(q, 3, 1);
        q.SetListener(&events);
    }
};

TEST_F(Cursor, MovesWithinRange) {
    EXPECT_TRUE(q.MoveFirst());
    EXPECT_EQ(q.RowIndex(), 0);
    EXPECT_TRUE(q.MoveNext());
    EXPECT_EQ(q.RowIndex(), 1);
    EXPECT_TRUE(q.MoveLast());
    EXPECT_EQ(q.RowIndex(), 2);
    EXPECT_TRUE(q.MovePrevious());
    EXPECT_EQ(q.RowIndex(), 1);
    EXPECT_TRUE(q.MoveTo(0));
    EXPECT_EQ(q.GetData(-1, 0), "r0c0");
}

TEST_F(Cursor, MoveNextOnLastRow) {
    ASSERT_TRUE(q.MoveLast());
    events.clear();
    EXPECT_FALSE(q.MoveNext());
    EXPECT_EQ(q.RowIndex(), 2);
    EXPECT_EQ(events.events, std::vector<std::string>{"BeforeMove"});
}

TEST_F(Cursor, MovePreviousOnFirstRow) {
    ASSERT_TRUE(q.MoveFirst());
    events.clear();
    EXPECT_FALSE(q.MovePrevious());
    EXPECT_EQ(q.RowIndex(), 0);
    EXPECT_EQ(events.events, std::vector<std::string>{"BeforeMove"});
}

TEST_F(Cursor, MoveLastOnEmptyTable) {
    CQuibCtrl e;
    RecordingListener l;
    e.SetListener(&l);
    EXPECT_FALSE(e.MoveLast());
    EXPECT_FALSE(e.MoveFirst());
    EXPECT_EQ(e.RowIndex(), -1);
    EXPECT_EQ(l.events, (std::vector<std::string>{"BeforeMove", "BeforeMove"}));
}

TEST_F(Cursor, MoveToOutOfRangeFiresBeforeMoveOnly) {
    for (int target : {-1, 3, 100, INT32_MIN, INT32_MAX}) {
        events.clear();
        EXPECT_FALSE(q.MoveTo(target)) << target;
        EXPECT_EQ(q.RowIndex(), -1);
        EXPECT_EQ(events.events, std::vector<std::string>{"BeforeMove"});
    }
}

TEST_F(Cursor, SuccessfulMoveFiresBeforeThenAfter) {
    events.clear();
    EXPECT_TRUE(q.MoveTo(1));
    EXPECT_EQ(events.events, (std::vector<std::string>{"BeforeMove", "AfterMove"}));
    events.clear();
    // A move to the row already current still moves.
    EXPECT_TRUE(q.MoveTo(1));
    EXPECT_EQ(events.events, (std::vector<std::string>{"BeforeMove", "AfterMove"}));
}

TEST_F(Cursor, CancelledMove) {
    events.cancel = {"BeforeMove"};
    EXPECT_FALSE(q.MoveTo(1));
    EXPECT_EQ(q.RowIndex(), -1);
    EXPECT_EQ(events.events, std::vector<std::string>{"BeforeMove"});
}

TEST_F(Cursor, MovePastDeletedRowsUsesTotalRowCount) {
    ASSERT_TRUE(q.MoveLast());
    ASSERT_TRUE(q.DeleteRow(2));
    ASSERT_TRUE(q.DeleteRow(1));
    // RowIndex still 2; MovePrevious goes to 1, which is out of range now.
    EXPECT_FALSE(q.MovePrevious());
    EXPECT_EQ(q.RowIndex(), 2);
    EXPECT_TRUE(q.MoveLast());
    EXPECT_EQ(q.RowIndex(), 0);
}

TEST_F(Cursor, BoundIsTotalRowsEvenWithFilter) {
    // Only row 0 passes the filter; the cursor may still go to physical
    // counts beyond RowsCount.
    q.NewFilter(0);
    q.SetFilterData(0, "column", "0");
    q.SetFilterData(0, "compar", "is");
    q.SetFilterData(0, "casesensitive", "true");
    q.SetFilterData(0, "text", "r0c0");
    q.SetFilterActive(true);
    ASSERT_EQ(q.RowsCount(), 1);
    EXPECT_TRUE(q.MoveTo(2));
    EXPECT_EQ(q.RowIndex(), 2);
    EXPECT_EQ(q.GetData(-1, 0), "");
    EXPECT_TRUE(q.MoveLast());
    EXPECT_EQ(q.RowIndex(), 2);
}

TEST_F(Cursor, RefreshDataAndSaveRowOnlyNotify) {
    events.clear();
    q.RefreshData();
    EXPECT_TRUE(q.SaveRow());
    EXPECT_EQ(events.events, (std::vector<std::string>{"OnRefreshData", "OnSaveRow"}));
}

TEST_F(Cursor, OpenSetsCursor) {
    TempDir dir;
    q.SetDatabaseName(dir.file("a.tbr"));
    ASSERT_TRUE(q.Save());
    ASSERT_TRUE(q.MoveLast());
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(q.RowIndex(), 0);
    ASSERT_TRUE(q.Create());
    EXPECT_EQ(q.RowIndex(), -1);
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(q.RowIndex(), -1);
}

}  // namespace
