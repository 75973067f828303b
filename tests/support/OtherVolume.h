#pragma once

#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/stat.h>

namespace vesk::test {

// A temporary folder on another file system than `here` (/dev/shm is a tmpfs on most Linux
// systems), or nothing when there is none.
inline std::unique_ptr<TempDir> otherVolume(const std::filesystem::path& here) {
    struct stat shm {};
    struct stat local {};
    if (::stat("/dev/shm", &shm) != 0 || ::stat(here.c_str(), &local) != 0 ||
        shm.st_dev == local.st_dev) {
        return nullptr;
    }
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    ::setenv("TMPDIR", "/dev/shm", 1);
    auto dir = std::make_unique<TempDir>();
    if (saved.empty()) {
        ::unsetenv("TMPDIR");
    } else {
        ::setenv("TMPDIR", saved.c_str(), 1);
    }
    return dir;
}

} // namespace vesk::test
