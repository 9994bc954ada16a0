#include "flight/LayerSwitches.h"

namespace tv {

LayerFlags pressLayerSwitch(LayerFlags flags, SwitchFace face)
{
    struct Press
    {
        SwitchFace face;
        bool LayerFlags::*flag;
        bool value;
    };
    static const Press presses[] = {
        {SwitchFace::AirspacesOff, &LayerFlags::ShowLuftraum, true},
        {SwitchFace::AirspacesOff, &LayerFlags::ShowLuftraumHoehe, false},
        {SwitchFace::Airspaces, &LayerFlags::ShowLuftraumHoehe, true},
        {SwitchFace::AirspacesWithAltitudes, &LayerFlags::ShowLuftraum, false},
        {SwitchFace::AirspacesWithAltitudes, &LayerFlags::ShowLuftraumHoehe, false},
        {SwitchFace::AirportsOff, &LayerFlags::ShowAPT1, true},
        {SwitchFace::AirportsOff, &LayerFlags::ShowAPT2, false},
        {SwitchFace::AirportsStep1, &LayerFlags::ShowAPT2, true},
        {SwitchFace::AirportsStep2, &LayerFlags::ShowAPT1, false},
        {SwitchFace::AirportsStep2, &LayerFlags::ShowAPT2, false},
        {SwitchFace::CircuitsOff, &LayerFlags::ShowPR, true},
        {SwitchFace::Circuits, &LayerFlags::ShowPR, false},
        {SwitchFace::RouteLineOff, &LayerFlags::ShowRoute, true},
        {SwitchFace::RouteLine, &LayerFlags::ShowRoute, false},
        {SwitchFace::PointNamesOff, &LayerFlags::ShowWayInfo, true},
        {SwitchFace::PointNames, &LayerFlags::ShowWayInfo, false},
    };
    for (const Press& press : presses) {
        if (face == press.face)
            flags.*press.flag = press.value;
    }
    return flags;
}

std::vector<std::pair<SwitchFace, bool>> layerSwitchFaces(const LayerFlags& flags,
                                                          bool airspaceFile, bool airportFile)
{
    const auto face = [](SwitchFace f, bool shown) {
        return std::pair<SwitchFace, bool>(f, shown);
    };
    return {
        face(SwitchFace::AirspacesOff, airspaceFile && !flags.ShowLuftraum),
        face(SwitchFace::Airspaces, airspaceFile && !flags.ShowLuftraumHoehe),
        face(SwitchFace::AirspacesWithAltitudes, airspaceFile),
        face(SwitchFace::CircuitsOff, airspaceFile),
        face(SwitchFace::Circuits, airspaceFile && flags.ShowPR),
        face(SwitchFace::AirportsOff, airportFile && !flags.ShowAPT1),
        face(SwitchFace::AirportsStep1, airportFile && !flags.ShowAPT2),
        face(SwitchFace::AirportsStep2, airportFile),
        face(SwitchFace::RouteLine, flags.ShowRoute),
        face(SwitchFace::PointNames, flags.ShowWayInfo),
    };
}

} // namespace tv
