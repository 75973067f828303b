#pragma once

#include "app/KeyStore.h"
#include "app/ModelEnvironment.h"
#include "core/model/ModelEndpoint.h"
#include "core/plan/ModelUnavailable.h"
#include "core/plan/Plan.h"

#include <QObject>
#include <QThreadPool>

#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace vesk {

struct ModelCheck;

// The local model service as the settings, the kept key and the environment choose it, and
// what the service said when last asked. It is asked on a worker thread of its own, so that
// neither the interface nor a long scan waits for the other.
class ModelSetup : public QObject {
    Q_OBJECT

public:
    enum class Status { checking, available, unavailable };
    enum class Showing { checking, lastAnswer }; // while a check is under way
    // What became of the key when it was last read or kept.
    enum class KeyTrouble { none, notRead, notKept };

    // Reads the key and asks the service at once.
    ModelSetup(ModelEndpoint chosen, ModelEnvironment environment, KeyStore& keys,
               QObject* parent = nullptr);
    // Ends a check under way.
    ~ModelSetup() override;
    ModelSetup(const ModelSetup&) = delete;
    ModelSetup& operator=(const ModelSetup&) = delete;

    // Where requests go: the settings' choice with the kept key, the environment over both.
    [[nodiscard]] const ModelEndpoint& endpoint() const { return endpoint_; }
    // The address, model and requests at once the settings choose.
    [[nodiscard]] const ModelEndpoint& chosen() const { return chosen_; }
    [[nodiscard]] const ModelEnvironment& environment() const { return environment_; }
    void choose(ModelEndpoint chosen);

    // The person's key as kept; the environment's may be used instead.
    [[nodiscard]] const std::string& key() const { return key_; }
    // In effect at once; kept for the next start where the store allows.
    void setKey(const std::string& key);
    [[nodiscard]] KeyTrouble keyTrouble() const { return keyTrouble_; }
    // The store's words about it.
    [[nodiscard]] const std::string& keyProblem() const { return keyProblem_; }

    [[nodiscard]] Status status() const { return status_; }
    // Why the model can't be used; absent while checking and when it can.
    [[nodiscard]] const std::optional<ModelUnavailable>& unavailable() const {
        return unavailable_;
    }
    // The service's own words about why, where it gave any.
    [[nodiscard]] const std::string& detail() const { return detail_; }
    // The models the service listed when last asked, chat models first.
    [[nodiscard]] const std::vector<std::string>& models() const { return models_; }

    void check(Showing showing = Showing::checking);
    // A scan that had to do without the model tells why; the next check may say otherwise.
    void scanned(const Plan& plan);

signals:
    // Requests go elsewhere, or with another model or key, from now on.
    void endpointChanged();
    // The service answered a check: whether the model can be used.
    void answered(bool available);
    // Anything shown about the model changed: the status, the reason, the models, the key.
    void stateChanged();

private:
    void settle();
    void keyRead(const KeyStore::Answer& answer);
    void checked(const ModelCheck& check);

    ModelEndpoint chosen_;
    ModelEnvironment environment_;
    KeyStore& keys_;
    std::string key_;
    KeyTrouble keyTrouble_ = KeyTrouble::none;
    std::string keyProblem_;
    ModelEndpoint endpoint_;

    Status status_ = Status::checking;
    std::optional<ModelUnavailable> unavailable_;
    std::string detail_;
    std::vector<std::string> models_;
    int checks_ = 0; // under way: only the newest one's answer is shown

    QThreadPool pool_;
    std::stop_source quit_;
};

} // namespace vesk
