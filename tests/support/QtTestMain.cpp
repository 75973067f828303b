// GoogleTest's main with a Qt application around it, for tests that need an event loop:
// QApplication when built with widgets, else QCoreApplication.
#include <gtest/gtest.h>

#ifdef VESK_TEST_WIDGETS
#include "app/Translations.h"

#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char** argv) {
    // Offscreen always, also when the build lists the tests outside CTest's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    testing::InitGoogleTest(&argc, argv);
    TestApplication app(argc, argv);
#ifdef VESK_TEST_WIDGETS
    // The interface in English, with its plural forms.
    vesk::Translations::install(app, {QStringLiteral("en")});
#endif
    return RUN_ALL_TESTS();
}
