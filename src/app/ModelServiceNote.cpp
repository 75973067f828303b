#include "app/ModelServiceNote.h"

#include "app/ReasonText.h"

#include <QStringList>

namespace vesk {

QString ModelServiceNote::text(const ModelSetup& setup) {
    QStringList sentences;
    if (setup.status() == ModelSetup::Status::unavailable) {
        sentences << why(setup) << advice(setup);
    }
    if (setup.keyTrouble() == ModelSetup::KeyTrouble::notKept) {
        sentences << tr("The key works until Vesk quits, but the desktop's secret service could "
                        "not keep it (%1). Set VESK_MODEL_KEY instead, or start a secret "
                        "service such as GNOME Keyring or KWallet.")
                         .arg(QString::fromStdString(setup.keyProblem()));
    }
    return sentences.join(QLatin1Char(' '));
}

QString ModelServiceNote::why(const ModelSetup& setup) {
    const QString reason =
        ReasonText::of(setup.unavailable().value_or(ModelUnavailable::notAvailable));
    if (setup.detail().empty()) {
        return tr("%1.").arg(reason);
    }
    return tr("%1: %2.").arg(reason, QString::fromStdString(setup.detail()));
}

QString ModelServiceNote::advice(const ModelSetup& setup) {
    const QString url = QString::fromStdString(setup.endpoint().url);
    switch (setup.unavailable().value_or(ModelUnavailable::notAvailable)) {
    case ModelUnavailable::turnedOff:
        return setup.environment().url
                   ? tr("VESK_MODEL_URL is set to “off”: unset it to use the address above.")
                   : tr("Enter the address of a model service on this computer instead of “off”.");
    case ModelUnavailable::needsKey:
        if (setup.keyTrouble() == ModelSetup::KeyTrouble::notRead) {
            return tr("Vesk could not ask the desktop's secret service for a kept key (%1). "
                      "Enter the key the service was started with.")
                .arg(QString::fromStdString(setup.keyProblem()));
        }
        return tr("Enter the key the service was started with.");
    case ModelUnavailable::keyRefused:
        return tr("Enter the key the service at %1 was started with.").arg(url);
    case ModelUnavailable::notReady:
        return tr("The service at %1 has no model to chat with yet: load or download one, then "
                  "choose Check Again.")
            .arg(url);
    case ModelUnavailable::notAvailable:
        break;
    }
    if (!loopbackService(setup.endpoint().url)) {
        return tr("Vesk only talks to a model service on this computer, and %1 is not one.")
            .arg(url);
    }
    return tr("Vesk looked for a model service at %1. Start one with a model on this computer, "
              "for example with “ollama serve”, then choose Check Again.")
        .arg(url);
}

} // namespace vesk
