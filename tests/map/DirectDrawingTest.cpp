// A surface writes many lines and labels straight into its image: the pixels must be exactly
// those the painter puts down for the same calls (a drawing over a caller's painter takes the
// painter's way), wherever the lines and labels lie and however they are shaped.
#include "map/DrawSurface.h"
#include "map/Drawing.h"

#include "support/BgrColours.h"
#include "support/GuiApp.h"
#include "support/SurfaceImage.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

using tv::Drawing;
using tv::DrawSurface;

namespace {

constexpr int kW = 400;
constexpr int kH = 300;
using tvtest::bgr::kWhite;
constexpr uint32_t kLabel = 0x000080;
const uint32_t kColours[] = {0x0000FF, 0x000000, 0xFFFF00, 0x0080FF, 0xD9358F};

QImage throughPainter(const std::function<void(Drawing&)>& draw)
{
    QImage image = tvtest::blankSurfaceImage(kW, kH, Qt::white);
    QPainter painter(&image);
    Drawing d(painter);
    draw(d);
    painter.end();
    return image;
}

QImage onSurface(const std::function<void(Drawing&)>& draw)
{
    DrawSurface surface(kW, kH, kWhite);
    draw(surface);
    return surface.image();
}

struct Comparison
{
    int drawn = 0;     // pixels the painter coloured
    int differing = 0; // pixels that differ
};

Comparison compare(const QImage& painter, const QImage& surface)
{
    Comparison c;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            c.drawn += painter.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
            c.differing += painter.pixel(x, y) != surface.pixel(x, y) ? 1 : 0;
        }
    return c;
}

// Lines of one family: `next` gives the next line from the one before.
using Family = std::function<Drawing::LineSpec(std::mt19937&, const Drawing::LineSpec& previous)>;

double uniform(std::mt19937& g, double from, double to)
{
    return std::uniform_real_distribution<double>(from, to)(g);
}

Drawing::LineSpec line(std::mt19937& g, QPointF from, QPointF to)
{
    return {from, to, kColours[g() % 5], 3 + static_cast<int>(g() % 8)};
}

QPointF anywhere(std::mt19937& g)
{
    return {uniform(g, 10, kW - 10), uniform(g, 10, kH - 10)};
}

} // namespace

TEST(ManyLinesOnAnImage, WrittenDirectlyAsThePainterDrawsThem)
{
    struct Case
    {
        const char* what;
        Family next;
        int count = 400;
    };
    const Case cases[] = {
        {"long lines at any angle",
         [](std::mt19937& g, const auto&) { return line(g, anywhere(g), anywhere(g)); }},
        {"chords of a few pixels chained end to end (ends shared, discs saved)",
         [](std::mt19937& g, const Drawing::LineSpec& p) {
             const QPointF from = p.to.x() > 20 && p.to.x() < kW - 20 && p.to.y() > 20 &&
                                          p.to.y() < kH - 20 && g() % 20
                                      ? p.to
                                      : anywhere(g);
             return line(g, from, from + QPointF(uniform(g, -4, 4), uniform(g, -4, 4)));
         }},
        {"lines shorter than a pixel",
         [](std::mt19937& g, const auto&) {
             const QPointF a = anywhere(g);
             return line(g, a, a + QPointF(uniform(g, -0.05, 0.05), uniform(g, -0.05, 0.05)));
         }},
        {"level, upright and nearly so (to 1/64 pixel), on quarter pixels too",
         [](std::mt19937& g, const auto&) {
             QPointF a = anywhere(g);
             QPointF b = anywhere(g);
             if (g() % 2)
                 a = {std::round(a.x() * 4) / 4, std::round(a.y() * 4) / 4};
             const double tiny = uniform(g, -0.02, 0.02);
             switch (g() % 4) {
             case 0:
                 return line(g, a, {b.x(), a.y()});
             case 1:
                 return line(g, a, {a.x(), b.y()});
             case 2:
                 return line(g, a, {b.x(), a.y() + tiny});
             default:
                 return line(g, a, {a.x() + tiny, b.y()});
             }
         }},
        {"across and along the edges, partly or wholly outside",
         [](std::mt19937& g, const auto&) {
             return line(g, {uniform(g, -30, kW + 30), uniform(g, -30, kH + 30)},
                         {uniform(g, -30, kW + 30), uniform(g, -30, kH + 30)});
         }},
        {"thin pens among wide ones",
         [](std::mt19937& g, const auto&) {
             Drawing::LineSpec l = line(g, anywhere(g), anywhere(g));
             l.widthPx = 1 + static_cast<int>(g() % 3);
             return l;
         }},
        {"a whole map's outlines in one call, now and then one across an edge",
         [](std::mt19937& g, const Drawing::LineSpec& p) {
             if (g() % 4000 == 0)
                 return line(g, {uniform(g, -30, kW + 30), -5}, anywhere(g));
             const QPointF from = p.to.x() > 20 && p.to.x() < kW - 20 && p.to.y() > 20 &&
                                          p.to.y() < kH - 20 && g() % 30
                                      ? p.to
                                      : anywhere(g);
             return line(g, from, from + QPointF(uniform(g, -3, 3), uniform(g, -3, 3)));
         },
         12000},
    };
    tvtest::ensureGuiApplication();
    for (const Case& c : cases) {
        std::mt19937 g(7);
        std::vector<Drawing::LineSpec> lines;
        Drawing::LineSpec previous{anywhere(g), anywhere(g), 0, 5};
        for (int i = 0; i < c.count; ++i)
            lines.push_back(previous = c.next(g, previous));
        const auto draw = [&lines](Drawing& d) { d.Lines(lines); };
        const Comparison result = compare(throughPainter(draw), onSurface(draw));
        EXPECT_GT(result.drawn, 0) << c.what;
        EXPECT_EQ(result.differing, 0) << c.what;
    }
}

