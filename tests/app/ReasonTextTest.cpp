#include "app/ReasonText.h"

#include "support/Cjk.h"
#include "support/QtPrinting.h"
#include "support/Speaking.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string_view>
#include <vector>

namespace vesk {
namespace {

// Every case the engine can give, with the words Vesk has always used for it in Simplified
// Chinese: those stay exactly as they were.
struct Rendered {
    std::function<QString()> text;
    QString simplified;
};

std::vector<Rendered> everyCase() {
    const auto reason = [](ReasonCode code, std::vector<ReasonArgument> arguments = {}) {
        return [=] { return ReasonText::of(Reason{code, arguments}); };
    };
    const auto layer = [](Layer which) { return [=] { return ReasonText::of(which); }; };
    const auto failure = [](MoveFailure::Code code) {
        return [=] { return ReasonText::of(MoveFailure{"/h/a.pdf", code, "Permission denied"}); };
    };
    const auto model = [](ModelUnavailable why) { return [=] { return ReasonText::of(why); }; };
    return {
        {reason(ReasonCode::downloading), "正在下载"},
        {reason(ReasonCode::folder), "文件夹，默认保持原样"},
        {reason(ReasonCode::tooNew, {"2.5"}), "太新（2.5 天），暂不处理"},
        {reason(ReasonCode::screenRecording), "录屏"},
        {reason(ReasonCode::screenshot), "截图"},
        {reason(ReasonCode::unpacked), "已解压（旁边有同名文件夹）"},
        {reason(ReasonCode::appInstalled), "安装包，应用已安装"},
        {reason(ReasonCode::oldInstaller, {"31"}), "旧安装包（31 天）"},
        {reason(ReasonCode::application), "应用程序放在下载文件夹"},
        {reason(ReasonCode::oneOff, {"torrent"}), "一次性文件（.torrent）"},
        {reason(ReasonCode::duplicate, {"invoice.pdf"}), "重复下载（同名同大小：invoice.pdf）"},
        {reason(ReasonCode::likeFile, {"invoice_march.pdf", "0.64"}),
         "像 “invoice_march.pdf” · 0.64"},
        {reason(ReasonCode::folderName, {"1.00"}), "文件夹名称相符 · 1.00"},
        {reason(ReasonCode::folderWords, {"0.63"}), "和整个文件夹的用词相近 · 0.63"},
        {reason(ReasonCode::folderName), "文件夹名称相符"},
        {reason(ReasonCode::folderWords), "和整个文件夹的用词相近"},
        {reason(ReasonCode::likeFileHere, {"Invoice March.pdf"}), "像这里的 “Invoice March.pdf”"},
        {reason(ReasonCode::likeFileHereAndMore, {"Invoice March.pdf", "4"}),
         "像这里的 “Invoice March.pdf” 和另外 4 个文件"},
        {reason(ReasonCode::namesDisagree, {"Documents/Misc", "Documents/School/Math/Old"}),
         "相似度指向「Documents/Misc」，但名称更像「Documents/School/Math/Old」里的文件，请你决定"},
        {reason(ReasonCode::closeInMeaning, {"0.85", "0.20"}), "语义相近 0.85 · 0.20"},
        {reason(ReasonCode::codeProject, {"Documents/Work/weather-app"}),
         "可能属于代码项目「Documents/Work/weather-app」，请你决定"},
        {reason(ReasonCode::typeDefault), "按类型的默认位置"},
        {reason(ReasonCode::nameSaysNothing), "文件名没有可用信息"},
        {reason(ReasonCode::nameSaysNothingClosest, {"Documents/Scans"}),
         "文件名没有可用信息（最接近：Documents/Scans）"},
        {reason(ReasonCode::notSimilar), "没有足够相似的文件夹"},
        {reason(ReasonCode::notSimilarClosest, {"Documents/Invoices"}),
         "没有足够相似的文件夹（最接近：Documents/Invoices）"},
        {reason(ReasonCode::modelPlacement, {"a family recipe", "high"}), "a family recipe · high"},
        {reason(ReasonCode::vetoed,
                {"Documents/Recipes", Layer::llm, "something else", "a family recipe"}),
         "质检否决（原建议 Documents/Recipes，③ 本地 LLM）：something else：a family recipe"},
        {reason(ReasonCode::inPlace), "已在目标文件夹中"},
        {layer(Layer::skip), "跳过"},
        {layer(Layer::userFolder), "文件夹"},
        {layer(Layer::rule), "① 规则"},
        {layer(Layer::match), "② 相似度"},
        {layer(Layer::names), "② 名称索引"},
        {layer(Layer::typeDefault), "② 类型默认"},
        {layer(Layer::llm), "③ 本地 LLM"},
        {layer(Layer::content), "④ 内容(本地)"},
        {layer(Layer::none), "—"},
        {failure(MoveFailure::Code::sourceMissing), "文件已不在原处"},
        {failure(MoveFailure::Code::movedMissing), "找不到已移动的文件"},
        {failure(MoveFailure::Code::movedChanged), "已不是整理时移动的那个文件"},
        {failure(MoveFailure::Code::destinationChanged), "审阅后目标文件夹已被替换，文件留在原处"},
        {failure(MoveFailure::Code::folderChanged), "整理后文件夹已被替换，文件留在原处"},
        {failure(MoveFailure::Code::stillBeingWritten), "文件仍在写入，留到下次整理"},
        {failure(MoveFailure::Code::recordedMove), "中断前已移动，已记入历史"},
        {failure(MoveFailure::Code::restoredMove), "中断前已放回原处，已从历史中移除"},
        {failure(MoveFailure::Code::notMoved), "中断前未移动，仍在原处"},
        {failure(MoveFailure::Code::copyRemoved), "已删除中断时留下的多余副本，原文件仍在原处"},
        {failure(MoveFailure::Code::partialRemoved), "已删除中断时未完成的副本"},
        {failure(MoveFailure::Code::bothMissing), "中断后在原处和目标处都找不到"},
        {failure(MoveFailure::Code::unclear), "中断前的移动无法确认，目标处的文件保持不动"},
        // The system's own description is passed on as it is.
        {failure(MoveFailure::Code::system), "Permission denied"},
        {model(ModelUnavailable::turnedOff), "本地模型已关闭"},
        {model(ModelUnavailable::notReady), "本地模型尚未就绪"},
        {model(ModelUnavailable::notAvailable), "本地模型不可用"},
        {model(ModelUnavailable::needsKey), "本地模型服务需要密钥"},
        {model(ModelUnavailable::keyRefused), "本地模型服务不接受该密钥"},
    };
}

TEST(ReasonText, EveryCaseInEnglishSimplifiedAndTraditionalChinese) {
    const auto cases = everyCase();
    std::vector<QString> english;
    for (const auto& c : cases) {
        english.push_back(c.text());
    }
    std::vector<QString> simplified;
    {
        const test::Speaking speaking("zh-CN");
        ASSERT_TRUE(speaking.installed());
        for (const auto& c : cases) {
            simplified.push_back(c.text());
        }
    }
    const test::Speaking speaking("zh-TW");
    ASSERT_TRUE(speaking.installed());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const QString traditional = cases[i].text();
        EXPECT_EQ(simplified[i], cases[i].simplified);
        EXPECT_FALSE(test::hasCjk(english[i].toStdString())) << english[i].toStdString();
        // Translated wherever Simplified Chinese is.
        EXPECT_EQ(traditional == english[i], simplified[i] == english[i])
            << traditional.toStdString();
    }
    // No two cases read alike.
    EXPECT_EQ(std::set<QString>(english.begin(), english.end()).size(), english.size());
    EXPECT_EQ(cases[2].text(), "太新（2.5 天），暫不處理");
    EXPECT_EQ(cases[10].text(), "重複下載（同名同大小：invoice.pdf）");
}

TEST(ReasonText, ArgumentsAreTakenAsTheyAre) {
    // A name holding "%1" or "%2" neither takes another argument's place nor is filled in.
    EXPECT_EQ(ReasonText::of(Reason{ReasonCode::likeFile, {"Budget %2 %1.pdf", "0.50"}}),
              "Like “Budget %2 %1.pdf” · 0.50");
    EXPECT_EQ(ReasonText::of(Reason{ReasonCode::vetoed, {"Taxes %3", Layer::match, "%4", "x"}}),
              "Vetoed on review (was Taxes %3, ② Similarity): %4: x");
    // Arguments the engine failed to give leave their places empty rather than fail.
    EXPECT_EQ(ReasonText::of(Reason{ReasonCode::likeFile, {"a.pdf"}}), "Like “a.pdf” · ");
}

TEST(ReasonText, EveryFailureHasAKeyOfItsOwn) {
    // Machine-readable output tells the cases apart by these keys alone.
    std::set<std::string_view> keys;
    for (int code = 0; code <= static_cast<int>(MoveFailure::Code::system); ++code) {
        keys.insert(failureKey(static_cast<MoveFailure::Code>(code)));
    }
    EXPECT_EQ(keys.size(), static_cast<std::size_t>(MoveFailure::Code::system) + 1);
}

} // namespace
} // namespace vesk
