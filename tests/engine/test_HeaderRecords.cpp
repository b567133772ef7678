// Header records: names, texts and lookup by name.

#include <gtest/gtest.h>

#include "EngineTestSupport.h"

using quib::CQuibCtrl;

namespace {

TEST(HeaderRecords, NewHeaderIsEmpty) {
    CQuibCtrl q;
    EXPECT_TRUE(q.NewHeader(0));
    EXPECT_EQ(q.HeadersCount(), 1);
    EXPECT_EQ(q.GetHeaderName(0), "");
    EXPECT_EQ(q.HeaderTextsCount(0), 0);
}

TEST(HeaderRecords, NewHeaderPositions) {
    CQuibCtrl q;
    ASSERT_TRUE(q.NewHeader(0));
    ASSERT_TRUE(q.SetHeaderName(0, "b"));
    EXPECT_TRUE(q.NewHeader(0));
    ASSERT_TRUE(q.SetHeaderName(0, "a"));
    EXPECT_TRUE(q.NewHeader(2));
    ASSERT_TRUE(q.SetHeaderName(2, "c"));
    EXPECT_FALSE(q.NewHeader(4));
    EXPECT_FALSE(q.NewHeader(-1));
    ASSERT_EQ(q.HeadersCount(), 3);
    EXPECT_EQ(q.GetHeaderName(0), "a");
    EXPECT_EQ(q.GetHeaderName(1), "b");
    EXPECT_EQ(q.GetHeaderName(2), "c");
}

TEST(HeaderRecords, DeleteHeader) {
    CQuibCtrl q;
    for (const char* n : {"a", "b", "c"}) {
        q.NewHeader(q.HeadersCount());
        q.SetHeaderName(q.HeadersCount() - 1, n);
    }
    EXPECT_FALSE(q.DeleteHeader(3));
    EXPECT_FALSE(q.DeleteHeader(-1));
    EXPECT_TRUE(q.DeleteHeader(1));
    EXPECT_EQ(q.HeadersCount(), 2);
    EXPECT_EQ(q.GetHeaderName(1), "c");
}

TEST(HeaderRecords, OutOfRangeReads) {
    CQuibCtrl q;
    q.NewHeader(0);
    EXPECT_EQ(q.GetHeaderName(1), "");
    EXPECT_EQ(q.GetHeaderName(-1), "");
    EXPECT_FALSE(q.SetHeaderName(1, "x"));
    EXPECT_EQ(q.HeaderTextsCount(q.HeadersCount()), -1);
    EXPECT_EQ(q.HeaderTextsCount(-1), -1);
}

TEST(HeaderRecords, TextIndexBounds) {
    CQuibCtrl q;
    q.NewHeader(0);
    ASSERT_TRUE(q.NewHeaderText(0, 0));
    ASSERT_TRUE(q.SetHeaderText(0, 0, "one"));
    const int n = q.HeaderTextsCount(0);
    EXPECT_EQ(q.GetHeaderText(0, -1), "");
    EXPECT_EQ(q.GetHeaderText(0, n), "");
    EXPECT_FALSE(q.SetHeaderText(0, -1, "x"));
    EXPECT_FALSE(q.SetHeaderText(0, n, "x"));
    EXPECT_FALSE(q.NewHeaderText(0, n + 1));
    EXPECT_FALSE(q.NewHeaderText(0, -1));
    EXPECT_FALSE(q.NewHeaderText(1, 0));
    EXPECT_FALSE(q.DeleteHeaderText(0, n));
    EXPECT_FALSE(q.DeleteHeaderText(1, 0));
    EXPECT_EQ(q.GetHeaderText(0, 0), "one");
}

TEST(HeaderRecords, InsertAndDeleteTexts) {
    CQuibCtrl q;
    q.NewHeader(0);
    q.SetHeaderName(0, "name");
    EXPECT_TRUE(q.NewHeaderText(0, 0));
    EXPECT_TRUE(q.SetHeaderText(0, 0, "b"));
    EXPECT_TRUE(q.NewHeaderText(0, 0));
    EXPECT_TRUE(q.SetHeaderText(0, 0, "a"));
    EXPECT_TRUE(q.NewHeaderText(0, q.HeaderTextsCount(0)));
    EXPECT_TRUE(q.SetHeaderText(0, 2, "c"));
    ASSERT_EQ(q.HeaderTextsCount(0), 3);
    EXPECT_EQ(q.GetHeaderText(0, 0), "a");
    EXPECT_EQ(q.GetHeaderText(0, 1), "b");
    EXPECT_EQ(q.GetHeaderText(0, 2), "c");
    EXPECT_EQ(q.GetHeaderName(0), "name");
    EXPECT_TRUE(q.DeleteHeaderText(0, 1));
    EXPECT_TRUE(q.DeleteHeaderText(0, 0));
    EXPECT_EQ(q.GetHeaderText(0, 0), "c");
    EXPECT_TRUE(q.DeleteHeaderText(0, 0));
    EXPECT_EQ(q.HeaderTextsCount(0), 0);
    EXPECT_EQ(q.GetHeaderName(0), "name");
}

TEST(HeaderRecords, CountKeptAcrossDigitBoundaries) {
    CQuibCtrl q;
    q.NewHeader(0);
    q.SetHeaderName(0, "n");
    for (int i = 0; i < 101; ++i) {
        ASSERT_TRUE(q.NewHeaderText(0, i));
        ASSERT_TRUE(q.SetHeaderText(0, i, std::to_string(i)));
        ASSERT_EQ(q.HeaderTextsCount(0), i + 1);
    }
    EXPECT_EQ(q.GetHeaderText(0, 9), "9");
    EXPECT_EQ(q.GetHeaderText(0, 10), "10");
    EXPECT_EQ(q.GetHeaderText(0, 100), "100");
    for (int i = 100; i >= 0; --i) {
        ASSERT_TRUE(q.DeleteHeaderText(0, i));
        ASSERT_EQ(q.HeaderTextsCount(0), i);
    }
    EXPECT_EQ(q.GetHeaderName(0), "n");
}

TEST(HeaderRecords, TenTextsReportTen) {
    CQuibCtrl q;
    q.NewHeader(0);
    for (int i = 0; i < 10; ++i) {
        q.NewHeaderText(0, 0);
    }
    EXPECT_EQ(q.HeaderTextsCount(0), 10);
}

TEST(HeaderRecords, SetNameAndTextOfEveryLength) {
    CQuibCtrl q;
    q.NewHeader(0);
    q.NewHeaderText(0, 0);
    q.NewHeaderText(0, 1);
    q.SetHeaderText(0, 0, "first");
    q.SetHeaderText(0, 1, "second");
    for (const std::string v : {"abc", "abcdefgh", "xyz", "", "a"}) {
        ASSERT_TRUE(q.SetHeaderName(0, v));
        EXPECT_EQ(q.GetHeaderName(0), v);
        EXPECT_EQ(q.GetHeaderText(0, 0), "first");
        EXPECT_EQ(q.GetHeaderText(0, 1), "second");
    }
    for (const std::string v : {"1234567", "1", "", "other"}) {
        ASSERT_TRUE(q.SetHeaderText(0, 0, v));
        EXPECT_EQ(q.GetHeaderText(0, 0), v);
        EXPECT_EQ(q.GetHeaderText(0, 1), "second");
        EXPECT_EQ(q.HeaderTextsCount(0), 2);
    }
}

TEST(HeaderRecords, IndexFromNameFirstMatchCaseSensitive) {
    CQuibCtrl q;
    for (const char* n : {"ProgramName", "DBColsName", "ProgramName"}) {
        q.NewHeader(q.HeadersCount());
        q.SetHeaderName(q.HeadersCount() - 1, n);
    }
    EXPECT_EQ(q.GetHeaderIndexFromName("ProgramName"), 0);
    EXPECT_EQ(q.GetHeaderIndexFromName("DBColsName"), 1);
    EXPECT_EQ(q.GetHeaderIndexFromName("programname"), -1);
    EXPECT_EQ(q.GetHeaderIndexFromName("Program"), -1);
    EXPECT_EQ(q.GetHeaderIndexFromName(""), -1);
}

TEST(HeaderRecords, HeaderEditsDoNotTouchRows) {
    CQuibCtrl q;
    quibtest::FillTable(q, 2, 2);
    q.NewHeader(0);
    q.NewHeaderText(0, 0);
    q.SetHeaderText(0, 0, "x");
    q.DeleteHeader(0);
    EXPECT_EQ(q.RowsCountTotal(), 2);
    EXPECT_EQ(q.GetData(1, 1), "r1c1");
}

}  // namespace
