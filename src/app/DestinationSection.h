#pragma once

#include "core/targets/Targets.h"

#include <QString>

#include <vector>

namespace vesk {

// The folders of a row's destination menu, in sections by their first folder below home:
// "Documents/Invoices/2024" is "Invoices/2024" under "Documents".
struct DestinationSection {
    struct Item {
        QString text;
        const Target* target;
    };

    QString heading;
    std::vector<Item> items; // in the order of the folder choices

    // Sections in plain text order of their headings.
    [[nodiscard]] static std::vector<DestinationSection>
    of(const std::vector<const Target*>& choices);
};

} // namespace vesk
