#include "app/Modes.h"

#include <gtest/gtest.h>

namespace {

// The settings window opens the managers by name; the shell registers them at start.
class SettingsEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { tv::registerModeDialogs(); }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new SettingsEnvironment);

} // namespace
