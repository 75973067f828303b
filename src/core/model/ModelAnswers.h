#pragma once

#include "core/items/FileItem.h"
#include "core/model/Placement.h"
#include "core/model/Verdict.h"
#include "core/targets/Targets.h"
#include "core/util/Dates.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace vesk {

// The model's answers about waiting files, kept so that neither a rescan nor, after a restart,
// a new organizer asks the model the same question twice. An answer stands for the question
// asked and nothing else: where a file goes among the folders offered, or whether the folder
// suggested for it is right. It is used again only for the same file (by memo key) and folders
// offered with the same labels and file names. Failed requests are not answers and are never
// kept. Stored in model-answers.json, the newest `limit` answers at most.
class ModelAnswers {
public:
    static constexpr std::size_t defaultLimit = 10'000;

    // One question about one file, in byte-exact forms: names need not be valid UTF-8.
    struct Question {
        std::filesystem::path path; // the file, so its answers are dropped once it is gone
        std::string file;           // the file's memo key
        std::string folder;         // the folder under review; empty for a placement
        std::string offered;        // digest of the folders offered, by label and file names

        bool operator==(const Question&) const = default;
    };
    using Answer = std::variant<Placement, Verdict>;
    // A question a run sent to the model, with the answer; none when the request failed.
    struct Asked {
        Question question;
        std::optional<Answer> answer;
    };

    // Without a file the answers live only as long as this object.
    explicit ModelAnswers(std::optional<std::filesystem::path> file,
                          std::size_t limit = defaultLimit);

    // Memo key of a file: path, size and added date, so any change makes a new key.
    [[nodiscard]] static std::string memoKey(const FileItem& item);

    // A run's folders as its questions offer them: each by a digest of its label and file
    // names, worked out once a run rather than for every question.
    class Folders {
    public:
        // `signatures` by target (folderSignatures).
        Folders(const std::vector<Target>& targets, const std::vector<std::string>& signatures);

        // The folders as one set: the same in any order.
        [[nodiscard]] std::string digest(std::vector<int> ids) const;
        [[nodiscard]] const std::vector<Target>& targets() const { return *targets_; }

    private:
        const std::vector<Target>* targets_;
        std::vector<std::uint64_t> digests_;
    };

    [[nodiscard]] static Question placing(const FileItem& item, const std::vector<int>& candidates,
                                          const Folders& folders);
    [[nodiscard]] static Question reviewing(const FileItem& item, int target,
                                            const std::vector<int>& alternatives,
                                            const Folders& folders);

    // The answer the model gave to this very question, with its folder among `candidates`.
    [[nodiscard]] std::optional<Placement> placement(const Question& question,
                                                     const std::vector<int>& candidates,
                                                     const std::vector<Target>& targets);
    [[nodiscard]] std::optional<Verdict> verdict(const Question& question);

    // Keeps the answers of a finished run, forgets those its questions were asked again for,
    // and rewrites the file without the answers of files that are gone or changed (`items`
    // are the files the run saw). Writing is best effort.
    void update(const std::vector<Asked>& asked, const std::vector<FileItem>& items,
                const std::vector<Target>& targets);

private:
    // A placement as kept: the chosen folder by its label, empty for none.
    struct Chosen {
        std::string folder;
        std::string confidence;
        std::string what;
    };
    struct Entry {
        std::filesystem::path path;
        std::string offered;
        Date date;
        std::variant<Chosen, Verdict> answer;
    };
    using Key = std::pair<std::string, std::string>; // memo key, folder under review

    [[nodiscard]] const Entry* find(const Question& question);
    void forgetChanged(const std::vector<FileItem>& items);
    void keepNewest();
    void load();
    void save() const;

    std::optional<std::filesystem::path> file_;
    std::size_t limit_;
    bool loaded_ = false;
    std::map<Key, Entry> entries_;
};

} // namespace vesk
