#include "platform/UrlHost.h"

#include <QString>
#include <QUrl>

namespace vesk::platform {

std::optional<std::string> urlHost(std::string_view address) {
    const QUrl url(QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())),
                   QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) {
        return std::nullopt;
    }
    return url.host().toStdString();
}

} // namespace vesk::platform
