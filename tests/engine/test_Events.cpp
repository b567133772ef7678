// The Before/After protocol: order, Cancel, and After also on bad arguments.

#include <gtest/gtest.h>

#include <functional>

#include "EngineTestSupport.h"

using quib::CQuibCtrl;
using namespace quibtest;
using Events = std::vector<std::string>;

namespace {

struct Wrapped {
    const char* name;
    const char* before;
    const char* after;
    std::function<bool(CQuibCtrl&)> good;  // valid arguments on the fixture
    std::function<bool(CQuibCtrl&)> bad;   // out-of-range arguments
};

// A table of 3 rows x 2 columns with one header record holding one text.
void Prepare(CQuibCtrl& q) {
    FillTable(q, 3, 2);
    q.NewHeader(0);
    q.SetHeaderName(0, "h");
    q.NewHeaderText(0, 0);
    q.SetHeaderText(0, 0, "t");
}

// A fingerprint of the table's whole state, to show a cancel changed nothing.
std::string State(const CQuibCtrl& q) {
    std::string s = std::to_string(q.RowsCountTotal()) + "/" + std::to_string(q.ColsCount()) + "/" +
                    std::to_string(q.HeadersCount()) + "/" + std::to_string(q.RowIndex()) + "/" +
                    std::to_string(q.FiltersCount()) + ":";
    for (const auto& row : Cells(q)) {
        for (const auto& c : row) {
            s += c + ",";
        }
        s += ";";
    }
    for (int h = 0; h < q.HeadersCount(); ++h) {
        s += q.GetHeaderName(h) + "=";
        for (int t = 0; t < q.HeaderTextsCount(h); ++t) {
            s += q.GetHeaderText(h, t) + ",";
        }
    }
    for (int f = 0; f < q.FiltersCount(); ++f) {
        s += "|" + q.GetFilterData(f, "column");
    }
    return s;
}

std::vector<Wrapped> WrappedOperations() {
    return {
        {"SetData", "BeforeSetData", "AfterSetData",
         [](CQuibCtrl& q) { return q.SetData(0, 0, "x"); },
         [](CQuibCtrl& q) { return q.SetData(5, 0, "x"); }},
        {"NewCol", "BeforeNewCol", "AfterNewCol", [](CQuibCtrl& q) { return q.NewCol(1); },
         [](CQuibCtrl& q) { return q.NewCol(3); }},
        {"DeleteCol", "BeforeDeleteCol", "AfterDeleteCol",
         [](CQuibCtrl& q) { return q.DeleteCol(0); }, [](CQuibCtrl& q) { return q.DeleteCol(2); }},
        {"NewRow", "BeforeNewRow", "AfterNewRow", [](CQuibCtrl& q) { return q.NewRow(3); },
         [](CQuibCtrl& q) { return q.NewRow(4); }},
        {"DeleteRow", "BeforeDeleteRow", "AfterDeleteRow",
         [](CQuibCtrl& q) { return q.DeleteRow(0); }, [](CQuibCtrl& q) { return q.DeleteRow(3); }},
        {"AppendRow", "BeforeNewRow", "AfterNewRow",
         [](CQuibCtrl& q) {
             return q.AppendRow({"x", "y"});
         },
         [](CQuibCtrl& q) {
             return q.AppendRow({"x", "y", "z"});
         }},
        {"NewHeader", "BeforeNewHeader", "AfterNewHeader",
         [](CQuibCtrl& q) { return q.NewHeader(1); }, [](CQuibCtrl& q) { return q.NewHeader(2); }},
        {"DeleteHeader", "BeforeDeleteHeader", "AfterDeleteHeader",
         [](CQuibCtrl& q) { return q.DeleteHeader(0); },
         [](CQuibCtrl& q) { return q.DeleteHeader(1); }},
        {"NewHeaderText", "BeforeNewHeaderText", "AfterNewHeaderText",
         [](CQuibCtrl& q) { return q.NewHeaderText(0, 1); },
         [](CQuibCtrl& q) { return q.NewHeaderText(0, 2); }},
        {"DeleteHeaderText", "BeforeDeleteHeaderText", "AfterDeleteHeaderText",
         [](CQuibCtrl& q) { return q.DeleteHeaderText(0, 0); },
         [](CQuibCtrl& q) { return q.DeleteHeaderText(0, 1); }},
        {"SetHeaderName", "BeforeSetHeaderName", "AfterSetHeaderName",
         [](CQuibCtrl& q) { return q.SetHeaderName(0, "n"); },
         [](CQuibCtrl& q) { return q.SetHeaderName(1, "n"); }},
        {"SetHeaderText", "BeforeSetHeaderText", "AfterSetHeaderText",
         [](CQuibCtrl& q) { return q.SetHeaderText(0, 0, "u"); },
         [](CQuibCtrl& q) { return q.SetHeaderText(0, 1, "u"); }},
        {"NewFilter", "BeforeNewFilter", "AfterNewFilter",
         [](CQuibCtrl& q) { return q.NewFilter(0); }, [](CQuibCtrl& q) { return q.NewFilter(1); }},
        {"DeleteFilter", "BeforeDeleteFilter", "AfterDeleteFilter",
         [](CQuibCtrl& q) {
             q.NewFilter(0);
             return q.DeleteFilter(0);
         },
         [](CQuibCtrl& q) { return q.DeleteFilter(0); }},
        {"SetFilterData", "BeforeSetFilterData", "AfterSetFilterData",
         [](CQuibCtrl& q) {
             q.NewFilter(0);
             return q.SetFilterData(0, "column", "1");
         },
         [](CQuibCtrl& q) { return q.SetFilterData(0, "column", "1"); }},
        {"SetSortData", "BeforeSetSortData", "AfterSetSortData",
         [](CQuibCtrl& q) {
             q.NewSort(0);
             return q.SetSortData(0, "column", "1");
         },
         [](CQuibCtrl& q) { return q.SetSortData(0, "column", "1"); }},
    };
}

TEST(Events, WrappedOperationFiresBeforeThenAfter) {
    for (const auto& op : WrappedOperations()) {
        SCOPED_TRACE(op.name);
        CQuibCtrl q;
        Prepare(q);
        RecordingListener l;
        q.SetListener(&l);
        EXPECT_TRUE(op.good(q));
        // Setup calls of the same lambda (NewFilter, NewSort) fire their own
        // events first; the operation's pair is last.
        ASSERT_GE(l.events.size(), 2u);
        EXPECT_EQ(l.events[l.events.size() - 2], op.before);
        EXPECT_EQ(l.events.back(), op.after);
        EXPECT_EQ(l.dirtyCancelSeen, 0);
    }
}

TEST(Events, OutOfRangeStillFiresAfter) {
    for (const auto& op : WrappedOperations()) {
        SCOPED_TRACE(op.name);
        CQuibCtrl q;
        Prepare(q);
        RecordingListener l;
        q.SetListener(&l);
        const std::string before = State(q);
        EXPECT_FALSE(op.bad(q));
        EXPECT_EQ(l.events, (Events{op.before, op.after}));
        EXPECT_EQ(State(q), before);
    }
}

TEST(Events, CancelRefusesAndChangesNothing) {
    for (const auto& op : WrappedOperations()) {
        SCOPED_TRACE(op.name);
        CQuibCtrl q;
        Prepare(q);
        RecordingListener l;
        q.SetListener(&l);
        l.cancel = {op.before};
        const std::string before = State(q);
        EXPECT_FALSE(op.good(q));
        EXPECT_EQ(l.events.back(), op.before);
        // No After event of the cancelled operation.
        for (const auto& e : l.events) {
            EXPECT_NE(e, op.after);
        }
        if (std::string(op.name) != "DeleteFilter" && std::string(op.name) != "SetFilterData" &&
            std::string(op.name) != "SetSortData") {
            EXPECT_EQ(State(q), before);
        }
    }
}

TEST(Events, CancelledNewRowLeavesRowCount) {
    CQuibCtrl q;
    FillTable(q, 2, 1);
    RecordingListener l;
    l.cancel = {"BeforeNewRow"};
    q.SetListener(&l);
    EXPECT_FALSE(q.NewRow(0));
    EXPECT_EQ(q.RowsCountTotal(), 2);
    EXPECT_EQ(l.events, Events{"BeforeNewRow"});
}

TEST(Events, SetDataOutOfRangeFiresBoth) {
    CQuibCtrl q;
    FillTable(q, 3, 1);
    RecordingListener l;
    q.SetListener(&l);
    EXPECT_FALSE(q.SetData(5, 0, "anything"));
    EXPECT_EQ(l.events, (Events{"BeforeSetData", "AfterSetData"}));
}

TEST(Events, NonZeroCancelValuesAllRefuse) {
    struct Canceller : quib::QuibEvents {
        int16_t value = 0;
        void BeforeSetData(int16_t& c) override { c = value; }
    };
    for (int16_t v : {int16_t{1}, int16_t{-1}, int16_t{255}, int16_t{INT16_MIN}}) {
        CQuibCtrl q;
        FillTable(q, 1, 1);
        Canceller l;
        l.value = v;
        q.SetListener(&l);
        EXPECT_FALSE(q.SetData(0, 0, "x")) << v;
        EXPECT_EQ(q.GetData(0, 0), "r0c0");
    }
}

TEST(Events, UnwrappedMembersFireNothing) {
    CQuibCtrl q;
    Prepare(q);
    RecordingListener l;
    q.SetListener(&l);
    q.GetData(0, 0);
    q.GetHeaderName(0);
    q.GetHeaderText(0, 0);
    q.HeaderTextsCount(0);
    q.GetHeaderIndexFromName("h");
    q.CompareVersion("1", "2");
    q.SetFilterActive(true);
    q.SetFilterActive(false);
    q.SetDatabaseName("x");
    q.GetFilterData(0, "column");
    q.GetSortData(0, "column");
    EXPECT_TRUE(q.NewSort(0));
    EXPECT_TRUE(q.Sort());
    EXPECT_TRUE(q.DeleteSort(0));
    q.AboutBox();
    EXPECT_EQ(l.events, Events{});
}

TEST(Events, FileOperationsOrder) {
    TempDir dir;
    CQuibCtrl q;
    RecordingListener l;
    q.SetListener(&l);
    q.SetDatabaseName(dir.file("a.tbr"));
    EXPECT_TRUE(q.Create());
    EXPECT_TRUE(q.Save());
    EXPECT_TRUE(q.Open());
    EXPECT_TRUE(q.Close());
    EXPECT_EQ(l.events,
              (Events{"BeforeCreate", "AfterCreate", "BeforeSave", "AfterSave", "BeforeOpen",
                      "CheckCompatibility", "AfterOpen", "BeforeClose", "AfterClose"}));
}

TEST(Events, CancelledFileOperations) {
    TempDir dir;
    const std::string path = dir.file("a.tbr");
    {
        CQuibCtrl q;
        FillTable(q, 2, 2);
        q.SetDatabaseName(path);
        ASSERT_TRUE(q.Save());
    }
    const Bytes saved = ReadBytes(path);
    CQuibCtrl q;
    q.SetDatabaseName(path);
    ASSERT_TRUE(q.Open());
    q.SetData(0, 0, "changed");
    RecordingListener l;
    q.SetListener(&l);
    l.cancel = {"BeforeSave", "BeforeCreate", "BeforeClose", "BeforeOpen"};
    EXPECT_FALSE(q.Save());
    EXPECT_FALSE(q.Create());
    EXPECT_FALSE(q.Close());
    EXPECT_FALSE(q.Open());
    EXPECT_EQ(l.events, (Events{"BeforeSave", "BeforeCreate", "BeforeClose", "BeforeOpen"}));
    EXPECT_EQ(ReadBytes(path), saved);
    // Close with Cancel leaves the table loaded.
    EXPECT_EQ(q.RowsCountTotal(), 2);
    EXPECT_EQ(q.GetData(0, 0), "changed");
}

// Declined after its headers, a file large enough to be read ahead leaves
// nothing loaded and nothing reading.
TEST(Events, CancelledCompatibilityCheckOfALargeFile) {
    TempDir dir;
    const std::string path = dir.file("large.tbr");
    const uint32_t rows = 100000;
    Bytes bytes = Concat({FileStart(1, rows, 1), HeaderRecord("ProgramName", {"Other"})});
    for (uint32_t r = 0; r < rows; ++r) {
        const Bytes row = RowRecord({"contact " + std::to_string(r)});
        bytes.insert(bytes.end(), row.begin(), row.end());
    }
    ASSERT_GT(bytes.size(), 1u << 20);
    WriteBytes(path, bytes);
    CQuibCtrl q;
    q.SetDatabaseName(path);
    RecordingListener l;
    l.cancel = {"CheckCompatibility"};
    q.SetListener(&l);
    EXPECT_FALSE(q.Open());
    EXPECT_EQ(q.RowsCountTotal(), 0);
    q.SetListener(nullptr);
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(q.DataView(static_cast<int32_t>(rows) - 1, 0), "contact " + std::to_string(rows - 1));
}

TEST(Events, CancelledCompatibilityCheck) {
    TempDir dir;
    const std::string path = dir.file("a.tbr");
    WriteBytes(path, Concat({FileStart(1, 1, 1), HeaderRecord("ProgramName", {"Other"}),
                             RowRecord({"a"})}));
    CQuibCtrl q;
    q.SetDatabaseName(path);
    struct Checker : RecordingListener {
        CQuibCtrl* q = nullptr;
        int32_t headers = -2, rows = -2, cols = -2, found = -2;
        std::string text;
        void CheckCompatibility(int16_t& c) override {
            headers = q->HeadersCount();
            rows = q->RowsCountTotal();
            cols = q->ColsCount();
            found = q->GetHeaderIndexFromName("ProgramName");
            text = q->GetHeaderText(found, 0);
            RecordingListener::CheckCompatibility(c);
        }
    } l;
    l.q = &q;
    l.cancel = {"CheckCompatibility"};
    q.SetListener(&l);
    EXPECT_FALSE(q.Open());
    EXPECT_EQ(l.events, (Events{"BeforeOpen", "CheckCompatibility", "AfterOpen"}));
    // During the check the header part and the counts are loaded.
    EXPECT_EQ(l.headers, 1);
    EXPECT_EQ(l.rows, 1);
    EXPECT_EQ(l.cols, 1);
    EXPECT_EQ(l.found, 0);
    EXPECT_EQ(l.text, "Other");
    EXPECT_EQ(q.HeadersCount(), 0);
    EXPECT_EQ(q.RowsCountTotal(), 0);
    EXPECT_EQ(q.ColsCount(), 0);
    EXPECT_EQ(q.RowIndex(), -1);
}

TEST(Events, HandlerMayCallBackIntoEngine) {
    struct Reentrant : quib::QuibEvents {
        CQuibCtrl* q = nullptr;
        std::string seen;
        void AfterSetData() override { seen = q->GetData(0, 0); }
        void AfterMove() override { q->RefreshData(); }
        int refreshes = 0;
        void OnRefreshData() override { ++refreshes; }
    } l;
    CQuibCtrl q;
    FillTable(q, 2, 1);
    l.q = &q;
    q.SetListener(&l);
    q.SetData(0, 0, "new");
    EXPECT_EQ(l.seen, "new");
    q.MoveNext();
    EXPECT_EQ(l.refreshes, 1);
}

TEST(Events, DetachedListenerHearsNothing) {
    CQuibCtrl q;
    RecordingListener l;
    q.SetListener(&l);
    q.NewCol(0);
    q.SetListener(nullptr);
    q.NewCol(0);
    EXPECT_EQ(l.events, (Events{"BeforeNewCol", "AfterNewCol"}));
}

TEST(Events, ErrorSkipsAfterEvent) {
    TempDir dir;
    CQuibCtrl q;
    RecordingListener l;
    q.SetListener(&l);
    q.SetDatabaseName(dir.file("missing.tbr"));
    EXPECT_THROW(q.Open(), quib::QuibError);
    EXPECT_EQ(l.events, Events{"BeforeOpen"});
}

// A CheckCompatibility handler that edits rows, columns or the file while the
// rows are still being read: the edits are refused and the read completes.
TEST(Events, EditsDuringCompatibilityCheckAreRefused) {
    TempDir dir;
    const std::string path = dir.file("a.tbr");
    const Bytes file = Concat({FileStart(1, 3, 2), HeaderRecord("h", {"t"}), RowRecord({"a", "b"}),
                               RowRecord({"c", "d"}), RowRecord({"e", "f"})});
    struct Meddler : quib::QuibEvents {
        CQuibCtrl* q = nullptr;
        std::function<bool(CQuibCtrl&)> edit;
        bool result = true;
        void CheckCompatibility(int16_t&) override { result = edit(*q); }
    };
    const std::vector<std::pair<const char*, std::function<bool(CQuibCtrl&)>>> edits = {
        {"DeleteCol", [](CQuibCtrl& q) { return q.DeleteCol(0); }},
        {"NewCol", [](CQuibCtrl& q) { return q.NewCol(1); }},
        {"DeleteRow", [](CQuibCtrl& q) { return q.DeleteRow(2); }},
        {"NewRow", [](CQuibCtrl& q) { return q.NewRow(0); }},
        {"SetData", [](CQuibCtrl& q) { return q.SetData(0, 0, "x"); }},
        {"AppendRow",
         [](CQuibCtrl& q) {
             return q.AppendRow({"x", "y"});
         }},
        {"SetEncoding", [](CQuibCtrl& q) { return q.SetEncoding(quib::TextEncoding::Utf8); }},
        {"Close", [](CQuibCtrl& q) { return q.Close(); }},
        {"Create", [](CQuibCtrl& q) { return q.Create(); }},
        {"Save", [](CQuibCtrl& q) { return q.Save(); }},
        {"Open", [](CQuibCtrl& q) { return q.Open(); }},
    };
    for (const auto& [name, edit] : edits) {
        SCOPED_TRACE(name);
        WriteBytes(path, file);
        CQuibCtrl q;
        Meddler m;
        m.q = &q;
        m.edit = edit;
        q.SetListener(&m);
        q.SetDatabaseName(path);
        EXPECT_TRUE(q.Open());
        EXPECT_FALSE(m.result);
        q.SetListener(nullptr);
        EXPECT_EQ(Cells(q),
                  (std::vector<std::vector<std::string>>{{"a", "b"}, {"c", "d"}, {"e", "f"}}));
        EXPECT_EQ(q.GetHeaderText(0, 0), "t");
        EXPECT_EQ(ReadBytes(path), file);
        // Edits work again once the read is over.
        EXPECT_TRUE(q.DeleteCol(0));
    }
}

TEST(Events, SortAndFilterDuringCompatibilityCheckAreHarmless) {
    TempDir dir;
    const std::string path = dir.file("a.tbr");
    WriteBytes(path,
               Concat({FileStart(0, 3, 1), RowRecord({"c"}), RowRecord({"a"}), RowRecord({"b"})}));
    struct Sorter : quib::QuibEvents {
        CQuibCtrl* q = nullptr;
        void CheckCompatibility(int16_t&) override {
            q->NewSort(0);
            q->SetSortData(0, "order", "asc");
            q->NewFilter(0);
            q->SetFilterActive(true);
        }
    } l;
    CQuibCtrl q;
    l.q = &q;
    q.SetListener(&l);
    q.SetDatabaseName(path);
    EXPECT_TRUE(q.Open());
    EXPECT_EQ(q.RowsCount(), 3);
    EXPECT_EQ(q.GetData(0, 0), "c");
}

// AppendRow builds the row whole: one BeforeNewRow (whose Cancel refuses
// all of it) and one AfterNewRow, no cell events, and the same row as NewRow
// and a SetData per cell would give.
TEST(Events, AppendRowFiresOnlyTheRowEvents) {
    CQuibCtrl q;
    Prepare(q);
    ASSERT_TRUE(q.MoveTo(1));
    RecordingListener l;
    q.SetListener(&l);
    ASSERT_TRUE(q.AppendRow({"Dvořák", std::string("ends\0here", 9)}));
    EXPECT_EQ(l.events, (Events{"BeforeNewRow", "AfterNewRow"}));
    EXPECT_EQ(q.GetData(3, 0), "Dvořák");
    EXPECT_EQ(q.GetData(3, 1), "ends");
    EXPECT_EQ(q.RowIndex(), 1);
    l.clear();
    const std::string one = "only the first";
    ASSERT_TRUE(q.AppendRow(&one, 1));
    ASSERT_TRUE(q.AppendRow(nullptr, 0));
    EXPECT_EQ(q.GetData(4, 0), "only the first");
    EXPECT_EQ(q.GetData(4, 1), "");
    EXPECT_EQ(q.GetData(5, 0), "");
    EXPECT_EQ(q.RowsCountTotal(), 6);
    EXPECT_FALSE(q.AppendRow(nullptr, 1));
    EXPECT_FALSE(q.AppendRow(&one, -1));
    EXPECT_EQ(q.RowsCountTotal(), 6);
    l.clear();
    l.cancel.insert("BeforeNewRow");
    const std::string before = State(q);
    EXPECT_FALSE(q.AppendRow({"x", "y"}));
    EXPECT_EQ(l.events, Events{"BeforeNewRow"});
    EXPECT_EQ(State(q), before);

    CQuibCtrl cellByCell;
    Prepare(cellByCell);
    for (const std::vector<std::string>& row :
         {std::vector<std::string>{"Dvořák", "ends"}, {"only the first", ""}, {"", ""}}) {
        cellByCell.NewRow(cellByCell.RowsCount());
        for (int32_t c = 0; c < 2; ++c) {
            cellByCell.SetData(cellByCell.RowsCount() - 1, c, row[static_cast<std::size_t>(c)]);
        }
    }
    EXPECT_EQ(Cells(q), Cells(cellByCell));
}

TEST(Events, AppendedRowsEnterTheFilteredView) {
    for (const auto encoding : {quib::TextEncoding::Windows1250, quib::TextEncoding::Utf8}) {
        CQuibCtrl q;
        ASSERT_TRUE(q.SetEncoding(encoding));
        q.NewCol(0);
        q.NewFilter(0);
        q.SetFilterData(0, "compar", "contain");
        q.SetFilterData(0, "text", "ř");
        q.SetFilterActive(true);
        for (const char* name : {"Dvořák", "Novák", "Řehoř", "Ørsted"}) {
            ASSERT_TRUE(q.AppendRow({name}));
        }
        EXPECT_EQ(q.RowsCountTotal(), 4);
        ASSERT_EQ(q.RowsCount(), 2);
        EXPECT_EQ(q.GetData(0, 0), "Dvořák");
        EXPECT_EQ(q.GetData(1, 0), "Řehoř");
        q.SetFilterActive(false);
        EXPECT_EQ(q.GetData(3, 0), encoding == quib::TextEncoding::Utf8 ? "Ørsted" : "?rsted");
    }
}

}  // namespace
