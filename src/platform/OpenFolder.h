#pragma once

#include "platform/FileDescriptor.h"

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace vesk::platform {

// A folder held open by its descriptor: whatever is made in it lands in this very folder, even
// when its path is renamed or swapped for a link meanwhile.
class OpenFolder {
public:
    enum class Links { follow, refuse };

    // The folder at `path`, symbolic links on the way followed.
    [[nodiscard]] static std::optional<OpenFolder> open(const std::filesystem::path& path,
                                                        std::error_code& ec);
    // The folder `name` in this one. With Links::refuse a link at the name fails with ELOOP
    // (and anything but a folder with ENOTDIR).
    [[nodiscard]] std::optional<OpenFolder> child(const std::string& name, Links links,
                                                  std::error_code& ec) const;

    [[nodiscard]] int fd() const { return fd_.get(); }
    [[nodiscard]] const std::filesystem::path& path() const { return path_; }

private:
    OpenFolder(FileDescriptor fd, std::filesystem::path path)
        : fd_(std::move(fd)), path_(std::move(path)) {}

    FileDescriptor fd_;
    std::filesystem::path path_;
};

} // namespace vesk::platform
