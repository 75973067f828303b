#pragma once

#include <QString>
#include <QStringList>

namespace vesk {

// The language Vesk speaks: the first of the person's interface languages when Vesk has it,
// English otherwise. The help pages follow the same choice.
enum class InterfaceLanguage { english, simplifiedChinese, traditionalChinese };

[[nodiscard]] InterfaceLanguage interfaceLanguage(const QStringList& uiLanguages);
// "zh_CN", "zh_TW" or "en", as the translation files are named.
[[nodiscard]] QString translationName(InterfaceLanguage language);

} // namespace vesk
