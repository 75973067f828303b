#pragma once

#include <filesystem>
#include <system_error>

namespace vesk {

// A name that is free in the path's folder: the path itself, else "name 2.ext", "name 3.ext", …
// Only a name that does not exist counts as free. A name longer than the folder's file system
// allows has its stem shortened to fit. Any other error (a folder that cannot be searched) ends
// the search: the result is then empty and `ec` says why.
[[nodiscard]] std::filesystem::path freePath(const std::filesystem::path& wanted,
                                             std::error_code& ec);

// Whether `name`'s file name is one freePath() could have given for `wanted`'s: the same, or
// with " 2", " 3", … before the extension.
[[nodiscard]] bool isFreeNameOf(const std::filesystem::path& name,
                                const std::filesystem::path& wanted);

} // namespace vesk
