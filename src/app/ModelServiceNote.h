#pragma once

#include "core/model/ModelEndpoint.h"

#include <QCoreApplication>
#include <QString>

namespace vesk {

// The line under the model setting while the model can't be used: which service address was
// tried, or why none was, and what to do about it.
class ModelServiceNote {
    Q_DECLARE_TR_FUNCTIONS(ModelServiceNote)

public:
    [[nodiscard]] static QString text(const ModelEndpoint& endpoint);
};

} // namespace vesk
