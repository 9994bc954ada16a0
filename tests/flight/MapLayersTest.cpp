// The order in which the moving map's layers are drawn, and that one failing layer leaves the
// others on the map.
#include "flight/MapLayers.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

TEST(MapLayerOrder, LayersAreDrawnBottomFirstAndOnlyWhenShown)
{
    std::vector<std::string> drawn;
    bool airspaces = false;
    tv::MapLayers layers;
    layers.add({"airspaces", [&] { return airspaces; }, [&] { drawn.push_back("airspaces"); }});
    layers.add({"moving map", {}, [&] { drawn.push_back("moving map"); }});
    layers.draw();
    EXPECT_EQ(drawn, (std::vector<std::string>{"moving map"}));
    drawn.clear();
    airspaces = true;
    layers.draw();
    EXPECT_EQ(drawn, (std::vector<std::string>{"airspaces", "moving map"}));
}

TEST(MapLayerOrder, ALayerAddedBelowAnotherIsDrawnBeforeIt)
{
    std::vector<std::string> drawn;
    tv::MapLayers layers;
    layers.add({"moving map", {}, [&] { drawn.push_back("moving map"); }});
    layers.addBelow("moving map", {"airspaces", {}, [&] { drawn.push_back("airspaces"); }});
    layers.addBelow("no such layer", {"labels", {}, [&] { drawn.push_back("labels"); }});
    layers.draw();
    EXPECT_EQ(drawn, (std::vector<std::string>{"airspaces", "moving map", "labels"}));
}

TEST(MapLayerOrder, AFailingLayerLeavesTheLayersAboveItDrawn)
{
    std::vector<std::string> drawn;
    tv::MapLayers layers;
    layers.add({"airspaces", {}, [] { throw std::runtime_error("damaged airspace file"); }});
    layers.add({"switch fails", []() -> bool { throw std::runtime_error("no switch"); },
                [&] { drawn.push_back("switch fails"); }});
    layers.add({"moving map", {}, [&] { drawn.push_back("moving map"); }});
    layers.draw();
    EXPECT_EQ(drawn, (std::vector<std::string>{"moving map"}));
}

} // namespace
