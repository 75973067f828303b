#include "core/moves/MoveFailure.h"

namespace vesk {

std::string_view failureKey(MoveFailure::Code code) {
    using Code = MoveFailure::Code;
    switch (code) {
    case Code::sourceMissing:
        return "sourceMissing";
    case Code::movedMissing:
        return "movedMissing";
    case Code::movedChanged:
        return "movedChanged";
    case Code::destinationChanged:
        return "destinationChanged";
    case Code::folderChanged:
        return "folderChanged";
    case Code::stillBeingWritten:
        return "stillBeingWritten";
    case Code::recordedMove:
        return "recordedMove";
    case Code::restoredMove:
        return "restoredMove";
    case Code::notMoved:
        return "notMoved";
    case Code::copyRemoved:
        return "copyRemoved";
    case Code::partialRemoved:
        return "partialRemoved";
    case Code::bothMissing:
        return "bothMissing";
    case Code::unclear:
        return "unclear";
    case Code::system:
        break;
    }
    return "system";
}

} // namespace vesk
