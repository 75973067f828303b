#pragma once

#include "app/FolderPicker.h"

#include <deque>
#include <vector>

namespace vesk::test {

// Answers folder requests from a queue (nothing queued: the person cancels) and keeps each
// request for the test to inspect.
class ScriptedPicker final : public FolderPicker {
public:
    void answer(std::vector<std::filesystem::path> folders) {
        answers_.push_back(std::move(folders));
    }
    [[nodiscard]] const std::vector<Request>& requests() const { return requests_; }

    // Answers at once.
    void pickFolders(const Request& request, QObject* /*context*/, Picked picked) override {
        requests_.push_back(request);
        std::vector<std::filesystem::path> folders;
        if (!answers_.empty()) {
            folders = std::move(answers_.front());
            answers_.pop_front();
        }
        picked(folders);
    }

private:
    std::deque<std::vector<std::filesystem::path>> answers_;
    std::vector<Request> requests_;
};

} // namespace vesk::test
