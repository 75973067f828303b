#include "ui/SecretServiceKeyStore.h"

#include "platform/SecretStore.h"

#include <QPointer>

namespace vesk {

namespace {

// The name the key is kept under.
const std::string keyName = "model-service-key";

platform::SecretDone unless(QObject* context, KeyStore::Done done) {
    return [context = QPointer(context),
            done = std::move(done)](const platform::SecretAnswer& answer) {
        if (context) {
            done({answer.secret, answer.error});
        }
    };
}

} // namespace

void SecretServiceKeyStore::read(QObject* context, Done done) {
    platform::readSecret(keyName, unless(context, std::move(done)));
}

void SecretServiceKeyStore::write(const std::string& key, QObject* context, Done done) {
    platform::writeSecret(keyName, key, unless(context, std::move(done)));
}

} // namespace vesk
