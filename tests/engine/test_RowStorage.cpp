// Rows and header records kept in the buffer the file was read into, and in
// blocks of their own: every width reads back, edits and writes as it was.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>

#include "EngineTestSupport.h"

using quib::CQuibCtrl;
using namespace quibtest;

namespace {

// A cell text that tells rows and columns apart, sometimes empty, sometimes
// with a 00 inside (which ends it).
std::string CellText(int row, int col) {
    switch ((row + col) % 4) {
        case 0:
            return "";
        case 1:
            return "r" + std::to_string(row) + "c" + std::to_string(col);
        case 2:
            return std::string(static_cast<std::size_t>(col % 300), 'x');
        default:
            return "ab";
    }
}

// Widths around the sizes of the block header: 1 byte up to 63 texts,
// 2 bytes up to 8191, and a block of its own from 8192.
class RowWidths : public ::testing::TestWithParam<int> {};

TEST_P(RowWidths, ReadEditAndWriteBack) {
    const int cols = GetParam();
    const int rows = 3;
    TempDir dir;
    std::vector<Bytes> parts = {FileStart(1, rows, static_cast<uint32_t>(cols))};
    std::vector<std::string> headerTexts;
    for (int t = 0; t < cols; ++t) {
        headerTexts.push_back(CellText(7, t));
    }
    parts.push_back(HeaderRecord("wide", headerTexts));
    for (int r = 0; r < rows; ++r) {
        std::vector<std::string> cells;
        for (int c = 0; c < cols; ++c) {
            cells.push_back(CellText(r, c));
        }
        parts.push_back(RowRecord(cells));
    }
    Bytes file;
    for (const auto& p : parts) {
        file.insert(file.end(), p.begin(), p.end());
    }
    WriteBytes(dir.file("in.tbr"), file);

    CQuibCtrl q;
    q.SetDatabaseName(dir.file("in.tbr"));
    ASSERT_TRUE(q.Open());
    ASSERT_EQ(q.ColsCount(), cols);
    ASSERT_EQ(q.HeaderTextsCount(0), cols);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; c += 1 + cols / 97) {
            ASSERT_EQ(q.GetData(r, c), CellText(r, c)) << r << "," << c;
        }
    }
    EXPECT_EQ(q.GetData(rows - 1, cols - 1), CellText(rows - 1, cols - 1));
    EXPECT_EQ(q.GetHeaderText(0, cols - 1), CellText(7, cols - 1));
    q.SetDatabaseName(dir.file("out.tbr"));
    ASSERT_TRUE(q.Save());
    EXPECT_EQ(ReadBytes(dir.file("out.tbr")), file);

    // Same length (in place), longer, shorter; the other cells stay.
    q.SetData(0, cols - 1, std::string(CellText(0, cols - 1).size(), 'Z'));
    q.SetData(1, 0, "longer than any cell before");
    q.SetData(2, cols / 2, "");
    q.SetHeaderText(0, 0, "h");
    EXPECT_EQ(q.GetData(0, cols - 1), std::string(CellText(0, cols - 1).size(), 'Z'));
    EXPECT_EQ(q.GetData(1, 0), "longer than any cell before");
    EXPECT_EQ(q.GetData(2, cols / 2), "");
    EXPECT_EQ(q.GetHeaderText(0, 0), "h");
    if (cols > 1) {
        EXPECT_EQ(q.GetData(0, cols - 2), CellText(0, cols - 2));
        EXPECT_EQ(q.GetData(1, 1), CellText(1, 1));
    }
    ASSERT_TRUE(q.Save());
    CQuibCtrl again;
    again.SetDatabaseName(dir.file("out.tbr"));
    ASSERT_TRUE(again.Open());
    EXPECT_EQ(Cells(again), Cells(q));
}

INSTANTIATE_TEST_SUITE_P(Widths, RowWidths,
                         ::testing::Values(1, 2, 63, 64, 65, 127, 128, 8191, 8192, 8193, 20000));

