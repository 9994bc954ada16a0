#include "flight/MapLayers.h"

#include "core/HandlerGuard.h"

#include <algorithm>

namespace tv {

void MapLayers::add(MapLayer layer)
{
    layers_.push_back(std::move(layer));
}

void MapLayers::addBelow(const std::string& name, MapLayer layer)
{
    const auto at = std::find_if(layers_.begin(), layers_.end(),
                                 [&name](const MapLayer& l) { return l.name == name; });
    layers_.insert(at, std::move(layer));
}

void MapLayers::draw() const
{
    for (const MapLayer& layer : layers_) {
        if (!layer.draw)
            continue;
        bool shown = true;
        if (layer.shown && !guarded([&] { shown = layer.shown(); }))
            continue;
        if (shown)
            guarded([&] { layer.draw(); });
    }
}

std::vector<std::string> MapLayers::names() const
{
    std::vector<std::string> names;
    for (const MapLayer& layer : layers_)
        names.push_back(layer.name);
    return names;
}

} // namespace tv
