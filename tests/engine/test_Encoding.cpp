// The two text encodings of a table: UTF-8 files of version 0.2 beside the
// Windows-1250 files of version 0.1, the choice of one, the conversion of a
// loaded table, the check a host makes before storing, and damaged UTF-8.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EngineTestSupport.h"

using quib::CQuibCtrl;
using quib::TextEncoding;
using namespace quibtest;

namespace {

// Names from everywhere, and the edge cases of their storage.
std::vector<std::string> WorldNames() {
    return {"Søren Kierkegaard",
            "Ærøskøbing",
            "Œuvre",
            "Ελένη Παπαδοπούλου",
            "Иван Петров",
            "王小明",
            "山田太郎",
            "👩‍💻 Emoji Test",
            "Dvořák Šťastný",
            "ends in a 4-byte character 😀",
            std::string(65536 - 4, 'x') + "Ωmeg",  // 65,536 bytes: 32-bit ends
            ""};
}

// A table of one column per name and two rows (the second reversed), with
// a header record holding them too.
void FillWithNames(CQuibCtrl& q, const std::vector<std::string>& names) {
    const auto n = static_cast<int32_t>(names.size());
    for (int32_t c = 0; c < n; ++c) {
        ASSERT_TRUE(q.NewCol(c));
    }
    ASSERT_TRUE(q.NewRow(0));
    ASSERT_TRUE(q.NewRow(1));
    for (int32_t c = 0; c < n; ++c) {
        ASSERT_TRUE(q.SetData(0, c, names[static_cast<std::size_t>(c)]));
        ASSERT_TRUE(q.SetData(1, c, names[static_cast<std::size_t>(n - 1 - c)]));
    }
    ASSERT_TRUE(q.NewHeader(0));
    ASSERT_TRUE(q.SetHeaderName(0, "Jména Ωμέγα"));
    for (int32_t t = 0; t < n; ++t) {
        ASSERT_TRUE(q.NewHeaderText(0, t));
        ASSERT_TRUE(q.SetHeaderText(0, t, names[static_cast<std::size_t>(t)]));
    }
}

std::vector<std::string> HeaderTexts(const CQuibCtrl& q, int32_t h) {
    std::vector<std::string> out{q.GetHeaderName(h)};
    for (int32_t t = 0; t < q.HeaderTextsCount(h); ++t) {
        out.push_back(q.GetHeaderText(h, t));
    }
    return out;
}

TEST(Encoding, NewEngineIsWindows1250AndChoosesBeforeCreate) {
    TempDir dir;
    CQuibCtrl q;
    EXPECT_EQ(q.Encoding(), TextEncoding::Windows1250);
    ASSERT_TRUE(q.SetEncoding(TextEncoding::Utf8));
    EXPECT_EQ(q.Encoding(), TextEncoding::Utf8);
    q.SetDatabaseName(dir.file("new.tbr"));
    ASSERT_TRUE(q.Create());
    EXPECT_EQ(ReadBytes(dir.file("new.tbr")), FileStart(0, 0, 0, "0.2", "0.2"));
    EXPECT_EQ(q.Encoding(), TextEncoding::Utf8);  // Create keeps it
    ASSERT_TRUE(q.Close());
    EXPECT_EQ(q.Encoding(), TextEncoding::Utf8);  // so does Close
    ASSERT_TRUE(q.SetEncoding(TextEncoding::Windows1250));
    ASSERT_TRUE(q.Create());
    EXPECT_EQ(ReadBytes(dir.file("new.tbr")), FileStart(0, 0, 0, "0.1", "0.1"));
}

TEST(Encoding, EveryCharacterRoundTripsThroughAUnicodeFile) {
    TempDir dir;
    const std::vector<std::string> names = WorldNames();
    CQuibCtrl q;
    ASSERT_TRUE(q.SetEncoding(TextEncoding::Utf8));
    FillWithNames(q, names);
    q.SetDatabaseName(dir.file("world.tbr"));
    ASSERT_TRUE(q.Save());

    CQuibCtrl again;
    again.SetDatabaseName(dir.file("world.tbr"));
    ASSERT_TRUE(again.Open());
    EXPECT_EQ(again.Encoding(), TextEncoding::Utf8);
    ASSERT_EQ(again.ColsCount(), static_cast<int32_t>(names.size()));
    EXPECT_EQ(Cells(again), Cells(q));
    for (std::size_t c = 0; c < names.size(); ++c) {
        EXPECT_EQ(again.GetData(0, static_cast<int32_t>(c)), names[c]) << c;
    }
    EXPECT_EQ(HeaderTexts(again, 0), HeaderTexts(q, 0));
    EXPECT_EQ(again.GetHeaderName(0), "Jména Ωμέγα");
    EXPECT_EQ(again.GetHeaderIndexFromName("Jména Ωμέγα"), 0);
    // Written back unchanged, the file is the same bytes.
    again.SetDatabaseName(dir.file("again.tbr"));
    ASSERT_TRUE(again.Save());
    EXPECT_EQ(ReadBytes(dir.file("again.tbr")), ReadBytes(dir.file("world.tbr")));
    // The file holds the names as UTF-8, after the 0.2 versions.
    const Bytes bytes = ReadBytes(dir.file("world.tbr"));
    const Bytes start = Concat({Raw("Quib"), EncText("0.2"), EncText("0.2")});
    EXPECT_TRUE(std::equal(start.begin(), start.end(), bytes.begin()));
    const Bytes soren = EncText("Søren Kierkegaard");
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), soren.begin(), soren.end()), bytes.end());
}

