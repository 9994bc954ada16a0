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
    for (MapLayer* layer : layers_) {
        const std::string where = "map layer " + layer->name();
        try {
            layer->draw(surface, view);
        } catch (const std::exception& e) {
            logHandlerFault(where.c_str(), e.what());
        } catch (...) {
            logHandlerFault(where.c_str(), "an exception of an unknown type");
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
