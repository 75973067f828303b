#include "core/plan/Reason.h"

namespace vesk {

std::string_view reasonKey(ReasonCode code) {
    switch (code) {
    case ReasonCode::downloading:
        return "downloading";
    case ReasonCode::folder:
        return "folder";
    case ReasonCode::tooNew:
        return "tooNew";
    case ReasonCode::screenRecording:
        return "screenRecording";
    case ReasonCode::screenshot:
        return "screenshot";
    case ReasonCode::unpacked:
        return "unpacked";
    case ReasonCode::appInstalled:
        return "appInstalled";
    case ReasonCode::oldInstaller:
        return "oldInstaller";
    case ReasonCode::application:
        return "application";
    case ReasonCode::oneOff:
        return "oneOff";
    case ReasonCode::duplicate:
        return "duplicate";
    case ReasonCode::likeFile:
        return "likeFile";
    case ReasonCode::folderName:
        return "folderName";
    case ReasonCode::folderWords:
        return "folderWords";
    case ReasonCode::likeFileHere:
        return "likeFileHere";
    case ReasonCode::likeFileHereAndMore:
        return "likeFileHereAndMore";
    case ReasonCode::namesDisagree:
        return "namesDisagree";
    case ReasonCode::closeInMeaning:
        return "closeInMeaning";
    case ReasonCode::codeProject:
        return "codeProject";
    case ReasonCode::typeDefault:
        return "typeDefault";
    case ReasonCode::nameSaysNothing:
        return "nameSaysNothing";
    case ReasonCode::nameSaysNothingClosest:
        return "nameSaysNothingClosest";
    case ReasonCode::notSimilar:
        return "notSimilar";
    case ReasonCode::notSimilarClosest:
        return "notSimilarClosest";
    case ReasonCode::modelPlacement:
        return "modelPlacement";
    case ReasonCode::vetoed:
        return "vetoed";
    case ReasonCode::inPlace:
        break;
    }
    return "inPlace";
}

} // namespace vesk
