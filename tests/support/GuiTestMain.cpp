// The one main() of the test programs that need a Qt application (windows, text, pictures):
// everything runs on the offscreen platform, without a display. A test program that needs
// more before its tests (hooks of the program under test) registers a gtest Environment.
#include <QApplication>
#include <QByteArray>
#include <QImageReader>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    QApplication app(argc, argv);
    // As the program does at start: scanned charts exceed Qt's default image size limit.
    QImageReader::setAllocationLimit(0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
