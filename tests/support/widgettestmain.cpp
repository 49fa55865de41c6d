// Shared main of the widget tests: a QApplication on the offscreen platform when no display is set.
#include "render/mapfont.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Test discovery and CI run without a display.
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    return RUN_ALL_TESTS();
}
