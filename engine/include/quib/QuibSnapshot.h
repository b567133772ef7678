#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "quib/TextEncoding.h"

namespace quib {

struct TableImage;

// An unchangeable picture of an engine's table (header records, rows in
// physical order, column count) taken with CQuibCtrl::TakeSnapshot, for
// writing the database file off the thread that edits the table.
//
// Cost: taking one copies a handle per row and per header record (8 bytes
// each); no text is copied. The engine shares the row storage with its
// snapshots copy on write: while any snapshot lives, an edit builds a new
// block for the row it changes and keeps the old block for the snapshots.
//
// Thread rules: a snapshot is taken on the engine's thread. After that it
// (and every copy of it) may be read, written with SaveTo, copied and
// destroyed on any thread, also while the engine goes on being edited,
// opened or closed, and after the engine is gone. One snapshot may be
// written by several threads at once. Two writes to the same path at once
// are each atomic; whichever renames last wins, so a host that saves in the
// background writes one file from one thread at a time.
class QuibSnapshot {
  public:
    // An empty snapshot: no columns, rows or header records.
    QuibSnapshot();
    ~QuibSnapshot();
    QuibSnapshot(const QuibSnapshot&);
    QuibSnapshot& operator=(const QuibSnapshot&);
    QuibSnapshot(QuibSnapshot&&) noexcept;
    QuibSnapshot& operator=(QuibSnapshot&&) noexcept;

    int32_t ColsCount() const;
    int32_t RowsCountTotal() const;
    int32_t HeadersCount() const;
    // The encoding of the table it shows, which SaveTo writes.
    TextEncoding Encoding() const;

    // Writes the snapshot to path exactly as CQuibCtrl::Save writes the
    // table: a temporary file beside it, flushed and renamed into place.
    // Raises QuibError 10000 when the file may not be replaced or the
    // temporary file cannot be created, 10004 when writing fails; the old
    // file is then left whole. Fires no event: BeforeSave and AfterSave
    // belong to the engine's own Save.
    void SaveTo(const std::string& path) const;

  private:
    friend class CQuibCtrl;
    explicit QuibSnapshot(std::shared_ptr<const TableImage> image);
    std::shared_ptr<const TableImage> image_;
};

}  // namespace quib
