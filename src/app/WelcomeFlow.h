#pragma once

#include <QObject>
#include <QString>

#include <filesystem>
#include <optional>
#include <set>
#include <vector>

namespace vesk {

class AppModel;

// What the welcome window shows and allows, step by step: the folders offered and ticked,
// access to the home folder in a sandbox, and the model choice. Nothing reaches the model
// before "Start", so closing the window half-way saves nothing.
class WelcomeFlow : public QObject {
    Q_OBJECT

public:
    enum class Step { welcome, folders, access, tray };

    // `startAt`: the step the command line asks for, capped at the last. From the second step
    // on every offered folder is ticked, since the later steps need at least one.
    WelcomeFlow(AppModel& model, std::optional<int> startAt, QObject* parent = nullptr);

    // Three steps, or four with the access step in a sandbox.
    [[nodiscard]] const std::vector<Step>& steps() const { return steps_; }
    [[nodiscard]] int stepIndex() const { return index_; }
    [[nodiscard]] Step step() const { return steps_[static_cast<std::size_t>(index_)]; }
    [[nodiscard]] bool isLastStep() const;
    [[nodiscard]] bool canGoBack() const { return index_ > 0; }
    // Whether the default button works on this step.
    [[nodiscard]] bool canContinue() const;
    // "Continue", or "Start" on the last step.
    [[nodiscard]] QString primaryText() const;

    // The folders offered, in display order.
    [[nodiscard]] const std::vector<std::filesystem::path>& candidates() const {
        return candidates_;
    }
    [[nodiscard]] bool isChosen(const std::filesystem::path& folder) const;
    void setChosen(const std::filesystem::path& folder, bool chosen);
    // Lets the person pick folders; each is listed once and ticked.
    void addFolders();

    [[nodiscard]] bool accessGranted() const { return accessGranted_; }
    // Asks for the home folder; whatever the person confirms counts as granted.
    void requestAccess();

    // The model choice is offered only while the model is available; until the person
    // chooses, it follows the answer of the model service, which may come after the window.
    [[nodiscard]] bool offersModel() const;
    [[nodiscard]] bool useModel() const { return useModel_; }
    void setUseModel(bool use);

    void back();
    // The default button: the next step, or on the last step hands the choices to the model.
    void advance();

signals:
    void changed();
    // The choices are saved; the window's work is done.
    void finished();

private:
    void finish();

    AppModel& model_;
    std::vector<Step> steps_;
    int index_ = 0;
    std::vector<std::filesystem::path> candidates_;
    std::set<std::filesystem::path> chosen_;
    bool accessGranted_;
    bool useModel_;
    bool modelChosen_ = false;
};

} // namespace vesk
