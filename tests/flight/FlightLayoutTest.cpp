#include "flight/FlightLayout.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(FlightWindowLayout, BelowTheSmallestMapNothingMoves)
{
    EXPECT_FALSE(tv::flightLayout(940, 800));
    EXPECT_FALSE(tv::flightLayout(1280, 515));
    EXPECT_TRUE(tv::flightLayout(941, 516));
}

TEST(FlightWindowLayout, TheStripFollowsTheMapAndTheSwitchesShareTheRoomBesideTheSlider)
{
    struct Case
    {
        int width, height;
        QRect map;
        QPoint gps, centre, scroll, status, record;
    } const cases[] = {
        // The switches move by half of what the map is wider than 698 pixels, halves away
        // from zero: 302 -> 151, 303 -> 152, -37 -> -19.
        {1280, 760, {275, 0, 1000, 707}, {1192, 712}, {941, 712}, {870, 712}, {757, 679}, {957, 5}},
        {1281, 760, {275, 0, 1001, 707}, {1193, 712}, {942, 712}, {871, 712}, {758, 679}, {958, 5}},
        {941, 516, {275, 0, 661, 463}, {853, 468}, {771, 468}, {700, 468}, {418, 435}, {618, 5}},
    };
    for (const Case& c : cases) {
        const auto places = tv::flightLayout(c.width, c.height);
        ASSERT_TRUE(places) << c.width;
        const std::map<QString, QRect> at(places->begin(), places->end());
        EXPECT_EQ(at.at("picMap"), c.map);
        EXPECT_EQ(at.at("cmdGPS").topLeft(), c.gps);
        EXPECT_EQ(at.at("picGPSCheck2").topLeft(), c.gps);
        EXPECT_EQ(at.at("SlideMap").topLeft(), QPoint(450, c.map.height() + 8));
        EXPECT_EQ(at.at("picKartezentrieren").topLeft(), c.centre);
        EXPECT_EQ(at.at("PicMapScroll").topLeft(), c.scroll);
        EXPECT_EQ(at.at("lblStatus").topLeft(), c.status);
        EXPECT_EQ(at.at("cmdRecordAuto").topLeft(), c.record);
        for (const auto& [name, place] : at) {
            EXPECT_TRUE(QRect(0, 0, c.width, c.height).contains(place)) << name.toStdString();
            if (name != QLatin1String("picMap")) {
                EXPECT_EQ(place.size(), tv::flightControl(name).place.size());
            }
        }
    }
}

TEST(FlightWindowLayout, TheSliderIsMeasuredInTwipsAlongItsDesignedLength)
{
    EXPECT_EQ(tv::flightSliderTwips({120.5, 2}, 241), QPointF(1807.5, 30));
    EXPECT_EQ(tv::flightSliderTwips({241, 0}, 482), QPointF(1807.5, 0));
    EXPECT_EQ(tv::flightSliderTwips({241, 0}, 0), QPointF(3615, 0)); // not drawn yet
}

// Every picture is a plate of its colour, transparent at the corners, with its caption inside.
TEST(FlightWindowLayout, PicturesArePlatesOfTheirColourWithTheirCaption)
{
    for (const tv::FlightControl& c : tv::flightControls()) {
        if (!c.fill.isValid())
            continue;
        const QImage plate = tv::flightPicture(c);
        bool captioned = false;
        for (int y = 4; y < plate.height() - 4; ++y)
            for (int x = 4; x < plate.width() - 4; ++x)
                captioned = captioned || plate.pixelColor(x, y) != c.fill;
        EXPECT_TRUE(plate.size() == c.place.size() && plate.pixelColor(0, 0).alpha() == 0 &&
                    plate.pixelColor(4, c.place.height() / 2) == c.fill &&
                    captioned == !c.caption.isEmpty())
            << c.name.toStdString();
    }
}

} // namespace
