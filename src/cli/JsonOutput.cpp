#include "cli/JsonOutput.h"

#include "core/text/Utf8.h"
#include "core/util/FileUrl.h"

namespace vesk {

void putPath(Json& object, const std::string& key, const std::filesystem::path& path) {
    object[key] = path.native();
    if (!isValidUtf8(path.native())) {
        object[key + "Bytes"] = percentEncodedPath(path);
    }
}

std::string jsonLine(const Json& json) {
    // Only file names can be invalid UTF-8; putPath keeps them apart.
    return json.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace vesk
