#include "flight/Instruments.h"
#include "map/DrawSurface.h"

#include "support/GuiApp.h"

#include <gtest/gtest.h>

#include <cmath>

using tv::DrawSurface;

namespace {

// The instrument face as the flight window has it: about 201 pixels square, 200 units.
class InstrumentFace : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tvtest::ensureGuiApplication();
        card_ = tv::makeCompassCard();
        tv::clearInstrumentFace(face_, card_);
    }

    int64_t at(double x, double y) const { return face_.Point(x, y); }
    // Whether any pixel within `radius` units of (x, y) has the colour.
    bool colourNear(double x, double y, uint32_t bgr, double radius = 1.5) const
    {
        for (double dx = -radius; dx <= radius; dx += 0.5)
            for (double dy = -radius; dy <= radius; dy += 0.5)
                if (face_.Point(x + dx, y + dy) == bgr)
                    return true;
        return false;
    }

    DrawSurface face_{201, 201, 0xFFFFFF};
    QImage card_;
};

} // namespace

TEST_F(InstrumentFace, CompassCardStandsNorthUpWithoutTrack)
{
    EXPECT_EQ(card_.width(), 200);
    EXPECT_EQ(at(100, 8), tv::kCompassNorthColor);
    EXPECT_EQ(at(100, 50), tv::kCompassCardColor);
    EXPECT_EQ(at(2, 2), tv::kInstrumentFaceColor); // outside the card
}

TEST_F(InstrumentFace, CompassCardTurnsSoTheTrackStandsAtTheTop)
{
    // Track 090: the card turns 90 degrees anticlockwise, north goes to the left.
    EXPECT_NE(tv::drawCompassCard(face_, -90.0f, card_), 0);
    EXPECT_EQ(at(8, 100), tv::kCompassNorthColor);
    EXPECT_NE(at(100, 8), tv::kCompassNorthColor);

    // Track 180: north at the bottom.
    tv::clearInstrumentFace(face_, card_);
    tv::drawCompassCard(face_, -180.0f, card_);
    EXPECT_TRUE(colourNear(100, 192, tv::kCompassNorthColor));
    EXPECT_NE(at(100, 8), tv::kCompassNorthColor);
}

TEST_F(InstrumentFace, CourseModeShowsTheAircraftAndTheRimMarks)
{
    tv::drawAircraftSymbol(face_);
    EXPECT_EQ(at(70, 92.5), tv::kInstrumentWhite); // left wing's leading edge
    EXPECT_EQ(at(100, 36), tv::kInstrumentWhite);  // nose
    EXPECT_EQ(at(189, 100), tv::kInstrumentYellow);
    EXPECT_EQ(at(11, 100), tv::kInstrumentYellow);
    EXPECT_NE(at(100, 12), tv::kInstrumentYellow); // no mark straight up
}

TEST_F(InstrumentFace, VorNeedlePointsAtTheRelativeBearing)
{
    // Track 030, station at 120: the station lies 90 degrees right, head at the right.
    tv::drawVorPointer(face_, 30.0, 120.0, tv::kInstrumentCyan, false);
    EXPECT_EQ(at(150, 100), tv::kInstrumentCyan);
    EXPECT_EQ(at(50, 100), tv::kInstrumentCyan);
    EXPECT_TRUE(colourNear(185.3, 95.0, tv::kInstrumentCyan)); // barb at the head
    EXPECT_FALSE(colourNear(14.7, 95.0, tv::kInstrumentCyan)); // none at the tail
    EXPECT_NE(at(100, 50), tv::kInstrumentCyan);
    EXPECT_TRUE(colourNear(105, 100, tv::kInstrumentCyan, 0.5)); // centre ring
}

TEST_F(InstrumentFace, VorNeedleStraightUpWhenFlyingTowardsTheStation)
{
    tv::drawVorPointer(face_, 250.0, 250.0, tv::kInstrumentCyan, false);
    EXPECT_EQ(at(100, 50), tv::kInstrumentCyan);
    EXPECT_EQ(at(100, 150), tv::kInstrumentCyan);
    EXPECT_TRUE(colourNear(95.0, 14.7, tv::kInstrumentCyan));
    EXPECT_FALSE(colourNear(95.0, 185.3, tv::kInstrumentCyan));
}