TEST(Encoding, Windows1250FileStaysVersion01AndChangesOnlyTheEditedCell) {
    TempDir dir;
    const auto file = [](const std::string& cell) {
        return Concat({FileStart(1, 2, 2), HeaderRecord("ProgramName", {"Kontakty"}),
                       RowRecord({"\xC8"
                                  "ern\xFD",
                                  "Praha"}),
                       RowRecord({cell, "Brno"})});
    };
    WriteBytes(dir.file("old.tbr"), file("Nov\xE1k"));
    CQuibCtrl q;
    q.SetDatabaseName(dir.file("old.tbr"));
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(q.Encoding(), TextEncoding::Windows1250);
    EXPECT_EQ(q.GetData(0, 0), "Černý");
    ASSERT_TRUE(q.CanStoreText("Dvořák Šťastný"));
    ASSERT_TRUE(q.SetData(1, 0, "Dvořák Šťastný"));
    ASSERT_TRUE(q.Save());
    EXPECT_EQ(ReadBytes(dir.file("old.tbr")), file("Dvo\xF8\xE1k \x8A\x9D"
                                                   "astn\xFD"));
}

// A reader that knows only version 0.1 compares the file's required version
// with "0.1" and refuses a greater one (10102): a UTF-8 file asks for more,
// a Windows-1250 file does not, so neither is ever misread.
TEST(Encoding, OnlyUnicodeFilesRequireMoreThanVersion01) {
    TempDir dir;
    for (const TextEncoding encoding : {TextEncoding::Windows1250, TextEncoding::Utf8}) {
        CQuibCtrl q;
        ASSERT_TRUE(q.SetEncoding(encoding));
        FillTable(q, 2, 2);
        q.SetDatabaseName(dir.file("v.tbr"));
        ASSERT_TRUE(q.Save());
        const Bytes bytes = ReadBytes(dir.file("v.tbr"));
        // Signature, then the writer's version text, then the required one.
        ASSERT_GE(bytes.size(), 16u);
        ASSERT_EQ(bytes[4], 1);
        const std::size_t writerLength = bytes[5];
        const std::size_t at = 4 + 2 + writerLength + 1;
        ASSERT_EQ(bytes[at], 1);
        const std::string required(
            bytes.begin() + static_cast<std::ptrdiff_t>(at + 2),
            bytes.begin() + static_cast<std::ptrdiff_t>(at + 2 + bytes[at + 1]));
        const bool oldReaderRefuses = q.CompareVersion(required, "0.1") > 0;
        EXPECT_EQ(oldReaderRefuses, encoding == TextEncoding::Utf8) << required;
        EXPECT_EQ(required, encoding == TextEncoding::Utf8 ? "0.2" : "0.1");
    }
}

