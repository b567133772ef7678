#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "Row.h"
#include "quib/TextEncoding.h"

namespace quib {

// What a table's blocks live in besides their own allocations: the buffer
// the file was read into (holding the borrowed row blocks) and the rows
// replaced while an image still showed them.
struct TableStorage {
    std::unique_ptr<char[]> fileBuffer;
    std::size_t fileBufferBytes = 0;
    std::vector<Row> retired;
    // How many images show blocks of this storage. An image lets go with
    // release and the table looks with acquire, so an edit after the last
    // image went sees everything that image's reader did.
    std::atomic<int> images{0};
};

// Counts one image in its storage while it lives.
class StoragePin {
  public:
    StoragePin() = default;
    explicit StoragePin(std::shared_ptr<TableStorage> storage) : storage_(std::move(storage)) {
        storage_->images.fetch_add(1, std::memory_order_relaxed);
    }
    ~StoragePin() {
        if (storage_) {
            storage_->images.fetch_sub(1, std::memory_order_release);
        }
    }
    StoragePin(StoragePin&&) noexcept = default;
    StoragePin& operator=(StoragePin&&) = delete;
    StoragePin(const StoragePin&) = delete;
    StoragePin& operator=(const StoragePin&) = delete;

  private:
    std::shared_ptr<TableStorage> storage_;
};

// A frozen picture of a table: its counts and the blocks of its header
// records and rows, kept alive and unchanged by the storage it shares with
// the table. It can be read on any thread while the table goes on changing
// on its own.
struct TableImage {
    int32_t cols = 0;
    int32_t rows = 0;
    TextEncoding encoding = TextEncoding::Windows1250;
    std::vector<RowRef> headers;
    std::vector<RowRef> rowBlocks;  // empty when there are no columns
    StoragePin storage;

    RowRef RowAt(int32_t r) const {
        return rowBlocks.empty() ? RowRef() : rowBlocks[static_cast<std::size_t>(r)];
    }
};

// The engine's table: ColsCount columns, rows of text cells in physical order
// and the header records (each kept as a Row whose text 0 is the name), all
// texts in the table's encoding. Indexes here are physical and already
// checked by the caller.
//
// Blocks an image may still show are never changed or freed: while an image
// exists, every change builds new blocks and sets the old ones aside in the
// shared storage, which goes when the last image goes.
class Table {
  public:
    Table();
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    int32_t Cols() const { return cols_; }
    int32_t Rows() const { return cols_ == 0 ? bareRows_ : static_cast<int32_t>(rows_.size()); }
    int32_t Headers() const { return static_cast<int32_t>(headers_.size()); }

    // How the texts are kept. Clear leaves it; the texts themselves are
    // converted by ReplaceTexts, so this only says what they are.
    TextEncoding Encoding() const { return encoding_; }
    void SetEncoding(TextEncoding encoding) { encoding_ = encoding; }

    void Clear();

    // A row that is not loaded yet (while a file is being read) reads as empty.
    std::string_view Cell(int32_t row, int32_t col) const {
        if (cols_ == 0) {
            return {};
        }
        const Row& r = rows_[static_cast<std::size_t>(row)];
        return r.Block() == nullptr ? std::string_view() : r.TextOf(col, cols_, rowHeaderBytes_);
    }
    bool IsLoaded(int32_t row) const {
        return cols_ == 0 || rows_[static_cast<std::size_t>(row)].Block() != nullptr;
    }
    // Replaces one cell: in place when the row's block has room (only the
    // cells after it move), else in a new block with room to spare.
    void SetCell(int32_t row, int32_t col, std::string_view text);
    // Appends a row of exactly Cols() texts, built by the caller.
    void AppendRow(Row cells);

    // Column changes rebuild every row; when memory runs out part-way the
    // table is left as it was.
    void InsertCol(int32_t col);
    void RemoveCol(int32_t col);

    void InsertRow(int32_t before);
    void RemoveRow(int32_t row);
    // Exchanges two rows' storage; no cell is copied.
    void SwapRows(int32_t a, int32_t b) {
        if (cols_ != 0) {
            std::swap(rows_[static_cast<std::size_t>(a)], rows_[static_cast<std::size_t>(b)]);
        }
    }
    RowRef RowAt(int32_t row) const {
        if (cols_ == 0) {
            return RowRef();
        }
        return rows_[static_cast<std::size_t>(row)];
    }

    RowRef Header(int32_t h) const { return headers_[static_cast<std::size_t>(h)]; }
    void SetHeaderText(int32_t h, int32_t i, std::string_view text);
    void InsertHeaderText(int32_t h, int32_t i);
    void RemoveHeaderText(int32_t h, int32_t i);
    void InsertHeader(int32_t before);
    void RemoveHeader(int32_t h);

    // Loading from a file: the counts and the buffer the file was read into
    // (which the borrowed blocks point into) with its size, then each
    // record in order.
    void BeginLoad(int32_t cols, int32_t rows, int32_t headers, std::unique_ptr<char[]> buffer,
                   std::size_t bufferBytes);
    void AppendHeader(Row header) { headers_.push_back(std::move(header)); }
    void SetLoadedRow(int32_t row, Row cells) {
        rows_[static_cast<std::size_t>(row)] = std::move(cells);
    }

    // A picture of the table as it stands, sharing its blocks.
    TableImage Image() const;

    // Puts every row and header record through convert (which builds the
    // new record from the old one) and switches to encoding. When convert
    // raises, the table is left as it was.
    template <typename Convert>
    void ReplaceTexts(TextEncoding encoding, Convert convert);

  private:
    // Whether an image still shares the storage.
    bool shared() const;
    // Puts a new block in place of a row's or header's old one.
    void replace(Row& slot, Row fresh);
    void retire(std::vector<Row>& rows);
    // Lets go of the blocks that lie in the file buffer without reading
    // them: a large table's rows would otherwise be fetched from memory
    // once more only to learn that they own nothing.
    void forgetBorrowed(std::vector<Row>& rows) const;
    void setText(Row& slot, int32_t i, std::string_view text);
    // Drops the file buffer once no row, header or image uses it.
    void releaseBufferIfUnused();

    // Declared first so that it goes last: the rows may borrow its buffer.
    std::shared_ptr<TableStorage> storage_;
    void setCols(int32_t cols) {
        cols_ = cols;
        rowHeaderBytes_ = RowRef::HeaderSize(cols);
    }

    TextEncoding encoding_ = TextEncoding::Windows1250;
    int32_t cols_ = 0;
    std::size_t rowHeaderBytes_ = 1;  // the size of every row's block header
    int32_t bareRows_ = 0;            // the row count while there are no columns
    std::vector<Row> rows_;
    std::vector<Row> headers_;
};

template <typename Convert>
void Table::ReplaceTexts(TextEncoding encoding, Convert convert) {
    std::vector<Row> rows;
    rows.reserve(rows_.size());
    for (const Row& row : rows_) {
        rows.push_back(convert(RowRef(row)));
    }
    std::vector<Row> headers;
    headers.reserve(headers_.size());
    for (const Row& header : headers_) {
        headers.push_back(convert(RowRef(header)));
    }
    retire(rows_);
    retire(headers_);
    rows_.swap(rows);
    headers_.swap(headers);
    encoding_ = encoding;
    releaseBufferIfUnused();
}

}  // namespace quib
