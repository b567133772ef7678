// Sort records and the order they give.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "EngineTestSupport.h"
#include "Sorter.h"

using quib::CQuibCtrl;
using namespace quibtest;
using Column = std::vector<std::string>;

namespace {

// Sets LC_ALL for one test and restores it afterwards.
class Locale {
  public:
    explicit Locale(const char* value) {
        const char* old = std::getenv("LC_ALL");
        had_ = old != nullptr;
        old_ = had_ ? old : "";
        setenv("LC_ALL", value, 1);
    }
    ~Locale() {
        if (had_) {
            setenv("LC_ALL", old_.c_str(), 1);
        } else {
            unsetenv("LC_ALL");
        }
    }
    Locale(const Locale&) = delete;
    Locale& operator=(const Locale&) = delete;

  private:
    bool had_;
    std::string old_;
};

void Load(CQuibCtrl& q, const std::vector<std::vector<std::string>>& rows) {
    const int cols = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    for (int c = 0; c < cols; ++c) {
        q.NewCol(c);
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        q.NewRow(static_cast<int32_t>(r));
        for (int c = 0; c < cols; ++c) {
            q.SetData(static_cast<int32_t>(r), c, rows[r][static_cast<std::size_t>(c)]);
        }
    }
}

void AddSort(CQuibCtrl& q, const std::string& column, const std::string& order) {
    const int32_t s = q.SortsCount();
    ASSERT_TRUE(q.NewSort(s));
    ASSERT_TRUE(q.SetSortData(s, "column", column));
    ASSERT_TRUE(q.SetSortData(s, "order", order));
}

// The given column of every row, concatenated per row with the next one.
Column Rows(const CQuibCtrl& q) {
    Column out;
    for (const auto& row : Cells(q)) {
        std::string s;
        for (const auto& c : row) {
            s += c;
        }
        out.push_back(s);
    }
    return out;
}

const std::vector<std::vector<std::string>> kB1B2A1 = {{"B", "1"}, {"B", "2"}, {"A", "1"}};

TEST(Sorts, SelectionSortReversesEqualKeys) {
    CQuibCtrl q;
    Load(q, kB1B2A1);
    AddSort(q, "0", "asc");
    EXPECT_EQ(Rows(q), (Column{"A1", "B2", "B1"}));
}

TEST(Sorts, SecondExample) {
    CQuibCtrl q;
    Load(q, {{"B", "1"}, {"A", "1"}, {"A", "2"}});
    AddSort(q, "0", "asc");
    EXPECT_EQ(Rows(q), (Column{"A1", "A2", "B1"}));
}

TEST(Sorts, OrderIgnoresAsciiCase) {
    for (const char* order : {"ASC", "Asc", "aSc"}) {
        CQuibCtrl q;
        Load(q, kB1B2A1);
        AddSort(q, "0", order);
        EXPECT_EQ(Rows(q), (Column{"A1", "B2", "B1"})) << order;
    }
    CQuibCtrl q;
    Load(q, {{"A", "1"}, {"C", "2"}, {"B", "3"}});
    AddSort(q, "0", "DESC");
    EXPECT_EQ(Rows(q), (Column{"C2", "B3", "A1"}));
}

TEST(Sorts, OtherOrderMovesNothingAndStopsLaterRecords) {
    for (const char* order : {"", "ascending", " asc", "up"}) {
        CQuibCtrl q;
        Load(q, {{"B", "2"}, {"A", "1"}, {"C", "3"}});
        AddSort(q, "0", order);
        AddSort(q, "1", "asc");
        EXPECT_EQ(Rows(q), (Column{"B2", "A1", "C3"})) << order;
    }
}

TEST(Sorts, OtherOrderLetsLaterRecordDecideTies) {
    CQuibCtrl q;
    Load(q, {{"x", "2"}, {"x", "1"}, {"y", "0"}});
    AddSort(q, "0", "none");
    AddSort(q, "1", "asc");
    // Rows x2 and x1 tie on column 0, so column 1 decides between them; y
    // differs from both on column 0, where "none" says no row precedes.
    EXPECT_EQ(Rows(q), (Column{"x1", "x2", "y0"}));
}

TEST(Sorts, ColumnOutOfRangeIsSkipped) {
    for (const char* column : {"99", "3", "-1", "2"}) {
        CQuibCtrl q;
        Load(q, {{"B", "2"}, {"A", "1"}});
        AddSort(q, column, "asc");
        EXPECT_EQ(Rows(q), (Column{"B2", "A1"})) << column;
    }
    CQuibCtrl q;
    Load(q, {{"B", "2"}, {"A", "1"}});
    AddSort(q, "99", "desc");
    AddSort(q, "0", "asc");
    EXPECT_EQ(Rows(q), (Column{"A1", "B2"}));
}

TEST(Sorts, ColumnReadAsDecimal) {
    CQuibCtrl q;
    Load(q, {{"a", "2"}, {"b", "1"}});
    AddSort(q, " 1xyz", "asc");
    EXPECT_EQ(Rows(q), (Column{"b1", "a2"}));
}

TEST(Sorts, LetterCaseComparesEqual) {
    CQuibCtrl q;
    Load(q, {{"novák", "2"}, {"NOVÁK", "1"}, {"Novák", "3"}});
    AddSort(q, "0", "asc");
    AddSort(q, "1", "asc");
    EXPECT_EQ(Rows(q), (Column{"NOVÁK1", "novák2", "Novák3"}));
}

TEST(Sorts, AccentsAreNotIgnored) {
    Locale locale("C");
    CQuibCtrl q;
    Load(q, {{"é", "1"}, {"e", "2"}, {"E", "0"}});
    AddSort(q, "0", "asc");
    AddSort(q, "1", "asc");
    EXPECT_EQ(Rows(q), (Column{"E0", "e2", "é1"}));
}

TEST(Sorts, NewSortAtFrontIsPrimaryEmptyRecord) {
    CQuibCtrl q;
    Load(q, {{"B", "1"}, {"A", "2"}});
    AddSort(q, "1", "desc");
    AddSort(q, "0", "asc");
    ASSERT_TRUE(q.NewSort(0));
    EXPECT_EQ(q.SortsCount(), 3);
    EXPECT_EQ(q.GetSortData(0, "column"), "");
    EXPECT_EQ(q.GetSortData(0, "order"), "");
    EXPECT_EQ(q.GetSortData(1, "column"), "1");
    EXPECT_EQ(q.GetSortData(2, "order"), "asc");
    // The empty record reads column 0 with an empty order: as column 0
    // differs everywhere, no row precedes another and nothing moves.
    const Column before = Rows(q);
    EXPECT_TRUE(q.Sort());
    EXPECT_EQ(Rows(q), before);
}

TEST(Sorts, DeleteSortResortsAtOnce) {
    CQuibCtrl q;
    Load(q, {{"A", "1"}, {"B", "2"}, {"C", "0"}});
    AddSort(q, "1", "asc");
    ASSERT_EQ(Rows(q), (Column{"C0", "A1", "B2"}));
    AddSort(q, "0", "desc");
    ASSERT_TRUE(q.NewSort(0));
    ASSERT_TRUE(q.SetSortData(0, "column", "0"));
    ASSERT_TRUE(q.SetSortData(0, "order", "desc"));
    EXPECT_EQ(Rows(q), (Column{"C0", "B2", "A1"}));
    EXPECT_TRUE(q.DeleteSort(0));
    EXPECT_EQ(Rows(q), (Column{"C0", "A1", "B2"}));
    EXPECT_FALSE(q.DeleteSort(2));
    EXPECT_FALSE(q.DeleteSort(-1));
}

TEST(Sorts, FieldNamesAndRanges) {
    CQuibCtrl q;
    EXPECT_FALSE(q.NewSort(1));
    EXPECT_FALSE(q.NewSort(-1));
    ASSERT_TRUE(q.NewSort(0));
    EXPECT_FALSE(q.SetSortData(0, "Column", "1"));
    EXPECT_FALSE(q.SetSortData(0, "text", "1"));
    EXPECT_FALSE(q.SetSortData(1, "column", "1"));
    EXPECT_EQ(q.GetSortData(0, "Order"), "");
    EXPECT_EQ(q.GetSortData(1, "order"), "");
    EXPECT_TRUE(q.SetSortData(0, "order", "Příliš"));
    EXPECT_EQ(q.GetSortData(0, "order"), "Příliš");
}

TEST(Sorts, CursorKeepsNumberAndViewFollows) {
    CQuibCtrl q;
    Load(q, {{"C"}, {"A"}, {"B"}});
    ASSERT_TRUE(q.MoveTo(1));
    AddSort(q, "0", "asc");
    EXPECT_EQ(q.RowIndex(), 1);
    EXPECT_EQ(q.GetData(0, 0), "A");
    EXPECT_EQ(q.GetData(-1, 0), "B");
}

TEST(Sorts, SortedOrderIsSaved) {
    TempDir dir;
    CQuibCtrl q;
    Load(q, {{"C"}, {"A"}, {"B"}});
    AddSort(q, "0", "asc");
    q.SetDatabaseName(dir.file("s.tbr"));
    ASSERT_TRUE(q.Save());
    CQuibCtrl r;
    r.SetDatabaseName(dir.file("s.tbr"));
    ASSERT_TRUE(r.Open());
    EXPECT_EQ(Rows(r), (Column{"A", "B", "C"}));
    // Sort records belong to the engine object and survive Close and Open.
    EXPECT_EQ(q.SortsCount(), 1);
    ASSERT_TRUE(q.Close());
    EXPECT_EQ(q.SortsCount(), 1);
}

TEST(Sorts, NoRecordsNothingMoves) {
    CQuibCtrl q;
    Load(q, {{"C"}, {"A"}, {"B"}});
    EXPECT_TRUE(q.Sort());
    EXPECT_EQ(Rows(q), (Column{"C", "A", "B"}));
}

TEST(Sorts, CzechCollation) {
    Locale locale("cs_CZ.UTF-8");
    CQuibCtrl q;
    const Column names = {"Žák",   "Chalupa", "Čech",  "Sova",  "Řehoř", "Hrubý",  "cibule",
                          "Šimek", "Rybář",   "Cihla", "Zeman", "chata", "CHALUPA"};
    std::vector<std::vector<std::string>> rows;
    for (const auto& n : names) {
        rows.push_back({n});
    }
    Load(q, rows);
    AddSort(q, "0", "asc");
    const Column got = Rows(q);
    const auto at = [&](const std::string& s) {
        return std::find(got.begin(), got.end(), s) - got.begin();
    };
    EXPECT_LT(at("cibule"), at("Cihla"));
    EXPECT_LT(at("Cihla"), at("Čech"));
    EXPECT_LT(at("Čech"), at("Hrubý"));
    EXPECT_LT(at("Hrubý"), at("Chalupa"));
    EXPECT_LT(at("Hrubý"), at("CHALUPA"));
    EXPECT_LT(at("Chalupa"), at("chata"));
    EXPECT_LT(at("CHALUPA"), at("chata"));
    EXPECT_LT(at("chata"), at("Rybář"));
    EXPECT_LT(at("Rybář"), at("Řehoř"));
    EXPECT_LT(at("Řehoř"), at("Sova"));
    EXPECT_LT(at("Sova"), at("Šimek"));
    EXPECT_LT(at("Šimek"), at("Zeman"));
    EXPECT_LT(at("Zeman"), at("Žák"));
    // "Chalupa" and "CHALUPA" are equal, so the two are adjacent.
    EXPECT_EQ(std::abs(at("Chalupa") - at("CHALUPA")), 1);
}

TEST(Sorts, RootCollationWithoutLanguage) {
    for (const char* value : {"C", "POSIX", ""}) {
        Locale locale(value);
        const char* lcCollate = std::getenv("LC_COLLATE");
        const char* lang = std::getenv("LANG");
        if ((lcCollate != nullptr && *lcCollate != '\0') || (lang != nullptr && *lang != '\0')) {
            if (*value == '\0') {
                continue;  // the next variable would decide
            }
        }
        CQuibCtrl q;
        Load(q, {{"Hrubý"}, {"Chalupa"}, {"Čech"}});
        AddSort(q, "0", "asc");
        // Without Czech rules "ch" is c followed by h, and Č sorts with C.
        EXPECT_EQ(Rows(q), (Column{"Čech", "Chalupa", "Hrubý"})) << value;
    }
}

TEST(Sorts, LanguageFromLcCollateThenLang) {
    Locale none("");
    const char* oldCollate = std::getenv("LC_COLLATE");
    const std::string savedCollate = oldCollate ? oldCollate : "";
    const char* oldLang = std::getenv("LANG");
    const std::string savedLang = oldLang ? oldLang : "";
    unsetenv("LC_ALL");
    setenv("LC_COLLATE", "cs_CZ.UTF-8", 1);
    setenv("LANG", "en_US.UTF-8", 1);
    CQuibCtrl q;
    Load(q, {{"Hrubý"}, {"Chalupa"}, {"Cihla"}});
    AddSort(q, "0", "asc");
    EXPECT_EQ(Rows(q), (Column{"Cihla", "Hrubý", "Chalupa"}));
    unsetenv("LC_COLLATE");
    setenv("LANG", "cs_CZ", 1);
    CQuibCtrl r;
    Load(r, {{"Hrubý"}, {"Chalupa"}, {"Cihla"}});
    AddSort(r, "0", "asc");
    EXPECT_EQ(Rows(r), (Column{"Cihla", "Hrubý", "Chalupa"}));
    setenv("LANG", "en_US.UTF-8", 1);
    CQuibCtrl s;
    Load(s, {{"Hrubý"}, {"Chalupa"}, {"Cihla"}});
    AddSort(s, "0", "asc");
    EXPECT_EQ(Rows(s), (Column{"Chalupa", "Cihla", "Hrubý"}));
    oldCollate ? setenv("LC_COLLATE", savedCollate.c_str(), 1) : unsetenv("LC_COLLATE");
    oldLang ? setenv("LANG", savedLang.c_str(), 1) : unsetenv("LANG");
}

// --- The fast sort against the literal selection sort --------------------

// Makes the engine take the literal selection sort over every record while
// it lives.
struct LiteralSort {
    LiteralSort() { quib::SetLiteralSortForTesting(true); }
    ~LiteralSort() { quib::SetLiteralSortForTesting(false); }
    LiteralSort(const LiteralSort&) = delete;
    LiteralSort& operator=(const LiteralSort&) = delete;
};

// Rows of small random texts with many equal keys and mixed letter case.
std::vector<std::vector<std::string>> RandomTable(std::mt19937& rng, int rows, int cols) {
    static const std::vector<std::string> texts = {"",   "a", "A", "b", "B",  "ab", "aB", "Ab",
                                                   "ba", "č", "Č", "c", "ch", "1",  "10", "2"};
    std::vector<std::vector<std::string>> out(static_cast<std::size_t>(rows));
    const std::size_t variety = 2 + rng() % (texts.size() - 1);
    for (auto& row : out) {
        for (int c = 0; c < cols; ++c) {
            row.push_back(texts[rng() % variety]);
        }
    }
    return out;
}

// The specified selection sort, written out independently with the engine's
// own collation taken from a one-record comparison of two rows.
TEST(SortProperty, FastSortEqualsLiteralSelectionSort) {
    Locale locale("cs_CZ.UTF-8");
    std::mt19937 rng(7);
    int checked = 0;
    int moved = 0;
    for (int round = 0; round < 400; ++round) {
        const int rows = static_cast<int>(rng() % 60);
        const int cols = 1 + static_cast<int>(rng() % 3);
        const auto table = RandomTable(rng, rows, cols);
        const int records = 1 + static_cast<int>(rng() % 3);
        std::vector<std::pair<std::string, std::string>> sorts;
        for (int s = 0; s < records; ++s) {
            const char* orders[] = {"asc", "desc", "ASC", "Desc"};
            sorts.emplace_back(std::to_string(rng() % (cols + 1)), orders[rng() % 4]);
        }
        // Records first, on the empty table, so that one sort runs on the
        // original rows.
        CQuibCtrl fast;
        CQuibCtrl literal;
        for (const auto& [c, o] : sorts) {
            AddSort(fast, c, o);
            AddSort(literal, c, o);
        }
        // Often a last record whose order is neither asc nor desc: the engine
        // drops it, the literal sort consults it.
        const char* lastOrders[] = {"", "x", "ascending", " asc"};
        if (rng() % 2 == 0) {
            const std::string c = std::to_string(rng() % (cols + 1));
            const char* o = lastOrders[rng() % 4];
            AddSort(fast, c, o);
            AddSort(literal, c, o);
        }
        Load(fast, table);
        Load(literal, table);
        const auto original = Cells(fast);
        fast.Sort();
        {
            LiteralSort only;
            literal.Sort();
        }
        ASSERT_EQ(Cells(fast), Cells(literal)) << "round " << round;
        // Sorting rows already in order moves nothing, as the literal sort.
        fast.Sort();
        {
            LiteralSort only;
            literal.Sort();
        }
        ASSERT_EQ(Cells(fast), Cells(literal)) << "again, round " << round;
        if (rows > 1 && Cells(fast) != original) {
            ++moved;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 400);
    EXPECT_GT(moved, 200);
}

// For texts of ASCII letters only, case-insensitive collation is plain
// alphabetical order of the lower-cased texts, so the whole algorithm can be
// checked against a reference written from its description.
TEST(SortProperty, MatchesReferenceSelectionSortOnLetters) {
    Locale locale("C");
    std::mt19937 rng(11);
    static const std::vector<std::string> texts = {"",   "a",  "A",  "b",  "B",  "ab",
                                                   "aB", "Ab", "ba", "BA", "abc"};
    for (int round = 0; round < 300; ++round) {
        const int rows = static_cast<int>(rng() % 50);
        const int cols = 3;
        std::vector<std::vector<std::string>> table(static_cast<std::size_t>(rows));
        const std::size_t variety = 2 + rng() % (texts.size() - 1);
        for (auto& row : table) {
            for (int c = 0; c < cols; ++c) {
                row.push_back(texts[rng() % variety]);
            }
        }
        std::vector<std::pair<int, bool>> records;  // column, ascending
        const int n = 2 + static_cast<int>(rng() % 2);
        for (int s = 0; s < n; ++s) {
            records.emplace_back(static_cast<int>(rng() % cols), rng() % 2 == 0);
        }
        auto lower = [](std::string s) {
            for (char& ch : s) {
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            }
            return s;
        };
        auto precedes = [&](const std::vector<std::string>& a, const std::vector<std::string>& b) {
            for (const auto& [col, asc] : records) {
                const int c = lower(a[static_cast<std::size_t>(col)])
                                  .compare(lower(b[static_cast<std::size_t>(col)]));
                if (c != 0) {
                    return asc ? c < 0 : c > 0;
                }
            }
            return false;
        };
        auto expected = table;
        for (std::size_t i = 0; i + 1 < expected.size(); ++i) {
            std::size_t best = i;
            for (std::size_t j = i + 1; j < expected.size(); ++j) {
                if (precedes(expected[j], expected[best])) {
                    best = j;
                }
            }
            if (best != i) {
                std::swap(expected[i], expected[best]);
            }
        }
        CQuibCtrl q;
        for (const auto& [col, asc] : records) {
            const int32_t s = q.SortsCount();
            q.NewSort(s);
            q.SetSortData(s, "column", std::to_string(col));
            q.SetSortData(s, "order", asc ? "asc" : "desc");
        }
        Load(q, table);
        q.Sort();
        ASSERT_EQ(Cells(q), expected) << "round " << round;
        // The literal path gives the same.
        CQuibCtrl l;
        for (const auto& [col, asc] : records) {
            AddSort(l, std::to_string(col), asc ? "asc" : "desc");
        }
        Load(l, table);
        {
            LiteralSort only;
            l.Sort();
        }
        ASSERT_EQ(Cells(l), expected) << "literal, round " << round;
    }
}

TEST(SortProperty, LargeTableFastAndLiteralAgree) {
    Locale locale("cs_CZ.UTF-8");
    std::mt19937 rng(3);
    const auto table = RandomTable(rng, 1500, 3);
    CQuibCtrl fast;
    CQuibCtrl literal;
    for (CQuibCtrl* q : {&fast, &literal}) {
        AddSort(*q, "1", "asc");
        AddSort(*q, "0", "desc");
    }
    AddSort(fast, "2", "?");
    AddSort(literal, "2", "?");
    Load(fast, table);
    Load(literal, table);
    fast.Sort();
    {
        LiteralSort only;
        literal.Sort();
    }
    EXPECT_EQ(Cells(fast), Cells(literal));
}

// The calls a host makes while it builds its records on a loaded table:
// NewSort, then the column (the order still empty, each call sorting), then
// the order. After every call the rows stand as the literal sort puts them.
TEST(SortProperty, BuildingRecordsCallByCallEqualsLiteralSort) {
    Locale locale("cs_CZ.UTF-8");
    std::mt19937 rng(19);
    for (int round = 0; round < 150; ++round) {
        const int rows = static_cast<int>(rng() % 50);
        const int cols = 1 + static_cast<int>(rng() % 3);
        const auto table = RandomTable(rng, rows, cols);
        CQuibCtrl fast;
        CQuibCtrl literal;
        Load(fast, table);
        Load(literal, table);
        const int records = 1 + static_cast<int>(rng() % 3);
        for (int k = 0; k < records; ++k) {
            const std::string column = std::to_string(rng() % (cols + 1));
            const char* orders[] = {"asc", "desc", "DESC", "", "up"};
            const std::string order = orders[rng() % 5];
            const auto step = [&](CQuibCtrl& q, int call) {
                switch (call) {
                    case 0:
                        return q.NewSort(k);
                    case 1:
                        return q.SetSortData(k, "column", column);
                    default:
                        return q.SetSortData(k, "order", order);
                }
            };
            for (int call = 0; call < 3; ++call) {
                ASSERT_TRUE(step(fast, call));
                {
                    LiteralSort only;
                    ASSERT_TRUE(step(literal, call));
                }
                ASSERT_EQ(Cells(fast), Cells(literal))
                    << "round " << round << ", record " << k << ", call " << call;
            }
        }
    }
}

}  // namespace

// --- Both text encodings ---------------------------------------------------

namespace {

// count contacts (surname, name, town) of Czech names, many alike and in
// mixed letter case, always the same.
std::vector<std::vector<std::string>> CzechContacts(int count) {
    static const std::vector<std::string> surnames = {
        "Novák",   "Dvořák",  "Černý",   "Procházka", "Kučera",   "Veselý", "Horák", "Němec",
        "Růžička", "Šimek",   "Chalupa", "Cihla",     "Řezníček", "Ševčík", "Žák",   "Čermák",
        "ŠŤASTNÝ", "šťastný", "Ďurica",  "Ťoupal",    "Ňachal",   "Úlehla", "Ůžek",  "Hrubý"};
    static const std::vector<std::string> names = {"Jiří",     "Šárka", "Zdeněk", "Ondřej", "Věra",
                                                   "Kateřina", "Eva",   "Ivana",  "Ěva",    ""};
    static const std::vector<std::string> towns = {
        "Plzeň", "Ústí nad Labem", "České Budějovice", "Brno", "Frýdek-Místek", "Děčín", "Praha"};
    std::mt19937 rng(1250);
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < count; ++i) {
        rows.push_back({surnames[rng() % surnames.size()], names[rng() % names.size()],
                        towns[rng() % towns.size()]});
    }
    return rows;
}

// The rows loaded into an engine of the given encoding, saved and read back.
void LoadThroughFile(CQuibCtrl& q, quib::TextEncoding encoding,
                     const std::vector<std::vector<std::string>>& rows, const std::string& path) {
    ASSERT_TRUE(q.SetEncoding(encoding));
    Load(q, rows);
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Save());
    ASSERT_TRUE(q.Open());
    ASSERT_EQ(q.Encoding(), encoding);
}

}  // namespace

