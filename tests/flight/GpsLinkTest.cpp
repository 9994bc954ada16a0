// The GPS switch and the no-signal watchdog: which status picture the pilot sees after each
// step, and what each tick of the watchdog asks of the window.
#include "flight/GpsLink.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Tick = tv::GpsLink::Tick;

// A step of the pilot, the port or the receiver; a tick also checks what it decided.
struct Step
{
    std::function<void(tv::GpsLink&)> run;
    const char* pictures; // "on", "fix", "no signal" shown after the step, "" for none
};

std::string shown(const tv::GpsLink& link)
{
    std::string text;
    const auto add = [&text](bool on, const char* name) {
        if (on)
            text += (text.empty() ? "" : " + ") + std::string(name);
    };
    add(link.pictures().on, "on");
    add(link.pictures().fix, "fix");
    add(link.pictures().noSignal, "no signal");
    return text;
}

Step start{[](tv::GpsLink& l) { l.start(); }, "on"};
Step data{[](tv::GpsLink& l) { l.dataArrived(); }, nullptr};
Step fix{[](tv::GpsLink& l) { l.fixObtained(); }, "fix"};
Step lost{[](tv::GpsLink& l) { l.fixLost(); }, "on"};
Step silent{[](tv::GpsLink& l) { l.enterNoSignalMode(); }, nullptr};
Step tick(Tick expected, const char* pictures = nullptr)
{
    return {[expected](tv::GpsLink& l) {
                const Tick got = l.tick();
                EXPECT_EQ(got, expected);
                if (got == Tick::StillSilent || got == Tick::NoDataAtCheck)
                    l.silentAfterTick();
            },
            pictures};
}

TEST(GpsSwitch, StatusPicturesAndTicksFollowThePilotAndThePort)
{
    struct Case
    {
        const char* name;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {"data before the verdict: the check ends quietly",
         {start, data, tick(Tick::Wait, "on"), tick(Tick::Done, "on")}},
        {"a fix during the check shows its picture",
         {start, data, fix, tick(Tick::Wait, "fix"), tick(Tick::Done, "fix")}},
        {"no data at the verdict: the pictures go, the port is tried once",
         {start, tick(Tick::Wait, "on"), tick(Tick::NoDataAtCheck, "")}},
        {"a fix arriving after the verdict shows its picture again",
         {start, tick(Tick::Wait), tick(Tick::NoDataAtCheck, ""), fix}},
        {"the link falls silent: the no-signal picture lies over the fix",
         {start, data, fix, tick(Tick::Wait), tick(Tick::Done), {silent.run, "fix + no signal"}}},
        {"no-signal mode without data: each tick tries again, the picture stays",
         {start, data, fix, tick(Tick::Wait), tick(Tick::Done), silent,
          tick(Tick::StillSilent, "no signal"), tick(Tick::StillSilent, "no signal")}},
        {"no-signal mode with data again: the next tick ends it",
         {start, data, tick(Tick::Wait), tick(Tick::Done), silent, data,
          tick(Tick::Done, "on + no signal"), fix}},
        {"a lost fix shows the switched-on picture", {start, fix, lost}},
        {"switched off: no picture", {start, fix, {[](tv::GpsLink& l) { l.off(); }, ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tv::GpsLink link;
        for (size_t i = 0; i < c.steps.size(); ++i) {
            SCOPED_TRACE("step " + std::to_string(i + 1));
            c.steps[i].run(link);
            if (c.steps[i].pictures) {
                EXPECT_EQ(shown(link), c.steps[i].pictures);
            }
        }
    }
}

TEST(GpsSwitch, SilenceStartsTheNoSignalModeOnlyWhileOnAndNotChecking)
{
    tv::GpsLink link;
    EXPECT_FALSE(link.silenceStartsNoSignalMode()) << "off: nobody listens";
    link.start();
    EXPECT_FALSE(link.silenceStartsNoSignalMode()) << "the verdict decides";
    link.dataArrived();
    link.tick();
    link.tick();
    EXPECT_TRUE(link.silenceStartsNoSignalMode());
    link.enterNoSignalMode();
    EXPECT_FALSE(link.dataReceived());
    EXPECT_TRUE(link.silenceStartsNoSignalMode()) << "still on under the no-signal picture";
}

TEST(GpsSwitch, StatusTextsInBothLanguages)
{
    EXPECT_EQ(tv::checkingPortText(3, true), "COM 3 wird überprüft");
    EXPECT_EQ(tv::checkingPortText(3, false), "Checking COM 3");
    EXPECT_EQ(tv::noSignalText(12, true), "Kein Signal an COM 12");
    EXPECT_EQ(tv::noSignalText(12, false), "No Signal an COM 12");
    EXPECT_EQ(tv::portMissingText(5, true), "COM 5 existiert nicht");
    EXPECT_EQ(tv::portMissingText(5, false), "COM 5 does not exist");
}

} // namespace