TEST(Encoding, CanStoreTextNamesTheFirstMissingCharacter) {
    CQuibCtrl q;
    char32_t missing = 0;
    EXPECT_TRUE(q.CanStoreText("Příliš žluťoučký kůň úpěl ďábelské ódy", &missing));
    EXPECT_TRUE(q.CanStoreText("€ „quoted“ – † ‰ ™"));
    EXPECT_TRUE(q.CanStoreText(""));
    EXPECT_FALSE(q.CanStoreText("Søren Ωmega", &missing));
    EXPECT_EQ(missing, U'ø');
    EXPECT_FALSE(q.CanStoreText("Dvořák 😀", &missing));
    EXPECT_EQ(missing, U'😀');
    EXPECT_FALSE(q.CanStoreText("bad \xC3( byte", &missing));
    EXPECT_EQ(missing, U'\uFFFD');
    // A NUL ends the text: what follows is not stored, so not checked.
    EXPECT_TRUE(q.CanStoreText(std::string("ok\0ø", 5)));
    EXPECT_FALSE(q.CanStoreText("Ω"));  // no pointer needed
    ASSERT_TRUE(q.SetEncoding(TextEncoding::Utf8));
    for (const std::string& name : WorldNames()) {
        EXPECT_TRUE(q.CanStoreText(name, &missing)) << name;
    }
    EXPECT_TRUE(q.CanStoreText("bad \xC3( byte"));
}

TEST(Encoding, UncheckedTextStillBecomesQuestionMarkInWindows1250) {
    CQuibCtrl q;
    FillTable(q, 1, 1);
    ASSERT_TRUE(q.SetData(0, 0, "Søren Ωmega"));
    EXPECT_EQ(q.GetData(0, 0), "S?ren ?mega");
}

TEST(Encoding, MalformedUtf8BecomesReplacementCharacterInAUnicodeTable) {
    CQuibCtrl q;
    ASSERT_TRUE(q.SetEncoding(TextEncoding::Utf8));
    FillTable(q, 1, 3);
    ASSERT_TRUE(q.SetData(0, 0, "a\xC3(b"));
    ASSERT_TRUE(q.SetData(0, 1, "\xED\xA0\x80 surrogate, \xC0\xAF overlong, \xF4\x90\x80\x80 big"));
    ASSERT_TRUE(q.SetData(0, 2, std::string("cut\0here", 8)));
    EXPECT_EQ(q.GetData(0, 0), "a\uFFFD(b");
    EXPECT_EQ(q.GetData(0, 1), "\uFFFD surrogate, \uFFFD overlong, \uFFFD big");
    EXPECT_EQ(q.GetData(0, 2), "cut");
    // The real replacement character is kept as it is.
    ASSERT_TRUE(q.SetData(0, 0, "\uFFFD"));
    EXPECT_EQ(q.GetData(0, 0), "\uFFFD");
}

// A row appended whole keeps or mends each text as SetData does, also where
// the texts together would be UTF-8 but one alone is not.
TEST(Encoding, AppendedRowsStoreEachTextAsSetDataDoes) {
    const std::vector<std::vector<std::string>> rows = {
        {"Dvořák", "", "Søren", "王小明 😀"},
        {"a\xC3(b", "ok"},
        {"cut \xC5", "\x99 off", "x"},
        {"\x99 starts inside", "ř"},
        {std::string("cut\0here", 8), "after"},
        {"\xED\xA0\x80 surrogate", "\xF4\x90\x80\x80"},
        {std::string(300, 'a') + "ž", std::string(70000, 'b')},
    };
    for (const TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Windows1250}) {
        CQuibCtrl appended;
        CQuibCtrl set;
        for (CQuibCtrl* q : {&appended, &set}) {
            ASSERT_TRUE(q->SetEncoding(encoding));
            FillTable(*q, 0, 4);
        }
        for (std::size_t r = 0; r < rows.size(); ++r) {
            ASSERT_TRUE(appended.AppendRow(rows[r]));
            const auto row = static_cast<int32_t>(r);
            ASSERT_TRUE(set.NewRow(row));
            for (std::size_t c = 0; c < rows[r].size(); ++c) {
                ASSERT_TRUE(set.SetData(row, static_cast<int32_t>(c), rows[r][c]));
            }
            for (int32_t c = 0; c < 4; ++c) {
                EXPECT_EQ(appended.GetData(row, c), set.GetData(row, c))
                    << "row " << r << ", cell " << c;
            }
        }
    }
}