TEST(SortEncodings, SameContactsSortTheSameInBothEncodings) {
    const auto contacts = CzechContacts(1000);
    for (const char* language : {"cs_CZ.UTF-8", "C.UTF-8", "de_DE.UTF-8"}) {
        SCOPED_TRACE(language);
        Locale locale(language);
        TempDir dir;
        CQuibCtrl old;
        CQuibCtrl unicode;
        LoadThroughFile(old, quib::TextEncoding::Windows1250, contacts, dir.file("old.tbr"));
        LoadThroughFile(unicode, quib::TextEncoding::Utf8, contacts, dir.file("new.tbr"));
        ASSERT_EQ(Cells(old), Cells(unicode));
        for (CQuibCtrl* q : {&old, &unicode}) {
            AddSort(*q, "0", "asc");
            AddSort(*q, "2", "desc");
            AddSort(*q, "1", "asc");
        }
        EXPECT_EQ(Cells(old), Cells(unicode));
        CQuibCtrl unsorted;
        Load(unsorted, contacts);
        EXPECT_NE(Cells(old), Cells(unsorted));  // something did move
    }
}

TEST(SortEncodings, LiteralSelectionSortAgreesInBothEncodings) {
    Locale locale("cs_CZ.UTF-8");
    LiteralSort literal;
    const auto contacts = CzechContacts(300);
    TempDir dir;
    CQuibCtrl old;
    CQuibCtrl unicode;
    LoadThroughFile(old, quib::TextEncoding::Windows1250, contacts, dir.file("old.tbr"));
    LoadThroughFile(unicode, quib::TextEncoding::Utf8, contacts, dir.file("new.tbr"));
    for (CQuibCtrl* q : {&old, &unicode}) {
        AddSort(*q, "2", "asc");
        AddSort(*q, "0", "desc");
    }
    EXPECT_EQ(Cells(old), Cells(unicode));
}

