#include "app/AutostartEntry.h"

#include "app/PathBoundary.h"
#include "core/util/AtomicFile.h"

#include <QFile>
#include <QStandardPaths>
#include <QTextStream>

#include <algorithm>
#include <system_error>

namespace vesk {

namespace {

QString quotedArgument(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    static const QString escapedInQuotes = QStringLiteral("\"`$\\");
    const bool plain =
        !argument.isEmpty() && std::none_of(argument.begin(), argument.end(),
                                            [](QChar c) { return reserved.contains(c); });
    if (plain) {
        return argument;
    }
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (escapedInQuotes.contains(c)) {
            quoted += QLatin1Char('\\');
        }
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

// Whether a key of the [Desktop Entry] group switches the entry off.
bool switchesOff(const QString& key, const QString& value) {
    return (key == QStringLiteral("Hidden") && value == QStringLiteral("true")) ||
           (key == QStringLiteral("X-GNOME-Autostart-enabled") && value == QStringLiteral("false"));
}

} // namespace

AutostartEntry::AutostartEntry(std::filesystem::path file, QStringList command)
    : file_(std::move(file)), command_(std::move(command)) {}

std::filesystem::path AutostartEntry::standardFile() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return pathFromQt(config) / "autostart" /
           "app.vesk.Vesk.desktop";
}

QStringList AutostartEntry::commandFor(const QString& program, const AppLocation& location) {
    QStringList command{program};
    if (location.isFixture) {
        command << QStringLiteral("--home")
                << pathToQt(location.home);
    }
    return command;
}

QString AutostartEntry::execValue(const QStringList& command) {
    QStringList arguments;
    for (const QString& argument : command) {
        arguments << quotedArgument(argument);
    }
    // Quoting comes first; the string escapes of every desktop entry value apply on top.
    QString value = arguments.join(QLatin1Char(' '));
    value.replace(QLatin1Char('%'), QStringLiteral("%%"));
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    value.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    value.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    value.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return value;
}

QString AutostartEntry::contents() const {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Vesk\n"
                          "Comment=Keeps your Downloads and Desktop tidy\n"
                          "Exec=%1\n"
                          "Icon=app.vesk.Vesk\n"
                          "Terminal=false\n")
        .arg(execValue(command_));
}

bool AutostartEntry::isEnabled() const {
    QFile entry(pathToQt(file_));
    if (!entry.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return false;
    }
    QTextStream in(&entry);
    bool inMainGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QStringLiteral("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (inMainGroup && equals > 0 &&
            switchesOff(line.left(equals).trimmed(), line.mid(equals + 1).trimmed())) {
            return false;
        }
    }
    return true;
}

bool AutostartEntry::setEnabled(bool enabled) const {
    if (enabled) {
        static_cast<void>(writeFileAtomically(file_, contents().toStdString()));
    } else {
        std::error_code ec;
        std::filesystem::remove(file_, ec);
    }
    // Whatever failed shows in what is there now.
    return isEnabled();
}

} // namespace vesk
