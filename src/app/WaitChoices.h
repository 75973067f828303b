#pragma once

#include <QCoreApplication>
#include <QString>

#include <vector>

namespace vesk {

// One entry of "Wait Before Tidying".
struct WaitChoice {
    QString text;
    double days = 0;

    bool operator==(const WaitChoice&) const = default;
};

class WaitChoices {
    Q_DECLARE_TR_FUNCTIONS(WaitChoices)

public:
    // "Right Away", "1 Day", "3 Days" and "1 Week", with a stored wait that is none of these
    // in its place among them, so what is stored is shown rather than changed behind the
    // person's back.
    [[nodiscard]] static std::vector<WaitChoice> around(double stored);
};

} // namespace vesk
