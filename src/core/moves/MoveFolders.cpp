#include "core/moves/MoveFolders.h"

#include "platform/FolderWalk.h"

#include <unistd.h>

namespace vesk {

std::optional<platform::OpenFolder> openDestination(const Destination& destination,
                                                    std::vector<std::filesystem::path>& made,
                                                    bool& changed, std::error_code& ec) {
    const auto& trail = destination.trail;
    const platform::StepCheck asReviewed = [&](std::size_t depth,
                                               const platform::FolderStep& found) {
        if (!trail) {
            return true;
        }
        // Missing at the review: made by someone since, which is fine unless it is a link.
        if (depth >= trail->steps.size()) {
            return !found.link;
        }
        const FolderTrail::Step& step = trail->steps[depth];
        const auto link = found.link
                              ? std::optional(std::pair(found.link->device, found.link->inode))
                              : std::nullopt;
        return found.device == step.device && found.inode == step.inode && link == step.link;
    };
    return platform::walkDown(destination.path.lexically_normal(), asReviewed, &made, changed, ec);
}

std::optional<platform::OpenFolder> openSince(const std::filesystem::path& folder, Date since,
                                              std::vector<std::filesystem::path>* made,
                                              bool& changed, std::error_code& ec) {
    const platform::StepCheck olderLinks = [&](std::size_t, const platform::FolderStep& found) {
        return !found.link || found.link->changed < since;
    };
    return platform::walkDown(folder.lexically_normal(), olderLinks, made, changed, ec);
}

std::set<std::filesystem::path>
removeEmptyFolders(const std::vector<std::filesystem::path>& created) {
    std::set<std::filesystem::path> removed;
    for (auto dir = created.rbegin(); dir != created.rend(); ++dir) {
        // rmdir(2) also leaves alone a file that has taken the folder's name.
        if (::rmdir(dir->c_str()) == 0) {
            removed.insert(*dir);
        }
    }
    return removed;
}

} // namespace vesk
