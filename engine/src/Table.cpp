#include "Table.h"

namespace quib {

void Table::Clear() {
    cols_ = 0;
    rows_.clear();
    rows_.shrink_to_fit();
    headers_.clear();
}

void Table::SetCell(int32_t row, int32_t col, std::string_view text) {
    rows_[static_cast<std::size_t>(row)].SetText(col, text);
}

void Table::InsertCol(int32_t col) {
    std::vector<Row> rebuilt;
    rebuilt.reserve(rows_.size());
    for (const Row& row : rows_) {
        rebuilt.push_back(row.Inserted(col, {}));
    }
    rows_.swap(rebuilt);
    ++cols_;
}

void Table::RemoveCol(int32_t col) {
    std::vector<Row> rebuilt;
    rebuilt.reserve(rows_.size());
    for (const Row& row : rows_) {
        rebuilt.push_back(row.Removed(col));
    }
    rows_.swap(rebuilt);
    --cols_;
}

void Table::InsertRow(int32_t before) {
    rows_.insert(rows_.begin() + before, Row::Empty(cols_));
}

void Table::RemoveRow(int32_t row) {
    rows_.erase(rows_.begin() + row);
}

void Table::InsertHeader(int32_t before) {
    headers_.insert(headers_.begin() + before, Row::Empty(1));
}

void Table::RemoveHeader(int32_t h) {
    headers_.erase(headers_.begin() + h);
}

void Table::BeginLoad(int32_t cols, int32_t rows) {
    Clear();
    cols_ = cols;
    rows_.resize(static_cast<std::size_t>(rows));
}

}  // namespace quib
