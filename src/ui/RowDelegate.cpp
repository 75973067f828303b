#include "ui/RowDelegate.h"

#include "app/ReviewTableModel.h"
#include "app/Row.h"
#include "ui/SymbolIcon.h"
#include "ui/TextColors.h"

#include <QApplication>
#include <QPainter>

namespace vesk {

namespace {

constexpr int padding = 4;
constexpr int iconSize = 16;
constexpr int iconGap = 6;

QStyle* styleOf(const QStyleOptionViewItem& option) {
    return option.widget ? option.widget->style() : QApplication::style();
}

// The cell's background and selection, as the style draws them, without text or icon.
void paintBackground(QPainter* painter, const QStyleOptionViewItem& option) {
    QStyleOptionViewItem background = option;
    background.text.clear();
    background.icon = {};
    background.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    styleOf(option)->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);
}

} // namespace

void RowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const {
    if (index.data(ReviewTableModel::IsHeadingRole).toBool()) {
        paintHeading(painter, option, index);
    } else if (index.column() == ReviewTableModel::nameColumn) {
        paintName(painter, option, index);
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
    size.setHeight(qMax(size.height(), 2 * option.fontMetrics.height() + 2 * padding + 2));
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
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        styleOf(option)->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
    }
    painter->restore();
}

void RowDelegate::paintName(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    paintBackground(painter, item);

    painter->save();
    const auto [primary, secondary] = TextColors::of(option);
    const QFontMetrics& metrics = option.fontMetrics;
    const QRect area = option.rect.adjusted(padding, padding, -padding, -padding);
    const int lineHeight = metrics.height();
    const QRect iconRect(area.left(), area.top() + (lineHeight - iconSize) / 2, iconSize, iconSize);
    item.icon.paint(painter, iconRect, Qt::AlignCenter,
                    option.state & QStyle::State_Enabled ? QIcon::Normal : QIcon::Disabled);
    const int left = iconRect.right() + 1 + iconGap;
    const QRect nameLine(left, area.top(), area.right() - left, lineHeight);
    painter->setPen(primary);
    // Cut in the middle: the extension at the end always shows.
    painter->drawText(nameLine, Qt::AlignVCenter | Qt::AlignLeft,
                      metrics.elidedText(item.text, Qt::ElideMiddle, nameLine.width()));
    const QRect reasonLine = nameLine.translated(0, lineHeight);
    painter->setPen(secondary);
    painter->drawText(reasonLine, Qt::AlignVCenter | Qt::AlignLeft,
                      metrics.elidedText(index.data(ReviewTableModel::ReasonRole).toString(),
                                         Qt::ElideRight, reasonLine.width()));
    painter->restore();
}

void RowDelegate::paintDestination(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    // The selection background first, so the button sits on the row like the other cells.
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    paintBackground(painter, background);

    QStyleOptionComboBox box;
    const int height = option.fontMetrics.height() + 10;
    box.rect = QRect(option.rect.left() + 2, option.rect.center().y() - height / 2 + 1,
                     option.rect.width() - 6, height);
    box.state = option.state | QStyle::State_Enabled;
    box.palette = option.palette;
    box.editable = false;
    box.frame = true;
    box.currentText = index.data().toString();
    const auto type =
        static_cast<RowGroup::Type>(index.data(ReviewTableModel::DestinationTypeRole).toInt());
    const QColor text = option.palette.color(QPalette::Text);
    if (type == RowGroup::Type::unsorted || type == RowGroup::Type::ignored) {
        // No destination: "Choose…" or "Don't Tidy" in the secondary text colour.
        box.palette.setColor(QPalette::ButtonText, option.palette.color(QPalette::PlaceholderText));
    } else {
        box.currentIcon =
            symbolIcon(type == RowGroup::Type::trash ? Symbol::trash : Symbol::folder, text);
        box.iconSize = QSize(14, 14);
    }
    QStyle* style = styleOf(option);
    style->drawComplexControl(QStyle::CC_ComboBox, &box, painter, option.widget);
    style->drawControl(QStyle::CE_ComboBoxLabel, &box, painter, option.widget);
}

} // namespace vesk
