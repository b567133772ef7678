// Texts cross the surface as UTF-8 and are kept as Windows-1250 bytes; the
// engine's own UTF-8 check.

#include <gtest/gtest.h>

#include <random>

#include "EngineTestSupport.h"
#include "Utf8.h"

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

// --- The engine's UTF-8 check --------------------------------------------

namespace {

// UTF-8 as the standard defines it, decoded one character at a time.
bool ReferenceValidUtf8(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        uint32_t cp = 0;
        if (b < 0x80) {
            ++i;
            continue;
        }
        if (b >= 0xC2 && b <= 0xDF) {
            n = 1, cp = b & 0x1Fu;
        } else if (b >= 0xE0 && b <= 0xEF) {
            n = 2, cp = b & 0x0Fu;
        } else if (b >= 0xF0 && b <= 0xF4) {
            n = 3, cp = b & 0x07u;
        } else {
            return false;
        }
        if (i + n >= s.size()) {
            return false;
        }
        for (std::size_t k = 1; k <= n; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (c & 0x3Fu);
        }
        if ((n == 2 && cp < 0x800) || (n == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += n + 1;
    }
    return true;
}

}  // namespace

// Random texts of every length around the 16- and 32-byte pieces the check
// works in, mostly near-valid Central European text, agree with the
// definition, read with padding and in place alike.
TEST(Utf8Check, AgreesWithTheDefinition) {
    const std::vector<std::string> pieces = {"a",
                                             "Z",
                                             " ",
                                             "\xC3\xA1",
                                             "\xC5\x99",
                                             "\xC4",
                                             "\x8D",
                                             "\xE2\x82\xAC",
                                             "\xE0\xA0\x80",
                                             "\xE0\x9F\xBF",
                                             "\xED\x9F\xBF",
                                             "\xED\xA0\x80",
                                             "\xF0\x9F\x98\x80",
                                             "\xF4\x8F\xBF\xBF",
                                             "\xF4\x90\x80\x80",
                                             "\xC0\x80",
                                             "\xC1",
                                             "\xF5",
                                             "\xFF",
                                             "\xBF"};
    std::mt19937 rng(8);
    int valid = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const std::size_t length = rng() % 80;
        const bool mostlyGood = rng() % 4 != 0;
        while (text.size() < length) {
            const std::size_t k = mostlyGood ? rng() % 5 : rng() % pieces.size();
            text += pieces[k];
        }
        const bool expected = ReferenceValidUtf8(text);
        valid += expected ? 1 : 0;
        ASSERT_EQ(quib::IsValidUtf8(text.data(), text.size()), expected) << round;
        std::string padded = text + std::string(32, '\x80');  // readable, ignored bytes
        ASSERT_EQ(quib::IsValidUtf8Readable(padded.data(), text.size()), expected) << round;
    }
    EXPECT_GT(valid, 3000);
    EXPECT_LT(valid, 17000);
}
