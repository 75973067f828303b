#pragma once

#include "app/KeyStore.h"

namespace vesk {

// The model service's key in the desktop's secret service.
class SecretServiceKeyStore final : public KeyStore {
public:
    void read(QObject* context, Done done) override;
    void write(const std::string& key, QObject* context, Done done) override;
};

} // namespace vesk
