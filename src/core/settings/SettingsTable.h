#pragma once

// Every stored setting in one place: its key in the settings store, its default and the values
// it may take. The store (app/Settings), the organizer's settings, the rules and vesk-cli all
// read it, so a default or a limit is written once. A stored value outside its limits counts as
// missing, and so does a value of the wrong type.

#include <string_view>

namespace vesk::settings {

// A true/false entry, stored as "true" or "false".
struct Flag {
    std::string_view key;
    bool defaultValue = false;
};

// A number with the closed range it must fall in; NaN and infinities are never accepted.
struct Number {
    std::string_view key;
    double defaultValue = 0;
    double least = 0;
    double most = 0;

    [[nodiscard]] constexpr bool accepts(double value) const {
        return value >= least && value <= most; // false for NaN
    }
};

// A list of absolute folder paths, in the person's order; empty by default.
struct Folders {
    std::string_view key;
};

// A line of text, stored as it is.
struct Text {
    std::string_view key;
    std::string_view defaultValue;
};

inline constexpr Folders sources{"sources"};
inline constexpr Flag onboarded{"onboarded", false};
// Absent until the person chooses: the default then follows the model's availability.
inline constexpr Flag useLLM{"useLLM", false};
inline constexpr Flag allowContent{"allowContent", false};
// Suggestions from the names of every file below each folder; no window shows it, so that the
// plain layers can be compared.
inline constexpr Flag useNameIndex{"useNameIndex", true};
// A hundred years: beyond that a value is a typing slip, not a wish.
inline constexpr Number minAgeDays{"minAgeDays", 3, 0, 36500};
// Desktop notifications: files ready to tidy, a finished tidy or undo.
inline constexpr Flag notifyWhenFilesWait{"notifyWhenFilesWait", true};
// The folders to file into. Absent until the person edits the list: the folders found in the
// home are used then, so that a folder made later is found too.
inline constexpr Folders targetRoots{"targetRoots"};
// The folders the person granted access to (absolute paths; no sandbox on Linux).
inline constexpr Folders folderBookmarks{"folderBookmarks"};
// The local model service: where it listens, which of its models to ask (empty: the first one
// that can chat) and how many requests it is given at once.
inline constexpr Text modelUrl{"modelUrl", "http://127.0.0.1:11434/v1"};
inline constexpr Text model{"model", ""};
inline constexpr Number modelParallel{"modelParallel", 4, 1, 16};

} // namespace vesk::settings
