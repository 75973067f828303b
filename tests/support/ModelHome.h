#pragma once

#include "app/AppModel.h"
#include "support/MemoryKeyStore.h"
#include "support/QtPrinting.h"
#include "support/ScriptedPicker.h"
#include "support/TempDir.h"

#include <QTest>

#include <initializer_list>
#include <memory>

namespace vesk::test {

// A home folder of its own with an application model on it: settings in the folder, the model
// off (as if by VESK_MODEL_URL), a short quiet time for the folder watchers, scripted folder
// pickers, the model service's key in memory, no sandbox unless asked for.
class ModelHome {
public:
    explicit ModelHome(std::initializer_list<const char*> files = {}) {
        location.home = dir / "home";
        location.supportDir = location.home / ".vesk-app";
        location.settingsFile = QString::fromStdString((dir / "vesk.conf").string());
        location.isFixture = true;
        makeDir(location.home / "Downloads");
        makeDir(location.home / "Desktop");
        for (const char* file : files) {
            writeFile(location.home / file);
        }
    }

    // Onboarded on Downloads, tidying files of any age.
    [[nodiscard]] Settings onboardedSettings() const {
        Settings settings;
        settings.sources = {location.home / "Downloads"};
        settings.onboardingFinished = true;
        settings.minAgeDays = 0;
        return settings;
    }

    [[nodiscard]] std::unique_ptr<AppModel> makeModel(Settings settings,
                                                      ModelEnvironment environment = {.url = "off"},
                                                      AppModelOptions options = {}) {
        options.debounce = debounce;
        options.sandboxed = sandboxed;
        return std::make_unique<AppModel>(location, std::move(settings), std::move(environment),
                                          picker, keys, std::move(options));
    }

    // Waits until the model service has answered whether the model can be used.
    [[nodiscard]] static bool modelChecked(const AppModel& model) {
        return QTest::qWaitFor(
            [&] { return model.modelStatus() != AppModel::ModelStatus::checking; }, 10'000);
    }

    // Waits for the scan or tidy in progress; false when it did not end.
    [[nodiscard]] static bool settle(const AppModel& model) {
        return QTest::qWaitFor([&] { return !model.isBusy() && !model.isMoving(); }, 10'000);
    }

    [[nodiscard]] std::filesystem::path downloads() const { return location.home / "Downloads"; }
    [[nodiscard]] std::filesystem::path desktop() const { return location.home / "Desktop"; }
    std::filesystem::path download(const std::string& name) const {
        return writeFile(location.home / "Downloads" / name);
    }
    [[nodiscard]] Settings stored() const { return *Settings::load(location.settingsFile); }

    TempDir dir;
    AppLocation location;
    ScriptedPicker picker;
    MemoryKeyStore keys;
    std::chrono::milliseconds debounce{400};
    bool sandboxed = false;
};

} // namespace vesk::test
