#include "core/plan/Layer.h"

namespace vesk {

std::string_view layerKey(Layer layer) {
    switch (layer) {
    case Layer::skip:
        return "skip";
    case Layer::userFolder:
        return "userFolder";
    case Layer::rule:
        return "rule";
    case Layer::match:
        return "match";
    case Layer::names:
        return "names";
    case Layer::typeDefault:
        return "typeDefault";
    case Layer::llm:
        return "llm";
    case Layer::content:
        return "content";
    case Layer::none:
        break;
    }
    return "none";
}

} // namespace vesk