TEST(RowStorage, TableWithoutColumnsCountsItsRows) {
    TempDir dir;
    WriteBytes(dir.file("a.tbr"), Concat({FileStart(0, 3, 0), {0x00, 0x01, 0x05, 0x00}}));
    CQuibCtrl q;
    q.SetDatabaseName(dir.file("a.tbr"));
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(q.RowsCountTotal(), 3);
    EXPECT_EQ(q.ColsCount(), 0);
    EXPECT_EQ(q.GetData(0, 0), "");
    EXPECT_FALSE(q.SetData(0, 0, "x"));
    ASSERT_TRUE(q.NewRow(1));
    ASSERT_TRUE(q.DeleteRow(0));
    ASSERT_TRUE(q.NewCol(0));
    EXPECT_EQ(q.RowsCountTotal(), 3);
    ASSERT_TRUE(q.SetData(2, 0, "last"));
    ASSERT_TRUE(q.DeleteCol(0));
    EXPECT_EQ(q.RowsCountTotal(), 3);
    EXPECT_EQ(q.ColsCount(), 0);
    q.SetDatabaseName(dir.file("b.tbr"));
    ASSERT_TRUE(q.Save());
    EXPECT_EQ(ReadBytes(dir.file("b.tbr")),
              Concat({FileStart(0, 3, 0), {0x01, 0x00, 0x01, 0x00, 0x01, 0x00}}));
}

// A text of any length up to 700 bytes with, now and then, a 00 at a
// position around the pieces the reader copies by (which ends the cell).
std::string StoredText(int row, int col) {
    const int length = (row * 7 + col * 13) % 701;
    std::string text(static_cast<std::size_t>(length), static_cast<char>('a' + (row + col) % 26));
    const int nulAt[] = {0, 1, 15, 16, 31, 32, 33, 63, 64, 255, 256, 300};
    if ((row + col) % 5 == 0 && length > 0) {
        text[static_cast<std::size_t>(nulAt[(row / 5) % 12] % length)] = '\0';
    }
    return text;
}

TEST(RowStorage, FileOfManyPiecesReadsEveryCell) {
    // Over a megabyte, so that the file is read in more than one piece, with
    // texts both shorter and longer than a copied piece and a length byte.
    const int rows = 800;
    const int cols = 9;
    TempDir dir;
    Bytes file = FileStart(0, rows, cols);
    for (int r = 0; r < rows; ++r) {
        std::vector<std::string> cells;
        for (int c = 0; c < cols; ++c) {
            cells.push_back(StoredText(r, c));
        }
        const Bytes record = RowRecord(cells);
        file.insert(file.end(), record.begin(), record.end());
    }
    ASSERT_GT(file.size(), 1024u * 1024u);
    WriteBytes(dir.file("big.tbr"), file);

    CQuibCtrl q;
    q.SetDatabaseName(dir.file("big.tbr"));
    ASSERT_TRUE(q.Open());
    ASSERT_EQ(q.RowsCountTotal(), rows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const std::string text = StoredText(r, c);
            ASSERT_EQ(q.GetData(r, c), text.substr(0, text.find('\0'))) << r << "," << c;
        }
    }
}

TEST(RowStorage, FirstRowWithOneByteStoredLength) {
    // The stored length may be the one byte 00 (the reader sizes records by
    // their texts); a first row of 64 or more columns then has less room
    // before its texts than its block's header takes.
    for (const int cols : {64, 200}) {
        for (const std::string& cell : {std::string("ab"), std::string(40, 'x')}) {
            TempDir dir;
            Bytes file = FileStart(0, 2, static_cast<uint32_t>(cols));
            file.push_back(0);  // stored length 00
            for (int c = 0; c < cols; ++c) {
                const Bytes text = EncText(cell + std::to_string(c));
                file.insert(file.end(), text.begin(), text.end());
            }
            const Bytes second = RowRecord(std::vector<std::string>(cols, "second"));
            file.insert(file.end(), second.begin(), second.end());
            WriteBytes(dir.file("short.tbr"), file);

            CQuibCtrl q;
            q.SetDatabaseName(dir.file("short.tbr"));
            ASSERT_TRUE(q.Open()) << cols << " columns, cells of " << cell.size();
            ASSERT_EQ(q.RowsCountTotal(), 2);
            for (int c = 0; c < cols; ++c) {
                ASSERT_EQ(q.GetData(0, c), cell + std::to_string(c)) << cols << "," << c;
                ASSERT_EQ(q.GetData(1, c), "second");
            }
        }
    }
}

