#include "CliProcess.h"

#include "support/TempDir.h"

#include <spawn.h>
#include <sys/wait.h>

#include <fcntl.h>
#include <stdexcept>

extern char** environ;

namespace vesk::test {

pid_t startCli(const std::vector<std::string>& args, const std::filesystem::path& sandbox,
               const std::vector<std::string>& environment) {
    // The Trash is chosen by comparing volumes with the home folder, which must exist.
    std::filesystem::create_directories(sandbox / "home");
    const auto outFile = sandbox / "cli.out";
    const auto errFile = sandbox / "cli.err";

    std::vector<std::string> env = environment;
    env.insert(env.end(), {
                              "HOME=" + (sandbox / "home").string(),
                              "XDG_CONFIG_HOME=" + (sandbox / "config").string(),
                              "XDG_DATA_HOME=" + (sandbox / "data").string(),
                              "VESK_MODEL_URL=off",
                              "LC_ALL=C.UTF-8",
                              "PATH=/usr/bin:/bin",
                          });
    if (const char* asan = std::getenv("ASAN_OPTIONS")) {
        env.push_back(std::string("ASAN_OPTIONS=") + asan);
    }
    std::vector<std::string> argv = {VESK_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());

    const auto pointers = [](std::vector<std::string>& strings) {
        std::vector<char*> result;
        for (auto& string : strings) {
            result.push_back(string.data());
        }
        result.push_back(nullptr);
        return result;
    };
    const auto argvPtrs = pointers(argv);
    const auto envPtrs = pointers(env);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, argvPtrs[0], &actions, nullptr, argvPtrs.data(), envPtrs.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        throw std::runtime_error("cannot start vesk-cli");
    }
    return pid;
}

ProcessResult finishCli(pid_t pid, const std::filesystem::path& sandbox) {
    int status = 0;
    waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(sandbox / "cli.out"),
            readFile(sandbox / "cli.err")};
}

ProcessResult runCli(const std::vector<std::string>& args, const std::filesystem::path& sandbox,
                     const std::vector<std::string>& environment) {
    return finishCli(startCli(args, sandbox, environment), sandbox);
}

} // namespace vesk::test
