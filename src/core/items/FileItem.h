#pragma once

#include "core/items/Kind.h"
#include "core/util/Dates.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// One entry found directly inside a source folder, read once per scan and never changed.
struct FileItem {
    std::filesystem::path path;
    std::string name;
    std::string ext; // lower-cased, empty when there is none
    bool isDirectory = false;
    bool isPackage = false;
    std::int64_t size = 0;
    std::optional<Date> added;
    std::optional<Date> created;
    std::optional<Date> lastUsed;
    std::optional<std::string> sourceDomain;
    std::optional<std::string> quarantineAgent;
    Kind kind = Kind::other;

    // The name without its last extension ("a.tar.gz" gives "a.tar").
    [[nodiscard]] std::string stem() const;
    // Days since the item arrived: added, else created, else now (age 0).
    [[nodiscard]] double ageDays(Date now = Clock::now()) const;

    // Nothing for hidden entries and entries whose metadata cannot be read.
    [[nodiscard]] static std::optional<FileItem> load(const std::filesystem::path& entry);

    bool operator==(const FileItem&) const = default;
};

// The extension of a file name, lower-cased ("Scan.PDF" gives "pdf"); empty when it has none.
[[nodiscard]] std::string lowerCasedExtension(std::string_view name);

// The download host of the first address that has one, lower-cased, without a leading "www.".
[[nodiscard]] std::optional<std::string> sourceDomainOf(const std::vector<std::string>& addresses);
// The downloading application: the third ";"-separated field of a quarantine value.
[[nodiscard]] std::optional<std::string> quarantineAgentOf(std::string_view value);

} // namespace vesk

template <> struct std::hash<vesk::FileItem> {
    std::size_t operator()(const vesk::FileItem& item) const noexcept;
};
