#include "app/PrivacyNote.h"

namespace vesk {

QString PrivacyNote::heading() {
    return tr("Private by Design");
}

QString PrivacyNote::buttonName(Topic topic) {
    switch (topic) {
    case Topic::localModel:
        return tr("Privacy of the Local Model");
    case Topic::fileContents:
        break;
    }
    return tr("Privacy of File Contents");
}

QStringList PrivacyNote::lines(Topic topic) {
    const QString nothingLeaves =
        tr("Nothing leaves your computer. Vesk never connects to the internet.");
    switch (topic) {
    case Topic::localModel:
        return {
            tr("Vesk uses a language model running on this computer. It works offline."),
            tr("The model only sees names: of the files to tidy, and of the Folders to File Into "
               "and some files in them."),
            nothingLeaves};
    case Topic::fileContents:
        return {tr("Files are read on this computer only, and only when their names aren't "
                   "enough."),
                tr("Nothing is uploaded or stored."), nothingLeaves};
    }
    return {};
}

} // namespace vesk
