// The calibration windows' tests run offscreen with a real application object.
#include <QApplication>
#include <QImageReader>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // As the program does at start: scanned charts exceed Qt's default image size limit.
    QImageReader::setAllocationLimit(0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
