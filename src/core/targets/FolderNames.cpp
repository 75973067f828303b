#include "core/targets/FolderNames.h"

#include <array>

namespace vesk {

FolderNames::FolderNames(const std::vector<Target>& targets,
                         std::vector<std::vector<std::string>> moreNames) {
    moreNames.resize(targets.size());
    const auto namesOf = [&](std::size_t t) {
        return std::array<const std::vector<std::string>*, 2>{&targets[t].siblingNames,
                                                               &moreNames[t]};
    };
    std::size_t count = 0;
    std::size_t bytes = 0;
    for (std::size_t t = 0; t < targets.size(); ++t) {
        for (const std::vector<std::string>* names : namesOf(t)) {
            count += names->size();
            for (const std::string& name : *names) {
                bytes += name.size();
            }
        }
    }
    text_.reserve(bytes);
    ends_.reserve(count);
    targets_.reserve(count);
    firsts_.reserve(targets.size());
    for (std::size_t t = 0; t < targets.size(); ++t) {
        firsts_.push_back(size());
        for (const std::vector<std::string>* names : namesOf(t)) {
            for (const std::string& name : *names) {
                text_ += name;
                ends_.push_back(static_cast<std::uint32_t>(text_.size()));
                targets_.push_back(static_cast<std::uint32_t>(t));
            }
        }
        std::vector<std::string>().swap(moreNames[t]); // copied: free it at once
    }
}

std::string_view FolderNames::name(std::uint32_t id) const {
    const std::uint32_t begin = id == 0 ? 0 : ends_[id - 1];
    return std::string_view(text_).substr(begin, ends_[id] - begin);
}

std::string_view FolderNames::siblingName(std::size_t target, std::size_t n) const {
    return name(firsts_[target] + static_cast<std::uint32_t>(n));
}

} // namespace vesk
