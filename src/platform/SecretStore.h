#pragma once

#include <functional>
#include <string>

namespace vesk::platform {

// A secret of this application kept by the desktop's secret service (GNOME Keyring, KWallet)
// under a name of its own, through QtKeychain. Each call returns at once and `done` runs later
// on the calling thread, which runs a Qt event loop. Without a secret service every call fails
// with its reason: nothing is ever kept elsewhere.
struct SecretAnswer {
    std::string secret; // as read; empty when none is kept under the name
    std::string error;  // why it failed; empty when it did not
};
using SecretDone = std::function<void(const SecretAnswer& answer)>;

void readSecret(const std::string& name, SecretDone done);
// An empty secret removes the one kept under the name.
void writeSecret(const std::string& name, const std::string& secret, SecretDone done);

} // namespace vesk::platform
