#pragma once

#include <QStyledItemDelegate>

namespace vesk {

// Paints the review table: group headings in bold across the row, and each row's destination
// as a pop-up button face, with a folder or Trash symbol, or a greyed "Choose…".
class RowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const override;

private:
    void paintHeading(QPainter* painter, const QStyleOptionViewItem& option,
                      const QModelIndex& index) const;
    void paintDestination(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const;
};

} // namespace vesk
