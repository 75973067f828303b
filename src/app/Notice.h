#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace vesk {

// What Vesk tells the person outside its windows. A notice replaces the earlier one of its
// kind, so there is never a stream of them.
struct Notice {
    enum class Kind {
        filesWaiting, // files are ready to tidy
        moves,        // a tidy or an undo has ended
    };
    enum class Action { review, undo };
    struct Button {
        Action action;
        QString label;

        bool operator==(const Button&) const = default;
    };

    Kind kind = Kind::filesWaiting;
    QString summary;
    QString body; // plain text
    std::vector<Button> buttons;
    std::optional<Button> onClick; // what a click on the notice itself does
    std::string batch;             // the tidy that `undo` takes back

    bool operator==(const Notice&) const = default;
};

} // namespace vesk
