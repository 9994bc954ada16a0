#include "flight/LayerSwitches.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The faces shown, as "name" for each face that shows, in the order the switches stand.
std::string shownFaces(const tv::LayerFlags& flags, bool airspaceFile = true,
                       bool airportFile = true)
{
    std::string shown;
    for (const auto& [face, visible] : tv::layerSwitchFaces(flags, airspaceFile, airportFile))
        if (visible)
            shown += face.toStdString() + ' ';
    return shown;
}

// Each row presses the face the pilot sees on top, starting from all switches off.
TEST(LayerSwitches, EachClickMovesToTheNextStateAndTheFacesShowIt)
{
    struct Case
    {
        const char* press;
        const char* faces;
    } const rounds[] = {
        {"", "cmdLR1 cmdLR2 picLR3 cmdPR cmdAPT1 cmdAPT2 picAPT3 "},
        {"cmdLR1", "cmdLR2 picLR3 cmdPR cmdAPT1 cmdAPT2 picAPT3 "},
        {"cmdLR2", "picLR3 cmdPR cmdAPT1 cmdAPT2 picAPT3 "},
        {"picLR3", "cmdLR1 cmdLR2 picLR3 cmdPR cmdAPT1 cmdAPT2 picAPT3 "},
        {"cmdAPT1", "cmdLR1 cmdLR2 picLR3 cmdPR cmdAPT2 picAPT3 "},
        {"cmdAPT2", "cmdLR1 cmdLR2 picLR3 cmdPR picAPT3 "},
        {"cmdPR", "cmdLR1 cmdLR2 picLR3 cmdPR picPR picAPT3 "},
        {"cmdshowRoute", "cmdLR1 cmdLR2 picLR3 cmdPR picPR picAPT3 picShowRoute "},
        {"cmdWayInfo", "cmdLR1 cmdLR2 picLR3 cmdPR picPR picAPT3 picShowRoute picWayInfo "},
        {"picAPT3", "cmdLR1 cmdLR2 picLR3 cmdPR picPR cmdAPT1 cmdAPT2 picAPT3 picShowRoute "
                    "picWayInfo "},
        {"picPR", "cmdLR1 cmdLR2 picLR3 cmdPR cmdAPT1 cmdAPT2 picAPT3 picShowRoute picWayInfo "},
        {"picShowRoute", "cmdLR1 cmdLR2 picLR3 cmdPR cmdAPT1 cmdAPT2 picAPT3 picWayInfo "},
        {"lblLat", "cmdLR1 cmdLR2 picLR3 cmdPR cmdAPT1 cmdAPT2 picAPT3 picWayInfo "},
    };
    tv::LayerFlags flags;
    for (const Case& c : rounds) {
        flags = tv::pressLayerSwitch(flags, QString::fromLatin1(c.press));
        EXPECT_EQ(shownFaces(flags), c.faces) << "after " << c.press;
    }
}

TEST(LayerSwitches, WithoutTheirFileTheSwitchesStayAwayWhateverTheFlags)
{
    tv::LayerFlags all;
    all.ShowPR = all.ShowRoute = all.ShowWayInfo = true;
    EXPECT_EQ(shownFaces(all, false, true), "cmdAPT1 cmdAPT2 picAPT3 picShowRoute picWayInfo ");
    EXPECT_EQ(shownFaces(all, true, false), "cmdLR1 cmdLR2 picLR3 cmdPR picPR picShowRoute "
                                            "picWayInfo ");
}

} // namespace
