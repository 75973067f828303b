#pragma once

#include <filesystem>
#include <vector>

namespace vesk::FileManager {

// Shows the files, selected, in the person's file manager: all in one request over D-Bus
// (org.freedesktop.FileManager1), else by opening the folder of the first one.
void reveal(const std::vector<std::filesystem::path>& files);

} // namespace vesk::FileManager
