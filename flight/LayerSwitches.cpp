#include "flight/LayerSwitches.h"

namespace tv {

LayerFlags pressLayerSwitch(LayerFlags flags, const QString& face)
{
    struct Press
    {
        const char* face;
        bool LayerFlags::*flag;
        bool value;
    };
    static const Press presses[] = {
        {"cmdLR1", &LayerFlags::ShowLuftraum, true},
        {"cmdLR1", &LayerFlags::ShowLuftraumHoehe, false},
        {"cmdLR2", &LayerFlags::ShowLuftraumHoehe, true},
        {"picLR3", &LayerFlags::ShowLuftraum, false},
        {"picLR3", &LayerFlags::ShowLuftraumHoehe, false},
        {"cmdAPT1", &LayerFlags::ShowAPT1, true},
        {"cmdAPT1", &LayerFlags::ShowAPT2, false},
        {"cmdAPT2", &LayerFlags::ShowAPT2, true},
        {"picAPT3", &LayerFlags::ShowAPT1, false},
        {"picAPT3", &LayerFlags::ShowAPT2, false},
        {"cmdPR", &LayerFlags::ShowPR, true},
        {"picPR", &LayerFlags::ShowPR, false},
        {"cmdshowRoute", &LayerFlags::ShowRoute, true},
        {"picShowRoute", &LayerFlags::ShowRoute, false},
        {"cmdWayInfo", &LayerFlags::ShowWayInfo, true},
        {"picWayInfo", &LayerFlags::ShowWayInfo, false},
    };
    for (const Press& press : presses) {
        if (face == QLatin1String(press.face))
            flags.*press.flag = press.value;
    }
    return flags;
}

std::vector<std::pair<QString, bool>> layerSwitchFaces(const LayerFlags& flags, bool airspaceFile,
                                                       bool airportFile)
{
    const auto face = [](const char* name, bool shown) {
        return std::pair<QString, bool>(QString::fromLatin1(name), shown);
    };
    return {
        face("cmdLR1", airspaceFile && !flags.ShowLuftraum),
        face("cmdLR2", airspaceFile && !flags.ShowLuftraumHoehe),
        face("picLR3", airspaceFile),
        face("cmdPR", airspaceFile),
        face("picPR", airspaceFile && flags.ShowPR),
        face("cmdAPT1", airportFile && !flags.ShowAPT1),
        face("cmdAPT2", airportFile && !flags.ShowAPT2),
        face("picAPT3", airportFile),
        face("picShowRoute", flags.ShowRoute),
        face("picWayInfo", flags.ShowWayInfo),
    };
}

} // namespace tv
