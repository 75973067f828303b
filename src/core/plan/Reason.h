#pragma once

#include "core/plan/Layer.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vesk {

// Why a suggestion is what it is. The engine names the case and hands over its particulars;
// the interface words it in the person's language. A new case needs a code here (before
// `inPlace`, which stays last), its key, and its wording where reasons are rendered.
enum class ReasonCode {
    downloading,            // an unfinished download
    folder,                 // a folder lying in a source folder
    tooNew,                 // the age in days, one decimal
    screenRecording,        //
    screenshot,             //
    unpacked,               // an archive beside the folder it was unpacked into
    appInstalled,           // an installer of an installed application
    oldInstaller,           // the age in whole days
    application,            // an application lying in a source folder
    oneOff,                 // the extension
    duplicate,              // the name of the first download
    likeFile,               // the most similar file's name, the score
    folderName,             // the score, none when names decided
    folderWords,            // the score, none when names decided
    likeFileHere,           // the nearest file's name in the folder the names point to
    likeFileHereAndMore,    // that name, how many more files there are alike
    namesDisagree,          // the folder similarity chose, the folder the names point to
    closeInMeaning,         // the similarity of meaning, the score
    codeProject,            // the project folder's label
    typeDefault,            //
    nameSaysNothing,        //
    nameSaysNothingClosest, // the closest folder's label, by the file's contents
    notSimilar,             //
    notSimilarClosest,      // the closest folder's label
    modelPlacement,         // what the model says the file is, its confidence
    // the vetoed action's key, its layer, the model's category and description
    vetoed,
    inPlace, // already in the folder it would go to
};

// A file or folder name, a label, a number already written out, the model's own words, or a
// layer to be named in the person's language.
using ReasonArgument = std::variant<std::string, Layer>;

struct Reason {
    ReasonCode code = ReasonCode::notSimilar;
    std::vector<ReasonArgument> arguments;

    bool operator==(const Reason&) const = default;
};

[[nodiscard]] std::string_view reasonKey(ReasonCode code);

} // namespace vesk
