#pragma once

#include "app/KeyStore.h"

#include <string>

namespace vesk::test {

// A key store in memory that answers at once; or, with `refusal` set, one that keeps nothing
// and says why, as where no secret service runs.
class MemoryKeyStore final : public KeyStore {
public:
    void read(QObject* /*context*/, Done done) override { done({key, refusal}); }
    void write(const std::string& written, QObject* /*context*/, Done done) override {
        if (refusal.empty()) {
            key = written;
        }
        done({{}, refusal});
    }

    std::string key;
    std::string refusal;
};

} // namespace vesk::test
