#include "core/Processes.h"
#include "core/UpdateCheck.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // No test may reach the real update server or end a real copy of the program: the update
    // host is a closed local port unless a test starts its own server, and the shutdown looks
    // for processes under a name only this test run uses.
    tv::setUpdateHostForTesting(QStringLiteral("127.0.0.1"), 9);
    tv::setProgramExecutableForTesting("tvtest-copy-" + std::to_string(::getpid()));
    return RUN_ALL_TESTS();
}