TEST(Encoding, ConvertingALoadedTable) {
    TempDir dir;
    CQuibCtrl q;
    FillTable(q, 3, 2);
    ASSERT_TRUE(q.SetData(1, 1, "Šťastný Čech"));
    ASSERT_TRUE(q.NewHeader(0));
    ASSERT_TRUE(q.SetHeaderName(0, "Název"));
    q.SetDatabaseName(dir.file("cp1250.tbr"));
    ASSERT_TRUE(q.Save());
    const Bytes cp1250 = ReadBytes(dir.file("cp1250.tbr"));
    const auto before = Cells(q);

    ASSERT_TRUE(q.SetEncoding(TextEncoding::Utf8));
    EXPECT_EQ(Cells(q), before);
    EXPECT_EQ(q.GetHeaderName(0), "Název");
    ASSERT_TRUE(q.SetData(2, 0, "Ωmega"));
    // Back to Windows-1250 is refused while a text has no form there...
    ASSERT_FALSE(q.SetEncoding(TextEncoding::Windows1250));
    EXPECT_EQ(q.Encoding(), TextEncoding::Utf8);
    EXPECT_EQ(q.GetData(2, 0), "Ωmega");
    ASSERT_TRUE(q.SetHeaderName(0, "Ωmega"));
    ASSERT_TRUE(q.SetData(2, 0, "r2c0"));
    ASSERT_FALSE(q.SetEncoding(TextEncoding::Windows1250));  // ...in a header too
    ASSERT_TRUE(q.SetHeaderName(0, "Název"));
    // ...and taken once none has: the same file bytes as before.
    ASSERT_TRUE(q.SetEncoding(TextEncoding::Windows1250));
    EXPECT_EQ(Cells(q), before);
    ASSERT_TRUE(q.Save());
    EXPECT_EQ(ReadBytes(dir.file("cp1250.tbr")), cp1250);
}

TEST(Encoding, ConvertingAFileReadTableKeepsSnapshotsAndEdits) {
    TempDir dir;
    CQuibCtrl q;
    FillTable(q, 50, 3);
    ASSERT_TRUE(q.SetData(7, 2, "žluťoučký"));
    q.SetDatabaseName(dir.file("db.tbr"));
    ASSERT_TRUE(q.Save());
    ASSERT_TRUE(q.Open());  // rows in the file's buffer
    const auto before = Cells(q);
    const quib::QuibSnapshot picture = q.TakeSnapshot();
    ASSERT_TRUE(q.SetEncoding(TextEncoding::Utf8));
    EXPECT_EQ(picture.Encoding(), TextEncoding::Windows1250);
    EXPECT_EQ(q.TakeSnapshot().Encoding(), TextEncoding::Utf8);
    ASSERT_TRUE(q.SetData(7, 2, "Ωmega"));
    picture.SaveTo(dir.file("picture.tbr"));
    EXPECT_EQ(ReadBytes(dir.file("picture.tbr")), ReadBytes(dir.file("db.tbr")));
    ASSERT_GT(before.size(), 7u);
    auto after = before;
    after[7][2] = "Ωmega";
    EXPECT_EQ(Cells(q), after);
}

