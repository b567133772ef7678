// The members of CQuibCtrl about the table's encoding and the cheap ways to
// read and append cells.

#include <new>
#include <vector>

#include "CodePage.h"
#include "QuibCtrlImpl.h"
#include "Utf8.h"

namespace quib {

namespace {

// The texts back to back in all, each ending at its entry of ends, when
// every one is UTF-8 that a UTF-8 table stores as it is (no NUL, nothing
// to mend): checked as one run, in which no text may start inside a
// character (so none ends inside one either). False when some text needs
// storing one by one.
bool appendValidUtf8(const std::string* texts, int32_t count, std::string& all,
                     std::vector<uint32_t>& ends) {
    all.clear();
    ends.clear();
    for (int32_t c = 0; c < count; ++c) {
        const std::string& text = texts[c];
        if (text.find('\0') != std::string::npos ||
            (!text.empty() && (static_cast<unsigned char>(text[0]) & 0xC0) == 0x80)) {
            return false;
        }
        all += text;
        ends.push_back(static_cast<uint32_t>(all.size()));
    }
    return IsValidUtf8(all);
}

// Raised inside a conversion of the table when a text has no form in the
// encoding asked for.
struct NoForm {};

// A record with every text recoded; raises NoForm.
Row recoded(RowRef record, TextEncoding from, TextEncoding to, std::string& texts,
            std::vector<uint32_t>& ends, std::string& one) {
    texts.clear();
    ends.clear();
    record.ForEachText([&](std::string_view t) {
        if (!Recode(from, to, t, one)) {
            throw NoForm();
        }
        texts += one;
        ends.push_back(static_cast<uint32_t>(texts.size()));
    });
    if (texts.size() > UINT32_MAX) {
        throw std::bad_alloc();
    }
    return Row::FromParts(texts.data(), ends.data(), static_cast<int32_t>(ends.size()));
}

}  // namespace

TextEncoding CQuibCtrl::Encoding() const {
    return impl_->encoding();
}

bool CQuibCtrl::SetEncoding(TextEncoding encoding) {
    if (impl_->loading) {
        return false;
    }
    const TextEncoding from = impl_->encoding();
    if (encoding == from) {
        return true;
    }
    std::string texts;
    std::vector<uint32_t> ends;
    std::string one;
    try {
        impl_->table.ReplaceTexts(encoding, [&](RowRef record) {
            return recoded(record, from, encoding, texts, ends, one);
        });
    } catch (const NoForm&) {
        return false;
    } catch (const std::bad_alloc&) {
        RaiseError(errors::kOutOfMemory);
    }
    impl_->rebuildView();
    return true;
}

bool CQuibCtrl::CanStoreText(const std::string& utf8, char32_t* firstMissing) const {
    return CanStore(impl_->encoding(), utf8, firstMissing);
}

void CQuibCtrl::GetDataInto(int32_t Row, int32_t Col, std::string& out) const {
    std::string_view cell;
    if (!impl_->cellAt(Row, Col, cell)) {
        out.clear();
        return;
    }
    if (impl_->encoding() == TextEncoding::Utf8) {
        out.assign(cell);
    } else {
        Cp1250ToUtf8(cell, out);
    }
}

std::string_view CQuibCtrl::DataView(int32_t Row, int32_t Col) const {
    std::string_view cell;
    if (!impl_->cellAt(Row, Col, cell)) {
        return {};
    }
    if (impl_->encoding() == TextEncoding::Utf8 || IsAscii(cell.data(), cell.size())) {
        return cell;
    }
    Cp1250ToUtf8(cell, impl_->viewBuffer);
    return impl_->viewBuffer;
}

bool CQuibCtrl::AppendRow(const std::string* texts, int32_t count) {
    return impl_->wrapped(&QuibEvents::BeforeNewRow, &QuibEvents::AfterNewRow, [&] {
        const int32_t cols = impl_->table.Cols();
        if (impl_->loading || count < 0 || count > cols || (texts == nullptr && count > 0)) {
            return false;
        }
        std::string& all = impl_->appendTexts;
        std::vector<uint32_t>& ends = impl_->appendEnds;
        if (impl_->encoding() != TextEncoding::Utf8 || !appendValidUtf8(texts, count, all, ends)) {
            all.clear();
            ends.clear();
            for (int32_t c = 0; c < count; ++c) {
                all += impl_->toStored(texts[c]);
                ends.push_back(static_cast<uint32_t>(all.size()));
            }
        }
        if (all.size() > UINT32_MAX) {
            throw std::bad_alloc();
        }
        ends.resize(static_cast<std::size_t>(cols), static_cast<uint32_t>(all.size()));
        impl_->table.AppendRow(cols == 0 ? quib::Row()
                                         : Row::FromParts(all.data(), ends.data(), cols));
        const int32_t physical = impl_->table.Rows() - 1;
        impl_->view.RowInserted(impl_->table, impl_->filters, impl_->filterActive, physical);
        return true;
    });
}

bool CQuibCtrl::AppendRow(const std::vector<std::string>& texts) {
    if (texts.size() > static_cast<std::size_t>(INT32_MAX)) {
        return AppendRow(nullptr, -1);  // refused, with its events
    }
    return AppendRow(texts.data(), static_cast<int32_t>(texts.size()));
}

}  // namespace quib
