#pragma once

#include "app/AppModel.h"
#include "support/ScriptedPicker.h"
#include "support/TempDir.h"

#include <QByteArray>
#include <QtGlobal>

#include <memory>

namespace vesk::test {

// A home that has never seen Vesk: Downloads and Desktop, a settings store and an XDG config
// folder of its own (for the autostart entry), scripted folder pickers, the model off.
class FreshHome {
public:
    enum class Sandbox { no, yes };

    FreshHome() : configBefore_(qgetenv("XDG_CONFIG_HOME")) {
        location.home = dir / "home";
        location.supportDir = location.home / ".vesk-app";
        location.settingsFile = QString::fromStdString((dir / "vesk.conf").string());
        location.isFixture = true;
        makeDir(location.home / "Downloads");
        makeDir(location.home / "Desktop");
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((dir / "config").string()));
    }
    ~FreshHome() { qputenv("XDG_CONFIG_HOME", configBefore_); }
    FreshHome(const FreshHome&) = delete;
    FreshHome& operator=(const FreshHome&) = delete;

    [[nodiscard]] std::unique_ptr<AppModel>
    makeModel(Settings settings = {}, Sandbox sandbox = Sandbox::no,
              ModelEndpoint endpoint = {.url = "off", .model = ""}) {
        AppModelOptions options;
        options.sandboxed = sandbox == Sandbox::yes;
        return std::make_unique<AppModel>(location, std::move(settings), std::move(endpoint),
                                          picker, std::move(options));
    }

    [[nodiscard]] Settings stored() const { return *Settings::load(location.settingsFile); }
    [[nodiscard]] std::filesystem::path downloads() const { return location.home / "Downloads"; }
    [[nodiscard]] std::filesystem::path desktop() const { return location.home / "Desktop"; }

    TempDir dir;
    AppLocation location;
    ScriptedPicker picker;

private:
    QByteArray configBefore_;
};

} // namespace vesk::test
