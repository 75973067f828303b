#include "ui/GeneralSettings.h"

#include "app/AppModel.h"
#include "app/WaitChoices.h"
#include "ui/ModelServiceSettings.h"
#include "ui/SettingLabel.h"
#include "ui/SettingsSection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vesk {

namespace {

const QColor gray(0x8e, 0x8e, 0x93);
const QColor blue(0x0a, 0x84, 0xff);
const QColor purple(0xaf, 0x52, 0xde);
const QColor orange(0xff, 0x95, 0x00);
const QColor red(0xff, 0x3b, 0x30);

// A switch-like check box without text of its own: its row's label names it.
QCheckBox* toggle(const char* name, const QString& title, QWidget* parent) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(title);
    return box;
}

} // namespace

GeneralSettings::GeneralSettings(AppModel& model, AutostartEntry autostart, QUrl help,
                                 NoteAtStart modelNote, QWidget* parent)
    : QWidget(parent), model_(model), autostart_(std::move(autostart)),
      openAtLogin_(toggle("openAtLogin", tr("Open at Login"), this)),
      notify_(toggle("notifyWhenFilesWait", tr("Notify When Files Wait"), this)),
      wait_(new QComboBox(this)),
      useModel_(toggle("useModel", tr("Sort with a Local Model"), this)),
      modelService_(new ModelServiceSettings(model, std::move(help), this)),
      readContents_(toggle("readContents", tr("Read File Contents"), this)) {
    setObjectName(QStringLiteral("generalSettings"));
    wait_->setObjectName(QStringLiteral("waitBeforeTidying"));
    wait_->setAccessibleName(tr("Wait Before Tidying"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(16);
    layout->addWidget(loginSection());
    layout->addWidget(placementSection(modelNote));
    layout->addStretch();

    connect(openAtLogin_, &QCheckBox::clicked, this,
            [this](bool on) { openAtLogin_->setChecked(autostart_.setEnabled(on)); });
    connect(notify_, &QCheckBox::clicked, &model_, &AppModel::setNotifyWhenFilesWait);
    connect(&model_, &AppModel::notifyWhenFilesWaitChanged, notify_, &QCheckBox::setChecked);
    connect(wait_, &QComboBox::activated, this,
            [this](int index) { model_.setMinAgeDays(wait_->itemData(index).toDouble()); });
    connect(useModel_, &QCheckBox::clicked, &model_, &AppModel::setUseLLM);
    connect(readContents_, &QCheckBox::clicked, &model_, &AppModel::setAllowContent);
    connect(&model_, &AppModel::minAgeDaysChanged, this, &GeneralSettings::showWaitChoices);
    connect(&model_, &AppModel::useLLMChanged, this, &GeneralSettings::showModelSettings);
    connect(&model_, &AppModel::allowContentChanged, this, &GeneralSettings::showModelSettings);
    connect(&model_, &AppModel::modelStatusChanged, this, &GeneralSettings::showModelSettings);
    openAtLogin_->setChecked(autostart_.isEnabled());
    notify_->setChecked(model_.notifyWhenFilesWait());
    showWaitChoices();
    showModelSettings();
    // The service may have started, or stopped, since it was last asked.
    model_.recheckModel();
}

QWidget* GeneralSettings::loginSection() {
    auto* section = new SettingsSection(tr("Login and Notifications"), this);
    auto* label = new SettingLabel(tr("&Open at Login"), Symbol::power, gray, section);
    label->setControl(openAtLogin_);
    section->addRow(label, openAtLogin_);
    auto* notifyLabel =
        new SettingLabel(tr("&Notify When Files Wait"), Symbol::bell, red, section);
    notifyLabel->setControl(notify_);
    section->addRow(notifyLabel, notify_);
    return section;
}

// Rows are added in screen order, and so is the tab order: each label's ⓘ before its control.
QWidget* GeneralSettings::placementSection(NoteAtStart modelNote) {
    auto* section = new SettingsSection(tr("Tidying"), this);
    auto* waitLabel = new SettingLabel(tr("&Wait Before Tidying"), Symbol::clock, blue, section);
    waitLabel->setControl(wait_);
    section->addRow(waitLabel, wait_);
    auto* modelInfo = new PrivacyInfo(PrivacyNote::Topic::localModel, modelNote, section);
    modelInfo->setObjectName(QStringLiteral("localModelPrivacy"));
    auto* modelLabel =
        new SettingLabel(tr("Sort with a &Local Model"), Symbol::sparkles, purple, section);
    modelLabel->setControl(useModel_);
    modelLabel_ = modelLabel;
    section->addRow(modelLabel_, useModel_, modelInfo);
    section->addNote(modelService_);
    auto* contentsInfo =
        new PrivacyInfo(PrivacyNote::Topic::fileContents, NoteAtStart::closed, section);
    contentsInfo->setObjectName(QStringLiteral("fileContentsPrivacy"));
    auto* contentsLabel =
        new SettingLabel(tr("&Read File Contents"), Symbol::documentSearch, orange, section);
    contentsLabel->setControl(readContents_);
    section->addRow(contentsLabel, readContents_, contentsInfo);
    QList<QWidget*> order{openAtLogin_, notify_, wait_, modelInfo, useModel_};
    order << modelService_->controls();
    order << contentsInfo << readContents_;
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    return section;
}

void GeneralSettings::showWaitChoices() {
    const QSignalBlocker quiet(wait_);
    wait_->clear();
    for (const WaitChoice& choice : WaitChoices::around(model_.minAgeDays())) {
        wait_->addItem(choice.text, choice.days);
        if (choice.days == model_.minAgeDays()) {
            wait_->setCurrentIndex(wait_->count() - 1);
        }
    }
}

void GeneralSettings::showModelSettings() {
    useModel_->setChecked(model_.useLLM());
    const auto status = model_.modelStatus();
    useModel_->setEnabled(status == AppModel::ModelStatus::available);
    // On the label too: a disabled check box is a small thing to hover.
    useModel_->setToolTip(status == AppModel::ModelStatus::checking
                              ? tr("Checking for a local model…")
                              : model_.llmUnavailable().value_or(QString()));
    modelLabel_->setToolTip(useModel_->toolTip());
    readContents_->setChecked(model_.allowContent());
}

} // namespace vesk
