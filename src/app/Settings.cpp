#include "app/Settings.h"

#include "app/PathBoundary.h"
#include "core/util/NormalFolder.h"
#include "core/util/SetAside.h"

#include <QFileInfo>
#include <QSettings>
#include <QStringList>

#include <algorithm>

namespace vesk {

namespace {

std::optional<bool> stored(const QSettings& store, const settings::Flag& flag) {
    const QString text = store.value(storeKey(flag.key)).toString();
    if (text == QStringLiteral("true")) {
        return true;
    }
    if (text == QStringLiteral("false")) {
        return false;
    }
    return std::nullopt;
}

QString boolText(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

std::optional<double> stored(const QSettings& store, const settings::Number& number) {
    bool ok = false;
    const double value = store.value(storeKey(number.key)).toString().toDouble(&ok);
    if (!ok || !number.accepts(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> stored(const QSettings& store, const settings::Text& text) {
    const QVariant value = store.value(storeKey(text.key));
    if (!value.isValid()) {
        return std::nullopt;
    }
    return value.toString().toStdString();
}

std::vector<std::filesystem::path> stored(const QSettings& store, const settings::Folders& list) {
    auto paths = pathsFromStored(store.value(storeKey(list.key)));
    std::erase_if(paths, [](const std::filesystem::path& path) { return !path.is_absolute(); });
    return paths;
}

bool isInside(const std::filesystem::path& path, const std::filesystem::path& folder) {
    const auto relative = path.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

// The folders in normal form, each once, in their order; for a fixture home only those inside.
std::vector<std::filesystem::path> usableFolders(const std::vector<std::filesystem::path>& folders,
                                                 const AppLocation& location) {
    std::vector<std::filesystem::path> usable;
    for (const auto& each : folders) {
        auto folder = normalFolder(each);
        if (location.isFixture && !isInside(folder, location.home)) {
            continue;
        }
        if (std::find(usable.begin(), usable.end(), folder) == usable.end()) {
            usable.push_back(std::move(folder));
        }
    }
    return usable;
}

} // namespace

QString storeKey(std::string_view key) {
    return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

std::optional<Settings> Settings::load(const QString& file) {
    const QFileInfo info(file);
    if (info.exists() && !(info.isFile() && info.isReadable())) {
        return std::nullopt;
    }
    const QSettings store(file, QSettings::IniFormat);
    if (store.status() != QSettings::NoError) {
        return std::nullopt;
    }
    Settings loaded;
    loaded.sources = stored(store, settings::sources);
    loaded.onboardingFinished =
        stored(store, settings::onboarded).value_or(settings::onboarded.defaultValue);
    loaded.useLLM = stored(store, settings::useLLM);
    loaded.allowContent =
        stored(store, settings::allowContent).value_or(settings::allowContent.defaultValue);
    loaded.minAgeDays =
        stored(store, settings::minAgeDays).value_or(settings::minAgeDays.defaultValue);
    loaded.useNameIndex =
        stored(store, settings::useNameIndex).value_or(settings::useNameIndex.defaultValue);
    loaded.notifyWhenFilesWait = stored(store, settings::notifyWhenFilesWait)
                                     .value_or(settings::notifyWhenFilesWait.defaultValue);
    if (store.contains(storeKey(settings::targetRoots.key))) {
        loaded.targetRoots = stored(store, settings::targetRoots);
    }
    loaded.modelUrl =
        stored(store, settings::modelUrl).value_or(std::string(settings::modelUrl.defaultValue));
    loaded.model =
        stored(store, settings::model).value_or(std::string(settings::model.defaultValue));
    loaded.modelParallel = static_cast<int>(
        stored(store, settings::modelParallel).value_or(settings::modelParallel.defaultValue));
    return loaded;
}

SettingsAtStart loadSettingsAtStart(const QString& file) {
    if (auto loaded = Settings::load(file)) {
        return {std::move(loaded), std::nullopt, {}};
    }
    std::filesystem::path kept;
    if (const std::error_code ec = setAside(pathFromQt(file), kept)) {
        return {std::nullopt, std::nullopt, ec.message()};
    }
    return {Settings{}, std::move(kept), {}};
}

bool Settings::save(const QString& file, unsigned parts) const {
    QSettings store(file, QSettings::IniFormat);
    if ((parts & sourcesPart) != 0) {
        store.setValue(storeKey(settings::sources.key), storedPaths(sources));
    }
    if ((parts & onboardedPart) != 0) {
        store.setValue(storeKey(settings::onboarded.key), boolText(onboardingFinished));
    }
    if ((parts & preferencesPart) != 0) {
        if (useLLM) {
            store.setValue(storeKey(settings::useLLM.key), boolText(*useLLM));
        }
        store.setValue(storeKey(settings::allowContent.key), boolText(allowContent));
        store.setValue(storeKey(settings::minAgeDays.key), minAgeDays);
        store.setValue(storeKey(settings::useNameIndex.key), boolText(useNameIndex));
    }
    if ((parts & notificationsPart) != 0) {
        store.setValue(storeKey(settings::notifyWhenFilesWait.key), boolText(notifyWhenFilesWait));
    }
    if ((parts & targetRootsPart) != 0) {
        if (targetRoots) {
            store.setValue(storeKey(settings::targetRoots.key), storedPaths(*targetRoots));
        } else {
            store.remove(storeKey(settings::targetRoots.key));
        }
    }
    if ((parts & modelPart) != 0) {
        store.setValue(storeKey(settings::modelUrl.key), QString::fromStdString(modelUrl));
        store.setValue(storeKey(settings::model.key), QString::fromStdString(model));
        store.setValue(storeKey(settings::modelParallel.key), modelParallel);
    }
    store.sync();
    return store.status() == QSettings::NoError;
}

OrganizerSettings organizerSettings(const Settings& settings, const AppLocation& location,
                                    bool useLLM) {
    OrganizerSettings result(location.home);
    if (auto sources = usableFolders(settings.sources, location); !sources.empty()) {
        result.sources = std::move(sources);
    }
    if (settings.targetRoots) {
        auto roots = usableFolders(*settings.targetRoots, location);
        if (!roots.empty() || settings.targetRoots->empty()) {
            result.targetRoots = std::move(roots);
        }
    }
    result.minAgeDays = settings.minAgeDays;
    result.allowContent = settings.allowContent;
    result.useNameIndex = settings.useNameIndex;
    result.useLLM = useLLM;
    result.profileCache = location.profileCacheFile();
    result.modelAnswers = location.modelAnswersFile();
    result.systemDataFolders = systemDataFolders();
    return result;
}

ModelEndpoint modelEndpoint(const Settings& settings) {
    ModelEndpoint endpoint;
    endpoint.url = settings.modelUrl;
    endpoint.model = settings.model;
    endpoint.parallel = settings.modelParallel;
    return endpoint;
}

} // namespace vesk
