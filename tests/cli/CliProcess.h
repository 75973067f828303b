#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>
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

// The same in two halves, for a test that signals the process while it runs. A process ended
// by a signal has the exit status -1.
pid_t startCli(const std::vector<std::string>& args, const std::filesystem::path& sandbox,
               const std::vector<std::string>& environment = {});
ProcessResult finishCli(pid_t pid, const std::filesystem::path& sandbox);

} // namespace vesk::test
