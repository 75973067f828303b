#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace vesk {

// The files the person said not to tidy, kept in a file of the support folder so that a restart
// does not bring them back ticked. A file is known by its path and by the entry at that path
// (device, inode, birth time), so a new download that takes the name of an ignored one is not
// ignored. An entry goes once its file has left the source folders. Like the other stored
// files, best effort: a file that cannot be read counts as empty, a failed write is not fatal.
class IgnoredFiles {
public:
    explicit IgnoredFiles(std::filesystem::path file);

    // The same path holding the same entry as when it was ignored.
    [[nodiscard]] bool contains(const std::filesystem::path& file) const;
    void add(const std::vector<std::filesystem::path>& files);
    void remove(const std::vector<std::filesystem::path>& files);
    // Forgets every file not among `present` (the files of the source folders now).
    void keepOnly(const std::unordered_set<std::string_view>& present);
    [[nodiscard]] bool isEmpty() const { return files_.empty(); }

private:
    struct Identity {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::optional<std::int64_t> born; // nanoseconds, where the file system tells

        bool operator==(const Identity&) const = default;
    };

    [[nodiscard]] static std::optional<Identity> identityOf(const std::filesystem::path& file);
    void load();
    void save() const;

    std::filesystem::path file_;
    std::unordered_map<std::string, Identity> files_; // by path
};

} // namespace vesk
