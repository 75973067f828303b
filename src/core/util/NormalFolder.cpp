#include "core/util/NormalFolder.h"

namespace vesk {

std::filesystem::path normalFolder(const std::filesystem::path& folder) {
    std::filesystem::path normal = folder.lexically_normal();
    if (!normal.has_filename() && normal.has_parent_path() && normal != normal.root_path()) {
        normal = normal.parent_path();
    }
    return normal;
}

bool isSameFolder(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    return normalFolder(a) == normalFolder(b) || std::filesystem::equivalent(a, b, ec);
}

} // namespace vesk
