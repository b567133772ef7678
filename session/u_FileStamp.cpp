#include "session/u_FileStamp.h"

#include <sys/stat.h>

std::optional<TFileStamp> TFileStamp::Of(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    TFileStamp stamp;
    stamp.device = static_cast<std::uint64_t>(st.st_dev);
    stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.size = static_cast<std::int64_t>(st.st_size);
    stamp.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 +
                       static_cast<std::int64_t>(st.st_mtim.tv_nsec);
    stamp.regular = S_ISREG(st.st_mode);
    return stamp;
}
