// The layer stack every map draws with: its order on the picture, and that one failing layer
// leaves the others on the map.
#include "map/DrawSurface.h"
#include "map/MapLayer.h"
#include "map/MapView.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kBlue = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;

// A layer that strokes one thick horizontal bar across the picture at `y`, then throws when
// told to.
class Bar final : public tv::MapLayer
{
public:
    Bar(std::string name, double y, uint32_t colour, bool fails = false)
        : name_(std::move(name)), y_(y), colour_(colour), fails_(fails)
    {
    }
    std::string name() const override { return name_; }
    void draw(tv::DrawSurface& surface, tv::MapView&) override
    {
        surface.setDrawWidth(9);
        surface.Line(0, y_, 99, y_, colour_);
        surface.setDrawWidth(1);
        if (fails_)
            throw std::runtime_error("damaged data file");
    }

private:
    std::string name_;
    double y_;
    uint32_t colour_;
    bool fails_;
};

// A layer that throws before it draws anything, with something that is no std::exception.
class Broken final : public tv::MapLayer
{
public:
    std::string name() const override { return "broken"; }
    void draw(tv::DrawSurface&, tv::MapView&) override { throw 42; }
};

} // namespace

TEST(MapLayerStack, LayersAreDrawnBottomFirstAndNamedInThatOrder)
{
    // Two bars that overlap on the rows 46..54: the upper layer's colour wins there.
    Bar airspaces("airspaces", 44, kRed);
    Bar movingMap("moving map", 50, kBlue);
    tv::MapLayerStack stack;
    stack.add(airspaces);
    stack.add(movingMap);
    tv::DrawSurface picture(100, 100);
    tv::MapView view;
    stack.draw(picture, view);
    EXPECT_EQ(picture.Point(50, 41), kRed);
    EXPECT_EQ(picture.Point(50, 47), kBlue);
    EXPECT_EQ(picture.Point(50, 53), kBlue);
    EXPECT_EQ(stack.names(), (std::vector<std::string>{"airspaces", "moving map"}));
    EXPECT_TRUE(tv::MapLayerStack().names().empty());
}

TEST(MapLayerStack, AFailingLayerLeavesTheLayersAboveItDrawn)
{
    struct Case
    {
        const char* what;
        bool middleFails;
        uint32_t middleBar; // what stays of the failing layer's bar
    };
    const Case cases[] = {
        {"nothing fails", false, kBlue},
        {"the middle layer fails after drawing its bar", true, kBlue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bar bottom("bottom", 20, kRed);
        Broken broken;
        Bar middle("middle", 50, kBlue, c.middleFails);
        Bar top("top", 80, kGreen);
        tv::MapLayerStack stack;
        stack.add(bottom);
        stack.add(broken); // throws on every redraw, before it draws anything
        stack.add(middle);
        stack.add(top);
        tv::DrawSurface picture(100, 100);
        tv::MapView view;
        stack.draw(picture, view);
        stack.draw(picture, view); // the next redraw starts afresh
        EXPECT_EQ(picture.Point(50, 20), kRed);
        EXPECT_EQ(picture.Point(50, 50), c.middleBar);
        EXPECT_EQ(picture.Point(50, 80), kGreen);
        EXPECT_EQ(picture.Point(50, 65), kWhite);
    }
}
