#include "app/Settings.h"

#include "core/util/NormalFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

const QString sourcesKey = QStringLiteral("sources");
const QString onboardedKey = QStringLiteral("onboarded");
const QString useLLMKey = QStringLiteral("useLLM");
const QString allowContentKey = QStringLiteral("allowContent");
const QString minAgeDaysKey = QStringLiteral("minAgeDays");

std::optional<bool> boolean(const QSettings& store, const QString& key) {
    const QString text = store.value(key).toString();
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

std::optional<double> days(const QSettings& store) {
    bool ok = false;
    const double value = store.value(minAgeDaysKey).toString().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::filesystem::path> folders(const QSettings& store) {
    std::vector<std::filesystem::path> paths;
    for (const QString& text : store.value(sourcesKey).toStringList()) {
        std::filesystem::path path(QFile::encodeName(text).toStdString());
        if (path.is_absolute()) {
            paths.push_back(std::move(path));
        }
    }
    return paths;
}

bool isInside(const std::filesystem::path& path, const std::filesystem::path& folder) {
    const auto relative = path.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

} // namespace

std::optional<Settings> Settings::load(const QString& file) {
    const QFileInfo info(file);
    if (info.exists() && !(info.isFile() && info.isReadable())) {
        return std::nullopt;
    }
    const QSettings store(file, QSettings::IniFormat);
    if (store.status() != QSettings::NoError) {
        return std::nullopt;
    }
    Settings settings;
    settings.sources = folders(store);
    settings.onboardingFinished = boolean(store, onboardedKey).value_or(false);
    settings.useLLM = boolean(store, useLLMKey);
    settings.allowContent = boolean(store, allowContentKey).value_or(false);
    settings.minAgeDays = days(store).value_or(defaultMinAgeDays);
    return settings;
}

bool Settings::save(const QString& file, unsigned parts) const {
    QSettings store(file, QSettings::IniFormat);
    if ((parts & sourcesPart) != 0) {
        QStringList paths;
        for (const auto& folder : sources) {
            paths << QFile::decodeName(QByteArray::fromStdString(folder.native()));
        }
        store.setValue(sourcesKey, paths);
    }
    if ((parts & onboardedPart) != 0) {
        store.setValue(onboardedKey, boolText(onboardingFinished));
    }
    if ((parts & preferencesPart) != 0) {
        if (useLLM) {
            store.setValue(useLLMKey, boolText(*useLLM));
        }
        store.setValue(allowContentKey, boolText(allowContent));
        store.setValue(minAgeDaysKey, minAgeDays);
    }
    store.sync();
    return store.status() == QSettings::NoError;
}

OrganizerSettings organizerSettings(const Settings& settings, const AppLocation& location,
                                    bool useLLM) {
    OrganizerSettings result(location.home);
    std::vector<std::filesystem::path> sources;
    for (const auto& source : settings.sources) {
        auto folder = normalFolder(source);
        if (location.isFixture && !isInside(folder, location.home)) {
            continue;
        }
        if (std::find(sources.begin(), sources.end(), folder) == sources.end()) {
            sources.push_back(std::move(folder));
        }
    }
    if (!sources.empty()) {
        result.sources = std::move(sources);
    }
    result.minAgeDays = settings.minAgeDays;
    result.allowContent = settings.allowContent;
    result.useLLM = useLLM;
    result.profileCache = location.profileCacheFile();
    result.modelAnswers = location.modelAnswersFile();
    result.systemDataFolders = systemDataFolders();
    return result;
}

} // namespace vesk
