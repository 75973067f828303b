#include "platform/FolderWalk.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace vesk::platform {

namespace {

namespace fs = std::filesystem;

std::error_code lastError() {
    return {errno, std::generic_category()};
}

std::chrono::system_clock::time_point timeOf(const timespec& stamp) {
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(stamp.tv_sec) + std::chrono::nanoseconds(stamp.tv_nsec)));
}

// The folder `name` in `parent` as it is now; links are followed, and said.
std::optional<OpenFolder> enter(const OpenFolder& parent, const std::string& name,
                                FolderStep& found, std::error_code& ec) {
    auto child = parent.child(name, OpenFolder::Links::refuse, ec);
    if (!child &&
        (ec == std::errc::too_many_symbolic_link_levels || ec == std::errc::not_a_directory)) {
        struct stat link {};
        if (::fstatat(parent.fd(), name.c_str(), &link, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISLNK(link.st_mode)) {
            found.link = FolderStep::Link{link.st_dev, link.st_ino, timeOf(link.st_ctim)};
            child = parent.child(name, OpenFolder::Links::follow, ec);
        }
    }
    return child;
}

bool identify(const OpenFolder& folder, FolderStep& found, std::error_code& ec) {
    struct stat status {};
    if (::fstat(folder.fd(), &status) != 0) {
        ec = lastError();
        return false;
    }
    found.device = status.st_dev;
    found.inode = status.st_ino;
    return true;
}

} // namespace

std::optional<OpenFolder> walkDown(const fs::path& folder, const StepCheck& check,
                                   std::vector<fs::path>* made, bool& refused,
                                   std::error_code& ec) {
    refused = false;
    auto current = OpenFolder::open("/", ec);
    FolderStep root;
    if (!current || !identify(*current, root, ec)) {
        return std::nullopt;
    }
    if (!check(0, root)) {
        refused = true;
        return std::nullopt;
    }
    std::size_t depth = 0;
    for (const fs::path& part : folder.relative_path()) {
        const std::string name = part.native();
        if (name.empty() || name == ".") {
            continue;
        }
        ++depth;
        FolderStep found;
        auto next = enter(*current, name, found, ec);
        if (!next && ec == std::errc::no_such_file_or_directory && made != nullptr) {
            if (::mkdirat(current->fd(), name.c_str(), 0777) == 0) {
                made->push_back(current->path() / name);
                // Made just now: nothing to compare, and a link put there since is refused.
                next = current->child(name, OpenFolder::Links::refuse, ec);
                if (!next) {
                    return std::nullopt;
                }
                current = std::move(next);
                continue;
            }
            if (errno != EEXIST) {
                ec = lastError();
                return std::nullopt;
            }
            found = {}; // someone else made it meanwhile: looked at like any other
            next = enter(*current, name, found, ec);
        }
        if (!next || !identify(*next, found, ec)) {
            return std::nullopt;
        }
        if (!check(depth, found)) {
            refused = true;
            return std::nullopt;
        }
        current = std::move(next);
    }
    return current;
}

} // namespace vesk::platform