TEST(Encoding, OpenTakesTheFilesEncodingAndAFailedOneKeepsTheOldOne) {
    TempDir dir;
    WriteBytes(dir.file("utf8.tbr"),
               Concat({FileStart(0, 1, 1, "0.2", "0.2"), RowRecord({"Ωmega"})}));
    WriteBytes(dir.file("cp1250.tbr"), Concat({FileStart(0, 1, 1), RowRecord({"\xC8"})}));
    WriteBytes(dir.file("damaged.tbr"),
               Concat({FileStart(0, 1, 1, "0.2", "0.2"), RowRecord({"\xC8"})}));

    struct Seen : RecordingListener {
        CQuibCtrl* q = nullptr;
        std::vector<TextEncoding> seen;
        int converted = 0;
        void CheckCompatibility(int16_t& c) override {
            seen.push_back(q->Encoding());
            converted += q->SetEncoding(TextEncoding::Windows1250) ? 1 : 0;
            RecordingListener::CheckCompatibility(c);
        }
    } l;
    CQuibCtrl q;
    l.q = &q;
    q.SetListener(&l);
    q.SetDatabaseName(dir.file("utf8.tbr"));
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(q.Encoding(), TextEncoding::Utf8);
    EXPECT_EQ(q.GetData(0, 0), "Ωmega");

    q.SetDatabaseName(dir.file("cp1250.tbr"));
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(q.Encoding(), TextEncoding::Windows1250);
    EXPECT_EQ(q.GetData(0, 0), "Č");

    q.SetDatabaseName(dir.file("damaged.tbr"));
    EXPECT_THROW(q.Open(), quib::QuibError);
    EXPECT_EQ(q.Encoding(), TextEncoding::Windows1250);  // failed: the one before

    l.cancel.insert("CheckCompatibility");
    q.SetDatabaseName(dir.file("utf8.tbr"));
    EXPECT_FALSE(q.Open());
    EXPECT_EQ(q.Encoding(), TextEncoding::Windows1250);  // declined: the one before
    EXPECT_EQ(l.seen, (std::vector<TextEncoding>{TextEncoding::Utf8, TextEncoding::Windows1250,
                                                 TextEncoding::Utf8, TextEncoding::Utf8}));
    EXPECT_EQ(l.converted, 0);  // refused while a file is read
}

TEST(Encoding, RequiredVersionDecidesTheEncoding) {
    struct Case {
        const char* required;
        const char* writer;
        TextEncoding encoding;
    };
    const Case cases[] = {
        {"0.1", "0.1", TextEncoding::Windows1250}, {"0.1", "0.2", TextEncoding::Windows1250},
        {"0.0.9", "9", TextEncoding::Windows1250}, {"0.1.5", "0.1", TextEncoding::Windows1250},
        {"0.2", "0.2", TextEncoding::Utf8},        {"0.2", "0.1", TextEncoding::Utf8},
        {"0,2", "0.2", TextEncoding::Utf8},        {"0.2.0", "0.2", TextEncoding::Utf8},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.required) + " / " + c.writer);
        WriteBytes(dir.file("v.tbr"),
                   Concat({FileStart(0, 1, 1, c.required, c.writer), RowRecord({"\xC3\xA9"})}));
        CQuibCtrl q;
        q.SetDatabaseName(dir.file("v.tbr"));
        ASSERT_TRUE(q.Open());
        EXPECT_EQ(q.Encoding(), c.encoding);
        EXPECT_EQ(q.GetData(0, 0), c.encoding == TextEncoding::Utf8 ? "é" : "Ă©");
    }
}

