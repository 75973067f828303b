#include "app/WaitChoices.h"

#include <QLocale>

#include <algorithm>

namespace vesk {

std::vector<WaitChoice> WaitChoices::around(double stored) {
    std::vector<WaitChoice> choices{
        {tr("Right Away"), 0}, {tr("1 Day"), 1}, {tr("3 Days"), 3}, {tr("1 Week"), 7}};
    const auto standard = [stored](const WaitChoice& choice) { return choice.days == stored; };
    if (std::none_of(choices.begin(), choices.end(), standard)) {
        const auto later = std::find_if(choices.begin(), choices.end(),
                                        [stored](const auto& c) { return c.days > stored; });
        choices.insert(later, {tr("%1 Days").arg(QLocale().toString(stored)), stored});
    }
    return choices;
}

} // namespace vesk
