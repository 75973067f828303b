#pragma once

#include "app/PrivacyNote.h"

#include <QToolButton>

class QFrame;

namespace vesk {

// Whether a privacy note is open when its button first shows ("--show-privacy").
enum class NoteAtStart { closed, open };

// A small information button that opens and closes a note saying what stays private.
class PrivacyInfo : public QToolButton {
    Q_OBJECT

public:
    PrivacyInfo(PrivacyNote::Topic topic, NoteAtStart atStart, QWidget* parent = nullptr);

    [[nodiscard]] bool isOpen() const;
    void setOpen(bool open);
    [[nodiscard]] QFrame* note() const { return note_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QFrame* note_;
    bool openWhenShown_;
};

} // namespace vesk
