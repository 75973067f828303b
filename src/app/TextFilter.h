#pragma once

#include <QString>
#include <QStringList>

namespace vesk {

// What a person types to find a row or a folder among thousands: words in any order, each found
// anywhere in the text, with case and accents ignored. "inv 2024" finds
// "Documents/Invoices/2024", "resume" finds "Résumé", and a Chinese word finds the names that
// contain it, since Chinese is written without spaces.
class TextFilter {
public:
    explicit TextFilter(const QString& typed = {});

    [[nodiscard]] bool isEmpty() const { return words_.isEmpty(); }
    [[nodiscard]] bool matches(const QString& text) const { return matchesFolded(fold(text)); }
    // For text folded once and searched at every keystroke.
    [[nodiscard]] bool matchesFolded(const QString& folded) const;

    // Case folded, accents removed: what matching compares.
    [[nodiscard]] static QString fold(const QString& text);

private:
    QStringList words_; // folded
};

} // namespace vesk
