// The first plan of a large home with the local model, one request at a time against several
// at once, and the re-plan of the unchanged home with the model on against the plan without
// it. The model is a scripted service on loopback that takes 50 ms for every answer and
// answers several requests at once, as llama-server and Ollama do with parallel slots.
//
//   vesk_bench_model HOME [RUNS]
//
// HOME is made by bench/make-large-home.py; RUNS (default 3) re-plans are timed each way.

#include "core/placement/Organizer.h"

#include "support/FakeModelServer.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

using nlohmann::ordered_json;
using vesk::test::FakeModelServer;

constexpr std::chrono::milliseconds answerTime{50};

const ordered_json& choices(const ordered_json& schema, const char* property) {
    return schema["schema"]["properties"][property]["enum"];
}

// Answers that depend only on the question, so that every run gets the same ones: most files
// placed, some left alone, a third of the reviews taken back.
FakeModelServer::Reply answer(const ordered_json& request) {
    const auto& schema = request["response_format"]["json_schema"];
    const std::string prompt = request["messages"][1]["content"];
    const auto hash = std::hash<std::string>{}(prompt.substr(0, prompt.find('\n')));
    FakeModelServer::Reply reply;
    if (schema["name"] == "Profiles") {
        auto folders = ordered_json::array();
        for (const auto& label :
             schema["schema"]["properties"]["folders"]["items"]["properties"]["path"]["enum"]) {
            folders.push_back({{"path", label}, {"purpose", "Files about " + label.get<std::string>()},
                               {"keywords", {"things"}}});
        }
        reply = FakeModelServer::answer({{"folders", folders}});
    } else if (schema["name"] == "Placement") {
        const auto& folders = choices(schema, "folder");
        reply = FakeModelServer::answer({{"what", "a document"},
                                         {"folder", folders[hash % folders.size()]},
                                         {"confidence", hash % 5 == 0 ? "low" : "high"}});
    } else {
        const auto& categories = choices(schema, "category");
        const auto& category = hash % 3 == 0 ? categories.back() : categories[hash % categories.size()];
        reply = FakeModelServer::answer({{"english", "x"}, {"what", "a document"}, {"category", category}});
    }
    reply.delay = answerTime;
    return reply;
}

double secondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Processor time of the whole process, every thread: on a busy machine the time that tells.
double processorSecondsOf(const std::function<void()>& work) {
    const auto now = [] {
        timespec time{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) / 1e9;
    };
    const double start = now();
    work();
    return now() - start;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const auto n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

vesk::OrganizerSettings settingsFor(const std::filesystem::path& home,
                                    const std::filesystem::path& support, bool useModel) {
    vesk::OrganizerSettings settings(home);
    settings.minAgeDays = 0;
    settings.useLLM = useModel;
    settings.profileCache = support / "folder-profiles.json";
    settings.modelAnswers = support / "model-answers.json";
    return settings;
}

struct FirstPlan {
    int parallel = 0;
    vesk::Plan plan;
    std::size_t requests = 0;
    int mostInFlight = 0;
    int connections = 0;
    double seconds = 0;
};

FirstPlan firstPlan(const std::filesystem::path& home, const std::filesystem::path& support,
                    int parallel) {
    std::filesystem::remove_all(support);
    FakeModelServer server;
    server.setHandler(answer);
    vesk::ModelEndpoint endpoint;
    endpoint.url = server.baseUrl();
    endpoint.parallel = parallel;
    FirstPlan result;
    result.parallel = parallel;
    result.seconds = secondsOf([&] {
        result.plan = vesk::Organizer(settingsFor(home, support, true), endpoint).run();
    });
    result.requests = server.chatRequests().size();
    result.mostInFlight = server.mostInFlight();
    result.connections = server.connections();
    result.plan.llmSeconds = 0; // summed over the requests, so it differs with their overlap
    return result;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: vesk_bench_model HOME [RUNS]\n";
        return 2;
    }
    const std::filesystem::path home = std::filesystem::absolute(argv[1]);
    const int runs = argc == 3 ? std::max(1, std::atoi(argv[2])) : 3;
    const auto support = std::filesystem::temp_directory_path() / "vesk-bench-model";

    std::vector<FirstPlan> firsts;
    for (const int parallel : {1, 4}) {
        firsts.push_back(firstPlan(home, support, parallel));
    }

    // The caches of the last first plan stay: the re-plan finds every answer there.
    FakeModelServer server;
    server.setHandler(answer);
    vesk::ModelEndpoint endpoint;
    endpoint.url = server.baseUrl();
    std::vector<double> withModel;
    std::vector<double> withoutModel;
    std::vector<double> withModelProcessor;
    std::vector<double> withoutModelProcessor;
    for (int run = 0; run < runs; ++run) {
        for (const bool useModel : {true, false}) {
            double seconds = 0;
            const double processor = processorSecondsOf([&] {
                seconds = secondsOf([&] {
                    (void)vesk::Organizer(settingsFor(home, support, useModel), endpoint).run();
                });
            });
            (useModel ? withModel : withoutModel).push_back(seconds);
            (useModel ? withModelProcessor : withoutModelProcessor).push_back(processor);
        }
    }
    std::filesystem::remove_all(support);

    const auto& plan = firsts.front().plan;
    std::printf("home: %zu waiting files, %zu folders; %d ms per answer\n\n",
                plan.suggestions.size(), plan.targets.size(),
                static_cast<int>(answerTime.count()));
    std::printf("| in flight | requests | most in flight | connections | first plan |\n");
    std::printf("|---|---|---|---|---|\n");
    for (const auto& first : firsts) {
        // One connection asks whether the service is there, the rest the model's questions.
        std::printf("| %d | %zu | %d | 1 + %d | %.2f s |\n", first.parallel, first.requests,
                    first.mostInFlight, first.connections - 1, first.seconds);
    }
    std::printf("\nfirst plan with %d in flight: %.2f of the time one at a time\n",
                firsts.back().parallel, firsts.back().seconds / firsts.front().seconds);
    std::printf("plans the same either way: %s\n",
                firsts.front().plan == firsts.back().plan ? "yes" : "NO");
    std::printf("re-plan of the unchanged home, median of %d: %.2f s with the model, %.2f s "
                "without, ratio %.2f (%d requests)\n",
                runs, median(withModel), median(withoutModel),
                median(withModel) / median(withoutModel),
                static_cast<int>(server.chatRequests().size()));
    std::printf("processor time of the re-plan, median: %.2f s with the model, %.2f s without, "
                "ratio %.2f\n",
                median(withModelProcessor), median(withoutModelProcessor),
                median(withModelProcessor) / median(withoutModelProcessor));
    return firsts.front().plan == firsts.back().plan ? 0 : 1;
}
