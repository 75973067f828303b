#pragma once

#include <QUrl>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vesk {

class AppModel;

// Under "Sort with a Local Model": the service's address, the model (any of those the service
// lists, or a name typed in), an optional key and "Check Again", then why the model can't be
// used, while it can't. A field the environment overrides is shown greyed out with the
// variable's name. Every field writes to the model once its edit ends.
class ModelServiceSettings : public QWidget {
    Q_OBJECT

public:
    // `help`: where "how to start a local model" is explained.
    ModelServiceSettings(AppModel& model, QUrl help, QWidget* parent = nullptr);

    // In tab order.
    [[nodiscard]] QList<QWidget*> controls() const;

private:
    void showFields();
    void showKey();
    void showState();
    void showModels();

    AppModel& model_;
    QUrl help_;
    QLineEdit* url_;
    QComboBox* modelName_;
    QLineEdit* key_;
    QPushButton* checkAgain_;
    QLabel* note_;
};

} // namespace vesk