TEST(ManyLinesOnAnImage, BatchAfterBatchAsThePainterDrawsThem)
{
    // A surface keeps its lists from one batch to the next: a small batch after a large one,
    // and a large one after that, must leave nothing of the one before.
    tvtest::ensureGuiApplication();
    std::mt19937 g(3);
    auto batch = [&g](int count) {
        std::vector<Drawing::LineSpec> lines;
        QPointF at = anywhere(g);
        for (int i = 0; i < count; ++i) {
            const QPointF from = i % 500 == 499 ? QPointF(uniform(g, -20, kW + 20), -3) : at;
            const QPointF to =
                i % 500 == 499 ? anywhere(g) : at + QPointF(uniform(g, -3, 3), uniform(g, -3, 3));
            lines.push_back(line(g, from, to));
            at = to.x() > 20 && to.x() < kW - 20 && to.y() > 20 && to.y() < kH - 20 ? to
                                                                                    : anywhere(g);
        }
        return lines;
    };
    const std::vector<Drawing::LineSpec> batches[] = {batch(9000), batch(7), batch(5000), batch(1)};
    const auto draw = [&batches](Drawing& d) {
        for (const auto& lines : batches)
            d.Lines(lines);
    };
    const Comparison result = compare(throughPainter(draw), onSurface(draw));
    EXPECT_GT(result.drawn, 0);
    EXPECT_EQ(result.differing, 0);
}

TEST(ManyLabelsOnAnImage, PrintedFromPixelsAsThePainterPrintsThem)
{
    tvtest::ensureGuiApplication();
    // Airspace limits repeat hundreds of times (printed from their pixels); waypoint names
    // come once each (printed by the painter). Positions anywhere, partly off every edge.
    const QString repeated[] = {
        QStringLiteral(" D GND - 2500 "), QStringLiteral(" CTR 1000 - FL 65 "),
        QStringLiteral(" TMZ GND - 4500 "), QStringLiteral(" Q 0 - FL 100 ")};
    std::mt19937 g(11);
    auto labels = [&](int count) {
        std::vector<std::pair<QPointF, QString>> out;
        for (int i = 0; i < count; ++i) {
            const QPointF at(uniform(g, -120, kW + 10), uniform(g, -20, kH + 10));
            out.emplace_back(at, i % 10 == 0 ? QStringLiteral("WP%1").arg(i) : repeated[g() % 4]);
        }
        return out;
    };
    DrawSurface surface(kW, kH, kWhite);
    surface.setForeColor(kLabel);
    QImage printedOneByOne(kW, kH, QImage::Format_RGB32);
    for (int redraw = 0; redraw < 3; ++redraw) { // the kept pixels serve the later redraws
        const auto batch = labels(600);
        surface.Cls();
        surface.PrintLabels(batch);
        const QImage painted = throughPainter([&batch](Drawing& d) {
            d.setForeColor(kLabel);
            d.PrintLabels(batch);
        });
        const Comparison result = compare(painted, surface.image());
        EXPECT_GT(result.drawn, 1000) << "redraw " << redraw;
        EXPECT_EQ(result.differing, 0) << "redraw " << redraw;
        if (redraw == 0) {
            printedOneByOne = throughPainter([&batch](Drawing& d) {
                d.setForeColor(kLabel);
                for (const auto& [at, text] : batch) {
                    d.setCurrentX(at.x());
                    d.setCurrentY(at.y());
                    d.Print(text);
                }
            });
            EXPECT_EQ(compare(printedOneByOne, surface.image()).differing, 0);
        }
    }
}
