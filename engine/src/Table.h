#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "Row.h"

namespace quib {

// The engine's table: ColsCount columns, rows of text cells in physical order
// and the header records (each kept as a Row whose text 0 is the name).
// Indexes here are physical and already checked by the caller.
class Table {
  public:
    int32_t Cols() const { return cols_; }
    int32_t Rows() const { return static_cast<int32_t>(rows_.size()); }
    int32_t Headers() const { return static_cast<int32_t>(headers_.size()); }

    void Clear();

    // A row that is not loaded yet (while a file is being read) reads as empty.
    std::string_view Cell(int32_t row, int32_t col) const {
        const Row& r = rows_[static_cast<std::size_t>(row)];
        return col < r.Count() ? r.Text(col) : std::string_view();
    }
    bool IsLoaded(int32_t row) const {
        return rows_[static_cast<std::size_t>(row)].Count() == cols_;
    }
    void SetCell(int32_t row, int32_t col, std::string_view text);

    // Column changes rebuild every row; when memory runs out part-way the
    // table is left as it was.
    void InsertCol(int32_t col);
    void RemoveCol(int32_t col);

    void InsertRow(int32_t before);
    void RemoveRow(int32_t row);
    // Exchanges two rows' storage; no cell is copied.
    void SwapRows(int32_t a, int32_t b) { std::swap(rows_[a], rows_[b]); }
    const Row& RowAt(int32_t row) const { return rows_[static_cast<std::size_t>(row)]; }

    const Row& Header(int32_t h) const { return headers_[static_cast<std::size_t>(h)]; }
    Row& Header(int32_t h) { return headers_[static_cast<std::size_t>(h)]; }
    void InsertHeader(int32_t before);
    void RemoveHeader(int32_t h);

    // Loading from a file: the counts first, then each record in order.
    void BeginLoad(int32_t cols, int32_t rows);
    void AppendHeader(Row header) { headers_.push_back(std::move(header)); }
    void SetLoadedRow(int32_t row, Row cells) {
        rows_[static_cast<std::size_t>(row)] = std::move(cells);
    }

  private:
    int32_t cols_ = 0;
    std::vector<Row> rows_;
    std::vector<Row> headers_;
};

}  // namespace quib
