#include "core/program/Processes.h"
#include "core/program/UpdateCheck.h"

#include <gtest/gtest.h>

#include <string>

#include <unistd.h>

namespace {

// No test may reach the real update server or end a real copy of the program: the update host
// is a closed local port unless a test starts its own server, and the shutdown looks for
// processes under a name only this test run uses.
class WindowsEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        tv::setUpdateHostForTesting(QStringLiteral("127.0.0.1"), 9);
        tv::setProgramExecutableForTesting("tvtest-copy-" + std::to_string(::getpid()));
    }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new WindowsEnvironment);

} // namespace
