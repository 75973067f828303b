#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

namespace vesk {

// The options of `vesk`. Each is recognised only as a whole argument; anything else is
// ignored, and an option missing its value has no effect.
struct LaunchOptions {
    Q_DECLARE_TR_FUNCTIONS(LaunchOptions)

public:
    bool openReview = false;
    bool openSettings = false;
    bool showPrivacy = false;
    std::optional<int> welcomeStep; // capped by the welcome flow at its last step
    bool help = false;
    bool version = false;

    // `arguments` as the process got them, program name first.
    [[nodiscard]] static LaunchOptions parse(const QStringList& arguments);
    // The options a second launch hands to the running instance: those that open windows.
    [[nodiscard]] QStringList windowArguments() const;
    [[nodiscard]] bool opensAWindow() const;

    [[nodiscard]] static QString helpText();

    bool operator==(const LaunchOptions&) const = default;
};

} // namespace vesk
