#include "app/AppLocation.h"

#include "app/PathBoundary.h"
#include "core/util/NormalFolder.h"

#include <QDir>
#include <QStandardPaths>

#include <algorithm>
#include <pwd.h>
#include <unistd.h>

namespace vesk {

namespace {

constexpr auto reverseDnsIdentifier = "app.vesk.Vesk";

QString configHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString dataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString standardSettingsFile() {
    return configHome() + QStringLiteral("/vesk/vesk.conf");
}

// One fixture store serves every `--home`.
QString fixtureSettingsFile() {
    return configHome() +
           QStringLiteral("/vesk/%1.fixture.conf").arg(QLatin1String(reverseDnsIdentifier));
}

} // namespace

std::filesystem::path accountHome() {
    if (const passwd* entry = getpwuid(getuid());
        entry != nullptr && entry->pw_dir != nullptr && entry->pw_dir[0] != '\0') {
        return entry->pw_dir;
    }
    return pathFromQt(QDir::homePath());
}

std::vector<std::filesystem::path> systemDataFolders() {
    // Qt lists the writable data home first, then the folders of XDG_DATA_DIRS.
    const QStringList all = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    std::vector<std::filesystem::path> folders;
    for (qsizetype i = 1; i < all.size(); ++i) {
        folders.push_back(pathFromQt(all.at(i)));
    }
    return folders;
}

std::optional<std::string> AppLocation::homeArgument(const std::vector<std::string>& arguments) {
    const auto at = std::find(arguments.begin(), arguments.end(), "--home");
    if (at == arguments.end() || at + 1 == arguments.end()) {
        return std::nullopt;
    }
    return *(at + 1);
}

QString AppLocation::settingsFileFor(const QStringList& arguments) {
    return arguments.contains(QStringLiteral("--home")) ? fixtureSettingsFile()
                                                        : standardSettingsFile();
}

AppLocation AppLocation::standard() {
    AppLocation location;
    location.home = accountHome();
    location.supportDir = pathFromQt(dataHome()) / "Vesk";
    location.settingsFile = standardSettingsFile();
    return location;
}

AppLocation AppLocation::fixture(const std::filesystem::path& homeArgument) {
    std::string home = homeArgument.native();
    if (home == "~" || home.starts_with("~/")) {
        home = accountHome().native() + home.substr(1);
    }
    std::error_code ec;
    AppLocation location;
    location.home = normalFolder(std::filesystem::absolute(home, ec));
    location.supportDir = location.home / ".vesk-app";
    location.settingsFile = fixtureSettingsFile();
    location.isFixture = true;
    return location;
}

AppLocation AppLocation::fromArguments(const std::vector<std::string>& arguments) {
    if (const auto home = homeArgument(arguments)) {
        return fixture(*home);
    }
    return standard();
}

} // namespace vesk
