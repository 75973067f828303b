#include "app/InterfaceLanguage.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(InterfaceLanguage, TheFirstLanguageDecides) {
    const struct {
        QStringList languages;
        InterfaceLanguage language;
        const char* name;
    } cases[] = {
        {{"zh-Hans-CN", "en"}, InterfaceLanguage::simplifiedChinese, "zh_CN"},
        {{"zh-CN"}, InterfaceLanguage::simplifiedChinese, "zh_CN"},
        {{"zh"}, InterfaceLanguage::simplifiedChinese, "zh_CN"},
        {{"zh-Hant-TW"}, InterfaceLanguage::traditionalChinese, "zh_TW"},
        {{"zh-TW"}, InterfaceLanguage::traditionalChinese, "zh_TW"},
        {{"zh-HK"}, InterfaceLanguage::traditionalChinese, "zh_TW"},
        {{"nb-NO", "zh-CN"}, InterfaceLanguage::english, "en"},
        {{"en-US"}, InterfaceLanguage::english, "en"},
        {{}, InterfaceLanguage::english, "en"},
    };
    for (const auto& c : cases) {
        const auto language = interfaceLanguage(c.languages);
        EXPECT_EQ(language, c.language) << c.languages.join(',').toStdString();
        EXPECT_EQ(translationName(language), c.name);
    }
}

} // namespace
} // namespace vesk
