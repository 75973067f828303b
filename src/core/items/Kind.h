#pragma once

#include <optional>
#include <string_view>

namespace vesk {

// The coarse category of a file that rules, matching, defaults and discovery key on.
enum class Kind {
    image,
    video,
    audio,
    pdf,
    document,
    spreadsheet,
    presentation,
    text,
    code,
    archive,
    installer,
    app,
    font,
    folder,
    other,
};

[[nodiscard]] std::string_view rawValue(Kind kind);
[[nodiscard]] std::optional<Kind> kindFromRawValue(std::string_view raw);

// Kind of a lower-case extension (without the dot): the fixed table first, then the system's
// MIME database. Total: unknown extensions give Kind::other.
[[nodiscard]] Kind kindForExtension(std::string_view ext);
// Kind of a plain file, neither folder nor package: as kindForExtension, except that the
// extension of application bundles leaves the file to the MIME database.
[[nodiscard]] Kind kindForPlainFile(std::string_view ext);

} // namespace vesk
