#include "app/Notices.h"

#include "app/AppModel.h"
#include "app/Notifier.h"
#include "app/ReasonText.h"

#include <QFile>
#include <QStringList>

namespace vesk {

namespace {

// Enough to see what went wrong; the review window lists every failure.
constexpr std::size_t failuresNamed = 3;

QString nameOf(const std::filesystem::path& file) {
    return QFile::decodeName(QByteArray::fromStdString(file.filename().native()));
}

QStringList failureLines(const std::vector<MoveFailure>& failures) {
    QStringList lines;
    for (std::size_t i = 0; i < failures.size() && i < failuresNamed; ++i) {
        lines << Notices::tr("%1: %2").arg(nameOf(failures[i].file),
                                           ReasonText::of(failures[i]));
    }
    if (failures.size() > failuresNamed) {
        lines << Notices::tr("and %n more", nullptr,
                             static_cast<int>(failures.size() - failuresNamed));
    }
    return lines;
}

Notice movesNotice(const QString& summary, const QStringList& body) {
    Notice notice;
    notice.kind = Notice::Kind::moves;
    notice.summary = summary;
    notice.body = body.join(QLatin1Char('\n'));
    notice.onClick = {{Notice::Action::review, Notices::tr("Review")}};
    return notice;
}

} // namespace

Notices::Notices(AppModel& model, Notifier& notifier, NoticesOptions options, QObject* parent)
    : QObject(parent), model_(model), notifier_(notifier), clock_(std::move(options.clock)),
      waiting_(options.quietTime) {
    askAgain_.setSingleShot(true);
    connect(&askAgain_, &QTimer::timeout, this, &Notices::filesChanged);
    connect(&model_, &AppModel::busyChanged, this, [this](bool busy) {
        if (!busy) {
            filesChanged();
        }
    });
    connect(&model_, &AppModel::tidied, this, &Notices::tidied);
    connect(&model_, &AppModel::undone, this, &Notices::undone);
    connect(&notifier_, &Notifier::invoked, this, &Notices::act);
}

// Whether the notifier reaches anyone is its own business: until the desktop has answered, it
// keeps what it is given.
bool Notices::enabled() const {
    return model_.notifyWhenFilesWait();
}

void Notices::filesChanged() {
    if (!enabled()) {
        return;
    }
    std::vector<std::filesystem::path> ready;
    for (const Row& row : model_.pending()) {
        ready.push_back(row.file());
    }
    if (reviewing_ && reviewing_()) {
        waiting_.seen(ready);
    }
    const WaitingFiles::Decision decision = waiting_.update(ready, clock_());
    switch (decision.kind) {
    case WaitingFiles::Decision::Kind::none:
        break;
    case WaitingFiles::Decision::Kind::announce: {
        Notice notice;
        notice.kind = Notice::Kind::filesWaiting;
        notice.summary = tr("%n file(s) are ready to tidy", nullptr, decision.count);
        notice.buttons = {{Notice::Action::review, tr("Review")}};
        notice.onClick = notice.buttons.front();
        notifier_.show(notice);
        break;
    }
    case WaitingFiles::Decision::Kind::wait:
        askAgain_.start(std::chrono::ceil<std::chrono::milliseconds>(decision.until - clock_()));
        break;
    case WaitingFiles::Decision::Kind::withdraw:
        notifier_.withdraw(Notice::Kind::filesWaiting);
        break;
    }
}

void Notices::tidied(const ApplyResult& result) {
    const auto moved = static_cast<int>(result.batch.records.size());
    if (!enabled() || (moved == 0 && result.failures.empty())) {
        return;
    }
    QStringList body;
    if (!result.failures.empty() && moved > 0) {
        body << tr("Moved %n file(s)", nullptr, moved);
    }
    body << failureLines(result.failures);
    if (result.historyStatus.writeError && moved > 0) {
        body << tr("This tidy can't be undone: its history could not be written.");
    }
    Notice notice = movesNotice(result.failures.empty() ? tr("Moved %n file(s)", nullptr, moved)
                                                        : tr("Some files couldn't be moved."),
                                body);
    // Only while the history still ends with this tidy: undo takes back the newest one.
    const auto& newest = model_.lastBatch();
    if (moved > 0 && newest && newest->id == result.batch.id) {
        notice.buttons = {{Notice::Action::undo, tr("Undo")}};
        notice.batch = result.batch.id;
    }
    notifier_.show(notice);
}

void Notices::undone(const UndoResult& result) {
    if (!enabled() || (result.restored == 0 && result.failures.empty())) {
        return;
    }
    QStringList body = failureLines(result.failures);
    if (!result.renamed.empty()) {
        body << tr("%n file(s) came back under a new name, as the old one was taken.", nullptr,
                   static_cast<int>(result.renamed.size()));
    }
    notifier_.show(movesNotice(result.failures.empty()
                                   ? tr("Put back %n file(s)", nullptr, result.restored)
                                   : tr("Some files couldn't be put back."),
                               body));
}

void Notices::act(const Notice& notice, Notice::Action action) {
    switch (action) {
    case Notice::Action::review:
        emit reviewRequested();
        break;
    case Notice::Action::undo:
        model_.undoIfNewest(notice.batch);
        break;
    }
}

} // namespace vesk
