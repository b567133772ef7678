#include "FileTarget.h"

namespace quib {

bool FileTargetOf(const std::string& path, std::filesystem::path& target) {
    std::error_code ec;
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        if (!std::filesystem::is_symlink(target, ec)) {
            return true;
        }
        const std::filesystem::path link = std::filesystem::read_symlink(target, ec);
        if (ec) {
            return false;
        }
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    return false;
}

std::filesystem::path FolderOf(const std::filesystem::path& target) {
    std::filesystem::path dir = target.parent_path();
    return dir.empty() ? std::filesystem::path(".") : dir;
}

}  // namespace quib
