#pragma once

#include "core/items/FileItem.h"

namespace vesk {

// The order of a plan's suggestions: the file manager's order of their names, then their paths,
// so that a file's place never depends on the order a folder lists its entries in.
[[nodiscard]] bool planOrder(const FileItem& a, const FileItem& b);

} // namespace vesk
