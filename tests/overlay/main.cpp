// The overlay prints names and frequencies: text needs fonts and so a QGuiApplication, here on
// the offscreen platform (no display).
#include <gtest/gtest.h>

#include <QByteArray>
#include <QGuiApplication>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
