#include "core/util/FileUrl.h"

namespace vesk {

namespace {

// Unreserved characters and the path's own separators stay as they are; every other byte,
// including each byte of a multi-byte or invalid UTF-8 sequence, is escaped.
bool keptAsIs(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

std::string percentEncodedPath(const std::filesystem::path& path) {
    static constexpr char hex[] = "0123456789ABCDEF";
    const std::string& bytes = path.native();
    std::string encoded;
    encoded.reserve(bytes.size() * 3);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (keptAsIs(c)) {
            encoded += ch;
        } else {
            encoded += '%';
            encoded += hex[c >> 4];
            encoded += hex[c & 0x0F];
        }
    }
    return encoded;
}

std::string toFileUrl(const std::filesystem::path& path) {
    return "file://" + percentEncodedPath(path);
}

std::optional<std::filesystem::path> fromFileUrl(std::string_view url) {
    constexpr std::string_view scheme = "file://";
    if (url.substr(0, scheme.size()) != scheme) {
        return std::nullopt;
    }
    url.remove_prefix(scheme.size());
    // Only local URLs: an empty host or "localhost".
    if (url.substr(0, 9) == "localhost") {
        url.remove_prefix(9);
    }
    if (url.empty() || url.front() != '/') {
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(url.size());
    for (std::size_t i = 0; i < url.size(); ++i) {
        if (url[i] != '%') {
            bytes += url[i];
            continue;
        }
        if (i + 2 >= url.size()) {
            return std::nullopt;
        }
        const int high = hexValue(url[i + 1]);
        const int low = hexValue(url[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes += static_cast<char>(high * 16 + low);
        i += 2;
    }
    if (bytes.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    return std::filesystem::path(std::move(bytes));
}

} // namespace vesk
