#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace vesk {

// The small notes beside the optional placement layers, saying what stays on this computer.
class PrivacyNote {
    Q_DECLARE_TR_FUNCTIONS(PrivacyNote)

public:
    enum class Topic { localModel, fileContents };

    [[nodiscard]] static QString heading();
    // What the button that opens the note is called, naming its topic.
    [[nodiscard]] static QString buttonName(Topic topic);
    // The note's three lines, in order.
    [[nodiscard]] static QStringList lines(Topic topic);
};

} // namespace vesk
