#include "core/plan/FolderTrail.h"

#include "platform/FolderWalk.h"

namespace vesk {

std::optional<FolderTrail> takeTrail(const std::filesystem::path& folder) {
    FolderTrail trail;
    const platform::StepCheck record = [&](std::size_t, const platform::FolderStep& found) {
        FolderTrail::Step step{found.device, found.inode, std::nullopt};
        if (found.link) {
            step.link = std::pair(found.link->device, found.link->inode);
        }
        trail.steps.push_back(step);
        return true;
    };
    bool refused = false;
    std::error_code ec;
    // Where the walk stops, at a folder still to be made, the trail ends.
    (void)platform::walkDown(folder.lexically_normal(), record, nullptr, refused, ec);
    if (trail.steps.empty()) {
        return std::nullopt;
    }
    return trail;
}

} // namespace vesk
