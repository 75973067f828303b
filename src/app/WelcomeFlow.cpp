#include "app/WelcomeFlow.h"

#include "app/AppModel.h"
#include "core/util/NormalFolder.h"

#include <algorithm>

namespace vesk {

namespace {

std::vector<WelcomeFlow::Step> stepsFor(bool sandboxed) {
    using Step = WelcomeFlow::Step;
    if (sandboxed) {
        return {Step::welcome, Step::folders, Step::access, Step::tray};
    }
    return {Step::welcome, Step::folders, Step::tray};
}

} // namespace

WelcomeFlow::WelcomeFlow(AppModel& model, std::optional<int> startAt, QObject* parent)
    : QObject(parent), model_(model), steps_(stepsFor(model.access().sandboxed())),
      candidates_(model.suggestedSources()), accessGranted_(model.access().hasHome()),
      useModel_(offersModel()) {
    if (startAt) {
        // A negative step is as far back as it goes.
        index_ = std::clamp(*startAt, 0, static_cast<int>(steps_.size()) - 1);
        if (index_ >= 1) {
            chosen_.insert(candidates_.begin(), candidates_.end());
        }
    }
    connect(&model_, &AppModel::modelStatusChanged, this, [this] {
        if (!modelChosen_) {
            useModel_ = offersModel();
        }
        emit changed();
    });
}

bool WelcomeFlow::isLastStep() const {
    return index_ == static_cast<int>(steps_.size()) - 1;
}

bool WelcomeFlow::canContinue() const {
    switch (step()) {
    case Step::folders:
        return !chosen_.empty();
    case Step::access:
        return accessGranted_;
    case Step::welcome:
    case Step::tray:
        return true;
    }
    return true;
}

QString WelcomeFlow::primaryText() const {
    return isLastStep() ? tr("&Start") : tr("&Continue");
}

bool WelcomeFlow::isChosen(const std::filesystem::path& folder) const {
    return chosen_.contains(folder);
}

void WelcomeFlow::setChosen(const std::filesystem::path& folder, bool chosen) {
    if (chosen) {
        chosen_.insert(folder);
    } else {
        chosen_.erase(folder);
    }
    emit changed();
}

void WelcomeFlow::addFolders() {
    model_.pickFolders(this, [this](const std::vector<std::filesystem::path>& picked) {
        if (picked.empty()) {
            return;
        }
        for (const auto& pick : picked) {
            const auto folder = normalFolder(pick);
            if (std::find(candidates_.begin(), candidates_.end(), folder) == candidates_.end()) {
                candidates_.push_back(folder);
            }
            chosen_.insert(folder);
        }
        emit changed();
    });
}

void WelcomeFlow::requestAccess() {
    model_.access().requestHome(this, [this](bool confirmed) {
        if (confirmed) {
            accessGranted_ = true;
            emit changed();
        }
    });
}

bool WelcomeFlow::offersModel() const {
    return model_.modelStatus() == AppModel::ModelStatus::available;
}

void WelcomeFlow::setUseModel(bool use) {
    useModel_ = use;
    modelChosen_ = true;
    emit changed();
}

void WelcomeFlow::back() {
    if (canGoBack()) {
        --index_;
        emit changed();
    }
}

void WelcomeFlow::advance() {
    if (!canContinue()) {
        return;
    }
    if (isLastStep()) {
        finish();
        return;
    }
    ++index_;
    emit changed();
}

void WelcomeFlow::finish() {
    std::vector<std::filesystem::path> sources;
    std::copy_if(candidates_.begin(), candidates_.end(), std::back_inserter(sources),
                 [this](const std::filesystem::path& folder) { return isChosen(folder); });
    model_.finishOnboarding(std::move(sources), offersModel() && useModel_);
    emit finished();
}

} // namespace vesk
