#pragma once

#include "app/Translations.h"

#include <QCoreApplication>
#include <QTranslator>

#include <memory>
#include <vector>

namespace vesk::test {

// The interface's translations for `uiLanguage`, installed as the application installs them
// and removed again when this goes.
class Speaking {
public:
    explicit Speaking(const QString& uiLanguage) {
        const auto before = qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly);
        Translations::install(*qApp, {uiLanguage});
        for (auto* translator : qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)) {
            if (!before.contains(translator)) {
                added_.emplace_back(translator);
            }
        }
    }

    // Whether the language brought translations of its own.
    [[nodiscard]] bool installed() const { return !added_.empty(); }

private:
    std::vector<std::unique_ptr<QTranslator>> added_;
};

} // namespace vesk::test
