#include "support/FakeModelServer.h"

#include <httplib.h>

#include <algorithm>
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

    // Local services keep a connection for as long as the client does.
    server_->set_keep_alive_max_count(1'000'000);
    server_->set_tcp_nodelay(true); // as Go's servers, Ollama among them, do
    server_->Get("/v1/models", [this](const httplib::Request& request, httplib::Response& response) {
        if (!admit(request, response)) {
            return;
        }
        Reply reply;
        {
            const std::lock_guard lock(mutex_);
            ++listings_;
            reply = models_;
        }
        send(reply, response);
    });
    server_->Post("/v1/chat/completions",
                  [this](const httplib::Request& request, httplib::Response& response) {
                      if (!admit(request, response)) {
                          return;
                      }
                      {
                          const std::lock_guard lock(mutex_);
                          mostInFlight_ = std::max(mostInFlight_, ++inFlight_);
                      }
                      send(chatReply(request.body), response);
                      const std::lock_guard lock(mutex_);
                      --inFlight_;
                  });
    server_->Post("/api/show", [this](const httplib::Request& request, httplib::Response& response) {
        if (!admit(request, response)) {
            return;
        }
        const auto asked = ordered_json::parse(request.body, nullptr, false);
        const std::lock_guard lock(mutex_);
        if (!capabilities_) {
            response.status = 404;
            return;
        }
        const auto model = asked.is_object() ? asked.value("model", "") : "";
        const auto known = capabilities_->find(model);
        if (known == capabilities_->end()) {
            response.status = 404;
            response.set_content(R"({"error":"model not found"})", "application/json");
            return;
        }
        response.set_content(ordered_json{{"capabilities", known->second}}.dump(),
                             "application/json");
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

bool FakeModelServer::admit(const httplib::Request& request, httplib::Response& response) {
    const auto authorization = request.get_header_value("Authorization");
    const std::lock_guard lock(mutex_);
    authorizations_.push_back(authorization);
    clientPorts_.insert(request.remote_port);
    if (key_.empty() || authorization == "Bearer " + key_) {
        return true;
    }
    response.status = 401;
    response.set_content(R"({"error":{"message":"Invalid API Key","type":"authentication_error"}})",
                         "application/json");
    return false;
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
    const std::lock_guard handling(handling_);
    return handler ? handler(request) : status(500);
}

void FakeModelServer::setCapabilities(std::map<std::string, std::vector<std::string>> capabilities) {
    const std::lock_guard lock(mutex_);
    capabilities_ = std::move(capabilities);
}

void FakeModelServer::requireKey(std::string key) {
    const std::lock_guard lock(mutex_);
    key_ = std::move(key);
}

std::vector<std::string> FakeModelServer::authorizations() const {
    const std::lock_guard lock(mutex_);
    return authorizations_;
}

int FakeModelServer::mostInFlight() const {
    const std::lock_guard lock(mutex_);
    return mostInFlight_;
}

int FakeModelServer::connections() const {
    const std::lock_guard lock(mutex_);
    return static_cast<int>(clientPorts_.size());
}

std::uint64_t FakeModelServer::streamedBytes() const {
    const std::lock_guard lock(mutex_);
    return streamed_;
}

void FakeModelServer::send(const Reply& reply, httplib::Response& response) {
    pause(reply.delay);
    response.status = reply.status;
    if (reply.trickle.count() == 0 && reply.padding == 0) {
        response.set_content(reply.body, "application/json");
        return;
    }
    response.set_content_provider(
        reply.body.size() + reply.padding, "application/json",
        [this, reply](std::size_t offset, std::size_t, httplib::DataSink& sink) {
            return stream(reply, offset, sink);
        });
}

bool FakeModelServer::stream(const Reply& reply, std::size_t offset, httplib::DataSink& sink) {
    const bool trickling = reply.trickle.count() > 0;
    const std::size_t total = reply.body.size() + reply.padding;
    const std::size_t size = std::min<std::size_t>(trickling ? 1 : 1U << 16U, total - offset);
    std::string block(size, ' ');
    if (offset < reply.body.size()) {
        block = reply.body.substr(offset, size);
    }
    if (trickling && !pause(reply.trickle)) {
        return false;
    }
    if (!sink.write(block.data(), block.size())) {
        return false; // the client has gone
    }
    const std::lock_guard lock(mutex_);
    streamed_ += block.size();
    return true;
}

bool FakeModelServer::pause(std::chrono::milliseconds delay) {
    std::unique_lock lock(mutex_);
    return !stopping_.wait_for(lock, delay, [this] { return stopped_; });
}

} // namespace vesk::test
