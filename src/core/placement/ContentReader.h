#pragma once

#include "core/items/FileItem.h"

#include <optional>
#include <string>
#include <vector>

namespace vesk::ContentReader {

// Up to 30 keywords from a short local reading of a PDF, text or csv file, most frequent
// first; nothing when no excerpt could be read. Other kinds are never opened, and neither is
// anything but a regular file (a FIFO named "x.txt" would block), a symbolic link, or a PDF too
// large to read in a few seconds.
[[nodiscard]] std::optional<std::vector<std::string>> keywords(const FileItem& item);

// The bounded text excerpt that keywords() tokenizes.
[[nodiscard]] std::optional<std::string> excerpt(const FileItem& item);

} // namespace vesk::ContentReader
