#include "session/u_RecordFilter.h"

#include "session/u_QuibReader.h"
#include "session/u_RecordChange.h"
#include "support/u_LetterFolding.h"

#include <algorithm>

namespace {

// Joins the fields of a record: typing never brings it, so no word matches
// across two fields.
constexpr char kFieldSeparator = '\x1f';

void appendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The words of text, folded, in UTF-8.
std::vector<std::string> foldedWords(const QString& text) {
    std::vector<std::string> words;
    for (const QString& word :
         LetterFolding::Fold(text).simplified().split(u' ', Qt::SkipEmptyParts)) {
        const QByteArray utf8 = word.toUtf8();
        if (!utf8.isEmpty()) {
            words.emplace_back(utf8.constData(), static_cast<std::size_t>(utf8.size()));
        }
    }
    return words;
}

template <typename T>
void followInVector(std::vector<T>& items, const TRecordChange& change, const T& inserted) {
    using Kind = TRecordChange::Kind;
    const auto first = items.begin() + std::min<std::ptrdiff_t>(change.first, items.size());
    switch (change.kind) {
        case Kind::Cells:
            break;
        case Kind::Inserted:
            items.insert(first, static_cast<std::size_t>(change.count), inserted);
            break;
        case Kind::Removed: {
            const auto last = first + std::min<std::ptrdiff_t>(change.count, items.end() - first);
            items.erase(first, last);
            break;
        }
        case Kind::Reordered: {
            std::vector<T> moved(items.size());
            for (std::size_t r = 0; r < items.size() && r < std::size_t(change.count); ++r) {
                moved[static_cast<std::size_t>(change.newPositions[int(r)])] = std::move(items[r]);
            }
            items = std::move(moved);
            break;
        }
    }
}

}  // namespace

TRecordFilter::TRecordFilter(QVector<int> columns) : columns_(std::move(columns)) {}

void TRecordFilter::AppendFolded(std::string_view text, std::string& out) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        if (*p < 0x80) {
            out += static_cast<char>(LetterFolding::FoldedChar(*p));
            ++p;
            continue;
        }
        // Two- and three-byte sequences are letters of the plane the table
        // folds; anything else (four bytes, broken sequences) stays as it is.
        if ((*p & 0xE0) == 0xC0 && end - p >= 2 && (p[1] & 0xC0) == 0x80) {
            const auto c = static_cast<char16_t>(((p[0] & 0x1F) << 6) | (p[1] & 0x3F));
            if (const char16_t f = LetterFolding::FoldedChar(c); f != u'\0') {
                appendUtf8(f, out);
            }
            p += 2;
        } else if ((*p & 0xF0) == 0xE0 && end - p >= 3 && (p[1] & 0xC0) == 0x80 &&
                   (p[2] & 0xC0) == 0x80) {
            const auto c =
                static_cast<char16_t>(((p[0] & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
            const char16_t f = (c >= 0xD800 && c <= 0xDFFF) ? c : LetterFolding::FoldedChar(c);
            if (f != u'\0') {
                appendUtf8(f, out);
            }
            p += 3;
        } else {
            out += static_cast<char>(*p);
            ++p;
        }
    }
}

std::string TRecordFilter::foldedRecord(const TQuibReader& quib, int record) const {
    std::string folded;
    for (const int column : columns_) {
        if (column >= 0 && column < quib.ColsCount()) {
            AppendFolded(quib.DataView(record, column), folded);
        }
        folded += kFieldSeparator;
    }
    return folded;
}

void TRecordFilter::Prepare(const TQuibReader& quib) {
    const int rows = quib.RowsCount();
    if (built_ && int(folded_.size()) == rows) {
        refreshStale(quib);
        return;
    }
    folded_.assign(static_cast<std::size_t>(rows), {});
    stale_.assign(static_cast<std::size_t>(rows), 0);
    for (int r = 0; r < rows; ++r) {
        folded_[std::size_t(r)] = foldedRecord(quib, r);
    }
    built_ = true;
}

void TRecordFilter::refreshStale(const TQuibReader& quib) {
    for (std::size_t r = 0; r < stale_.size(); ++r) {
        if (stale_[r] != 0) {
            folded_[r] = foldedRecord(quib, int(r));
            stale_[r] = 0;
        }
    }
}

void TRecordFilter::FollowChange(const TRecordChange& change) {
    if (built_) {
        followInVector(folded_, change, std::string());
        followInVector(stale_, change, char(1));
        if (change.kind == TRecordChange::Kind::Cells) {
            const auto end = std::min<std::size_t>(stale_.size(), change.first + change.count);
            for (auto r = static_cast<std::size_t>(change.first); r < end; ++r) {
                stale_[r] = 1;
            }
        }
    }
    if (IsActive()) {
        FollowRecordChange(shown_, change);
        changedSinceSearch_ = true;
    }
}

bool TRecordFilter::matches(int record) const {
    const std::string_view text = folded_[std::size_t(record)];
    return std::all_of(words_.begin(), words_.end(), [text](const std::string& word) {
        return text.find(word) != std::string_view::npos;
    });
}

// Whether every record the words match is shown already: each word shown now
// is part of one of the new words, and no change came in between.
bool TRecordFilter::narrows(const std::vector<std::string>& words) const {
    if (!IsActive() || changedSinceSearch_) {
        return false;
    }
    return std::all_of(words_.begin(), words_.end(), [&words](const std::string& old) {
        return std::any_of(words.begin(), words.end(), [&old](const std::string& word) {
            return word.find(old) != std::string::npos;
        });
    });
}

void TRecordFilter::SetText(const QString& text, const TQuibReader& quib) {
    std::vector<std::string> words = foldedWords(text);
    text_ = words.empty() ? QString() : text;
    if (words.empty()) {
        words_.clear();
        shown_.clear();
        changedSinceSearch_ = false;
        return;
    }
    Prepare(quib);
    const bool narrowing = narrows(words);
    words_ = std::move(words);
    changedSinceSearch_ = false;
    if (narrowing) {
        shown_.erase(std::remove_if(shown_.begin(), shown_.end(),
                                    [this](int record) { return !matches(record); }),
                     shown_.end());
        return;
    }
    shown_.clear();
    for (int r = 0; r < int(folded_.size()); ++r) {
        if (matches(r)) {
            shown_.append(r);
        }
    }
}
