// A handler that fails ends there, the program goes on, and the log says which handler failed.
#include "core/HandlerGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

void cmdNext_Click(bool& reachedEnd)
{
    tv::guarded([&] {
        throw std::runtime_error("route file refused");
        reachedEnd = true;
    });
}

TEST(HandlerGuard, AFaultIsLoggedWithTheHandlersNameAndGoesNoFurther)
{
    bool reachedEnd = false;
    testing::internal::CaptureStderr();
    cmdNext_Click(reachedEnd);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(reachedEnd);
    EXPECT_NE(log.find("cmdNext_Click"), std::string::npos) << log;
    EXPECT_NE(log.find("route file refused"), std::string::npos) << log;
}

TEST(HandlerGuard, ExceptionsOfAnyTypeAreLoggedToo)
{
    testing::internal::CaptureStderr();
    const bool ok = tv::guarded([] { throw 42; });
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(ok);
    EXPECT_NE(log.find("unknown type"), std::string::npos) << log;
}

TEST(HandlerGuard, AHandlerThatEndsNormallyLeavesNoTrace)
{
    int runs = 0;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(tv::guarded([&] { ++runs; }));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(runs, 1);
}

void refreshCategories()
{
    try {
        throw std::runtime_error("disk I/O error");
    } catch (const std::exception& e) {
        tv::logIgnoredFault(e, "the list keeps its rows");
    }
}

TEST(HandlerGuard, AFaultPassedOverOnPurposeIsLoggedAtDebugLevelWithPlaceAndReason)
{
    testing::internal::CaptureStderr();
    refreshCategories();
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.rfind("Tramvik GPS: debug: ", 0), 0u) << log;
    for (const char* part : {"refreshCategories", "disk I/O error", "the list keeps its rows"})
        EXPECT_NE(log.find(part), std::string::npos) << log;
}

} // namespace
