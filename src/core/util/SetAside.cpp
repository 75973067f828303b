#include "core/util/SetAside.h"

#include "core/util/FreePath.h"
#include "platform/FileOps.h"

#include <ctime>
#include <string>

namespace vesk {

namespace {

std::filesystem::path setAsideName(const std::filesystem::path& file) {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    char date[32];
    const std::size_t length = std::strftime(date, sizeof date, "%Y%m%d-%H%M%S", &parts);
    return file.native() + ".corrupt-" + std::string(date, length);
}

} // namespace

std::error_code setAside(const std::filesystem::path& file, std::filesystem::path& kept) {
    std::error_code ec;
    kept = freePath(setAsideName(file), ec);
    if (ec) {
        return ec;
    }
    return platform::moveEntry(file, kept);
}

} // namespace vesk
