#include "app/ModelSetup.h"

#include "core/model/ModelService.h"

#include <QtConcurrent/QtConcurrentRun>

namespace vesk {

ModelSetup::ModelSetup(ModelEndpoint chosen, ModelEnvironment environment, KeyStore& keys,
                       QObject* parent)
    : QObject(parent), chosen_(std::move(chosen)), environment_(std::move(environment)),
      keys_(keys) {
    pool_.setMaxThreadCount(1);
    endpoint_ = environment_.over(chosen_);
    keys_.read(this, [this](const KeyStore::Answer& answer) { keyRead(answer); });
    // A store that answered at once with a key has had it checked already.
    if (checks_ == 0) {
        check();
    }
}

ModelSetup::~ModelSetup() {
    quit_.request_stop();
    pool_.waitForDone();
}

void ModelSetup::choose(ModelEndpoint chosen) {
    chosen_ = std::move(chosen);
    settle();
}

void ModelSetup::setKey(const std::string& key) {
    key_ = key;
    keys_.write(key, this, [this](const KeyStore::Answer& answer) {
        keyTrouble_ = answer.error.empty() ? KeyTrouble::none : KeyTrouble::notKept;
        keyProblem_ = answer.error;
        emit stateChanged();
    });
    settle();
}

void ModelSetup::keyRead(const KeyStore::Answer& answer) {
    keyTrouble_ = answer.error.empty() ? KeyTrouble::none : KeyTrouble::notRead;
    keyProblem_ = answer.error;
    if (!answer.key.empty()) {
        key_ = answer.key;
        settle();
    }
    emit stateChanged();
}

// Asks again, and tells, when the requests would go elsewhere than before.
void ModelSetup::settle() {
    ModelEndpoint endpoint = chosen_;
    endpoint.key = key_;
    endpoint = environment_.over(std::move(endpoint));
    if (endpoint == endpoint_) {
        return;
    }
    endpoint_ = std::move(endpoint);
    check();
    emit endpointChanged();
}

void ModelSetup::check(Showing showing) {
    if (showing == Showing::checking && status_ != Status::checking) {
        status_ = Status::checking;
        unavailable_.reset();
        detail_.clear();
        emit stateChanged();
    }
    ++checks_;
    // Its answer comes as a queued call; the pool is waited for on destruction.
    static_cast<void>(
        QtConcurrent::run(&pool_, [this, endpoint = endpoint_, stop = quit_.get_token()] {
            auto found = checkModelService(endpoint, modelProbeLimit, stop, ModelSorting::all);
            QMetaObject::invokeMethod(
                this, [this, found = std::move(found)] { checked(found); }, Qt::QueuedConnection);
        }));
}

void ModelSetup::checked(const ModelCheck& check) {
    if (--checks_ > 0) {
        return; // a newer question is on its way, perhaps to another address
    }
    status_ = check.available() ? Status::available : Status::unavailable;
    unavailable_ = check.unavailable;
    detail_ = check.detail;
    models_ = check.models;
    emit answered(check.available());
    emit stateChanged();
}

void ModelSetup::scanned(const Plan& plan) {
    if (!plan.llmUnavailable || checks_ > 0) {
        return;
    }
    status_ = Status::unavailable;
    unavailable_ = plan.llmUnavailable;
    detail_ = plan.llmDetail;
    emit stateChanged();
}

} // namespace vesk
