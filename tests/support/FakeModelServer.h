#pragma once

#include <nlohmann/json.hpp>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class DataSink;
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace vesk::test {

// A scripted stand-in for a local OpenAI-compatible model service on 127.0.0.1. It lists its
// models at /v1/models and answers /v1/chat/completions from a queue of replies or a callback
// (one call at a time, while the delays of the replies overlap), and keeps every chat request
// body for the test to inspect. Like Ollama, it can also tell a model's capabilities at
// /api/show, and it keeps connections alive for as many requests as they carry.
class FakeModelServer {
public:
    struct Reply {
        int status = 200;
        std::string body;
        std::chrono::milliseconds delay{0}; // before answering; cut short when the server stops
        // When set, the body goes out one byte at a time this far apart, so that no single
        // read waits long; cut short when the server stops.
        std::chrono::milliseconds trickle{0};
        // Spaces after the body, made while they are sent: an answer of any size, no memory.
        std::uint64_t padding = 0;
    };
    using Handler = std::function<Reply(const nlohmann::ordered_json& request)>;

    explicit FakeModelServer(std::vector<std::string> models = {"fake-model"});
    ~FakeModelServer();
    FakeModelServer(const FakeModelServer&) = delete;
    FakeModelServer& operator=(const FakeModelServer&) = delete;

    // A chat completion whose message content is the given structured answer.
    [[nodiscard]] static Reply answer(const nlohmann::ordered_json& content);
    // A chat completion whose message content is the given text, JSON or not.
    [[nodiscard]] static Reply answerText(const std::string& content);
    [[nodiscard]] static Reply status(int code);

    // "http://127.0.0.1:<port>/v1"
    [[nodiscard]] std::string baseUrl() const;
    [[nodiscard]] int port() const { return port_; }

    // Replaces the model listing, e.g. with status(503).
    void setModelsReply(Reply reply);
    // Chat requests are answered from the queue first, then by the handler, else with HTTP 500.
    void enqueue(Reply reply);
    void setHandler(Handler handler);

    // What /api/show tells of each model; without it /api/show is not found, as elsewhere
    // than on Ollama.
    void setCapabilities(std::map<std::string, std::vector<std::string>> capabilities);
    // Refuses every request without this bearer token with HTTP 401.
    void requireKey(std::string key);

    [[nodiscard]] std::vector<nlohmann::ordered_json> chatRequests() const;
    [[nodiscard]] int modelListings() const;
    // Every request's Authorization header, empty where there was none.
    [[nodiscard]] std::vector<std::string> authorizations() const;
    // The most chat requests under way at once, and the connections opened to the server.
    [[nodiscard]] int mostInFlight() const;
    [[nodiscard]] int connections() const;
    // Bytes of trickled or padded bodies sent so far.
    [[nodiscard]] std::uint64_t streamedBytes() const;

private:
    // False when the request was refused for want of the key, which `response` then says.
    bool admit(const httplib::Request& request, httplib::Response& response);
    [[nodiscard]] Reply chatReply(const std::string& body);
    void send(const Reply& reply, httplib::Response& response);
    [[nodiscard]] bool stream(const Reply& reply, std::size_t offset, httplib::DataSink& sink);
    // False when the server stopped before the delay was over.
    bool pause(std::chrono::milliseconds delay);

    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;

    mutable std::mutex mutex_;
    std::condition_variable stopping_;
    bool stopped_ = false;
    Reply models_;
    std::deque<Reply> queue_;
    Handler handler_;
    std::mutex handling_; // one handler call at a time, so that test handlers need no locks
    std::vector<nlohmann::ordered_json> requests_;
    std::optional<std::map<std::string, std::vector<std::string>>> capabilities_;
    std::string key_;
    std::vector<std::string> authorizations_;
    std::set<int> clientPorts_;
    int inFlight_ = 0;
    int mostInFlight_ = 0;
    int listings_ = 0;
    std::uint64_t streamed_ = 0;
};

} // namespace vesk::test
