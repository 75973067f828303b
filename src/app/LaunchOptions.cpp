#include "app/LaunchOptions.h"

#include <QRegularExpression>

#include <limits>

namespace vesk {

namespace {

// A decimal integer with an optional sign, nothing else.
std::optional<int> decimal(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^[+-]?[0-9]+$"));
    if (!form.match(text).hasMatch()) {
        return std::nullopt;
    }
    bool ok = false;
    const int value = text.toInt(&ok);
    if (ok) {
        return value;
    }
    // Too many digits for an int: still a number, and far beyond the last step.
    return text.startsWith(QLatin1Char('-')) ? 0 : std::numeric_limits<int>::max();
}

} // namespace

LaunchOptions LaunchOptions::parse(const QStringList& arguments) {
    LaunchOptions options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--open-review")) {
            options.openReview = true;
        } else if (argument == QStringLiteral("--open-settings")) {
            options.openSettings = true;
        } else if (argument == QStringLiteral("--show-privacy")) {
            options.showPrivacy = true;
        } else if (argument == QStringLiteral("--help")) {
            options.help = true;
        } else if (argument == QStringLiteral("--version")) {
            options.version = true;
        } else if (argument == QStringLiteral("--welcome-step") && i + 1 < arguments.size()) {
            if (const auto step = decimal(arguments[i + 1])) {
                options.welcomeStep = step;
                ++i;
            }
        } else if (argument == QStringLiteral("--home")) {
            ++i; // its folder is read by the application's location
        }
    }
    return options;
}

QStringList LaunchOptions::windowArguments() const {
    QStringList arguments;
    if (openReview) {
        arguments << QStringLiteral("--open-review");
    }
    if (openSettings) {
        arguments << QStringLiteral("--open-settings");
    }
    if (showPrivacy) {
        arguments << QStringLiteral("--show-privacy");
    }
    if (welcomeStep) {
        arguments << QStringLiteral("--welcome-step") << QString::number(*welcomeStep);
    }
    return arguments;
}

bool LaunchOptions::opensAWindow() const {
    return openReview || openSettings || welcomeStep.has_value();
}

QString LaunchOptions::helpText() {
    return tr("Usage: vesk [OPTIONS]\n"
              "\n"
              "Keeps your Downloads and Desktop tidy from the system tray: for every file that\n"
              "has waited long enough, Vesk suggests one of your own folders, moves what you\n"
              "accept and can undo the last tidy. Nothing leaves this computer.\n"
              "\n"
              "Options:\n"
              "  --home DIR          use DIR as the home folder, with settings kept apart\n"
              "  --open-review       show the review window at start\n"
              "  --open-settings     open the settings once the review window shows\n"
              "  --show-privacy      show the privacy notes open\n"
              "  --welcome-step N    open the welcome flow at step N\n"
              "  --help              show this help\n"
              "  --version           show the version\n"
              "\n"
              "A second start for the same home hands its options to the running Vesk.\n");
}

} // namespace vesk
