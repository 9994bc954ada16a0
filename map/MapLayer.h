#pragma once

// A map is its chart picture with an ordered stack of layers drawn over it. A layer draws onto
// the surface through the view from inputs it was given before the redraw (plain values its
// owner prepared) and keeps what it decided as plain values its owner reads after the redraw.
// A layer never calls back into its owner while it draws.
//
// The stack draws its layers bottom first. A layer that throws is logged and left out of that
// redraw (what it drew before the fault stays on the picture); the layers above it are still
// drawn.

#include <string>
#include <vector>

namespace tv {

class DrawSurface;
class MapView;

class MapLayer
{
public:
    virtual ~MapLayer() = default;
    // The layer's name in the log and in names().
    virtual std::string name() const = 0;
    // Draws the layer from its inputs. May throw: the stack logs the fault.
    virtual void draw(DrawSurface& surface, MapView& view) = 0;
};

class MapLayerStack
{
public:
    // Puts `layer` on top of the layers added before. The stack does not own it: the layer
    // must outlive the stack (both are usually members of the same owner).
    void add(MapLayer& layer);
    // Draws every layer, bottom first.
    void draw(DrawSurface& surface, MapView& view) const;
    // The layers' names, bottom first.
    std::vector<std::string> names() const;

private:
    std::vector<MapLayer*> layers_;
};

} // namespace tv
