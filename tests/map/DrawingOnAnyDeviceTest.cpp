// The drawing vocabulary on a painter the caller owns (as a printed report uses it) draws the
// same pixels as a surface that owns its image, and leaves the caller's painter as it was.
#include "map/DrawSurface.h"
#include "map/Drawing.h"

#include "support/BgrColours.h"
#include "support/GuiApp.h"
#include "support/SurfaceImage.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <functional>

using tv::Drawing;
using tv::DrawSurface;

namespace {

using namespace tvtest::bgr;

QImage chartPicture()
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(tv::vbColor(kGreen));
    for (int x = 0; x < 40; ++x)
        image.setPixelColor(x, 5, tv::vbColor(kBlue));
    return image;
}

// A bit of everything a map and an instrument draw.
void drawScene(Drawing& d)
{
    d.Scale(0, 0, 100, 100);
    d.PaintPicture(chartPicture(), 0, 0, 50, 50, 0, 0, 40, 40);
    d.setDrawWidth(3);
    d.Line(10, 90, 90, 60, kRed);
    d.setFillStyle(Drawing::FillStyle::Solid);
    d.setFillColor(kBlue);
    d.Circle(75, 25, 10, kNavy);
    d.Box(55, 70, 65, 80, kNavy, true);
    d.RotatePicture(10, 120, 90.0f, chartPicture());
    d.setCurrentX(5);
    d.setCurrentY(55);
    d.Print(QStringLiteral("EDDS"));
}

QImage paintedByCaller(int w, int h, const std::function<void(QPainter&)>& afterwards = {})
{
    QImage image = tvtest::blankSurfaceImage(w, h, Qt::white);
    QPainter painter(&image);
    Drawing d(painter);
    drawScene(d);
    if (afterwards)
        afterwards(painter);
    painter.end();
    return image;
}

} // namespace

TEST(DrawingOnAnyDevice, CallersPainterGetsTheSamePixelsAsASurface)
{
    tvtest::ensureGuiApplication();
    DrawSurface surface(200, 200);
    drawScene(surface);
    const QImage byCaller = paintedByCaller(200, 200);
    ASSERT_EQ(byCaller.size(), surface.image().size());
    int differing = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if (byCaller.pixel(x, y) != surface.image().pixel(x, y))
                ++differing;
    EXPECT_EQ(differing, 0);
    // And the scene is really there: the red line and the navy box.
    EXPECT_EQ(surface.Point(50, 75), kRed);
    EXPECT_EQ(surface.Point(60, 75), kNavy);
}

TEST(DrawingOnAnyDevice, CallersPainterKeepsItsOwnPenAndTransform)
{
    tvtest::ensureGuiApplication();
    QPen penBefore;
    QTransform transformBefore;
    QPen penAfter;
    QTransform transformAfter;
    paintedByCaller(100, 100, [&](QPainter& painter) {
        penAfter = painter.pen();
        transformAfter = painter.transform();
    });
    EXPECT_EQ(penAfter, penBefore);
    EXPECT_EQ(transformAfter, transformBefore);
}

TEST(DrawingOnAnyDevice, APdfPageTakesTheDrawingAtItsOwnSize)
{
    tvtest::ensureGuiApplication();
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(150);
        QPainter painter(&writer);
        Drawing d(painter);
        EXPECT_GT(d.widthPx(), 1000);
        EXPECT_GT(d.heightPx(), d.widthPx());
        drawScene(d);
        // The user scale spans the page: its bottom-right corner is the page's.
        EXPECT_NEAR(d.toPixels({100, 100}).x(), d.widthPx(), 1e-9);
    }
    EXPECT_TRUE(pdf.data().startsWith("%PDF"));
    EXPECT_GT(pdf.data().size(), 1000);
}
