#include "ui/SettingLabel.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace vesk {

namespace {

constexpr int tileSize = 20;
constexpr int glyphSize = 14;

// Painted at the screen's pixel ratio each time, so the tile is crisp on every screen.
class Tile final : public QWidget {
public:
    Tile(Symbol symbol, QColor color, QWidget* parent)
        : QWidget(parent), symbol_(symbol), color_(color) {
        setFixedSize(tileSize, tileSize);
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        SettingLabel::paintTile(painter, symbol_, color_);
    }

private:
    Symbol symbol_;
    QColor color_;
};

} // namespace

SettingLabel::SettingLabel(const QString& title, Symbol symbol, const QColor& color,
                           QWidget* parent)
    : QWidget(parent), title_(new QLabel(title, this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(new Tile(symbol, color, this));
    layout->addWidget(title_);
}

QString SettingLabel::title() const {
    return title_->text();
}

void SettingLabel::setControl(QWidget* control) {
    control_ = control;
    title_->setBuddy(control);
    // A combo box would otherwise be read out by its value alone.
    control->setAccessibleName(QString(title()).remove(QLatin1Char('&')));
}

// Taken, so that the release comes here too.
void SettingLabel::mousePressEvent(QMouseEvent* event) {
    event->setAccepted(event->button() == Qt::LeftButton && control_ != nullptr);
}

void SettingLabel::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || control_ == nullptr || !control_->isEnabled()) {
        return;
    }
    control_->setFocus(Qt::MouseFocusReason);
    if (auto* button = qobject_cast<QAbstractButton*>(control_)) {
        button->click();
    } else if (auto* box = qobject_cast<QComboBox*>(control_)) {
        box->showPopup();
    }
}

void SettingLabel::paintTile(QPainter& painter, Symbol symbol, const QColor& color) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, tileSize);
    gradient.setColorAt(0, color.lighter(118));
    gradient.setColorAt(1, color.darker(106));
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(0, 0, tileSize, tileSize), 5, 5);
    painter.fillPath(rounded, gradient);
    const int inset = (tileSize - glyphSize) / 2;
    drawnSymbol(symbol, Qt::white)
        .paint(&painter, QRect(inset, inset, glyphSize, glyphSize), Qt::AlignCenter);
    painter.restore();
}

} // namespace vesk
