#pragma once

#include "app/MenuContent.h"

#include <QMenu>

namespace vesk {

class AppModel;

// The application's menu, rebuilt whenever what it shows changes in the model.
class TrayMenu : public QMenu {
    Q_OBJECT

public:
    TrayMenu(AppModel& model, bool updates, QWidget* parent = nullptr);

signals:
    void chosen(vesk::MenuEntry::Id entry);

private:
    void rebuild();

    AppModel& model_;
    bool updates_;
};

} // namespace vesk
