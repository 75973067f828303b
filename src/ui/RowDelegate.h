#pragma once

#include <QStyledItemDelegate>

namespace vesk {

// Paints the review table: group headings in bold across the row; each file's name with its
// reason on a second line in the secondary text colour; and its destination as a pop-up button
// face, with a folder or Trash symbol, or a greyed "Choose…".
class RowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // Two lines for every row, headings too, so the view can take one height for all.
    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const override;

private:
    void paintHeading(QPainter* painter, const QStyleOptionViewItem& option,
                      const QModelIndex& index) const;
    void paintName(QPainter* painter, const QStyleOptionViewItem& option,
                   const QModelIndex& index) const;
    void paintDestination(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const;
};

} // namespace vesk
