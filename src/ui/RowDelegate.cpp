#include "ui/RowDelegate.h"

#include "app/ReviewTableModel.h"
#include "app/Row.h"
#include "ui/SymbolIcon.h"

#include <QApplication>
#include <QPainter>

namespace vesk {

void RowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const {
    if (index.data(ReviewTableModel::IsHeadingRole).toBool()) {
        paintHeading(painter, option, index);
    } else if (index.column() == ReviewTableModel::destinationColumn) {
        paintDestination(painter, option, index);
    } else if (index.column() == ReviewTableModel::includeColumn &&
               !(index.flags() & Qt::ItemIsUserCheckable)) {
        QStyleOptionViewItem disabled = option;
        disabled.state &= ~QStyle::State_Enabled;
        QStyledItemDelegate::paint(painter, disabled, index);
    } else {
        QStyledItemDelegate::paint(painter, option, index);
    }
}

QSize RowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    // Room for the pop-up button's frame.
    size.setHeight(qMax(size.height(), option.fontMetrics.height() + 10));
    return size;
}

void RowDelegate::paintHeading(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    painter->save();
    painter->fillRect(option.rect, option.palette.alternateBase());
    QFont bold = option.font;
    bold.setBold(true);
    painter->setFont(bold);
    painter->setPen(option.palette.color(QPalette::Text));
    const QRect text = option.rect.adjusted(8, 0, -8, 0);
    painter->drawText(
        text, Qt::AlignVCenter | Qt::AlignLeft,
        QFontMetrics(bold).elidedText(index.data().toString(), Qt::ElideRight, text.width()));
    painter->restore();
}

void RowDelegate::paintDestination(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    // The selection background first, so the button sits on the row like the other cells.
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    background.icon = {};
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    QStyleOptionComboBox box;
    box.rect = option.rect.adjusted(2, 2, -4, -2);
    box.state = option.state | QStyle::State_Enabled;
    box.palette = option.palette;
    box.editable = false;
    box.frame = true;
    box.currentText = index.data().toString();
    const auto type =
        static_cast<RowGroup::Type>(index.data(ReviewTableModel::DestinationTypeRole).toInt());
    const QColor text = option.palette.color(QPalette::Text);
    if (type == RowGroup::Type::unsorted) {
        // No destination: "Choose…" in the secondary text colour.
        box.palette.setColor(QPalette::ButtonText, option.palette.color(QPalette::PlaceholderText));
    } else {
        box.currentIcon =
            symbolIcon(type == RowGroup::Type::trash ? Symbol::trash : Symbol::folder, text);
        box.iconSize = QSize(14, 14);
    }
    style->drawComplexControl(QStyle::CC_ComboBox, &box, painter, widget);
    style->drawControl(QStyle::CE_ComboBoxLabel, &box, painter, widget);
}

} // namespace vesk
