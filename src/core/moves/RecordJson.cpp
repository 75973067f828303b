#include "core/moves/RecordJson.h"

#include "core/util/FileUrl.h"

#include <stdexcept>

namespace vesk {

void putIdentity(Json& object, const FileIdentity& identity) {
    object["device"] = identity.device;
    object["inode"] = identity.inode;
    object["size"] = identity.size;
    object["modified"] = toReferenceSeconds(identity.modified);
    if (identity.born) {
        object["born"] = toReferenceSeconds(*identity.born);
    }
}

std::optional<FileIdentity> identityAt(const Json& object) {
    const auto device = object.find("device");
    const auto inode = object.find("inode");
    const auto size = object.find("size");
    const auto modified = object.find("modified");
    if (device == object.end() || inode == object.end() || size == object.end() ||
        modified == object.end() || !device->is_number_unsigned() || !inode->is_number_unsigned() ||
        !size->is_number_integer() || !modified->is_number()) {
        return std::nullopt;
    }
    const auto date = fromReferenceSeconds(modified->get<double>());
    if (!date) {
        return std::nullopt;
    }
    const auto born = object.find("born");
    return FileIdentity{
        device->get<std::uint64_t>(), inode->get<std::uint64_t>(), size->get<std::int64_t>(), *date,
        born != object.end() && born->is_number() ? fromReferenceSeconds(born->get<double>())
                                                  : std::nullopt};
}

std::filesystem::path pathFrom(const Json& url) {
    auto path = fromFileUrl(url.get<std::string>());
    if (!path) {
        throw std::invalid_argument("not a file URL");
    }
    return std::move(*path);
}

} // namespace vesk
