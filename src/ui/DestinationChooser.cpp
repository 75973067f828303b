#include "ui/DestinationChooser.h"

#include "app/DestinationChoices.h"
#include "ui/TextColors.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace vesk {

namespace {

constexpr int checkWidth = 20; // room for the mark of the current destination
constexpr int mostHeight = 440;

using Kind = DestinationChoices::Kind;

Kind kindAt(const QModelIndex& index) {
    return static_cast<Kind>(index.data(DestinationChoices::KindRole).toInt());
}

// Headings in the secondary colour; folders with the engine's score at the right, and a tick
// at the left for where the files go now.
class ChoiceDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QString text = item.text;
        item.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

        painter->save();
        const auto [primary, secondary] = TextColors::of(option);
        QRect area = option.rect.adjusted(checkWidth, 0, -8, 0);
        if (kindAt(index) == Kind::heading) {
            QFont bold = option.font;
            bold.setBold(true);
            painter->setFont(bold);
            painter->setPen(secondary);
            painter->drawText(option.rect.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft,
                              QFontMetrics(bold).elidedText(text, Qt::ElideRight, area.width()));
            painter->restore();
            return;
        }
        if (index.data(DestinationChoices::IsCurrentRole).toBool()) {
            painter->setPen(primary);
            painter->drawText(QRect(option.rect.left(), option.rect.top(), checkWidth,
                                    option.rect.height()),
                              Qt::AlignCenter, QStringLiteral("✓"));
        }
        const QVariant score = index.data(DestinationChoices::ScoreRole);
        if (score.isValid()) {
            const QString shown = QLocale().toString(score.toDouble(), 'f', 2);
            painter->setPen(secondary);
            painter->drawText(area, Qt::AlignVCenter | Qt::AlignRight, shown);
            area.setRight(area.right() - option.fontMetrics.horizontalAdvance(shown) - 8);
        }
        painter->setPen(primary);
        // The end of a path names the folder: keep it when the path is long.
        painter->drawText(area, Qt::AlignVCenter | Qt::AlignLeft,
                          option.fontMetrics.elidedText(text, Qt::ElideMiddle, area.width()));
        painter->restore();
    }
};

bool isListKey(int key) {
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
           key == Qt::Key_PageDown;
}

} // namespace

DestinationChooser::DestinationChooser(AppModel& model, std::vector<std::filesystem::path> files,
                                       QWidget* parent)
    : QFrame(parent, Qt::Popup), choices_(new DestinationChoices(model, std::move(files), this)),
      filter_(new QLineEdit(this)), list_(new QListView(this)) {
    setObjectName(QStringLiteral("destinationChooser"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAccessibleName(tr("Move To"));
    setFrameShape(QFrame::StyledPanel);
    filter_->setObjectName(QStringLiteral("destinationFilter"));
    filter_->setPlaceholderText(tr("Find a folder"));
    filter_->setAccessibleName(tr("Find a folder"));
    filter_->setClearButtonEnabled(true);
    list_->setObjectName(QStringLiteral("destinationList"));
    list_->setAccessibleName(tr("Destinations"));
    list_->setModel(choices_);
    list_->setItemDelegate(new ChoiceDelegate(list_));
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setTextElideMode(Qt::ElideMiddle);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addWidget(filter_);
    layout->addWidget(list_, 1);

    filter_->installEventFilter(this);
    list_->installEventFilter(this);
    connect(filter_, &QLineEdit::textChanged, this, &DestinationChooser::filterChanged);
    connect(list_, &QListView::clicked, this,
            [this](const QModelIndex& index) { choose(index.row()); });
    filterChanged({});
    setFocusProxy(filter_);
}

void DestinationChooser::filterChanged(const QString& typed) {
    choices_->setFilter(typed);
    const int start = typed.isEmpty() ? choices_->startRow() : -1;
    // While typing, the first folder that matches; at first, where the files go now.
    int row = start;
    for (int i = 0; row < 0 && i < choices_->rowCount(); ++i) {
        if (choices_->flags(choices_->index(i)) & Qt::ItemIsSelectable) {
            row = i;
        }
    }
    if (row >= 0) {
        list_->setCurrentIndex(choices_->index(row));
        list_->scrollTo(choices_->index(row));
    }
}

void DestinationChooser::chooseCurrent() {
    choose(list_->currentIndex().row());
}

void DestinationChooser::choose(int row) {
    if (kindAt(choices_->index(row)) == Kind::heading) {
        return;
    }
    // Gone before the choice acts: "Other Folder…" opens a dialog of its own.
    hide();
    choices_->choose(row);
    close();
}

bool DestinationChooser::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QFrame::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        chooseCurrent();
        return true;
    }
    if (key->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    if (watched == filter_ && isListKey(key->key())) {
        QApplication::sendEvent(list_, event);
        return true;
    }
    if (watched == list_ && !key->text().isEmpty() && key->text().at(0).isPrint()) {
        // Typing on the list goes on filtering.
        filter_->setFocus();
        QApplication::sendEvent(filter_, event);
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void DestinationChooser::popUp(const QPoint& anchor, int width) {
    const int rowHeight = list_->sizeHintForRow(0) > 0 ? list_->sizeHintForRow(0) : 24;
    const int listHeight = rowHeight * choices_->rowCount() + 4;
    QSize size(std::max(width, 340), std::min(mostHeight, listHeight + filter_->sizeHint().height() + 18));
    QRect place(anchor, size);
    if (const QScreen* shown = QGuiApplication::screenAt(anchor)) {
        const QRect area = shown->availableGeometry();
        if (place.bottom() > area.bottom()) {
            place.moveBottom(std::max(area.top() + size.height(), anchor.y() - rowHeight));
        }
        place.moveLeft(std::max(area.left(), std::min(place.left(), area.right() - size.width())));
        place.moveTop(std::max(area.top(), place.top()));
    }
    setGeometry(place);
    show();
    filter_->setFocus(Qt::PopupFocusReason);
}

} // namespace vesk
