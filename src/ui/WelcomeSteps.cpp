#include "ui/WelcomeSteps.h"

#include "app/DisplayText.h"
#include "app/FolderLabel.h"
#include "app/PathBoundary.h"
#include "ui/CabinetIcon.h"
#include "ui/FileIcons.h"
#include "ui/SymbolIcon.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <initializer_list>

namespace vesk {

namespace {

constexpr int pathRole = Qt::UserRole;

QLabel* picture(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* cabinet(int size, QWidget* parent) {
    QLabel* label = picture(parent);
    label->setPixmap(QPixmap::fromImage(CabinetIcon::image(
        size, parent->devicePixelRatioF(), true, parent->palette().color(QPalette::WindowText))));
    return label;
}

QLabel* title(const QString& words, QWidget* parent) {
    auto* label = new QLabel(words, parent);
    label->setObjectName(QStringLiteral("stepTitle"));
    QFont large = label->font();
    large.setPointSizeF(large.pointSizeF() * 1.6);
    large.setBold(true);
    label->setFont(large);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* text(const QString& words, int width, QWidget* parent) {
    auto* label = new QLabel(words, parent);
    label->setObjectName(QStringLiteral("stepText"));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setFixedWidth(width);
    // A centred label gets no height for its width from the layout: wrapped, it needs it.
    label->setMinimumHeight(label->heightForWidth(width));
    return label;
}

QWidget* symbolAndText(Symbol symbol, const QColor& color, const QString& words, QWidget* parent) {
    auto* row = new QWidget(parent);
    QLabel* mark = picture(row);
    mark->setPixmap(drawnSymbol(symbol, color).pixmap(QSize(16, 16), parent->devicePixelRatioF()));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mark);
    layout->addWidget(new QLabel(words, row));
    return row;
}

// A page with its parts centred in a column.
QWidget* page(QWidget* area, std::initializer_list<QWidget*> parts) {
    auto* layout = new QVBoxLayout(area);
    layout->setSpacing(12);
    layout->addStretch();
    for (QWidget* part : parts) {
        layout->addWidget(part, 0, Qt::AlignHCenter);
    }
    layout->addStretch();
    return area;
}

// Lists the flow's candidates with their ticks; the list only ever grows.
void showCandidates(QListWidget& list, const WelcomeFlow& flow) {
    const QSignalBlocker quiet(&list);
    const auto& candidates = flow.candidates();
    for (auto i = static_cast<std::size_t>(list.count()); i < candidates.size(); ++i) {
        auto* item = new QListWidgetItem(FileIcons::iconFor(candidates[i]),
                                         FolderLabel::nameOf(candidates[i]), &list);
        item->setData(pathRole, pathBytes(candidates[i]));
        item->setToolTip(plainToolTip(displayPath(candidates[i])));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    }
    for (int row = 0; row < list.count(); ++row) {
        const bool chosen = flow.isChosen(candidates[static_cast<std::size_t>(row)]);
        list.item(row)->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
    }
}

} // namespace

QWidget* WelcomeSteps::make(WelcomeFlow::Step step, WelcomeFlow& flow, NoteAtStart modelNote,
                            QWidget* parent) {
    switch (step) {
    case WelcomeFlow::Step::welcome:
        return welcome(parent);
    case WelcomeFlow::Step::folders:
        return folders(flow, parent);
    case WelcomeFlow::Step::access:
        return access(flow, parent);
    case WelcomeFlow::Step::tray:
        return tray(flow, modelNote, parent);
    }
    return welcome(parent);
}

QWidget* WelcomeSteps::welcome(QWidget* parent) {
    auto* area = new QWidget(parent);
    area->setObjectName(QStringLiteral("welcomeStep"));
    QLabel* icon = picture(area);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/app.vesk.Vesk.svg"))
                        .pixmap(QSize(96, 96), area->devicePixelRatioF()));
    return page(area, {icon, title(tr("Welcome to Vesk"), area),
                       text(tr("Vesk keeps the folders you choose tidy. Everything happens on "
                               "your computer."),
                            340, area)});
}

QWidget* WelcomeSteps::folders(WelcomeFlow& flow, QWidget* parent) {
    auto* area = new QWidget(parent);
    area->setObjectName(QStringLiteral("foldersStep"));
    auto* list = new QListWidget(area);
    list->setObjectName(QStringLiteral("folderChoices"));
    list->setAccessibleName(tr("Folders to Tidy"));
    list->setIconSize(QSize(18, 18));
    list->setFixedSize(340, 150);
    auto* add = new QPushButton(tr("&Add Folder…"), area);
    add->setObjectName(QStringLiteral("addFolder"));
    add->setAutoDefault(false);

    QObject::connect(list, &QListWidget::itemChanged, &flow, [&flow](QListWidgetItem* item) {
        flow.setChosen(pathFromBytes(item->data(pathRole).toByteArray()),
                       item->checkState() == Qt::Checked);
    });
    QObject::connect(add, &QPushButton::clicked, &flow, &WelcomeFlow::addFolders);
    QObject::connect(&flow, &WelcomeFlow::changed, list,
                     [list, &flow] { showCandidates(*list, flow); });
    showCandidates(*list, flow);
    return page(area,
                {title(tr("Choose Folders"), area),
                 text(tr("Vesk only looks at the folders you choose."), 340, area), list, add});
}

QWidget* WelcomeSteps::access(WelcomeFlow& flow, QWidget* parent) {
    auto* area = new QWidget(parent);
    area->setObjectName(QStringLiteral("accessStep"));
    QLabel* lock = picture(area);
    auto* allow = new QPushButton(tr("Allow &Access…"), area);
    allow->setObjectName(QStringLiteral("allowAccess"));
    allow->setAutoDefault(false);
    QWidget* allowed = symbolAndText(Symbol::checkmarkCircleFill, QColor(0x34, 0xc7, 0x59),
                                     tr("Access Allowed"), area);
    allowed->setObjectName(QStringLiteral("accessAllowed"));
    const QColor ink = area->palette().color(QPalette::WindowText);

    const auto show = [=, &flow] {
        const bool granted = flow.accessGranted();
        lock->setPixmap(symbolIcon(granted ? Symbol::lockOpen : Symbol::lock, ink)
                            .pixmap(QSize(44, 44), area->devicePixelRatioF()));
        allow->setVisible(!granted);
        allowed->setVisible(granted);
    };
    QObject::connect(allow, &QPushButton::clicked, &flow, &WelcomeFlow::requestAccess);
    QObject::connect(&flow, &WelcomeFlow::changed, area, show);
    show();
    return page(area, {lock,
                       text(tr("Your system asks you to confirm which folders Vesk may use. "
                               "Choose your home folder so Vesk can tidy the folders you picked "
                               "and file things into your folders."),
                            360, area),
                       allow, allowed});
}

QWidget* WelcomeSteps::tray(WelcomeFlow& flow, NoteAtStart modelNote, QWidget* parent) {
    auto* area = new QWidget(parent);
    area->setObjectName(QStringLiteral("trayStep"));
    auto* layout = static_cast<QVBoxLayout*>(
        page(area, {cabinet(56, area), title(tr("Vesk Is in the System Tray"), area),
                    text(tr("Click the drawer in the system tray to review and tidy your files."),
                         340, area)})
            ->layout());
    // Built always and shown once the model answers: the check may end after the window opens.
    auto* choice = new QWidget(area);
    auto* useModel = new QCheckBox(tr("Sort with a &Local Model"), choice);
    useModel->setObjectName(QStringLiteral("useModel"));
    const auto showChoice = [&flow, choice, useModel] {
        choice->setVisible(flow.offersModel());
        useModel->setChecked(flow.useModel());
    };
    showChoice();
    QObject::connect(&flow, &WelcomeFlow::changed, choice, showChoice);
    auto* info = new PrivacyInfo(PrivacyNote::Topic::localModel, modelNote, choice);
    info->setObjectName(QStringLiteral("localModelPrivacy"));
    auto* row = new QHBoxLayout(choice);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(useModel);
    row->addWidget(info);
    // Under the text, before the closing stretch.
    layout->insertWidget(layout->count() - 1, choice, 0, Qt::AlignHCenter);
    QObject::connect(useModel, &QCheckBox::clicked, &flow, &WelcomeFlow::setUseModel);
    return area;
}

} // namespace vesk
