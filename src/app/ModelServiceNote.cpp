#include "app/ModelServiceNote.h"

namespace vesk {

QString ModelServiceNote::text(const ModelEndpoint& endpoint) {
    const QString url = QString::fromStdString(endpoint.url);
    if (endpoint.url == "off") {
        return tr("VESK_MODEL_URL is set to “off”. Unset it, or set it to the address of a model "
                  "service on this computer, and start Vesk again.");
    }
    if (!loopbackService(endpoint.url)) {
        return tr("Vesk only talks to a model service on this computer, and %1 is not one. Set "
                  "VESK_MODEL_URL to a local address and start Vesk again.")
            .arg(url);
    }
    return tr("Vesk looked for a model service at %1. Start one with a model on this computer, "
              "for example with “ollama serve”, then start Vesk again.")
        .arg(url);
}

} // namespace vesk
