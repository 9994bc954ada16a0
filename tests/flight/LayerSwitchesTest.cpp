#include "flight/LayerSwitches.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using tv::SwitchFace;

// Short names of the faces for the tables below.
const char* nameOf(SwitchFace face)
{
    switch (face) {
    case SwitchFace::AirspacesOff:
        return "LR";
    case SwitchFace::Airspaces:
        return "LR2";
    case SwitchFace::AirspacesWithAltitudes:
        return "LR3";
    case SwitchFace::CircuitsOff:
        return "PR";
    case SwitchFace::Circuits:
        return "PR+";
    case SwitchFace::AirportsOff:
        return "APT";
    case SwitchFace::AirportsStep1:
        return "APT2";
    case SwitchFace::AirportsStep2:
        return "APT3";
    case SwitchFace::RouteLineOff:
        return "Route";
    case SwitchFace::RouteLine:
        return "Route+";
    case SwitchFace::PointNamesOff:
        return "Names";
    case SwitchFace::PointNames:
        return "Names+";
    }
    return "?";
}

// The faces shown, as "name" for each face that shows, in the order the switches stand.
std::string shownFaces(const tv::LayerFlags& flags, bool airspaceFile = true,
                       bool airportFile = true)
{
    std::string shown;
    for (const auto& [face, visible] : tv::layerSwitchFaces(flags, airspaceFile, airportFile))
        if (visible)
            shown += std::string(nameOf(face)) + ' ';
    return shown;
}

// Each row presses the face the pilot sees on top, starting from all switches off.
TEST(LayerSwitches, EachClickMovesToTheNextStateAndTheFacesShowIt)
{
    struct Case
    {
        std::optional<SwitchFace> press;
        const char* faces;
    } const rounds[] = {
        {std::nullopt, "LR LR2 LR3 PR APT APT2 APT3 "},
        {SwitchFace::AirspacesOff, "LR2 LR3 PR APT APT2 APT3 "},
        {SwitchFace::Airspaces, "LR3 PR APT APT2 APT3 "},
        {SwitchFace::AirspacesWithAltitudes, "LR LR2 LR3 PR APT APT2 APT3 "},
        {SwitchFace::AirportsOff, "LR LR2 LR3 PR APT2 APT3 "},
        {SwitchFace::AirportsStep1, "LR LR2 LR3 PR APT3 "},
        {SwitchFace::CircuitsOff, "LR LR2 LR3 PR PR+ APT3 "},
        {SwitchFace::RouteLineOff, "LR LR2 LR3 PR PR+ APT3 Route+ "},
        {SwitchFace::PointNamesOff, "LR LR2 LR3 PR PR+ APT3 Route+ Names+ "},
        {SwitchFace::AirportsStep2, "LR LR2 LR3 PR PR+ APT APT2 APT3 Route+ Names+ "},
        {SwitchFace::Circuits, "LR LR2 LR3 PR APT APT2 APT3 Route+ Names+ "},
        {SwitchFace::RouteLine, "LR LR2 LR3 PR APT APT2 APT3 Names+ "},
    };
    tv::LayerFlags flags;
    for (const Case& c : rounds) {
        if (c.press)
            flags = tv::pressLayerSwitch(flags, *c.press);
        EXPECT_EQ(shownFaces(flags), c.faces) << "after " << (c.press ? nameOf(*c.press) : "-");
    }
}

TEST(LayerSwitches, WithoutTheirFileTheSwitchesStayAwayWhateverTheFlags)
{
    tv::LayerFlags all;
    all.ShowPR = all.ShowRoute = all.ShowWayInfo = true;
    EXPECT_EQ(shownFaces(all, false, true), "APT APT2 APT3 Route+ Names+ ");
    EXPECT_EQ(shownFaces(all, true, false), "LR LR2 LR3 PR PR+ Route+ Names+ ");
}

} // namespace
