#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What tells one version of a file from another without reading it: the
// device and inode (a save that renames a new file over it makes a new
// inode), the size and the modification time in nanoseconds. Another
// program that changes the file changes at least one of them.
struct TFileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    bool regular = false;  // a regular file (not a folder, FIFO, device ...)

    bool operator==(const TFileStamp&) const = default;

    // The stamp of the file at path (through symbolic links); none when
    // there is no such file or it cannot be looked at.
    static std::optional<TFileStamp> Of(const std::string& path);
};
