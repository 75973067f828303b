#pragma once

#include "core/moves/MoveFailure.h"
#include "core/plan/Layer.h"
#include "core/plan/ModelUnavailable.h"
#include "core/plan/Reason.h"

#include <QCoreApplication>
#include <QString>

namespace vesk {

// The engine's reasons, layers, move failures and model states in the interface language.
// They are translated like every other text, with the English wording as the key, rather than
// kept in a table of their own: translators find everything in the same files, a new language
// is one more file, and vesk-cli speaks whatever the windows speak. The Simplified Chinese
// translations are the texts the engine has always given.
class ReasonText {
    Q_DECLARE_TR_FUNCTIONS(ReasonText)

public:
    [[nodiscard]] static QString of(const Reason& reason);
    [[nodiscard]] static QString of(Layer layer);
    [[nodiscard]] static QString of(const MoveFailure& failure);
    [[nodiscard]] static QString of(ModelUnavailable why);
};

} // namespace vesk