// Edits of every kind at random, on rows in the file's buffer and in blocks
// of their own, some growing a row past 64 KiB and back (its ends change
// width), with snapshots taken and written now and then: the table always
// equals a plain model of it, and every snapshot the model as it was then.
TEST(RowStorage, RandomEditsAgreeWithAModel) {
    using Model = std::vector<std::vector<std::string>>;
    for (const auto encoding : {quib::TextEncoding::Windows1250, quib::TextEncoding::Utf8}) {
        for (const unsigned seed : {1u, 2u, 3u}) {
            SCOPED_TRACE("seed " + std::to_string(seed));
            std::mt19937 rng(seed);
            const auto text = [&] {
                static const std::vector<std::string> pieces = {"a",      "Ř", "ž",         "xyz",
                                                                "Dvořák", " ", "0123456789"};
                const unsigned kind = rng() % 50;
                std::size_t length = kind == 0 ? 30000 + rng() % 10000 : rng() % 12;
                std::string t;
                while (t.size() < length) {
                    t += pieces[rng() % pieces.size()];
                }
                return kind == 1 ? std::string() : t;
            };
            TempDir dir;
            CQuibCtrl q;
            ASSERT_TRUE(q.SetEncoding(encoding));
            q.SetDatabaseName(dir.file("db.tbr"));
            FillTable(q, 12, 4);
            Model model = Cells(q);
            std::vector<std::pair<quib::QuibSnapshot, Model>> pictures;
            for (int step = 0; step < 700; ++step) {
                const auto rows = static_cast<int32_t>(model.size());
                const int32_t cols = q.ColsCount();
                const unsigned op = rng() % 100;
                if (op < 60 && rows > 0 && cols > 0) {
                    const auto r = static_cast<int32_t>(rng() % static_cast<unsigned>(rows));
                    const auto c = static_cast<int32_t>(rng() % static_cast<unsigned>(cols));
                    const std::string t = text();
                    ASSERT_TRUE(q.SetData(r, c, t));
                    model[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = t;
                } else if (op < 66) {
                    const auto r = static_cast<int32_t>(rng() % static_cast<unsigned>(rows + 1));
                    ASSERT_TRUE(q.NewRow(r));
                    model.insert(model.begin() + r,
                                 std::vector<std::string>(static_cast<std::size_t>(cols)));
                } else if (op < 72) {
                    std::vector<std::string> row;
                    for (int32_t c = 0; c < cols; ++c) {
                        row.push_back(text());
                    }
                    ASSERT_TRUE(q.AppendRow(row));
                    model.push_back(row);
                } else if (op < 78 && rows > 0) {
                    const auto r = static_cast<int32_t>(rng() % static_cast<unsigned>(rows));
                    ASSERT_TRUE(q.DeleteRow(r));
                    model.erase(model.begin() + r);
                } else if (op < 81 && cols < 8) {
                    const auto c = static_cast<int32_t>(rng() % static_cast<unsigned>(cols + 1));
                    ASSERT_TRUE(q.NewCol(c));
                    for (auto& row : model) {
                        row.insert(row.begin() + c, std::string());
                    }
                } else if (op < 84 && cols > 1) {
                    const auto c = static_cast<int32_t>(rng() % static_cast<unsigned>(cols));
                    ASSERT_TRUE(q.DeleteCol(c));
                    for (auto& row : model) {
                        row.erase(row.begin() + c);
                    }
                } else if (op < 90) {
                    pictures.emplace_back(q.TakeSnapshot(), model);
                } else if (op < 94 && !pictures.empty()) {
                    const std::size_t i = rng() % pictures.size();
                    pictures[i].first.SaveTo(dir.file("picture.tbr"));
                    CQuibCtrl read;
                    read.SetDatabaseName(dir.file("picture.tbr"));
                    ASSERT_TRUE(read.Open());
                    ASSERT_EQ(Cells(read), pictures[i].second) << "step " << step;
                    pictures.erase(pictures.begin() + static_cast<std::ptrdiff_t>(i));
                } else if (op < 97) {
                    ASSERT_TRUE(q.Save());
                    ASSERT_TRUE(q.Open());  // the rows now lie in the file's buffer
                }
                if (step % 50 == 0) {
                    ASSERT_EQ(Cells(q), model) << "step " << step;
                }
            }
            ASSERT_EQ(Cells(q), model);
            for (const auto& [picture, then] : pictures) {
                picture.SaveTo(dir.file("picture.tbr"));
                CQuibCtrl read;
                read.SetDatabaseName(dir.file("picture.tbr"));
                ASSERT_TRUE(read.Open());
                ASSERT_EQ(Cells(read), then);
            }
        }
    }
}

}  // namespace
