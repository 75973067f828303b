#include "platform/MimeTypes.h"

#include <QMimeDatabase>
#include <QMimeType>
#include <QString>

#include <algorithm>
#include <array>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <unordered_map>

namespace vesk::platform {

namespace {

constexpr std::array sourceCodeTypes = {
    "text/x-csrc",        "text/x-c++src",  "text/x-chdr",   "text/x-java",
    "text/x-python",      "text/x-python3", "text/rust",     "text/x-go",
    "application/x-ruby", "text/x-kotlin",  "text/x-csharp", "application/x-php",
    "application/x-perl", "text/x-scala",   "text/x-lua",
};

// Extensions met during one session are few; the bound only guards against odd names like
// "scan.20240101120000" filling memory.
constexpr std::size_t cacheLimit = 4096;

bool conformsToFamily(const QMimeType& type, QLatin1String family) {
    if (type.name().startsWith(family)) {
        return true;
    }
    const QStringList ancestors = type.allAncestors();
    return std::any_of(ancestors.begin(), ancestors.end(),
                       [family](const QString& parent) { return parent.startsWith(family); });
}

bool isSourceCode(const QMimeType& type) {
    return std::any_of(sourceCodeTypes.begin(), sourceCodeTypes.end(),
                       [&type](const char* name) { return type.inherits(QLatin1String(name)); });
}

std::optional<TypeClass> classify(std::string_view ext) {
    if (ext.empty() || ext.find('/') != std::string_view::npos) {
        return std::nullopt;
    }
    // A bare stem that no glob of the database names, so only the extension decides.
    const QString fileName =
        QStringLiteral("x.") + QString::fromUtf8(ext.data(), static_cast<qsizetype>(ext.size()));
    const QMimeType type = QMimeDatabase().mimeTypeForFile(fileName, QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.isDefault()) {
        return std::nullopt;
    }
    if (conformsToFamily(type, QLatin1String("image/"))) {
        return TypeClass::image;
    }
    if (conformsToFamily(type, QLatin1String("video/"))) {
        return TypeClass::video;
    }
    if (conformsToFamily(type, QLatin1String("audio/"))) {
        return TypeClass::audio;
    }
    if (isSourceCode(type)) {
        return TypeClass::sourceCode;
    }
    return std::nullopt;
}

class ClassCache {
public:
    std::optional<TypeClass> lookUp(std::string_view ext) {
        {
            std::shared_lock reading(mutex_);
            if (const auto found = known_.find(std::string(ext)); found != known_.end()) {
                return found->second;
            }
        }
        // Misses also serialise the database queries, so no guarantee of Qt's is leaned on.
        std::unique_lock writing(mutex_);
        if (const auto found = known_.find(std::string(ext)); found != known_.end()) {
            return found->second;
        }
        const std::optional<TypeClass> typeClass = classify(ext);
        if (known_.size() < cacheLimit) {
            known_.emplace(ext, typeClass);
        }
        return typeClass;
    }

private:
    std::shared_mutex mutex_;
    std::unordered_map<std::string, std::optional<TypeClass>> known_;
};

} // namespace

std::optional<TypeClass> typeClassOfExtension(std::string_view ext) {
    static ClassCache cache;
    return cache.lookUp(ext);
}

} // namespace vesk::platform
