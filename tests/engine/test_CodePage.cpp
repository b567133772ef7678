// Texts cross the surface as UTF-8 and are kept as Windows-1250 bytes.

#include <gtest/gtest.h>

#include "EngineTestSupport.h"

using quib::CQuibCtrl;
using namespace quibtest;

namespace {

const std::string kCzech = "Příliš žluťoučký kůň úpěl ďábelské ódy";

TEST(CodePage, CzechRoundTripThroughFile) {
    TempDir dir;
    CQuibCtrl q;
    q.NewCol(0);
    q.NewRow(0);
    ASSERT_TRUE(q.SetData(0, 0, kCzech));
    EXPECT_EQ(q.GetData(0, 0), kCzech);
    q.NewHeader(0);
    q.SetHeaderName(0, "Jméno");
    q.NewHeaderText(0, 0);
    q.SetHeaderText(0, 0, "Šťastný Čech");
    q.SetDatabaseName(dir.file("cz.tbr"));
    ASSERT_TRUE(q.Save());

    CQuibCtrl r;
    r.SetDatabaseName(dir.file("cz.tbr"));
    ASSERT_TRUE(r.Open());
    EXPECT_EQ(r.GetData(0, 0), kCzech);
    EXPECT_EQ(r.GetHeaderName(0), "Jméno");
    EXPECT_EQ(r.GetHeaderText(0, 0), "Šťastný Čech");
    EXPECT_EQ(r.GetHeaderIndexFromName("Jméno"), 0);
}

TEST(CodePage, FileHoldsWindows1250Bytes) {
    TempDir dir;
    CQuibCtrl q;
    q.NewCol(0);
    q.NewRow(0);
    q.SetData(0, 0, "Příliš€");
    q.SetDatabaseName(dir.file("cz.tbr"));
    ASSERT_TRUE(q.Save());
    Bytes expected =
        Concat({FileStart(0, 1, 1),
                {0x01, 0x07, 0x01, 0x07, 'P', 0xF8, 0xED, 'l', 'i', 0x9A, 0x80, 0x00}});
    EXPECT_EQ(ReadBytes(dir.file("cz.tbr")), expected);
}

TEST(CodePage, FileBytesAreReadAsWindows1250) {
    TempDir dir;
    const std::string path = dir.file("cz.tbr");
    std::string cell = "\xC8\x65\x72\x6E\xFD";  // "Černý" in Windows-1250
    WriteBytes(path, Concat({FileStart(0, 1, 1), RowRecord({cell})}));
    CQuibCtrl q;
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(q.GetData(0, 0), "Černý");
}

TEST(CodePage, AllHighBytesSurviveRead) {
    // Every byte 0x01-0xFF read from a file comes back unchanged after a
    // save, whatever the code page maps it to (five bytes have no character
    // in Windows-1250 and must still not be lost or crash).
    TempDir dir;
    const std::string path = dir.file("all.tbr");
    std::string cell;
    for (int b = 1; b < 256; ++b) {
        cell += static_cast<char>(b);
    }
    WriteBytes(path, Concat({FileStart(0, 1, 1), RowRecord({cell})}));
    CQuibCtrl q;
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Open());
    EXPECT_FALSE(q.GetData(0, 0).empty());
    ASSERT_TRUE(q.Save());
    EXPECT_EQ(ReadBytes(path), Concat({FileStart(0, 1, 1), RowRecord({cell})}));
}

TEST(CodePage, CharactersWithoutFormBecomeQuestionMark) {
    CQuibCtrl q;
    q.NewCol(0);
    q.NewRow(0);
    struct Case {
        std::string in, out;
    };
    for (const Case& c : std::vector<Case>{
             {"日本", "??"}, {"a😀b", "a?b"}, {"Ωmega", "?mega"}, {"ñ", "?"}, {"Ñandú", "?andú"}}) {
        ASSERT_TRUE(q.SetData(0, 0, c.in));
        EXPECT_EQ(q.GetData(0, 0), c.out) << c.in;
    }
}

TEST(CodePage, NulEndsTheText) {
    CQuibCtrl q;
    q.NewCol(0);
    q.NewRow(0);
    ASSERT_TRUE(q.SetData(0, 0, std::string("abc\0def", 7)));
    EXPECT_EQ(q.GetData(0, 0), "abc");
    q.NewHeader(0);
    ASSERT_TRUE(q.SetHeaderName(0, std::string("na\0me", 5)));
    EXPECT_EQ(q.GetHeaderName(0), "na");
    EXPECT_EQ(q.GetHeaderIndexFromName(std::string("na\0zz", 5)), 0);
    ASSERT_TRUE(q.SetData(0, 0, std::string("\0x", 2)));
    EXPECT_EQ(q.GetData(0, 0), "");
}

TEST(CodePage, InvalidUtf8DoesNotBreakTheCell) {
    CQuibCtrl q;
    q.NewCol(0);
    q.NewRow(0);
    ASSERT_TRUE(q.SetData(0, 0, "a\xC3"));
    const std::string got = q.GetData(0, 0);
    EXPECT_EQ(got.substr(0, 1), "a");
    ASSERT_TRUE(q.SetData(0, 0, "\xFF\xFE\x80z"));
    EXPECT_EQ(q.GetData(0, 0).back(), 'z');
}

TEST(CodePage, TabsAndLineBreaksAreKept) {
    CQuibCtrl q;
    q.NewCol(0);
    q.NewRow(0);
    ASSERT_TRUE(q.SetData(0, 0, "a\tb\nc\r\nd\\"));
    EXPECT_EQ(q.GetData(0, 0), "a\tb\nc\r\nd\\");
}

}  // namespace
