#include "app/Translations.h"
#include "cli/CliOptions.h"
#include "cli/Commands.h"

#include <QCoreApplication>
#include <QLocale>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    vesk::StopSignals stops; // before any other thread starts
    const std::vector<std::string> args(argv + 1, argv + argc);
    // Reasons and failures in the interface language the windows would use. Numbers are
    // written by the engine, so the locale this sets does not change them.
    QCoreApplication app(argc, argv);
    vesk::Translations::install(app, QLocale::system().uiLanguages());
    const auto parsed = vesk::parseCliOptions(args);
    if (const auto* error = std::get_if<vesk::UsageError>(&parsed)) {
        std::cerr << "vesk-cli: " << error->message << " (see vesk-cli --help)\n";
        return 2;
    }
    const auto& options = std::get<vesk::CliOptions>(parsed);
    using Command = vesk::CliOptions::Command;
    switch (options.command) {
    case Command::plan:
        return vesk::runPlan(options);
    case Command::tidy:
        return vesk::runTidy(options, stops);
    case Command::undo:
        return vesk::runUndo(options, stops);
    case Command::history:
        return vesk::runHistory(options);
    case Command::demo:
        return vesk::runDemo(options);
    case Command::help:
    default:
        std::cout << vesk::usageText();
        return 0;
    }
}
