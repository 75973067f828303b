#include "support/FakeModelServer.h"

#include <httplib.h>

#include <stdexcept>

namespace vesk::test {

using nlohmann::ordered_json;

FakeModelServer::FakeModelServer(std::vector<std::string> models)
    : server_(std::make_unique<httplib::Server>()) {
    ordered_json data = ordered_json::array();
    for (const auto& id : models) {
        data.push_back({{"id", id}, {"object", "model"}});
    }
    models_ = {200, ordered_json{{"object", "list"}, {"data", data}}.dump(), {}};

    server_->Get("/v1/models", [this](const httplib::Request&, httplib::Response& response) {
        Reply reply;
        {
            const std::lock_guard lock(mutex_);
            ++listings_;
            reply = models_;
        }
        pause(reply.delay);
        response.status = reply.status;
        response.set_content(reply.body, "application/json");
    });
    server_->Post("/v1/chat/completions",
                  [this](const httplib::Request& request, httplib::Response& response) {
                      const auto reply = chatReply(request.body);
                      pause(reply.delay);
                      response.status = reply.status;
                      response.set_content(reply.body, "application/json");
                  });
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0) {
        throw std::runtime_error("the fake model server cannot bind a port");
    }
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    // stop() is ignored until the accept loop runs, so wait for it.
    while (!server_->is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

FakeModelServer::~FakeModelServer() {
    {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    stopping_.notify_all();
    server_->stop();
    thread_.join();
}

FakeModelServer::Reply FakeModelServer::answer(const ordered_json& content) {
    return answerText(content.dump());
}

FakeModelServer::Reply FakeModelServer::answerText(const std::string& content) {
    const ordered_json completion = {{"id", "chatcmpl-fake"},
                                     {"object", "chat.completion"},
                                     {"choices",
                                      {{{"index", 0},
                                        {"message", {{"role", "assistant"}, {"content", content}}},
                                        {"finish_reason", "stop"}}}}};
    return {200, completion.dump(), {}};
}

FakeModelServer::Reply FakeModelServer::status(int code) {
    return {code, ordered_json{{"error", {{"code", code}, {"message", "scripted"}}}}.dump(), {}};
}

std::string FakeModelServer::baseUrl() const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/v1";
}

void FakeModelServer::setModelsReply(Reply reply) {
    const std::lock_guard lock(mutex_);
    models_ = std::move(reply);
}

void FakeModelServer::enqueue(Reply reply) {
    const std::lock_guard lock(mutex_);
    queue_.push_back(std::move(reply));
}

void FakeModelServer::setHandler(Handler handler) {
    const std::lock_guard lock(mutex_);
    handler_ = std::move(handler);
}

std::vector<ordered_json> FakeModelServer::chatRequests() const {
    const std::lock_guard lock(mutex_);
    return requests_;
}

int FakeModelServer::modelListings() const {
    const std::lock_guard lock(mutex_);
    return listings_;
}

FakeModelServer::Reply FakeModelServer::chatReply(const std::string& body) {
    const auto request = ordered_json::parse(body, nullptr, false);
    Handler handler;
    {
        const std::lock_guard lock(mutex_);
        requests_.push_back(request);
        if (!queue_.empty()) {
            auto reply = std::move(queue_.front());
            queue_.pop_front();
            return reply;
        }
        handler = handler_;
    }
    return handler ? handler(request) : status(500);
}

void FakeModelServer::pause(std::chrono::milliseconds delay) {
    std::unique_lock lock(mutex_);
    stopping_.wait_for(lock, delay, [this] { return stopped_; });
}

} // namespace vesk::test
