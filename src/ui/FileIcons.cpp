#include "ui/FileIcons.h"

#include "app/PathBoundary.h"
#include "ui/SymbolIcon.h"

#include <QApplication>
#include <QHash>
#include <QMimeDatabase>
#include <QPalette>
#include <QStyle>

namespace vesk::FileIcons {

QIcon iconFor(const std::filesystem::path& file) {
    // Icons by type, looked up once: a review of hundreds of files has only a few types.
    static QHash<QString, QIcon> byType;
    const QMimeType type = QMimeDatabase().mimeTypeForFile(pathToQt(file));
    if (const auto known = byType.constFind(type.name()); known != byType.constEnd()) {
        return *known;
    }
    QIcon icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
    if (icon.isNull()) {
        icon = type.inherits(QStringLiteral("inode/directory"))
                   ? symbolIcon(Symbol::folder, qApp->palette().color(QPalette::Text))
                   : qApp->style()->standardIcon(QStyle::SP_FileIcon);
    }
    byType.insert(type.name(), icon);
    return icon;
}

} // namespace vesk::FileIcons