// Names only Unicode can hold sort by ICU's rules for the user's language.
TEST(SortEncodings, UnicodeNamesSortByTheLanguagesRules) {
    const Column names = {"Zahle",    "Ørsted", "Olsen",   "Åberg", "Aalto", "Ærø",
                          "Pedersen", "Ωmega",  "Alpha",   "Иван",  "Ελένη", "王小明",
                          "山田太郎", "Žák",    "Chalupa", "Hora",  "Cihla", "👩‍💻 Emoji"};
    struct Case {
        const char* language;
        Column order;
    };
    const Case cases[] = {
        {"C.UTF-8",
         {"👩‍💻 Emoji", "Aalto", "Åberg", "Ærø", "Alpha", "Chalupa", "Cihla", "Hora",
          "Olsen", "Ørsted", "Pedersen", "Zahle", "Žák", "Ελένη", "Ωmega", "Иван", "山田太郎",
          "王小明"}},
        // Danish: Æ, Ø and Å (which Aa is) after Z.
        {"da_DK.UTF-8",
         {"👩‍💻 Emoji", "Alpha", "Chalupa", "Cihla", "Hora", "Olsen", "Pedersen", "Zahle",
          "Žák", "Ærø", "Ørsted", "Åberg", "Aalto", "Ελένη", "Ωmega", "Иван", "山田太郎",
          "王小明"}},
        // Czech: Ch after H.
        {"cs_CZ.UTF-8",
         {"👩‍💻 Emoji", "Aalto", "Åberg", "Ærø", "Alpha", "Cihla", "Hora", "Chalupa",
          "Olsen", "Ørsted", "Pedersen", "Zahle", "Žák", "Ελένη", "Ωmega", "Иван", "山田太郎",
          "王小明"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        Locale locale(c.language);
        CQuibCtrl q;
        ASSERT_TRUE(q.SetEncoding(quib::TextEncoding::Utf8));
        std::vector<std::vector<std::string>> rows;
        for (const auto& n : names) {
            rows.push_back({n});
        }
        Load(q, rows);
        AddSort(q, "0", "asc");
        EXPECT_EQ(Rows(q), c.order);
        AddSort(q, "0", "desc");
        q.DeleteSort(0);
        EXPECT_EQ(Rows(q), Column(c.order.rbegin(), c.order.rend()));
    }
}
