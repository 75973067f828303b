#pragma once

#include <QFrame>

class QVBoxLayout;

namespace vesk {

// A framed group of settings rows: each row its label on the left, then an optional
// information button, and the control on the right. `name` is what a screen reader calls it.
class SettingsSection : public QFrame {
    Q_OBJECT

public:
    explicit SettingsSection(const QString& name, QWidget* parent = nullptr);

    void addRow(QWidget* label, QWidget* control, QWidget* info = nullptr);
    // A line of explanation under the row before it, indented to its title.
    void addNote(QWidget* note);

private:
    QVBoxLayout* rows_;
};

} // namespace vesk
