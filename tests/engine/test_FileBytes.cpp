// The database file: exact bytes written and tables read back.

#include <gtest/gtest.h>

#include "EngineTestSupport.h"

using quib::CQuibCtrl;
using namespace quibtest;

namespace {

class FileBytes : public ::testing::Test {
  protected:
    TempDir dir;
    std::string path = dir.file("db.tbr");
};

TEST_F(FileBytes, CreateWritesTheTwentyTwoByteEmptyFile) {
    CQuibCtrl q;
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Create());
    const Bytes expected = {'Q',  'u', 'i', 'b', 0x01, 0x03, '0',  '.',  '1',  0x00, 0x01,
                            0x03, '0', '.', '1', 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00};
    EXPECT_EQ(ReadBytes(path), expected);
    EXPECT_EQ(ReadBytes(path).size(), 22u);
}

TEST_F(FileBytes, CreateEmptiesLoadedTable) {
    CQuibCtrl q;
    FillTable(q, 3, 3);
    q.NewHeader(0);
    q.MoveFirst();
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Create());
    EXPECT_EQ(q.RowsCountTotal(), 0);
    EXPECT_EQ(q.ColsCount(), 0);
    EXPECT_EQ(q.HeadersCount(), 0);
    EXPECT_EQ(q.RowIndex(), -1);
    EXPECT_EQ(ReadBytes(path).size(), 22u);
}

TEST_F(FileBytes, HeaderRecordExample) {
    CQuibCtrl q;
    q.NewHeader(0);
    q.SetHeaderName(0, "ver");
    q.NewHeaderText(0, 0);
    q.SetHeaderText(0, 0, "1.0");
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Save());
    Bytes expected = Concat({FileStart(1, 0, 0),
                             {0x01, 0x07, 0x01, 0x01, 0x01, 0x03, 'v', 'e', 'r', 0x00, 0x01, 0x03,
                              '1', '.', '0', 0x00}});
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(FileBytes, HeaderWithoutTextsHasStoredLengthOne) {
    CQuibCtrl q;
    q.NewHeader(0);
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Save());
    Bytes expected = Concat({FileStart(1, 0, 0), {0x01, 0x01, 0x01, 0x00, 0x01, 0x00, 0x00}});
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(FileBytes, StoredLengthCountsTheDecimalTextCount) {
    CQuibCtrl q;
    q.NewHeader(0);
    q.SetHeaderName(0, "h");
    for (int i = 0; i < 12; ++i) {
        q.NewHeaderText(0, 0);
    }
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Save());
    // 2 for "12", 1 for the name, 0 for the empty texts.
    Bytes expected = Concat({FileStart(1, 0, 0), {0x01, 0x03, 0x01, 0x0C}, EncText("h")});
    for (int i = 0; i < 12; ++i) {
        expected = Concat({expected, EncText("")});
    }
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(FileBytes, ThreeHundredRowsWriteRowCount02012C) {
    CQuibCtrl q;
    q.NewCol(0);
    for (int r = 0; r < 300; ++r) {
        q.NewRow(r);
    }
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Save());
    const Bytes bytes = ReadBytes(path);
    // Signature 4, two versions 6 each, header count 2, then the row count.
    ASSERT_GE(bytes.size(), 21u);
    EXPECT_EQ(Bytes(bytes.begin() + 18, bytes.begin() + 21), (Bytes{0x02, 0x01, 0x2C}));
    EXPECT_EQ(Bytes(bytes.begin() + 21, bytes.begin() + 23), (Bytes{0x01, 0x01}));
    EXPECT_EQ(bytes.size(), 23u + 300u * 5u);  // each row: 01 00 (length) 01 00 00 (empty cell)
}

TEST_F(FileBytes, RowsAreWrittenWithStoredLength) {
    CQuibCtrl q;
    q.NewCol(0);
    q.NewCol(1);
    q.NewRow(0);
    q.SetData(0, 0, "ab");
    q.SetData(0, 1, "cde");
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Save());
    Bytes expected = Concat({FileStart(0, 1, 2), {0x01, 0x05}, EncText("ab"), EncText("cde")});
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST(IntegerEncoding, FewestBytes) {
    // Through the column count, which the writer stores as an integer.
    struct Case {
        int cols;
        Bytes encoded;
    };
    const std::vector<Case> cases = {{0, {0x01, 0x00}},         {5, {0x01, 0x05}},
                                     {255, {0x01, 0xFF}},       {256, {0x02, 0x01, 0x00}},
                                     {300, {0x02, 0x01, 0x2C}}, {70000, {0x03, 0x01, 0x11, 0x70}}};
    TempDir dir;
    for (const auto& c : cases) {
        CQuibCtrl q;
        for (int i = 0; i < c.cols; ++i) {
            q.NewCol(0);
        }
        q.SetDatabaseName(dir.file("c.tbr"));
        ASSERT_TRUE(q.Save());
        Bytes bytes = ReadBytes(dir.file("c.tbr"));
        Bytes got(bytes.begin() + 20, bytes.end());
        EXPECT_EQ(got, c.encoded) << c.cols;
    }
}

