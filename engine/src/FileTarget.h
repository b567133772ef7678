#pragma once

#include <filesystem>
#include <string>

namespace quib {

// The file a database name stands for when it is written or locked: through
// symbolic links, the file they point to (which need not exist). False for a
// chain of links that does not end (a loop).
bool FileTargetOf(const std::string& path, std::filesystem::path& target);

// The folder a target lies in ("." for a bare name).
std::filesystem::path FolderOf(const std::filesystem::path& target);

}  // namespace quib
