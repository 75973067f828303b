#include "app/IgnoredFiles.h"

#include "core/util/AtomicFile.h"
#include "core/util/FileUrl.h"
#include "core/util/WholeFile.h"
#include "platform/EntryStatus.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <chrono>

namespace vesk {

namespace {

constexpr std::size_t mostBytes = 64U << 20U;

// JSON numbers are doubles: inode numbers and times go as text to stay exact.
QString number(std::uint64_t value) {
    return QString::number(value);
}

} // namespace

IgnoredFiles::IgnoredFiles(std::filesystem::path file) : file_(std::move(file)) {
    load();
}

std::optional<IgnoredFiles::Identity> IgnoredFiles::identityOf(const std::filesystem::path& file) {
    const auto status = platform::entryStatus(file);
    if (!status) {
        return std::nullopt;
    }
    Identity identity{status->device, status->inode, std::nullopt};
    if (status->born) {
        identity.born = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            status->born->time_since_epoch())
                            .count();
    }
    return identity;
}

bool IgnoredFiles::contains(const std::filesystem::path& file) const {
    const auto found = files_.find(file.native());
    return found != files_.end() && identityOf(file) == found->second;
}

void IgnoredFiles::add(const std::vector<std::filesystem::path>& files) {
    bool changed = false;
    for (const auto& file : files) {
        if (const auto identity = identityOf(file)) {
            files_[file.native()] = *identity;
            changed = true;
        }
    }
    if (changed) {
        save();
    }
}

void IgnoredFiles::remove(const std::vector<std::filesystem::path>& files) {
    std::size_t removed = 0;
    for (const auto& file : files) {
        removed += files_.erase(file.native());
    }
    if (removed > 0) {
        save();
    }
}

void IgnoredFiles::keepOnly(const std::unordered_set<std::string_view>& present) {
    const auto removed = std::erase_if(
        files_, [&](const auto& entry) { return !present.contains(entry.first); });
    if (removed > 0) {
        save();
    }
}

void IgnoredFiles::load() {
    const auto bytes = readWholeFile(file_, mostBytes);
    if (!bytes) {
        return;
    }
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray::fromRawData(bytes->data(), static_cast<qsizetype>(bytes->size())));
    for (const QJsonValue& value : document.array()) {
        const QJsonObject entry = value.toObject();
        const auto path = fromFileUrl(entry.value(QStringLiteral("file")).toString().toStdString());
        bool deviceOk = false;
        bool inodeOk = false;
        Identity identity{entry.value(QStringLiteral("device")).toString().toULongLong(&deviceOk),
                          entry.value(QStringLiteral("inode")).toString().toULongLong(&inodeOk),
                          std::nullopt};
        if (!path || !deviceOk || !inodeOk) {
            continue; // a damaged entry: that file is simply not ignored
        }
        if (const QJsonValue born = entry.value(QStringLiteral("born")); born.isString()) {
            bool bornOk = false;
            identity.born = born.toString().toLongLong(&bornOk);
            if (!bornOk) {
                continue;
            }
        }
        files_[path->native()] = identity;
    }
}

void IgnoredFiles::save() const {
    QJsonArray entries;
    for (const auto& [path, identity] : files_) {
        QJsonObject entry{{QStringLiteral("file"), QString::fromStdString(toFileUrl(path))},
                          {QStringLiteral("device"), number(identity.device)},
                          {QStringLiteral("inode"), number(identity.inode)}};
        if (identity.born) {
            entry.insert(QStringLiteral("born"), QString::number(*identity.born));
        }
        entries.append(entry);
    }
    const QByteArray json = QJsonDocument(entries).toJson(QJsonDocument::Compact);
    // Best effort, as every other stored file: the choice holds for this run either way.
    static_cast<void>(writeFileAtomically(file_, std::string_view(json.constData(), static_cast<std::size_t>(json.size()))));
}

} // namespace vesk
