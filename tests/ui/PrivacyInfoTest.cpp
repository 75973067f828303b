#include "ui/PrivacyInfo.h"

#include <QFrame>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <tuple>

namespace vesk {
namespace {

QStringList texts(const QFrame& note, const char* name) {
    QStringList found;
    for (const auto* label : note.findChildren<QLabel*>(name)) {
        found << label->text();
    }
    return found;
}

// A click as the window system delivers it: while a popup is open, to the popup.
void click(QWidget& window, QPoint at) {
    QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, at);
    QCoreApplication::sendPostedEvents();
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, at);
}

TEST(PrivacyInfo, EachTopicHasItsHeadingAndThreeLines) {
    const QString offline = "Nothing leaves your computer. Vesk never connects to the internet.";
    for (const auto& [topic, lines, name] :
         std::vector<std::tuple<PrivacyNote::Topic, QStringList, QString>>{
             {PrivacyNote::Topic::localModel,
              {"Vesk uses a language model running on this computer. It works offline.",
               "The model only sees names: of the files to tidy, and of the Folders to File "
               "Into and some files in them.",
               offline},
              "Privacy of the Local Model"},
             {PrivacyNote::Topic::fileContents,
              {"Files are read on this computer only, and only when their names aren't enough.",
               "Nothing is uploaded or stored.", offline},
              "Privacy of File Contents"},
         }) {
        const PrivacyInfo info(topic, NoteAtStart::closed);
        EXPECT_EQ(texts(*info.note(), "privacyHeading"), QStringList{"Private by Design"});
        EXPECT_EQ(texts(*info.note(), "privacyLine"), lines);
        EXPECT_EQ(info.accessibleName(), name); // two buttons, told apart by their topic
    }
}

TEST(PrivacyInfo, TheButtonOpensAndClosesTheNote) {
    QWidget window;
    auto* info = new PrivacyInfo(PrivacyNote::Topic::localModel, NoteAtStart::closed, &window);
    (new QVBoxLayout(&window))->addWidget(info);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_FALSE(info->isOpen());

    const QPoint onButton = info->mapTo(&window, info->rect().center());
    click(window, onButton);
    EXPECT_TRUE(info->isOpen());
    // Outside the note, over the button: the note closes and stays closed.
    click(window, onButton);
    EXPECT_FALSE(info->isOpen());
    click(window, onButton);
    EXPECT_TRUE(info->isOpen());
    // Anywhere else, it closes too.
    click(window, QPoint(1, 1));
    EXPECT_FALSE(info->isOpen());

    info->setFocus();
    QTest::keyClick(info, Qt::Key_Space);
    EXPECT_TRUE(info->isOpen());
    QTest::keyClick(info->note(), Qt::Key_Escape);
    EXPECT_FALSE(info->isOpen());

    // A note that was asked to start open opens once its button shows, and closes with it.
    auto* shown = new PrivacyInfo(PrivacyNote::Topic::fileContents, NoteAtStart::open, &window);
    window.layout()->addWidget(shown);
    shown->show();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(shown->isOpen());
    shown->hide();
    EXPECT_FALSE(shown->isOpen());
}

} // namespace
} // namespace vesk
