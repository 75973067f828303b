#pragma once

#include "core/targets/Targets.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace vesk {

// The folders a plan's suggestions point into, shared rather than copied: the plans made on one
// walk of the folders all hold the same list, and a plan is handed on several times between
// the scan and whoever shows it.
class PlanTargets {
public:
    PlanTargets() = default;
    // Implicit, so that a plan can be given its folders as a list.
    PlanTargets(std::vector<Target> targets)
        : list_(std::make_shared<const std::vector<Target>>(std::move(targets))) {}

    [[nodiscard]] const std::vector<Target>& list() const { return list_ ? *list_ : none(); }
    [[nodiscard]] auto begin() const { return list().begin(); }
    [[nodiscard]] auto end() const { return list().end(); }
    [[nodiscard]] std::size_t size() const { return list().size(); }
    [[nodiscard]] bool empty() const { return list().empty(); }
    [[nodiscard]] const Target& operator[](std::size_t i) const { return list()[i]; }

    // The same list is equal at once, without comparing thousands of folders.
    bool operator==(const PlanTargets& other) const {
        return list_ == other.list_ || list() == other.list();
    }

private:
    static const std::vector<Target>& none() {
        static const std::vector<Target> empty;
        return empty;
    }

    std::shared_ptr<const std::vector<Target>> list_;
};

} // namespace vesk
