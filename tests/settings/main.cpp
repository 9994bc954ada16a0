#include "app/Modes.h"

#include <QApplication>

#include <gtest/gtest.h>

// Widget tests need an application object; they draw offscreen, without a display.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The settings window opens the managers by name; the shell registers them.
    tv::registerModeDialogs();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
