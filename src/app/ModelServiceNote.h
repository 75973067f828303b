#pragma once

#include "app/ModelSetup.h"

#include <QCoreApplication>
#include <QString>

namespace vesk {

// The lines under the model's settings: why the model can't be used, in the service's own
// words where it gave any, and what to do about it; and a key that could not be kept. Empty
// when there is nothing to say.
class ModelServiceNote {
    Q_DECLARE_TR_FUNCTIONS(ModelServiceNote)

public:
    [[nodiscard]] static QString text(const ModelSetup& setup);

private:
    [[nodiscard]] static QString why(const ModelSetup& setup);
    [[nodiscard]] static QString advice(const ModelSetup& setup);
};

} // namespace vesk
