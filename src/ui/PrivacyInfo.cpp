#include "ui/PrivacyInfo.h"

#include "ui/SymbolIcon.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace vesk {

namespace {

// The note, a popup: a click anywhere else, also on its button, closes it.
class Note final : public QFrame {
public:
    explicit Note(PrivacyNote::Topic topic, QWidget* button) : QFrame(button, Qt::Popup) {
        setObjectName(QStringLiteral("privacyNote"));
        setFrameShape(QFrame::StyledPanel);
        setFixedWidth(300);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(14, 12, 14, 14);
        layout->setSpacing(6);
        layout->addLayout(headingRow());
        for (const QString& line : PrivacyNote::lines(topic)) {
            auto* text = new QLabel(line, this);
            text->setObjectName(QStringLiteral("privacyLine"));
            text->setWordWrap(true);
            layout->addWidget(text);
        }
    }

private:
    QHBoxLayout* headingRow() {
        auto* symbol = new QLabel(this);
        symbol->setPixmap(symbolIcon(Symbol::lockShield, palette().color(QPalette::WindowText))
                              .pixmap(QSize(18, 18), devicePixelRatioF()));
        auto* heading = new QLabel(PrivacyNote::heading(), this);
        heading->setObjectName(QStringLiteral("privacyHeading"));
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        auto* row = new QHBoxLayout;
        row->setSpacing(6);
        row->addWidget(symbol);
        row->addWidget(heading, 1);
        return row;
    }
};

} // namespace

PrivacyInfo::PrivacyInfo(PrivacyNote::Topic topic, NoteAtStart atStart, QWidget* parent)
    : QToolButton(parent), note_(new Note(topic, this)),
      openWhenShown_(atStart == NoteAtStart::open) {
    setObjectName(QStringLiteral("privacyInfo"));
    setAutoRaise(true);
    setFocusPolicy(Qt::StrongFocus);
    setIcon(symbolIcon(Symbol::info, palette().color(QPalette::PlaceholderText)));
    setIconSize(QSize(16, 16));
    setToolTip(PrivacyNote::buttonName(topic));
    setAccessibleName(PrivacyNote::buttonName(topic));
    connect(this, &QToolButton::clicked, this, [this] { setOpen(!isOpen()); });
}

bool PrivacyInfo::isOpen() const {
    return note_->isVisible();
}

void PrivacyInfo::setOpen(bool open) {
    if (!open) {
        note_->close();
        return;
    }
    note_->adjustSize();
    // Centred under the button, kept on its screen.
    const QPoint below = mapToGlobal(QPoint(width() / 2, height() + 4));
    QRect place(QPoint(below.x() - note_->width() / 2, below.y()), note_->size());
    if (const QScreen* shown = screen()) {
        const QRect area = shown->availableGeometry();
        place.moveLeft(std::max(area.left(), std::min(place.left(), area.right() - place.width())));
    }
    note_->move(place.topLeft());
    note_->show();
}

void PrivacyInfo::showEvent(QShowEvent* event) {
    QToolButton::showEvent(event);
    if (openWhenShown_) {
        openWhenShown_ = false;
        // Once the window is placed, so the note opens under the button.
        QMetaObject::invokeMethod(
            this, [this] { setOpen(isVisible()); }, Qt::QueuedConnection);
    }
}

void PrivacyInfo::hideEvent(QHideEvent* event) {
    QToolButton::hideEvent(event);
    setOpen(false);
}

} // namespace vesk
