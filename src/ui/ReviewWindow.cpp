#include "ui/ReviewWindow.h"

#include "app/AppModel.h"
#include "app/PathBoundary.h"
#include "app/ReasonText.h"
#include "ui/EmptyState.h"
#include "ui/ReviewBottomBar.h"
#include "ui/ReviewTable.h"
#include "ui/WindowRole.h"

#include <QCursor>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace vesk {

namespace {

const QString geometryKey = QStringLiteral("review/geometry");
const QString columnsKey = QStringLiteral("review/columns");
constexpr QSize defaultSize(720, 520);

bool isReturn(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace

ReviewWindow::ReviewWindow(AppModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(model), state_(model.location().windowStateFile()),
      content_(new QStackedWidget(this)), table_(new ReviewTable(model, content_)),
      filter_(new QLineEdit(this)), bottomBar_(new ReviewBottomBar(model, this)),
      watchNotice_(new QLabel(this)) {
    setObjectName(QStringLiteral("reviewWindow"));
    announceAsWindow(*this);
    setMinimumSize(560, 360);

    content_->addWidget(new EmptyState(model, content_));
    content_->addWidget(tablePage());
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    watchNotice_->setObjectName(QStringLiteral("watchNotice"));
    watchNotice_->setTextFormat(Qt::PlainText);
    watchNotice_->setWordWrap(true);
    watchNotice_->setContentsMargins(12, 8, 12, 8);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(watchNotice_);
    layout->addWidget(content_, 1);
    layout->addWidget(line);
    layout->addWidget(bottomBar_);
    setTabOrder(filter_, table_);
    setTabOrder(table_, bottomBar_);

    addShortcuts();
    connect(&model_, &AppModel::rowsChanged, this, [this] {
        updateTitle();
        showRowsOrEmptyState();
    });
    connect(&model_, &AppModel::pendingCountChanged, this, &ReviewWindow::updateTitle);
    connect(&model_, &AppModel::onboardedChanged, this, &ReviewWindow::updateTitle);
    connect(&model_, &AppModel::showFailureChanged, this, &ReviewWindow::showFailure);
    connect(&model_, &AppModel::watchProblemsChanged, this, &ReviewWindow::showWatchProblems);
    showWatchProblems();
    updateTitle();
    showRowsOrEmptyState();
    if (!restoreGeometry(state_.value(geometryKey))) {
        placeOnScreen();
    }
    table_->header()->restoreState(state_.value(columnsKey));
}

ReviewWindow::~ReviewWindow() {
    if (shown_) {
        keepPlace();
    }
}

QWidget* ReviewWindow::tablePage() {
    auto* page = new QWidget(content_);
    auto* label = new QLabel(tr("&Filter:"), page);
    label->setBuddy(filter_);
    filter_->setParent(page);
    filter_->setObjectName(QStringLiteral("rowFilter"));
    filter_->setPlaceholderText(tr("Name, folder or reason"));
    filter_->setClearButtonEnabled(true);
    filter_->installEventFilter(this);
    connect(filter_, &QLineEdit::textChanged, table_, &ReviewTable::setFilter);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(12, 8, 12, 8);
    row->addWidget(label);
    row->addWidget(filter_, 1);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(row);
    table_->setParent(page);
    layout->addWidget(table_, 1);
    return page;
}

void ReviewWindow::addShortcuts() {
    // Return tidies from anywhere in the window, as a default button would.
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
                &ReviewWindow::tidyIfPending);
    }
    for (const auto& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);
    }
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        filter_->setFocus(Qt::ShortcutFocusReason);
        filter_->selectAll();
    });
}

// In the filter, Return and Down go on to the list and Escape first clears what was typed; the
// window's own shortcuts would otherwise take them.
bool ReviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != filter_ ||
        (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)) {
        return QWidget::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const bool clears = key->key() == Qt::Key_Escape && !filter_->text().isEmpty();
    const bool leaves = isReturn(*key) || key->key() == Qt::Key_Down;
    if (!clears && !leaves) {
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (clears) {
        filter_->clear();
    } else {
        focusList();
    }
    return true;
}

void ReviewWindow::setMenu(QMenu* menu) {
    bottomBar_->setMenu(menu);
    // A new button must not take the keyboard from the list.
    focusList();
}

void ReviewWindow::updateTitle() {
    const int pending = model_.pendingCount();
    setWindowTitle(model_.onboarded() && !model_.rows().empty()
                       ? tr("%n File(s) to Tidy — Vesk", nullptr, pending)
                       : QStringLiteral("Vesk"));
}

void ReviewWindow::showRowsOrEmptyState() {
    const bool hadList = content_->currentIndex() == 1;
    content_->setCurrentIndex(model_.rows().empty() ? 0 : 1);
    if (!hadList && content_->currentIndex() == 1) {
        focusList();
    }
}

void ReviewWindow::focusList() {
    if (content_->currentIndex() == 1) {
        table_->setFocus(Qt::OtherFocusReason);
        if (!table_->currentIndex().isValid()) {
            table_->selectFirstRow();
        }
    } else {
        // Nothing to list: the window itself, never the default button, where Space would tidy.
        setFocus(Qt::OtherFocusReason);
    }
}

// The rows may be missing files of a folder that isn't watched: the person should know why.
void ReviewWindow::showWatchProblems() {
    QStringList lines;
    for (const WatchProblem& problem : model_.watchProblems()) {
        lines << tr("%1: %2").arg(displayPath(problem.folder),
                                  SourceWatcher::describe(problem.reason));
    }
    watchNotice_->setText(lines.join(QLatin1Char('\n')));
    watchNotice_->setVisible(!lines.isEmpty());
}

void ReviewWindow::tidyIfPending() {
    if (bottomBar_->tidyButton()->isEnabled()) {
        bottomBar_->tidyButton()->click();
    }
}

void ReviewWindow::showFailure(bool show) {
    if (!show) {
        if (alert_ != nullptr) {
            alert_->close();
        }
        return;
    }
    QStringList lines;
    for (const MoveFailure& failure : model_.lastFailures()) {
        lines << tr("%1: %2").arg(displayPath(failure.file), ReasonText::of(failure));
    }
    if (alert_ == nullptr) {
        alert_ = new QMessageBox(QMessageBox::Warning, QStringLiteral("Vesk"),
                                 tr("Some files couldn't be moved."), QMessageBox::Ok, this);
        alert_->setObjectName(QStringLiteral("failureAlert"));
        alert_->setTextFormat(Qt::PlainText);
        alert_->setWindowModality(Qt::WindowModal);
        connect(alert_, &QMessageBox::finished, this, [this] {
            alert_->deleteLater();
            alert_ = nullptr;
            model_.dismissFailure();
        });
    }
    alert_->setDetailedText(lines.join(QLatin1Char('\n')));
    alert_->open();
}

// The first time, in the middle of the screen the pointer is on, and no larger than it.
void ReviewWindow::placeOnScreen() {
    const QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        resize(defaultSize);
        return;
    }
    const QRect area = screen->availableGeometry();
    resize(defaultSize.boundedTo(area.size()));
    QRect frame(QPoint(), size());
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

void ReviewWindow::keepPlace() const {
    state_.setValue(geometryKey, saveGeometry());
    state_.setValue(columnsKey, table_->header()->saveState());
}

void ReviewWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    focusList();
    if (!shown_) {
        shown_ = true;
        emit firstShown();
    }
}

void ReviewWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    keepPlace();
    emit closed();
}

} // namespace vesk
