#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "Fd.h"

namespace quib {

// The file a save writes before it takes the database's place: in the same
// folder, locked (flock) from the start until it is renamed or removed, and
// named ".NAME.tmp-XXXXXX" (six letters or digits). Where the file system
// allows, it is made without a name (O_TMPFILE) and named only once it is
// whole, just before the rename, so that a save killed while writing leaves
// nothing behind; elsewhere it is named from the start (mkostemp).
class TempFile {
  public:
    // Raises 10000 when no file can be made in the folder.
    explicit TempFile(const std::filesystem::path& target);
    // Removes the named file when it was not renamed; an unnamed one goes
    // with its descriptor.
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int Descriptor() const { return fd_.get(); }
    // Gives the file its name (when it has none yet) and renames it over
    // the target; false when either fails (the file is then removed by the
    // destructor).
    bool ReplaceTarget();

  private:
    static int create(const std::filesystem::path& dir, const std::filesystem::path& target,
                      std::string& name);
    bool giveName();

    std::filesystem::path target_;
    std::filesystem::path dir_;
    std::string name_;  // empty while the file has none
    Fd fd_;
    bool renamed_ = false;
};

// The mode a new database file gets: 0666 less the process's file mode mask.
mode_t NewFileMode();

// Removes the temporary files killed saves of the database at path left
// beside it: only names of the writer's own pattern, regular files older
// than the given age and not locked by a save that is still running.
// Errors are ignored.
void RemoveStaleTempFiles(const std::string& path, int64_t olderThanSeconds = 60);

}  // namespace quib
