#include "ui/SettingsSection.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace vesk {

namespace {

// The tile and the gap after it, so a note lines up with the row's title.
constexpr int titleIndent = 28;

} // namespace

SettingsSection::SettingsSection(const QString& name, QWidget* parent)
    : QFrame(parent), rows_(new QVBoxLayout(this)) {
    setAccessibleName(name);
    setFrameShape(QFrame::StyledPanel);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    rows_->setContentsMargins(12, 10, 12, 10);
    rows_->setSpacing(10);
}

void SettingsSection::addRow(QWidget* label, QWidget* control, QWidget* info) {
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(label);
    if (info != nullptr) {
        row->addWidget(info);
    }
    row->addStretch();
    row->addWidget(control);
    rows_->addLayout(row);
}

void SettingsSection::addNote(QWidget* note) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(titleIndent, 0, 0, 0);
    row->addWidget(note);
    rows_->addLayout(row);
}

} // namespace vesk
