#include "map/DrawSurface.h"

#include "support/BgrColours.h"
#include "support/GuiApp.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>

using tv::DrawSurface;

namespace {

using namespace tvtest::bgr;

// A square picture whose top half is red and bottom half blue, with a green pixel column at
// the left edge of the top half: enough to tell every turn and mirror apart.
QImage markedPicture(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.setPixelColor(x, y, tv::vbColor(y < size / 2 ? kRed : kBlue));
    for (int y = 0; y < size / 2; ++y)
        image.setPixelColor(0, y, tv::vbColor(kGreen));
    return image;
}

} // namespace

TEST(PlatformColours, BlueGreenRedValuesBecomeTheirColours)
{
    EXPECT_EQ(tv::vbColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(tv::vbColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(tv::vbColor(0xFFC0C0), QColor(0xC0, 0xC0, 0xFF));
    EXPECT_EQ(tv::vbColor(0x001215), QColor(0x15, 0x12, 0x00));
    EXPECT_EQ(tv::vbColorValue(QColor(0x15, 0x12, 0x00)), 0x001215u);
}

TEST(SurfaceLines, RedLineCoversItsPixelsAndNoOthers)
{
    DrawSurface pic(100, 50, kWhite);
    pic.Line(10, 20, 90, 20, kRed);
    EXPECT_EQ(pic.Point(10, 20), kRed);
    EXPECT_EQ(pic.Point(50, 20), kRed);
    EXPECT_EQ(pic.Point(89, 20), kRed);
    EXPECT_EQ(pic.Point(50, 22), kWhite);
    EXPECT_EQ(pic.Point(5, 20), kWhite);
    EXPECT_EQ(pic.Point(95, 20), kWhite);
}

TEST(SurfaceLines, DrawWidthIsInPixels)
{
    DrawSurface pic(100, 50, kWhite);
    pic.setDrawWidth(5);
    pic.Line(10, 20, 90, 20, kRed);
    EXPECT_EQ(pic.Point(50, 18), kRed);
    EXPECT_EQ(pic.Point(50, 22), kRed);
    EXPECT_EQ(pic.Point(50, 25), kWhite);
    EXPECT_EQ(pic.Point(50, 15), kWhite);
}

TEST(SurfaceLines, LineOnFromTheCurrentPositionUsesTheForeColour)
{
    DrawSurface pic(100, 100, kWhite);
    pic.setForeColor(kBlue);
    pic.Line(10, 10, 50, 10);
    EXPECT_DOUBLE_EQ(pic.CurrentX(), 50);
    EXPECT_DOUBLE_EQ(pic.CurrentY(), 10);
    pic.LineTo(50, 80);
    EXPECT_EQ(pic.Point(50, 60), kBlue);
    EXPECT_EQ(pic.Point(30, 10), kBlue);
    EXPECT_DOUBLE_EQ(pic.CurrentY(), 80);
}

TEST(SurfaceLines, UserScaleMapsUnitsOntoPixels)
{
    DrawSurface pic(200, 200, kWhite);
    pic.Scale(0, 0, 100, 100);
    pic.Line(0, 50, 100, 50, kRed);
    EXPECT_EQ(pic.image().pixelColor(100, 100), tv::vbColor(kRed));
    EXPECT_EQ(pic.image().pixelColor(100, 90), tv::vbColor(kWhite));
    EXPECT_DOUBLE_EQ(pic.ScaleWidth(), 100);
    pic.Scale();
    EXPECT_DOUBLE_EQ(pic.ScaleWidth(), 200);
}

TEST(SurfaceLines, PointsFarOffThePictureDrawNothingAndDoNotFail)
{
    DrawSurface pic(50, 50, kWhite);
    pic.Line(1e300, 0, 10, 10, kRed);
    pic.Line(std::nan(""), 0, 10, 10, kRed);
    pic.Circle(10, 10, 1e300, kRed);
    EXPECT_EQ(pic.Point(10, 10), kWhite);
    EXPECT_EQ(pic.Point(-1, 10), -1);
    EXPECT_EQ(pic.Point(50, 10), -1);
}

TEST(SurfaceLines, EmptySurfaceIgnoresDrawing)
{
    DrawSurface pic(0, 0, kWhite);
    pic.Line(0, 0, 10, 10, kRed);
    pic.Circle(5, 5, 3, kRed);
    pic.PaintPicture(markedPicture(4), 0, 0, 10, 10, 0, 0, 4, 4);
    pic.RotatePicture(0, 0, 30, markedPicture(4));
    pic.Cls();
    EXPECT_TRUE(pic.image().isNull());
    pic.resize(20, 10);
    EXPECT_EQ(pic.Point(5, 5), kWhite);
}

TEST(SurfaceLines, ManyLinesAtOnceLookLikeOneLineEach)
{
    // Wide and thin lines at several angles, overlapping where they meet, drawn once line by
    // line and once in one go: the round ends, the overlaps and the order come out alike.
    const std::vector<DrawSurface::LineSpec> lines{
        {{10, 10}, {90, 14}, kRed, 7},    {{90, 14}, {60, 80}, kBlack, 7},
        {{60, 80}, {10, 10}, kBlue, 6},   {{20, 60}, {21, 61}, kGreen, 9},
        {{30, 30}, {70, 30}, kYellow, 1}, {{50, 50}, {50, 50}, kRed, 8},
    };
    DrawSurface single(100, 100, kWhite);
    for (const auto& l : lines) {
        single.setDrawWidth(l.widthPx);
        single.Line(l.from.x(), l.from.y(), l.to.x(), l.to.y(), l.bgr);
    }
    DrawSurface batch(100, 100, kWhite);
    batch.setDrawWidth(3);
    batch.Lines(lines);
    EXPECT_EQ(batch.DrawWidth(), 3);
    EXPECT_EQ(batch.CurrentX(), 50);
    int differing = 0;
    int drawn = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            drawn += single.Point(x, y) != kWhite ? 1 : 0;
            differing += single.Point(x, y) != batch.Point(x, y) ? 1 : 0;
        }
    EXPECT_GT(drawn, 1000);
    EXPECT_LT(differing, drawn / 20); // a few pixels along the rim of the round ends
    // The round end reaches half the width beyond the end point; the corner does not.
    EXPECT_EQ(batch.Point(10 - 3, 10), kBlue);
    EXPECT_EQ(single.Point(50, 50), kWhite);
    EXPECT_EQ(batch.Point(90 + 3, 14), kBlack);
    EXPECT_EQ(batch.Point(90 + 3, 14 - 3), kWhite);
    EXPECT_EQ(batch.Point(50, 50), kWhite); // a line of no length leaves no mark
}

TEST(SurfaceCircles, RingLiesAtTheRadius)
{
    DrawSurface pic(100, 100, kWhite);
    pic.Circle(50, 50, 20, kRed);
    EXPECT_EQ(pic.Point(70, 50), kRed);
    EXPECT_EQ(pic.Point(30, 50), kRed);
    EXPECT_EQ(pic.Point(50, 30), kRed);
    EXPECT_EQ(pic.Point(50, 70), kRed);
    EXPECT_EQ(pic.Point(50, 50), kWhite);
    EXPECT_EQ(pic.Point(60, 50), kWhite);
    EXPECT_EQ(pic.Point(75, 50), kWhite);
    EXPECT_DOUBLE_EQ(pic.CurrentX(), 50);
}

TEST(SurfaceCircles, SolidFillStyleFillsWithTheFillColour)
{
    DrawSurface pic(100, 100, kWhite);
    pic.setFillStyle(DrawSurface::FillStyle::Solid);
    pic.setFillColor(kYellow);
    pic.Circle(50, 50, 20, kBlack);
    EXPECT_EQ(pic.Point(50, 50), kYellow);
    EXPECT_EQ(pic.Point(70, 50), kBlack);
}

TEST(SurfaceCircles, ArcRunsCounterClockwiseFromThreeOClock)
{
    DrawSurface pic(100, 100, kWhite);
    pic.setDrawWidth(3);
    pic.Arc(50, 50, 30, kRed, 0.0, 3.14159265 / 2);
    EXPECT_EQ(pic.Point(80, 50), kRed); // three o'clock
    EXPECT_EQ(pic.Point(50, 20), kRed); // twelve o'clock (y down on the screen)
    EXPECT_EQ(pic.Point(50, 80), kWhite);
    EXPECT_EQ(pic.Point(20, 50), kWhite);
}

TEST(SurfaceClear, ClsPaintsTheBackColourAndResetsThePosition)
{
    DrawSurface pic(20, 20, kWhite);
    pic.Line(0, 0, 19, 19, kRed);
    pic.setBackColor(0xFFC0C0);
    pic.Cls();
    EXPECT_EQ(pic.Point(10, 10), 0xFFC0C0);
    EXPECT_DOUBLE_EQ(pic.CurrentX(), 0);
    EXPECT_DOUBLE_EQ(pic.CurrentY(), 0);
}

TEST(SurfaceBoxes, FilledBoxTakesTheLineColour)
{
    DrawSurface pic(50, 50, kWhite);
    pic.Box(10, 10, 30, 20, kGreen, true);
    EXPECT_EQ(pic.Point(20, 15), kGreen);
    pic.Box(10, 30, 30, 40, kRed, false);
    EXPECT_EQ(pic.Point(20, 35), kWhite);
    EXPECT_EQ(pic.Point(10, 35), kRed);
}

TEST(SurfaceStretch, PartOfAPictureIsStretchedPixelByPixel)
{
    DrawSurface pic(100, 100, kWhite);
    const QImage source = markedPicture(4); // rows 0-1 red (green column 0), rows 2-3 blue
    // Columns 1..2 and rows 1..2 of the picture into the whole surface: each source pixel
    // becomes a 50 x 50 block.
    pic.PaintPicture(source, 0, 0, 100, 100, 1, 1, 2, 2);
    EXPECT_EQ(pic.Point(25, 25), kRed);
    EXPECT_EQ(pic.Point(75, 25), kRed);
    EXPECT_EQ(pic.Point(25, 75), kBlue);
    EXPECT_EQ(pic.Point(99, 99), kBlue);
    EXPECT_EQ(pic.Point(0, 49), kRed);
    EXPECT_EQ(pic.Point(0, 50), kBlue);
}

TEST(SurfaceStretch, SourceOutsideThePictureComesOutInTheBackColour)
{
    DrawSurface pic(100, 100, 0xFFC0C0);
    pic.Line(0, 0, 99, 99, kBlack);
    pic.PaintPicture(markedPicture(4), 0, 0, 100, 100, 2, 0, 4, 4);
    EXPECT_EQ(pic.Point(10, 10), kRed);
    EXPECT_EQ(pic.Point(10, 90), kBlue);
    EXPECT_EQ(pic.Point(75, 75), 0xFFC0C0);
    EXPECT_EQ(pic.Point(60, 10), 0xFFC0C0);
}

TEST(SurfaceStretch, EmptySourceOrPictureDrawsNothing)
{
    DrawSurface pic(10, 10, kWhite);
    pic.PaintPicture(markedPicture(4), 0, 0, 10, 10, 0, 0, 0, 4);
    pic.PaintPicture(QImage(), 0, 0, 10, 10, 0, 0, 4, 4);
    pic.PaintPicture(markedPicture(4), 0, 0, 10, 10, std::nan(""), 0, 4, 4);
    EXPECT_EQ(pic.Point(5, 5), kWhite);
}

TEST(SurfaceRotation, CardWithoutTurnIsCopiedAsItIs)
{
    DrawSurface pic(40, 40, kWhite);
    EXPECT_NE(pic.RotatePicture(10, 10, 0.0f, markedPicture(20)), 0);
    EXPECT_EQ(pic.Point(15, 12), kRed);
    EXPECT_EQ(pic.Point(15, 25), kBlue);
    EXPECT_EQ(pic.Point(10, 12), kGreen);
    EXPECT_EQ(pic.Point(5, 5), kWhite);
    EXPECT_EQ(pic.Point(31, 20), kWhite);
}

TEST(SurfaceRotation, PositiveAngleTurnsClockwise)
{
    DrawSurface pic(20, 20, kWhite);
    pic.RotatePicture(0, 0, 90.0f, markedPicture(20));
    // The red top half is now on the right, the green left edge of it along the top.
    EXPECT_EQ(pic.Point(15, 10), kRed);
    EXPECT_EQ(pic.Point(4, 10), kBlue);
    EXPECT_EQ(pic.Point(15, 0), kGreen);
}

TEST(SurfaceRotation, HalfTurnPutsTheTopAtTheBottom)
{
    DrawSurface pic(20, 20, kWhite);
    pic.RotatePicture(0, 0, 180.0f, markedPicture(20));
    EXPECT_EQ(pic.Point(10, 15), kRed);
    EXPECT_EQ(pic.Point(10, 4), kBlue);
    EXPECT_EQ(pic.Point(19, 15), kGreen);
}

TEST(SurfaceRotation, MissingPictureDrawsNothingAndReportsIt)
{
    DrawSurface pic(20, 20, kWhite);
    EXPECT_EQ(pic.RotatePicture(0, 0, 45.0f, QImage()), 0);
    EXPECT_EQ(pic.Point(10, 10), kWhite);
}

TEST(SurfaceRotation, ParallelogramBlitMirrorsWhenTheCornersSaySo)
{
    DrawSurface pic(20, 20, kWhite);
    const QImage card = markedPicture(20);
    // Upper-left of the source to the bottom-left, lower-left to the top-left: flipped upside
    // down.
    EXPECT_TRUE(pic.PlgBlt({QPoint(0, 20), QPoint(20, 20), QPoint(0, 0)}, card, card.rect()));
    EXPECT_EQ(pic.Point(10, 15), kRed);
    EXPECT_EQ(pic.Point(10, 4), kBlue);
    EXPECT_FALSE(pic.PlgBlt({QPoint(0, 0), QPoint(0, 0), QPoint(0, 0)}, card, card.rect()));
}

TEST(SurfaceText, TextGoesToTheCurrentPositionInTheForeColour)
{
    tvtest::ensureGuiApplication();
    DrawSurface pic(200, 60, kWhite);
    pic.setForeColor(kRed);
    pic.setCurrentX(10);
    pic.setCurrentY(5);
    pic.Print(QStringLiteral("WWWW"));
    int red = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x)
            if (pic.Point(x, y) == kRed) {
                ++red;
                EXPECT_GE(x, 10);
                EXPECT_GE(y, 5);
            }
    EXPECT_GT(red, 10);
    // A finished line moves to the left edge of the next line.
    EXPECT_DOUBLE_EQ(pic.CurrentX(), 0);
    EXPECT_GT(pic.CurrentY(), 5 + 8);
}

TEST(SurfaceText, TextWithoutLineEndAdvancesToItsRight)
{
    tvtest::ensureGuiApplication();
    DrawSurface pic(200, 60, kWhite);
    pic.setCurrentX(10);
    pic.setCurrentY(5);
    const double width = pic.TextWidth(QStringLiteral(" EDDF "));
    EXPECT_GT(width, 10);
    pic.Print(QStringLiteral(" EDDF "), false);
    EXPECT_NEAR(pic.CurrentX(), 10 + width, 1e-9);
    EXPECT_DOUBLE_EQ(pic.CurrentY(), 5);
}

TEST(SurfaceText, TextSizesFollowTheUserScale)
{
    tvtest::ensureGuiApplication();
    DrawSurface pic(200, 200, kWhite);
    const double pixels = pic.TextHeight(QStringLiteral("A"));
    pic.Scale(0, 0, 100, 100);
    EXPECT_NEAR(pic.TextHeight(QStringLiteral("A")), pixels / 2, 1e-9);
}
