#include "flight/FlightLayout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

std::map<QString, QRect> placesAt(int width, int height)
{
    const auto places = tv::flightLayout(width, height);
    if (!places)
        return {};
    return {places->begin(), places->end()};
}

TEST(FlightWindowLayout, EveryControlHasOnePlaceOfItsOwn)
{
    std::set<QString> names;
    for (const tv::FlightControl& c : tv::flightControls()) {
        EXPECT_TRUE(names.insert(c.name).second) << c.name.toStdString() << " twice";
        EXPECT_FALSE(c.place.isEmpty()) << c.name.toStdString();
        EXPECT_EQ(tv::flightControl(c.name).place, c.place);
    }
    EXPECT_THROW(tv::flightControl(QStringLiteral("cmdNowhere")), std::out_of_range);
}

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
        const auto at = placesAt(c.width, c.height);
        ASSERT_FALSE(at.empty()) << c.width;
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

TEST(FlightWindowLayout, PicturesArePlatesOfTheirColourWithTheirCaption)
{
    int pictures = 0;
    for (const tv::FlightControl& c : tv::flightControls()) {
        if (!c.fill.isValid())
            continue;
        ++pictures;
        const QImage plate = tv::flightPicture(c);
        EXPECT_EQ(plate.size(), c.place.size()) << c.name.toStdString();
        EXPECT_EQ(plate.pixelColor(0, 0).alpha(), 0) << c.name.toStdString() << ": a corner";
        EXPECT_EQ(plate.pixelColor(4, c.place.height() / 2), c.fill) << c.name.toStdString();
        // Inside the plate's edge everything is fill colour but the caption.
        bool captioned = false;
        for (int y = 4; y < plate.height() - 4; ++y)
            for (int x = 4; x < plate.width() - 4; ++x)
                captioned = captioned || plate.pixelColor(x, y) != c.fill;
        EXPECT_EQ(captioned, !c.caption.isEmpty()) << c.name.toStdString();
    }
    EXPECT_EQ(pictures, 15);
    EXPECT_EQ(tv::flightControl(QStringLiteral("picGPSCheck1")).fill, QColor(40, 200, 40));
}

TEST(FlightWindowToolTips, GermanHasItsOwnTipsForTheAirspaceSwitches)
{
    std::map<QString, QString> german;
    for (const auto& [name, tip] : tv::flightToolTips(true))
        german[name] = tip;
    std::map<QString, QString> english;
    for (const auto& [name, tip] : tv::flightToolTips(false))
        english[name] = tip;
    EXPECT_EQ(german.at("picLR3"), " Luftraum an/mit Höhe/aus ");
    EXPECT_EQ(english.count("picLR3"), 0u);
    EXPECT_EQ(english.at("cmdKartezentrieren"), " Center Map on/off ");
    for (const auto& [name, tip] : german)
        EXPECT_NO_THROW(tv::flightControl(name)) << name.toStdString();
}

} // namespace
