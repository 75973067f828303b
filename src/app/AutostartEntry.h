#pragma once

#include "app/AppLocation.h"

#include <QString>
#include <QStringList>

#include <filesystem>

namespace vesk {

// "Open at Login": the XDG autostart entry that starts Vesk when the person logs in. Its state
// is always read from disk, so a change the system refused shows as not made.
class AutostartEntry {
public:
    // `command`: the program by absolute path, then its arguments.
    AutostartEntry(std::filesystem::path file, QStringList command);

    // $XDG_CONFIG_HOME/autostart/app.vesk.Vesk.desktop
    [[nodiscard]] static std::filesystem::path standardFile();
    // Starts `program` again as it runs now: with "--home" when it runs on a fixture home.
    [[nodiscard]] static QStringList commandFor(const QString& program,
                                                const AppLocation& location);
    // The command as the value of an Exec key: arguments quoted where the Desktop Entry
    // Specification asks for it, "%" doubled, backslashes escaped.
    [[nodiscard]] static QString execValue(const QStringList& command);

    // An entry is on when it exists and is not hidden (Hidden=true, or switched off by the
    // desktop's own startup settings with X-GNOME-Autostart-enabled=false).
    [[nodiscard]] bool isEnabled() const;
    // Writes or removes the entry; returns what is on disk afterwards.
    [[nodiscard]] bool setEnabled(bool enabled) const;

    [[nodiscard]] const std::filesystem::path& file() const { return file_; }
    [[nodiscard]] QString contents() const;

private:
    std::filesystem::path file_;
    QStringList command_;
};

} // namespace vesk