TEST_F(FileBytes, RoundTripKeepsEverything) {
    CQuibCtrl q;
    FillTable(q, 20, 4);
    q.SetData(3, 2, "");
    q.SetData(4, 1, std::string(1000, 'x'));
    q.NewHeader(0);
    q.SetHeaderName(0, "ProgramName");
    q.NewHeaderText(0, 0);
    q.SetHeaderText(0, 0, "Orvane Contacts");
    q.NewHeader(1);
    q.NewHeader(2);
    q.SetHeaderName(2, "ProgramName");
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Save());

    CQuibCtrl r;
    r.SetDatabaseName(path);
    ASSERT_TRUE(r.Open());
    EXPECT_EQ(Cells(r), Cells(q));
    EXPECT_EQ(r.HeadersCount(), 3);
    EXPECT_EQ(r.GetHeaderName(0), "ProgramName");
    EXPECT_EQ(r.GetHeaderText(0, 0), "Orvane Contacts");
    EXPECT_EQ(r.HeaderTextsCount(1), 0);
    EXPECT_EQ(r.GetHeaderName(1), "");
    EXPECT_EQ(r.GetHeaderIndexFromName("ProgramName"), 0);
    EXPECT_EQ(r.RowIndex(), 0);
}

TEST_F(FileBytes, ReadAndWriteBackGivesSameBytesWithOwnVersions) {
    Bytes original = Concat({FileStart(2, 2, 2, "0.0.9", "0.0.7"), HeaderRecord("a", {"x", "yy"}),
                             HeaderRecord("", {}), RowRecord({"c", ""}), RowRecord({"", "dd"})});
    WriteBytes(path, original);
    CQuibCtrl q;
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Open());
    ASSERT_TRUE(q.Save());
    Bytes expected = Concat({FileStart(2, 2, 2), HeaderRecord("a", {"x", "yy"}),
                             HeaderRecord("", {}), RowRecord({"c", ""}), RowRecord({"", "dd"})});
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(FileBytes, ReaderAcceptsLongAndZeroLengthIntegers) {
    // Integers with leading zero bytes and N = 0 (value 0).
    Bytes file = Concat({Raw("Quib"),
                         EncText("0.1"),
                         EncText("0.1"),
                         {0x00},                          // 0 headers
                         {0x04, 0x00, 0x00, 0x00, 0x01},  // 1 row
                         {0x02, 0x00, 0x01},              // 1 column
                         {0x00},                          // stored length
                         {0x03, 0x00, 0x00, 0x02, 'h', 'i', 0x00}});
    WriteBytes(path, file);
    CQuibCtrl q;
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(q.RowsCountTotal(), 1);
    EXPECT_EQ(q.ColsCount(), 1);
    EXPECT_EQ(q.GetData(0, 0), "hi");
}

TEST_F(FileBytes, BytesAfterLastRowAreIgnored) {
    Bytes file = Concat({FileStart(0, 1, 1), RowRecord({"a"}), Raw("trailing garbage")});
    WriteBytes(path, file);
    CQuibCtrl q;
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(q.GetData(0, 0), "a");
}

TEST_F(FileBytes, StoredLengthThatIsWrongDoesNotMatter) {
    // The stored length only sizes storage; a smaller or larger one must not
    // break the read or write past buffers.
    Bytes file = Concat({FileStart(1, 2, 2),
                         {0x01, 0x00, 0x01, 0x01},
                         EncText("name"),
                         EncText("a text longer than it says"),
                         {0x01, 0x00},
                         EncText("first cell"),
                         EncText("second"),
                         {0x01, 0xFF},
                         EncText("x"),
                         EncText("")});
    WriteBytes(path, file);
    CQuibCtrl q;
    q.SetDatabaseName(path);
    try {
        ASSERT_TRUE(q.Open());
        EXPECT_EQ(q.GetHeaderText(0, 0), "a text longer than it says");
        EXPECT_EQ(q.GetData(0, 1), "second");
        EXPECT_EQ(q.GetData(1, 0), "x");
    } catch (const quib::QuibError& e) {
        EXPECT_EQ(e.id(), quib::errors::kUnexpectedEof);
        EXPECT_EQ(q.RowsCountTotal(), 0);
    }
}

TEST_F(FileBytes, OpenEmptyFileWithoutRows) {
    CQuibCtrl q;
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Create());
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(q.RowIndex(), -1);
    EXPECT_EQ(q.RowsCountTotal(), 0);
}

TEST_F(FileBytes, SaveWritesPhysicalOrderWithDatabaseNameKept) {
    CQuibCtrl q;
    FillTable(q, 3, 1);
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Save());
    EXPECT_EQ(q.DatabaseName(), path);
    CQuibCtrl r;
    r.SetDatabaseName(path);
    ASSERT_TRUE(r.Open());
    EXPECT_EQ(r.GetData(2, 0), "r2c0");
}

}  // namespace
