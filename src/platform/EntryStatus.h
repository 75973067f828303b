#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vesk::platform {

// What one statx call tells about a directory entry (by default the entry itself: symbolic links
// are not followed).
struct EntryStatus {
    bool isDirectory = false; // any directory, packages included
    bool isPackage = false;   // a directory with a package extension (".app", ".rtfd", ...)
    std::int64_t size = 0;    // length in bytes; 0 for directories and packages
    std::optional<std::chrono::system_clock::time_point> changed;  // status-change time
    std::optional<std::chrono::system_clock::time_point> born;     // birth time, when reported
    std::optional<std::chrono::system_clock::time_point> modified; // contents' modification time
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
};

// Whether a directory of this name is a package (an application bundle, a document package).
[[nodiscard]] bool isPackageName(std::string_view name);

enum class Links { notFollowed, followed };

// Nothing when the entry is gone or cannot be examined.
[[nodiscard]] std::optional<EntryStatus> entryStatus(const std::filesystem::path& path,
                                                     Links links = Links::notFollowed);
// The same for the entry `name` of the folder open as the descriptor `folder`: the folder's
// path is not looked up again for every entry of it.
[[nodiscard]] std::optional<EntryStatus> entryStatusAt(int folder, const char* name,
                                                       Links links = Links::notFollowed);

// The text after the last "." of a file name, as written; empty when there is none. A leading
// dot starts a hidden name, not an extension, and a trailing dot gives no extension.
[[nodiscard]] std::string_view pathExtension(std::string_view name);

// The name without its extension ("a.tar.gz" gives "a.tar"); names without one stay whole.
[[nodiscard]] std::string_view deletingPathExtension(std::string_view name);

// The raw bytes of an extended attribute (links followed); nothing when it is missing, empty,
// unreadable, or changes size while being read.
[[nodiscard]] std::optional<std::string> extendedAttribute(const std::filesystem::path& path,
                                                           const std::string& name);

} // namespace vesk::platform