TEST(Encoding, InvalidUtf8InAUnicodeFileIsADamagedFile) {
    const std::vector<std::vector<std::string>> damaged = {
        {"\x80"},                              // a lone continuation byte
        {"a\xC3"},                             // a character cut at the text's end
        {"\xC3", "\xA9"},                      // split over two cells: whole only together
        {"\xC0\xAF"},                          // an overlong form
        {"\xE0\x80\xAF"},                      // another
        {"\xED\xA0\x80"},                      // a surrogate
        {"\xF4\x90\x80\x80"},                  // above U+10FFFF
        {"\xFF"},                              // never a UTF-8 byte
        {"ok", std::string("\xC3\0\xA9", 3)},  // a NUL ends the text inside a character
    };
    TempDir dir;
    for (const auto& cells : damaged) {
        for (const bool inHeader : {false, true}) {
            SCOPED_TRACE(testing::PrintToString(cells) + (inHeader ? " in a header" : ""));
            const auto cols = static_cast<uint32_t>(cells.size());
            const Bytes file =
                inHeader ? Concat({FileStart(1, 0, 0, "0.2", "0.2"), HeaderRecord("h", cells)})
                         : Concat({FileStart(0, 1, cols, "0.2", "0.2"), RowRecord(cells)});
            WriteBytes(dir.file("bad.tbr"), file);
            CQuibCtrl q;
            q.SetDatabaseName(dir.file("bad.tbr"));
            try {
                q.Open();
                ADD_FAILURE() << "opened";
            } catch (const quib::QuibError& e) {
                EXPECT_EQ(e.id(), 10002);
                EXPECT_EQ(e.code(), 0x800A004Bu);
            }
            EXPECT_EQ(q.RowsCountTotal(), 0);
            EXPECT_EQ(q.HeadersCount(), 0);
            // The same bytes in a Windows-1250 file are ordinary letters.
            WriteBytes(dir.file("old.tbr"),
                       inHeader ? Concat({FileStart(1, 0, 0), HeaderRecord("h", cells)})
                                : Concat({FileStart(0, 1, cols), RowRecord(cells)}));
            q.SetDatabaseName(dir.file("old.tbr"));
            EXPECT_TRUE(q.Open());
        }
    }
}

TEST(Encoding, HeaderNameWithoutAFormIsNotFoundInWindows1250) {
    CQuibCtrl q;
    ASSERT_TRUE(q.NewHeader(0));
    ASSERT_TRUE(q.SetHeaderName(0, "?mega"));
    EXPECT_EQ(q.GetHeaderIndexFromName("?mega"), 0);
    EXPECT_EQ(q.GetHeaderIndexFromName("Ωmega"), -1);
}

TEST(Encoding, FilterAndSortRecordsKeepEveryCharacter) {
    CQuibCtrl q;
    ASSERT_TRUE(q.NewFilter(0));
    ASSERT_TRUE(q.SetFilterData(0, "text", "Søren Ωmega"));
    EXPECT_EQ(q.GetFilterData(0, "text"), "Søren Ωmega");
    ASSERT_TRUE(q.SetFilterData(0, "text", "bad \xC3("));
    EXPECT_EQ(q.GetFilterData(0, "text"), "bad \uFFFD(");
    ASSERT_TRUE(q.NewSort(0));
    ASSERT_TRUE(q.SetSortData(0, "order", "Ωmega"));
    EXPECT_EQ(q.GetSortData(0, "order"), "Ωmega");
}

// Every way of reading a cell gives the same text.
TEST(Encoding, DataViewAndGetDataIntoEqualGetData) {
    for (const TextEncoding encoding : {TextEncoding::Windows1250, TextEncoding::Utf8}) {
        CQuibCtrl q;
        ASSERT_TRUE(q.SetEncoding(encoding));
        FillTable(q, 3, 4);
        ASSERT_TRUE(q.SetData(1, 2, "Žluťoučký kůň"));
        ASSERT_TRUE(q.SetData(2, 3, std::string(300, 'x') + "ěšč"));
        ASSERT_TRUE(q.SetData(0, 0, ""));
        std::string into = "old text";
        for (int32_t r = -1; r <= q.RowsCount(); ++r) {
            for (int32_t c = -1; c <= q.ColsCount(); ++c) {
                const std::string data = q.GetData(r, c);
                q.GetDataInto(r, c, into);
                EXPECT_EQ(into, data) << r << "," << c;
                EXPECT_EQ(std::string(q.DataView(r, c)), data) << r << "," << c;
            }
        }
        // On a UTF-8 table, and for ASCII cells, a view lasts until a change.
        const std::string_view ascii = q.DataView(0, 1);
        const std::string_view other = q.DataView(1, 2);
        EXPECT_EQ(ascii, "r0c1");
        if (encoding == TextEncoding::Utf8) {
            EXPECT_EQ(q.DataView(2, 3).substr(300), "ěšč");
            EXPECT_EQ(other, "Žluťoučký kůň");
        }
        EXPECT_EQ(ascii, "r0c1");
    }
}

}  // namespace
