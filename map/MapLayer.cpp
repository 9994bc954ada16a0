#include "map/MapLayer.h"

#include "platform/Log.h"

#include <exception>

namespace tv {

void MapLayerStack::add(MapLayer& layer)
{
    layers_.push_back(&layer);
}

void MapLayerStack::draw(DrawSurface& surface, MapView& view) const
{
    // The log names the layer: "map layer airspaces".
    const auto where = [](const MapLayer* layer) { return "map layer " + layer->name(); };
    for (MapLayer* layer : layers_) {
        try {
            layer->draw(surface, view);
        } catch (const std::exception& e) {
            logHandlerFault(where(layer).c_str(), e.what());
        } catch (...) {
            // Not derived from std::exception: still logged, never silently dropped.
            logHandlerFault(where(layer).c_str(), "an exception of an unknown type");
        }
    }
}

std::vector<std::string> MapLayerStack::names() const
{
    std::vector<std::string> names;
    names.reserve(layers_.size());
    for (const MapLayer* layer : layers_)
        names.push_back(layer->name());
    return names;
}

} // namespace tv
