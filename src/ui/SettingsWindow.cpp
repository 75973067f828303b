#include "ui/SettingsWindow.h"

#include "ui/FolderSettings.h"
#include "ui/GeneralSettings.h"
#include "ui/SymbolIcon.h"
#include "ui/WindowRole.h"

#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vesk {

SettingsWindow::SettingsWindow(AppModel& model, AutostartEntry autostart, QUrl help,
                               NoteAtStart modelNote, QWidget* parent)
    : QWidget(parent, Qt::Window), tabs_(new QTabWidget(this)) {
    setObjectName(QStringLiteral("settingsWindow"));
    announceAsWindow(*this);
    setWindowTitle(tr("Settings — Vesk"));
    setFixedWidth(480);
    tabs_->setObjectName(QStringLiteral("settingsTabs"));
    tabs_->setDocumentMode(true);
    const QColor symbols = palette().color(QPalette::WindowText);
    tabs_->addTab(
        new GeneralSettings(model, std::move(autostart), std::move(help), modelNote, tabs_),
        symbolIcon(Symbol::gear, symbols), tr("General"));
    tabs_->addTab(new FolderSettings(model, tabs_), symbolIcon(Symbol::folder, symbols),
                  tr("Folders"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs_);
    for (const auto& key : {QKeySequence(QKeySequence::Cancel), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);
    }
}

} // namespace vesk
