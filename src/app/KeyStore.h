#pragma once

#include <QObject>

#include <functional>
#include <string>

namespace vesk {

// Where the model service's key is kept: the desktop's secret service in the application,
// memory in tests; never the settings file. Nothing waits for it: a secret service may take
// its time, or ask the person to unlock it first.
class KeyStore {
public:
    struct Answer {
        std::string key;   // as read; empty when none is stored
        std::string error; // why it could not be read or kept, in the store's words; empty: fine
    };
    // Called once, on the calling thread, unless `context` is gone by then.
    using Done = std::function<void(const Answer& answer)>;

    virtual ~KeyStore() = default;

    virtual void read(QObject* context, Done done) = 0;
    // An empty key removes the one kept.
    virtual void write(const std::string& key, QObject* context, Done done) = 0;
};

} // namespace vesk
