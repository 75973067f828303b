#include "core/items/Kind.h"

#include "platform/MimeTypes.h"

#include <algorithm>
#include <array>
#include <vector>

namespace vesk {

namespace {

constexpr std::array allKinds = {
    Kind::image,       Kind::video,        Kind::audio, Kind::pdf,    Kind::document,
    Kind::spreadsheet, Kind::presentation, Kind::text,  Kind::code,   Kind::archive,
    Kind::installer,   Kind::app,          Kind::font,  Kind::folder, Kind::other,
};

// Only a directory with this extension is an application; a plain file merely named so is not.
constexpr std::string_view bundleExtension = "app";

struct ExtensionGroup {
    Kind kind;
    std::vector<std::string_view> extensions;
};

// Tried in order; the first group naming the extension decides.
const std::array<ExtensionGroup, 10> extensionGroups = {{
    {Kind::installer,
     {"dmg", "pkg", "mpkg", "exe", "msi", "apk", "iso", "deb", "rpm", "flatpakref", "snap"}},
    {Kind::archive, {"zip", "rar", "7z", "tar", "gz", "tgz", "bz2", "xz", "zst"}},
    {Kind::app, {bundleExtension, "appimage"}},
    {Kind::pdf, {"pdf"}},
    {Kind::document, {"doc", "docx", "pages", "rtf", "odt"}},
    {Kind::spreadsheet, {"xls", "xlsx", "numbers", "csv", "ods"}},
    {Kind::presentation, {"ppt", "pptx", "key", "odp"}},
    {Kind::text, {"txt", "md"}},
    {Kind::font, {"ttf", "otf", "woff", "woff2"}},
    {Kind::code,
     {"json", "swift", "py", "js", "ts", "html", "css", "sh", "yml", "yaml", "xml", "ipynb"}},
}};

Kind kindOfTypeClass(std::optional<platform::TypeClass> typeClass) {
    if (!typeClass) {
        return Kind::other;
    }
    switch (*typeClass) {
    case platform::TypeClass::image:
        return Kind::image;
    case platform::TypeClass::video:
        return Kind::video;
    case platform::TypeClass::audio:
        return Kind::audio;
    case platform::TypeClass::sourceCode:
        return Kind::code;
    }
    return Kind::other;
}

} // namespace

std::string_view rawValue(Kind kind) {
    switch (kind) {
    case Kind::image:
        return "image";
    case Kind::video:
        return "video";
    case Kind::audio:
        return "audio";
    case Kind::pdf:
        return "pdf";
    case Kind::document:
        return "document";
    case Kind::spreadsheet:
        return "spreadsheet";
    case Kind::presentation:
        return "presentation";
    case Kind::text:
        return "text";
    case Kind::code:
        return "code";
    case Kind::archive:
        return "archive";
    case Kind::installer:
        return "installer";
    case Kind::app:
        return "app";
    case Kind::font:
        return "font";
    case Kind::folder:
        return "folder";
    case Kind::other:
        return "other";
    }
    return "other";
}

std::optional<Kind> kindFromRawValue(std::string_view raw) {
    const auto found = std::find_if(allKinds.begin(), allKinds.end(),
                                    [raw](Kind kind) { return rawValue(kind) == raw; });
    return found == allKinds.end() ? std::nullopt : std::optional<Kind>(*found);
}

Kind kindForExtension(std::string_view ext) {
    for (const ExtensionGroup& group : extensionGroups) {
        if (std::find(group.extensions.begin(), group.extensions.end(), ext) !=
            group.extensions.end()) {
            return group.kind;
        }
    }
    return kindOfTypeClass(platform::typeClassOfExtension(ext));
}

Kind kindForPlainFile(std::string_view ext) {
    return ext == bundleExtension ? kindOfTypeClass(platform::typeClassOfExtension(ext))
                                  : kindForExtension(ext);
}

} // namespace vesk
