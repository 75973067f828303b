#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// The home folder Vesk works on, where it keeps its files and which settings store it uses.
// `--home DIR` gives a self-contained fixture: support files inside DIR/.vesk-app and a
// separate settings store, so a demo or test home never touches the person's own.
struct AppLocation {
    std::filesystem::path home;
    std::filesystem::path supportDir;
    QString settingsFile;
    bool isFixture = false;

    // The value following the first "--home", when there is one. Arguments are the bytes the
    // process got: a folder's name need not be text.
    [[nodiscard]] static std::optional<std::string>
    homeArgument(const std::vector<std::string>& arguments);
    [[nodiscard]] static AppLocation standard();
    [[nodiscard]] static AppLocation fixture(const std::filesystem::path& homeArgument);
    [[nodiscard]] static AppLocation fromArguments(const std::vector<std::string>& arguments);
    // The settings store that "--home" anywhere on the command line chooses, even without a
    // folder after it; read before any location is set up.
    [[nodiscard]] static QString settingsFileFor(const QStringList& arguments);

    [[nodiscard]] std::filesystem::path historyFile() const { return supportDir / "history.json"; }
    [[nodiscard]] std::filesystem::path ignoredFile() const { return supportDir / "ignored.json"; }
    [[nodiscard]] std::filesystem::path windowStateFile() const {
        return supportDir / "window-state.ini";
    }
    [[nodiscard]] std::filesystem::path profileCacheFile() const {
        return supportDir / "folder-profiles.json";
    }
    [[nodiscard]] std::filesystem::path modelAnswersFile() const {
        return supportDir / "model-answers.json";
    }
};

// The account's home directory from the password database, else Qt's idea of it.
[[nodiscard]] std::filesystem::path accountHome();

// The system's data folders from XDG_DATA_DIRS, in order, relative entries ignored;
// /usr/local/share and /usr/share when it is unset or empty. The same for every home.
[[nodiscard]] std::vector<std::filesystem::path> systemDataFolders();

} // namespace vesk
