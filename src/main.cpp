// vesk: the tray application.

#include "app/AppLocation.h"
#include "app/AppModel.h"
#include "app/LaunchOptions.h"
#include "app/Links.h"
#include "app/ModelEnvironment.h"
#include "app/PathBoundary.h"
#include "app/Settings.h"
#include "app/StopSignalNotifier.h"
#include "app/StoreNotice.h"
#include "app/Translations.h"
#include "platform/FreeMemory.h"
#include "platform/StopSignals.h"
#include "ui/DesktopNotifier.h"
#include "ui/FileDialogPicker.h"
#include "ui/SecretServiceKeyStore.h"
#include "ui/Shell.h"
#include "ui/SingleInstance.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTextStream>

#include <cstdio>
#include <filesystem>

namespace {

using namespace vesk;

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

// Help and version need no display.
int answerWithoutDisplay(int argc, char** argv, const LaunchOptions& options) {
    QCoreApplication app(argc, argv);
    Translations::install(app, QLocale::system().uiLanguages());
    QTextStream out(stdout);
    if (options.help) {
        out << LaunchOptions::helpText();
    } else {
        out << "Vesk " << VESK_VERSION << '\n';
    }
    return 0;
}

// The installed README: under the prefix this binary was installed to (a package, or
// `cmake --install` anywhere), else in the system's data folders. A build that was never
// installed has none, and help opens nothing.
QUrl readme() {
    const QFileInfo beside(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/" VESK_DOC_FROM_BIN "/README.md"));
    if (beside.isFile()) {
        return QUrl::fromLocalFile(beside.canonicalFilePath());
    }
    const QString installed =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("doc/vesk/README.md"));
    return installed.isEmpty() ? QUrl() : QUrl::fromLocalFile(installed);
}

} // namespace

int main(int argc, char** argv) {
    platform::blockStopSignals(); // before Qt starts any thread
    platform::configureHeap();
    const QStringList arguments = argumentsOf(argc, argv);
    const LaunchOptions options = LaunchOptions::parse(arguments);
    if (options.help || options.version) {
        return answerWithoutDisplay(argc, argv, options);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vesk"));
    QApplication::setApplicationVersion(QStringLiteral(VESK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("app.vesk.Vesk"));
    QApplication::setQuitOnLastWindowClosed(false); // a tray application: no main window
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/app.vesk.Vesk.svg")));
    const QStringList languages = QLocale::system().uiLanguages();
    Translations::install(app, languages);

    const AppLocation location = AppLocation::fromArguments({argv, argv + argc});
    std::error_code ec;
    if (location.isFixture && !std::filesystem::is_directory(location.home, ec)) {
        std::fprintf(stderr, "vesk: --home %s is not a folder\n", location.home.c_str());
        return 2;
    }
    SingleInstance instance(location.home);
    switch (instance.claim(options.windowArguments())) {
    case SingleInstance::Claim::handedOver:
        return 0;
    case SingleInstance::Claim::unreachable:
        std::fprintf(stderr, "vesk: Vesk already runs for %s but does not answer\n",
                     location.home.c_str());
        return 1;
    case SingleInstance::Claim::first:
        break;
    }

    // Started at login, Vesk has no terminal: what goes wrong with the store shows in a window.
    const SettingsAtStart stored = loadSettingsAtStart(location.settingsFile);
    if (!stored.settings) {
        const QString text = StoreNotice::unusable(location.settingsFile, stored.error);
        std::fprintf(stderr, "vesk: %s\n", qPrintable(text));
        QMessageBox::critical(nullptr, QStringLiteral("Vesk"), text);
        return 1;
    }
    FileDialogPicker picker;
    SecretServiceKeyStore keys;
    AppModel model(location, *stored.settings, ModelEnvironment::read(), picker, keys);
    Links links{QStringLiteral(VESK_WEB_ORIGIN), languages, QStringLiteral(VESK_VERSION), readme()};
    DesktopNotifier notifier(QDBusConnection::sessionBus());
    Shell shell(model, std::move(links), options, notifier, QDBusConnection::sessionBus());
    QObject::connect(&shell, &Shell::quitRequested, &app, &QApplication::quit);
    QObject::connect(
        &instance, &SingleInstance::arrived, &shell, [&shell](const QStringList& handed) {
            shell.handle(LaunchOptions::parse(QStringList{QStringLiteral("vesk")} + handed));
        });
    // A logout or Ctrl+C quits as the menu's Quit does.
    StopSignalNotifier stopSignals;
    QObject::connect(&stopSignals, &StopSignalNotifier::received, &app, &QApplication::quit);
    shell.start();
    if (stored.setAside) {
        auto* notice = new QMessageBox(QMessageBox::Information, QStringLiteral("Vesk"),
                                       StoreNotice::setAside(location.settingsFile, *stored.setAside));
        notice->setAttribute(Qt::WA_DeleteOnClose);
        notice->show();
    }
    return QApplication::exec();
}
