#include "app/ReasonText.h"

#include <variant>

namespace vesk {

namespace {

QString text(const ReasonArgument& argument) {
    if (const auto* layer = std::get_if<Layer>(&argument)) {
        return ReasonText::of(*layer);
    }
    return QString::fromStdString(std::get<std::string>(argument));
}

} // namespace

// Several arguments are always filled in by one arg() call: a file name holding "%2" must
// stay as it is, not take the next argument's place.
QString ReasonText::of(const Reason& reason) {
    const auto a = [&](std::size_t i) {
        return i < reason.arguments.size() ? text(reason.arguments[i]) : QString();
    };
    switch (reason.code) {
    case ReasonCode::downloading:
        return tr("Still downloading");
    case ReasonCode::folder:
        return tr("A folder, left as it is");
    case ReasonCode::tooNew:
        return tr("Too new (%1 days), left for now").arg(a(0));
    case ReasonCode::screenRecording:
        return tr("Screen recording");
    case ReasonCode::screenshot:
        return tr("Screenshot");
    case ReasonCode::unpacked:
        return tr("Already unpacked (a folder of the same name is beside it)");
    case ReasonCode::appInstalled:
        return tr("Installer of an app that is installed");
    case ReasonCode::oldInstaller:
        return tr("Old installer (%1 days)").arg(a(0));
    case ReasonCode::application:
        return tr("An app left in a downloads folder");
    case ReasonCode::oneOff:
        return tr("One-off file (.%1)").arg(a(0));
    case ReasonCode::duplicate:
        return tr("Duplicate download (same name and size: %1)").arg(a(0));
    case ReasonCode::likeFile:
        return tr("Like “%1” · %2").arg(a(0), a(1));
    // Without a score when the names below the folders decided.
    case ReasonCode::folderName:
        return reason.arguments.empty() ? tr("The folder's name matches")
                                        : tr("The folder's name matches · %1").arg(a(0));
    case ReasonCode::folderWords:
        return reason.arguments.empty()
                   ? tr("Close to the words of the whole folder")
                   : tr("Close to the words of the whole folder · %1").arg(a(0));
    case ReasonCode::likeFileHere:
        return tr("Like “%1” here").arg(a(0));
    case ReasonCode::likeFileHereAndMore:
        return tr("Like “%1” here and %n more file(s)", nullptr, a(1).toInt()).arg(a(0));
    case ReasonCode::namesDisagree:
        return tr("Similarity points to “%1”, but the name is more like the files in “%2”: your "
                  "decision")
            .arg(a(0), a(1));
    case ReasonCode::closeInMeaning:
        return tr("Close in meaning %1 · %2").arg(a(0), a(1));
    case ReasonCode::codeProject:
        return tr("May belong to the code project “%1”: your decision").arg(a(0));
    case ReasonCode::typeDefault:
        return tr("The usual folder for this type of file");
    case ReasonCode::nameSaysNothing:
        return tr("The file name says nothing usable");
    case ReasonCode::nameSaysNothingClosest:
        return tr("The file name says nothing usable (closest: %1)").arg(a(0));
    case ReasonCode::notSimilar:
        return tr("No folder is similar enough");
    case ReasonCode::notSimilarClosest:
        return tr("No folder is similar enough (closest: %1)").arg(a(0));
    case ReasonCode::modelPlacement:
        return tr("%1 · %2").arg(a(0), a(1));
    case ReasonCode::vetoed:
        return tr("Vetoed on review (was %1, %2): %3: %4").arg(a(0), a(1), a(2), a(3));
    case ReasonCode::inPlace:
        break;
    }
    return tr("Already in its destination folder");
}

QString ReasonText::of(Layer layer) {
    switch (layer) {
    case Layer::skip:
        return tr("Skipped");
    case Layer::userFolder:
        return tr("Folder");
    case Layer::rule:
        return tr("① Rules");
    case Layer::match:
        return tr("② Similarity");
    case Layer::names:
        return tr("② Name Index");
    case Layer::typeDefault:
        return tr("② Type Default");
    case Layer::llm:
        return tr("③ Local Model");
    case Layer::content:
        return tr("④ Content (Local)");
    case Layer::none:
        break;
    }
    return QStringLiteral("—");
}

QString ReasonText::of(const MoveFailure& failure) {
    switch (failure.code) {
    case MoveFailure::Code::sourceMissing:
        return tr("The file is no longer where it was");
    case MoveFailure::Code::movedMissing:
        return tr("The moved file can't be found");
    case MoveFailure::Code::movedChanged:
        return tr("This is no longer the file that was moved");
    case MoveFailure::Code::destinationChanged:
        return tr("The destination folder was replaced after review; the file stays where it was");
    case MoveFailure::Code::folderChanged:
        return tr("The folder was replaced after the tidy; the file stays where it is");
    case MoveFailure::Code::stillBeingWritten:
        return tr("The file is still being written; it waits for the next tidy");
    case MoveFailure::Code::recordedMove:
        return tr("Moved before the interruption; now in the history");
    case MoveFailure::Code::restoredMove:
        return tr("Put back before the interruption; removed from the history");
    case MoveFailure::Code::notMoved:
        return tr("Not moved before the interruption; still where it was");
    case MoveFailure::Code::copyRemoved:
        return tr("Removed a spare copy the interruption left; the original is still where it was");
    case MoveFailure::Code::partialRemoved:
        return tr("Removed an unfinished copy the interruption left");
    case MoveFailure::Code::bothMissing:
        return tr("After the interruption, found neither where it was nor where it went");
    case MoveFailure::Code::unclear:
        return tr("The move before the interruption can't be confirmed; the file at the "
                  "destination is left alone");
    case MoveFailure::Code::system:
        break;
    }
    return QString::fromStdString(failure.detail);
}

QString ReasonText::of(ModelUnavailable why) {
    switch (why) {
    case ModelUnavailable::turnedOff:
        return tr("The local model is turned off");
    case ModelUnavailable::notReady:
        return tr("The local model isn't ready yet");
    case ModelUnavailable::needsKey:
        return tr("The local model service needs a key");
    case ModelUnavailable::keyRefused:
        return tr("The local model service doesn't accept the key");
    case ModelUnavailable::notAvailable:
        break;
    }
    return tr("The local model isn't available");
}

} // namespace vesk
