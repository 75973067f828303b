#include "ui/SectionHeading.h"

#include <QLabel>
#include <QVBoxLayout>

namespace vesk {

QWidget* sectionHeading(const QString& title, const QString& note, QWidget* buddy,
                        QWidget* parent) {
    auto* heading = new QWidget(parent);
    auto* titleLabel = new QLabel(title, heading);
    QFont bold = titleLabel->font();
    bold.setBold(true);
    titleLabel->setFont(bold);
    titleLabel->setBuddy(buddy);
    auto* noteLabel = new QLabel(note, heading);
    noteLabel->setWordWrap(true);
    noteLabel->setForegroundRole(QPalette::PlaceholderText);
    auto* layout = new QVBoxLayout(heading);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->setSpacing(4);
    layout->addWidget(titleLabel);
    layout->addWidget(noteLabel);
    return heading;
}

} // namespace vesk
