#include "app/StoreNotice.h"

#include "app/PathBoundary.h"

namespace vesk {

QString StoreNotice::setAside(const QString& store, const std::filesystem::path& kept) {
    return tr("Vesk couldn't read its settings in %1, so it started with the defaults. The old "
              "settings were kept as %2.")
        .arg(store, displayPath(kept));
}

QString StoreNotice::unusable(const QString& store, const std::string& why) {
    return tr("Vesk can't start: its settings in %1 can't be read or moved aside (%2).")
        .arg(store, QString::fromStdString(why));
}

} // namespace vesk
