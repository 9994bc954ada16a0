#include "flight/FlightKeys.h"

#include <gtest/gtest.h>

namespace {

TEST(FlightKeys, QtKeysGetTheirClassicCodes)
{
    struct Case
    {
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        int code;
    } const cases[] = {
        {Qt::Key_9, Qt::NoModifier, 57},         {Qt::Key_1, Qt::KeypadModifier, 97},
        {Qt::Key_Z, Qt::ShiftModifier, 90},      {Qt::Key_Return, Qt::NoModifier, 13},
        {Qt::Key_Enter, Qt::KeypadModifier, 13}, {Qt::Key_Down, Qt::NoModifier, 40},
        {Qt::Key_Backspace, Qt::NoModifier, 8},  {Qt::Key_F1, Qt::NoModifier, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tv::vbKeyCode(c.qtKey, c.modifiers), c.code) << c.qtKey;
}

TEST(FlightKeys, ArrowsStepAndZoomSpaceStepsChartsTheRestIsForTheWind)
{
    using Action = tv::FlightKey::Action;
    struct Case
    {
        const char* what;
        int code;
        bool stepping;
        int slider;
        Action action;
        int newSlider; // zoom only
    } const cases[] = {
        {"space while stepping charts", 32, true, 0, Action::NextChart, 0},
        {"space otherwise", 32, false, 0, Action::WindEntry, 0},
        {"right arrow", 39, true, 0, Action::NextPoint, 0},
        {"left arrow", 37, false, 0, Action::PreviousPoint, 0},
        {"down arrow", 40, false, 30, Action::Zoom, 20},
        {"down arrow at the end", 40, false, -100, Action::Zoom, -100},
        {"up arrow", 38, false, -30, Action::Zoom, -20},
        {"up arrow at the end", 38, false, 100, Action::Zoom, 100},
        {"a digit", 53, true, 0, Action::WindEntry, 0},
    };
    for (const Case& c : cases) {
        const tv::FlightKey key = tv::flightKey(c.code, c.stepping, c.slider);
        EXPECT_EQ(key.action, c.action) << c.what;
        EXPECT_EQ(key.action == Action::Zoom ? key.sliderValue : 0, c.newSlider) << c.what;
    }
}

} // namespace
