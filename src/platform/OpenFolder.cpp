#include "platform/OpenFolder.h"

#include <cerrno>
#include <fcntl.h>

namespace vesk::platform {

std::optional<OpenFolder> OpenFolder::open(const std::filesystem::path& path, std::error_code& ec) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid()) {
        ec = {errno, std::generic_category()};
        return std::nullopt;
    }
    ec.clear();
    return OpenFolder(std::move(fd), path);
}

std::optional<OpenFolder> OpenFolder::child(const std::string& name, Links links,
                                            std::error_code& ec) const {
    const int flags =
        O_RDONLY | O_DIRECTORY | O_CLOEXEC | (links == Links::refuse ? O_NOFOLLOW : 0);
    FileDescriptor fd(::openat(fd_.get(), name.c_str(), flags));
    if (!fd.valid()) {
        ec = {errno, std::generic_category()};
        return std::nullopt;
    }
    ec.clear();
    return OpenFolder(std::move(fd), path_ / name);
}

} // namespace vesk::platform
