#pragma once

#include <QSettings>
#include <QString>

#include <filesystem>
#include <optional>
#include <vector>

namespace vesk {

// The person's settings in an INI file. INI keeps no types, so a boolean entry counts only
// as "true"/"false" and a number only when it parses as a finite one; anything else is
// treated as missing and the default applies.
class SettingsStore {
public:
    explicit SettingsStore(const QString& file);

    // False when the file exists but cannot be read or parsed.
    [[nodiscard]] bool isUsable() const;

    [[nodiscard]] std::vector<std::filesystem::path> sources() const;
    [[nodiscard]] bool hasStoredSources() const;
    // True only when finished and at least one source is stored.
    [[nodiscard]] bool onboarded() const;
    // Absent when not stored: the default depends on whether the model is available.
    [[nodiscard]] std::optional<bool> useLLM() const;
    [[nodiscard]] bool allowContent() const;
    [[nodiscard]] double minAgeDays() const;

    void setSources(const std::vector<std::filesystem::path>& folders);
    void setOnboarded(bool value);
    void setUseLLM(bool value);
    void setAllowContent(bool value);
    void setMinAgeDays(double value);
    void sync();

    static constexpr double defaultMinAgeDays = 3;

private:
    [[nodiscard]] std::optional<bool> boolean(const QString& key) const;

    mutable QSettings settings_;
};

} // namespace vesk
