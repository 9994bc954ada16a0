// The overlay's window tests run offscreen with a real application object (widgets, fonts).
#include <QApplication>
#include <QImageReader>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QImageReader::setAllocationLimit(0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
