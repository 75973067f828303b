#include "ui/ModelServiceSettings.h"

#include "app/AppModel.h"
#include "app/ModelServiceNote.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vesk {

namespace {

// Greyed out and named, when the environment decides instead of the field.
void overriddenBy(QWidget* field, bool overridden, const char* variable) {
    field->setEnabled(!overridden);
    field->setToolTip(
        overridden
            ? ModelServiceSettings::tr("Set by %1 in the environment").arg(QLatin1String(variable))
            : QString());
}

} // namespace

ModelServiceSettings::ModelServiceSettings(AppModel& model, QUrl help, QWidget* parent)
    : QWidget(parent), model_(model), help_(std::move(help)), url_(new QLineEdit(this)),
      modelName_(new QComboBox(this)), key_(new QLineEdit(this)),
      checkAgain_(new QPushButton(tr("&Check Again"), this)), note_(new QLabel(this)) {
    setObjectName(QStringLiteral("modelServiceSettings"));
    url_->setObjectName(QStringLiteral("modelUrl"));
    const std::string_view usualUrl = settings::modelUrl.defaultValue;
    url_->setPlaceholderText(
        QString::fromUtf8(usualUrl.data(), static_cast<qsizetype>(usualUrl.size())));
    modelName_->setObjectName(QStringLiteral("modelName"));
    modelName_->setEditable(true);
    modelName_->setInsertPolicy(QComboBox::NoInsert);
    modelName_->lineEdit()->setPlaceholderText(tr("The first one that can chat"));
    key_->setObjectName(QStringLiteral("modelKey"));
    key_->setEchoMode(QLineEdit::Password);
    key_->setPlaceholderText(tr("None"));
    checkAgain_->setObjectName(QStringLiteral("checkModelAgain"));
    note_->setObjectName(QStringLiteral("modelServiceNote"));
    note_->setWordWrap(true);
    note_->setTextFormat(Qt::RichText);
    note_->setForegroundRole(QPalette::PlaceholderText);
    note_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);

    auto* form = new QFormLayout;
    form->setContentsMargins(0, 0, 0, 0);
    const auto addRow = [&](const QString& title, QWidget* field) {
        auto* label = new QLabel(title, this);
        label->setBuddy(field);
        field->setAccessibleName(QString(title).remove(QLatin1Char('&')));
        form->addRow(label, field);
    };
    addRow(tr("&Address"), url_);
    addRow(tr("&Model"), modelName_);
    addRow(tr("&Key"), key_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(checkAgain_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(note_);

    connect(url_, &QLineEdit::editingFinished, this,
            [this] { model_.setModelUrl(url_->text().trimmed().toStdString()); });
    connect(modelName_, &QComboBox::activated, this,
            [this](int index) { model_.setModelName(modelName_->itemText(index).toStdString()); });
    connect(modelName_->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { model_.setModelName(modelName_->currentText().trimmed().toStdString()); });
    connect(key_, &QLineEdit::editingFinished, this,
            [this] { model_.setModelKey(key_->text().trimmed().toStdString()); });
    connect(checkAgain_, &QPushButton::clicked, &model_, &AppModel::checkModel);
    connect(note_, &QLabel::linkActivated, this, [this] { QDesktopServices::openUrl(help_); });
    connect(&model_, &AppModel::modelStatusChanged, this, &ModelServiceSettings::showState);
    showFields();
    showState();
}

QList<QWidget*> ModelServiceSettings::controls() const {
    return {url_, modelName_, key_, checkAgain_, note_};
}

void ModelServiceSettings::showFields() {
    const ModelSetup& setup = model_.modelSetup();
    const ModelEnvironment& environment = setup.environment();
    url_->setText(QString::fromStdString(environment.url.value_or(setup.chosen().url)));
    overriddenBy(url_, environment.url.has_value(), "VESK_MODEL_URL");
    modelName_->setEditText(
        QString::fromStdString(environment.model.value_or(setup.chosen().model)));
    overriddenBy(modelName_, environment.model.has_value(), "VESK_MODEL");
    overriddenBy(key_, environment.key.has_value(), "VESK_MODEL_KEY");
    showKey();
}

// The kept key may come from the secret service after the window opened.
void ModelServiceSettings::showKey() {
    // The environment's key is never shown, not even as dots.
    if (!key_->hasFocus() && !model_.modelSetup().environment().key) {
        key_->setText(QString::fromStdString(model_.modelSetup().key()));
    }
}

void ModelServiceSettings::showState() {
    showModels();
    showKey();
    const QString note = ModelServiceNote::text(model_.modelSetup());
    note_->setVisible(!note.isEmpty());
    note_->setText(
        QStringLiteral("%1 <a href=\"help\">%2</a>")
            .arg(note.toHtmlEscaped(), tr("How to start a local model").toHtmlEscaped()));
    checkAgain_->setEnabled(model_.modelStatus() != AppModel::ModelStatus::checking);
}

// The service's list, keeping what is typed in.
void ModelServiceSettings::showModels() {
    QStringList names;
    for (const std::string& name : model_.modelSetup().models()) {
        names << QString::fromStdString(name);
    }
    QStringList shown;
    for (int i = 0; i < modelName_->count(); ++i) {
        shown << modelName_->itemText(i);
    }
    if (names == shown) {
        return;
    }
    const QSignalBlocker quiet(modelName_);
    const QString typed = modelName_->currentText();
    modelName_->clear();
    modelName_->addItems(names);
    modelName_->setEditText(typed);
}

} // namespace vesk
