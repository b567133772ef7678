#include "Table.h"

#include <atomic>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace quib {

Table::Table() : storage_(std::make_shared<TableStorage>()) {}

Table::~Table() {
    forgetBorrowed(rows_);
    forgetBorrowed(headers_);
}

void Table::forgetBorrowed(std::vector<Row>& rows) const {
    const auto begin = reinterpret_cast<std::uintptr_t>(storage_->fileBuffer.get());
    const std::uintptr_t end = begin + storage_->fileBufferBytes;
    if (begin == 0) {
        return;
    }
    for (Row& row : rows) {
        const auto at = reinterpret_cast<std::uintptr_t>(row.Block());
        if (at >= begin && at < end) {
            row.ForgetBorrowed();
        }
    }
}

bool Table::shared() const {
    return storage_->images.load(std::memory_order_acquire) > 0;
}

void Table::replace(Row& slot, Row fresh) {
    if (shared()) {
        storage_->retired.push_back(std::move(slot));
    } else if (!storage_->retired.empty()) {
        storage_->retired.clear();
    }
    slot = std::move(fresh);
}

void Table::retire(std::vector<Row>& rows) {
    if (shared()) {
        auto& retired = storage_->retired;
        retired.insert(retired.end(), std::make_move_iterator(rows.begin()),
                       std::make_move_iterator(rows.end()));
    }
    rows.clear();
}

namespace {

// Spare room for a record that is being edited: it will likely change again.
std::size_t slackFor(RowRef record, std::size_t text) {
    const uint64_t bytes = Row::BlockBytes(record.Count(), record.TextBytes() + text);
    return static_cast<std::size_t>(bytes / 4) + 64;
}

}  // namespace

void Table::setText(Row& slot, int32_t i, std::string_view text) {
    if (!shared()) {
        storage_->retired.clear();  // no image shows them any more
        if (slot.Overwrite(i, text) || slot.ReplaceInPlace(i, text)) {
            return;
        }
    }
    replace(slot, slot.Replaced(i, text, slackFor(slot, text.size())));
}

void Table::releaseBufferIfUnused() {
    if (shared()) {
        // The images keep the old storage, and the buffer with it.
        storage_ = std::make_shared<TableStorage>();
        return;
    }
    storage_->retired.clear();
    storage_->fileBuffer.reset();
    storage_->fileBufferBytes = 0;
}

void Table::Clear() {
    setCols(0);
    bareRows_ = 0;
    if (shared()) {
        // The images keep the old storage with everything in it.
        retire(rows_);
        retire(headers_);
        storage_ = std::make_shared<TableStorage>();
    } else {
        forgetBorrowed(rows_);
        forgetBorrowed(headers_);
        rows_.clear();
        headers_.clear();
        storage_->retired.clear();
        storage_->fileBuffer.reset();
        storage_->fileBufferBytes = 0;
    }
    rows_.shrink_to_fit();
    headers_.shrink_to_fit();
}

void Table::SetCell(int32_t row, int32_t col, std::string_view text) {
    setText(rows_[static_cast<std::size_t>(row)], col, text);
}

void Table::AppendRow(Row cells) {
    if (cols_ == 0) {
        ++bareRows_;
        return;
    }
    rows_.push_back(std::move(cells));
}

void Table::InsertCol(int32_t col) {
    std::vector<Row> rebuilt;
    if (cols_ == 0) {
        rebuilt.reserve(static_cast<std::size_t>(bareRows_));
        for (int32_t r = 0; r < bareRows_; ++r) {
            rebuilt.push_back(Row::Empty(1));
        }
    } else {
        rebuilt.reserve(rows_.size());
        for (const Row& row : rows_) {
            rebuilt.push_back(row.Inserted(col, {}));
        }
    }
    retire(rows_);
    rows_.swap(rebuilt);
    setCols(cols_ + 1);
}

void Table::RemoveCol(int32_t col) {
    if (cols_ == 1) {
        // Rows without cells are only counted.
        bareRows_ = static_cast<int32_t>(rows_.size());
        retire(rows_);
        rows_.shrink_to_fit();
        setCols(cols_ - 1);
        return;
    }
    std::vector<Row> rebuilt;
    rebuilt.reserve(rows_.size());
    for (const Row& row : rows_) {
        rebuilt.push_back(row.Removed(col));
    }
    retire(rows_);
    rows_.swap(rebuilt);
    setCols(cols_ - 1);
}

void Table::InsertRow(int32_t before) {
    if (cols_ == 0) {
        ++bareRows_;
        return;
    }
    // A new row is usually filled cell by cell next: room for a few.
    rows_.insert(rows_.begin() + before,
                 Row::Empty(cols_, 64 + 8 * static_cast<std::size_t>(cols_)));
}

void Table::RemoveRow(int32_t row) {
    if (cols_ == 0) {
        --bareRows_;
        return;
    }
    replace(rows_[static_cast<std::size_t>(row)], Row());
    rows_.erase(rows_.begin() + row);
}

void Table::SetHeaderText(int32_t h, int32_t i, std::string_view text) {
    setText(headers_[static_cast<std::size_t>(h)], i, text);
}

void Table::InsertHeaderText(int32_t h, int32_t i) {
    Row& slot = headers_[static_cast<std::size_t>(h)];
    replace(slot, slot.Inserted(i, {}));
}

void Table::RemoveHeaderText(int32_t h, int32_t i) {
    Row& slot = headers_[static_cast<std::size_t>(h)];
    replace(slot, slot.Removed(i));
}

void Table::InsertHeader(int32_t before) {
    headers_.insert(headers_.begin() + before, Row::Empty(1));
}

void Table::RemoveHeader(int32_t h) {
    replace(headers_[static_cast<std::size_t>(h)], Row());
    headers_.erase(headers_.begin() + h);
}

void Table::BeginLoad(int32_t cols, int32_t rows, int32_t headers, std::unique_ptr<char[]> buffer,
                      std::size_t bufferBytes) {
    Clear();
    setCols(cols);
    storage_->fileBuffer = std::move(buffer);
    storage_->fileBufferBytes = bufferBytes;
    headers_.reserve(static_cast<std::size_t>(headers));
    if (cols == 0) {
        bareRows_ = rows;
    } else {
        rows_.resize(static_cast<std::size_t>(rows));
    }
}

TableImage Table::Image() const {
    TableImage image{cols_, Rows(), encoding_, {}, {}, StoragePin(storage_)};
    image.headers.assign(headers_.begin(), headers_.end());
    image.rowBlocks.assign(rows_.begin(), rows_.end());
    return image;
}

}  // namespace quib
