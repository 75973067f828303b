#pragma once

#include <QString>

class QWidget;

namespace vesk {

// A settings section's bold title, the label of `buddy` (its mnemonic moves the focus there),
// with a line below in the secondary style saying what the section is for.
[[nodiscard]] QWidget* sectionHeading(const QString& title, const QString& note, QWidget* buddy,
                                      QWidget* parent);

} // namespace vesk
