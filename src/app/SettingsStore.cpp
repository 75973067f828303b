#include "app/SettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cmath>

namespace vesk {

namespace {
const QString sourcesKey = QStringLiteral("sources");
const QString onboardedKey = QStringLiteral("onboarded");
const QString useLLMKey = QStringLiteral("useLLM");
const QString allowContentKey = QStringLiteral("allowContent");
const QString minAgeDaysKey = QStringLiteral("minAgeDays");

QString boolText(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}
} // namespace

SettingsStore::SettingsStore(const QString& file) : settings_(file, QSettings::IniFormat) {}

bool SettingsStore::isUsable() const {
    if (settings_.status() != QSettings::NoError) {
        return false;
    }
    const QFileInfo info(settings_.fileName());
    return !info.exists() || (info.isFile() && info.isReadable());
}

std::vector<std::filesystem::path> SettingsStore::sources() const {
    std::vector<std::filesystem::path> folders;
    for (const QString& path : settings_.value(sourcesKey).toStringList()) {
        if (!path.isEmpty()) {
            folders.emplace_back(QFile::encodeName(path).toStdString());
        }
    }
    return folders;
}

bool SettingsStore::hasStoredSources() const {
    return !sources().empty();
}

bool SettingsStore::onboarded() const {
    return boolean(onboardedKey).value_or(false) && hasStoredSources();
}

std::optional<bool> SettingsStore::useLLM() const {
    return boolean(useLLMKey);
}

bool SettingsStore::allowContent() const {
    return boolean(allowContentKey).value_or(false);
}

double SettingsStore::minAgeDays() const {
    bool ok = false;
    const double days = settings_.value(minAgeDaysKey).toString().toDouble(&ok);
    return ok && std::isfinite(days) ? days : defaultMinAgeDays;
}

void SettingsStore::setSources(const std::vector<std::filesystem::path>& folders) {
    QStringList paths;
    for (const auto& folder : folders) {
        paths << QFile::decodeName(QByteArray::fromStdString(folder.native()));
    }
    settings_.setValue(sourcesKey, paths);
}

void SettingsStore::setOnboarded(bool value) {
    settings_.setValue(onboardedKey, boolText(value));
}

void SettingsStore::setUseLLM(bool value) {
    settings_.setValue(useLLMKey, boolText(value));
}

void SettingsStore::setAllowContent(bool value) {
    settings_.setValue(allowContentKey, boolText(value));
}

void SettingsStore::setMinAgeDays(double value) {
    settings_.setValue(minAgeDaysKey, value);
}

void SettingsStore::sync() {
    settings_.sync();
}

std::optional<bool> SettingsStore::boolean(const QString& key) const {
    const QString text = settings_.value(key).toString();
    if (text == QStringLiteral("true")) {
        return true;
    }
    if (text == QStringLiteral("false")) {
        return false;
    }
    return std::nullopt;
}

} // namespace vesk
