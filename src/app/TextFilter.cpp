#include "app/TextFilter.h"

namespace vesk {

TextFilter::TextFilter(const QString& typed)
    : words_(fold(typed).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {}

bool TextFilter::matchesFolded(const QString& folded) const {
    for (const QString& word : words_) {
        if (!folded.contains(word)) {
            return false;
        }
    }
    return true;
}

QString TextFilter::fold(const QString& text) {
    // Decomposed, an accented letter is its base letter followed by marks, which go.
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing) {
            continue;
        }
        folded += c.isSpace() ? QChar(u' ') : c;
    }
    return folded.toCaseFolded();
}

} // namespace vesk
