#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vesk::test {

struct ProcessResult {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

// Runs vesk-cli with the arguments, with HOME and the XDG folders inside `sandbox`, and
// without a model service, so nothing of the real home is read or written. `environment`
// entries ("NAME=value") come first and so win over those defaults.
ProcessResult runCli(const std::vector<std::string>& args, const std::filesystem::path& sandbox,
                     const std::vector<std::string>& environment = {});

} // namespace vesk::test
