#include "core/items/FileItem.h"

#include "core/text/TextCase.h"
#include "core/text/Utf8.h"
#include "platform/EntryStatus.h"
#include "platform/UrlHost.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <array>
#include <functional>

namespace vesk {

namespace {

// Browsers, wget and curl record where a download came from in these, most specific first.
constexpr std::array addressAttributes = {"user.xdg.origin.path", "user.xdg.referrer.path"};
constexpr const char* quarantineAttribute = "user.com.apple.quarantine";

std::vector<std::string> downloadAddresses(const std::filesystem::path& path) {
    std::vector<std::string> addresses;
    for (const char* attribute : addressAttributes) {
        if (auto address = platform::extendedAttribute(path, attribute)) {
            addresses.push_back(std::move(*address));
        }
    }
    return addresses;
}

std::optional<std::string> quarantineAgentAt(const std::filesystem::path& path) {
    const auto value = platform::extendedAttribute(path, quarantineAttribute);
    return value ? quarantineAgentOf(*value) : std::nullopt;
}

// A package is classified by its extension; a plain folder is a folder whatever its name.
Kind kindOfEntry(const FileItem& item) {
    if (item.isDirectory) {
        return Kind::folder;
    }
    return item.isPackage ? kindForExtension(item.ext) : kindForPlainFile(item.ext);
}

std::optional<Date> toDate(const std::optional<std::chrono::system_clock::time_point>& time) {
    if (!time) {
        return std::nullopt;
    }
    return std::chrono::time_point_cast<Date::duration>(*time);
}

void combine(std::size_t& seed, std::size_t value) {
    seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

std::size_t hashOf(const std::optional<Date>& date) {
    return date ? std::hash<Date::rep>{}(date->time_since_epoch().count()) : 0x5f3759dfULL;
}

} // namespace

std::string FileItem::stem() const {
    return std::string(platform::deletingPathExtension(name));
}

double FileItem::ageDays(Date now) const {
    const Date reference = added.value_or(created.value_or(now));
    return std::chrono::duration<double>(now - reference).count() / 86400.0;
}

std::optional<FileItem> FileItem::load(const std::filesystem::path& entry) {
    FileItem item;
    item.name = entry.filename().string();
    if (item.name.empty() || item.name.front() == '.') {
        return std::nullopt;
    }
    const std::optional<platform::EntryStatus> status = platform::entryStatus(entry);
    if (!status) {
        return std::nullopt;
    }
    item.path = entry;
    item.ext = lowerCasedExtension(item.name);
    item.size = status->size;
    item.added = toDate(status->changed);
    item.created = toDate(status->born);
    item.sourceDomain = sourceDomainOf(downloadAddresses(entry));
    item.quarantineAgent = quarantineAgentAt(entry);
    item.isDirectory = status->isDirectory && !status->isPackage;
    item.isPackage = status->isPackage;
    item.kind = kindOfEntry(item);
    return item;
}

std::string lowerCasedExtension(std::string_view name) {
    return lowerCased(platform::pathExtension(name));
}

std::optional<std::string> sourceDomainOf(const std::vector<std::string>& addresses) {
    for (const std::string& address : addresses) {
        if (const auto host = platform::urlHost(address)) {
            std::string domain = lowerCased(*host);
            if (domain.starts_with("www.")) {
                domain.erase(0, 4);
            }
            return domain;
        }
    }
    return std::nullopt;
}

std::optional<std::string> quarantineAgentOf(std::string_view value) {
    if (!isValidUtf8(value)) {
        return std::nullopt;
    }
    // Fields: flags;timestamp;agent;identifier - only a non-empty third one names the agent.
    const auto first = value.find(';');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const auto second = value.find(';', first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view rest = value.substr(second + 1);
    const std::string_view agent = rest.substr(0, rest.find(';'));
    if (agent.empty()) {
        return std::nullopt;
    }
    return std::string(agent);
}

} // namespace vesk

std::size_t std::hash<vesk::FileItem>::operator()(const vesk::FileItem& item) const noexcept {
    std::size_t seed = std::filesystem::hash_value(item.path);
    vesk::combine(seed, std::hash<std::string>{}(item.name));
    vesk::combine(seed, std::hash<std::string>{}(item.ext));
    vesk::combine(seed, std::hash<bool>{}(item.isDirectory));
    vesk::combine(seed, std::hash<bool>{}(item.isPackage));
    vesk::combine(seed, std::hash<std::int64_t>{}(item.size));
    vesk::combine(seed, vesk::hashOf(item.added));
    vesk::combine(seed, vesk::hashOf(item.created));
    vesk::combine(seed, vesk::hashOf(item.lastUsed));
    vesk::combine(seed, std::hash<std::optional<std::string>>{}(item.sourceDomain));
    vesk::combine(seed, std::hash<std::optional<std::string>>{}(item.quarantineAgent));
    vesk::combine(seed, std::hash<vesk::Kind>{}(item.kind));
    return seed;
}