TEST_F(InstrumentFace, WithoutTrackTheNeedleIsRedAndPointsRight)
{
    tv::drawVorPointer(face_, std::nullopt, 300.0, tv::kInstrumentCyan, false);
    EXPECT_EQ(at(150, 100), tv::kInstrumentRed);
    EXPECT_TRUE(colourNear(185.3, 95.0, tv::kInstrumentRed));
    EXPECT_FALSE(colourNear(150, 100, tv::kInstrumentCyan));
}

TEST_F(InstrumentFace, HsiBarLiesLeftWhenTheCourseIsRightOfTheBearing)
{
    // Course 090 with the card at north up; station at 080: TO, bar 50 units left (above).
    tv::drawCourseArrow(face_, 90.0, 0.0f, 80.0);
    EXPECT_EQ(at(120, 50), tv::kInstrumentYellow);
    EXPECT_EQ(at(80, 50), tv::kInstrumentYellow);
    EXPECT_NE(at(120, 150), tv::kInstrumentYellow);
    EXPECT_EQ(at(170, 100), tv::kInstrumentYellow);  // arrow head half
    EXPECT_EQ(at(150, 100), tv::kInstrumentWhite);   // TO flag on the head side
    EXPECT_EQ(at(50, 100), tv::kInstrumentYellow);   // tail without flag
    EXPECT_EQ(at(100, 100), tv::kInstrumentMagenta); // centre aircraft
}

TEST_F(InstrumentFace, HsiBarLiesRightAndFlagShowsFromOnTheReciprocal)
{
    tv::drawCourseArrow(face_, 90.0, 0.0f, 260.0);
    EXPECT_EQ(at(120, 150), tv::kInstrumentYellow);
    EXPECT_NE(at(120, 50), tv::kInstrumentYellow);
    EXPECT_EQ(at(50, 100), tv::kInstrumentWhite);
    EXPECT_EQ(at(150, 100), tv::kInstrumentYellow);
}

TEST_F(InstrumentFace, HsiBarHiddenFromTwelveDegreesOff)
{
    tv::drawCourseArrow(face_, 90.0, 0.0f, 77.0);
    EXPECT_NE(at(120, 35), tv::kInstrumentYellow);
    EXPECT_NE(at(120, 165), tv::kInstrumentYellow);
    EXPECT_NE(at(80, 35), tv::kInstrumentYellow);
}

TEST_F(InstrumentFace, HsiArrowTurnsWithTheCard)
{
    // Course 090 flown on track 090: the arrow stands straight up, deviation dots across it.
    tv::drawCourseArrow(face_, 90.0, -90.0f, 90.0);
    EXPECT_EQ(at(100, 30), tv::kInstrumentYellow);
    EXPECT_TRUE(colourNear(150, 100, tv::kInstrumentYellow, 3.5)); // dot 10 degrees right
    EXPECT_TRUE(colourNear(50, 100, tv::kInstrumentYellow, 3.5));
    EXPECT_EQ(at(100, 70), tv::kInstrumentYellow); // bar on the arrow: on course
}

TEST_F(InstrumentFace, HsiAcrossNorthShowsTheSmallDeviation)
{
    // Course 005, station at 355: 10 degrees, TO, bar on the left.
    tv::drawCourseArrow(face_, 5.0, 0.0f, 355.0);
    const double d = 5.0 * 3.14159265 / 180.0;
    const double ox = 100.0 - 50.0 * std::cos(d);
    const double oy = 100.0 - 50.0 * std::sin(d);
    EXPECT_TRUE(
        colourNear(ox + 20.0 * std::sin(d), oy - 20.0 * std::cos(d), tv::kInstrumentYellow, 1.0));
    EXPECT_TRUE(colourNear(100.0 + 50.0 * std::sin(d), 100.0 - 50.0 * std::cos(d),
                           tv::kInstrumentWhite, 1.0));
}
