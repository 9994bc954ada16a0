#include "map/LineBatch.h"

#include "map/Drawing.h"
#include "map/DrawingRaster.h"
#include "map/RowBandWorkers.h"

#include <QImage>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <deque>
#include <optional>

namespace tv {
namespace {

using raster::ImageTarget;
using Rows = ImageTarget::Rows;
using Item = LineBatch::Item;

// Rasterising a wide pen's round ends costs three times the line itself. A wide line is drawn
// here with flat ends and a disc of the pen's width stamped on each end point, which gives the
// round-ended line's pixels.
struct LineStyle
{
    uint32_t bgr;
    int width;
    QRgb rgb;
    QPen pen;
    QImage disc; // null for pens of 1 or 2 pixels
    raster::Mask discMask;
    uint32_t index; // in the order the batch met them
};

// One pen and one disc per colour and width: a layer uses a handful.
class LineStyles
{
public:
    const LineStyle& operator[](uint32_t index) const { return styles_[index]; }

    const LineStyle& styleFor(uint32_t bgr, int width)
    {
        if (last_ && last_->bgr == bgr && last_->width == width)
            return *last_;
        for (const LineStyle& st : styles_)
            if (st.bgr == bgr && st.width == width)
                return *(last_ = &st);
        QPen pen(vbColor(bgr));
        pen.setWidth(width);
        // Thin pens have no visible round end.
        pen.setCapStyle(width <= 2 ? Qt::RoundCap : Qt::FlatCap);
        QImage disc;
        raster::Mask mask;
        const auto index = static_cast<uint32_t>(styles_.size());
        if (width > 2) {
            disc = QImage(width, width, QImage::Format_ARGB32_Premultiplied);
            disc.fill(Qt::transparent);
            QPainter p(&disc);
            p.setPen(Qt::NoPen);
            p.setBrush(vbColor(bgr));
            p.drawEllipse(QRectF(0, 0, width, width));
            p.end();
            mask = raster::maskOf(disc, disc.rect(), QPoint(0, 0));
        }
        styles_.push_back(
            {bgr, width, vbColor(bgr).rgb(), pen, std::move(disc), std::move(mask), index});
        return *(last_ = &styles_.back());
    }

private:
    std::deque<LineStyle> styles_; // stays put as it grows
    const LineStyle* last_ = nullptr;
};

int rowOf(double y)
{
    return static_cast<int>(std::floor(y));
}

// Where a disc `width` pixels wide about `end` has its corner: the painter puts an image's
// corner on the nearest pixel (where the image lies across the edge, it clips it its own way).
QPoint discAt(QPointF end, int width)
{
    return QPoint(qRound(end.x() - width / 2.0), qRound(end.y() - width / 2.0));
}

// One batch drawn. Items are drawn one after another as they come. Once a good many in a row
// go straight into the image, the following ones are kept until one needs the painter (or the
// batch ends): a long run is then shared out by rows among a few threads, each drawing the
// run's items in order in its rows, before the item that needs the painter. Every pixel ends as
// drawing one item after another leaves it.
class LinePass
{
public:
    LinePass(const std::vector<LineSpec>& lines, const std::vector<QPointF>& ends,
             const std::vector<char>& marks, std::vector<Item>& run, QPainter& painter,
             ImageTarget* direct)
        : lines_(lines), ends_(ends), marks_(marks), run_(run), painter_(painter), direct_(direct)
    {
    }

    void drawAll()
    {
        // Direct items in a row after which the following ones are kept for a run.
        constexpr std::size_t kKeepAfter = 1024;
        run_.clear();
        bool keeping = false;
        std::size_t directInARow = 0;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (!marks_[i])
                continue;
            const QPointF a = ends_[2 * i];
            const QPointF b = ends_[2 * i + 1];
            const int width = lines_[i].widthPx < 1 ? 1 : lines_[i].widthPx;
            if (direct_ && offImage(a, b, width))
                continue;
            const LineStyle& style = styles_.styleFor(lines_[i].bgr, width);
            Item item = classify(i, a, b, width, style, keeping);
            if (keeping) {
                if (item.stroke == kDirect && item.disc[0] != kPainter &&
                    item.disc[1] != kPainter) {
                    item.rowFirst = rowOf(std::min(a.y(), b.y()) - width) - 1;
                    item.rowLast = rowOf(std::max(a.y(), b.y()) + width) + 1;
                    run_.push_back(item);
                    continue;
                }
                drawRun();
                keeping = false;
                directInARow = 0;
            }
            directInARow = drawInTurn(item, style, a, b) ? 0 : directInARow + 1;
            keeping = directInARow >= kKeepAfter;
        }
        drawRun();
    }

private:
    static constexpr auto kNone = LineBatch::kNone;
    static constexpr auto kDirect = LineBatch::kDirect;
    static constexpr auto kPainter = LineBatch::kPainter;

    // On the own image a line that keeps more than half its width off every pixel centre
    // leaves no mark, nor do its ends' discs.
    bool offImage(QPointF a, QPointF b, int width) const
    {
        const double off = width / 2.0 + 1.0;
        return std::max(a.x(), b.x()) + off < 0.0 || std::max(a.y(), b.y()) + off < 0.0 ||
               std::min(a.x(), b.x()) - off > direct_->width() ||
               std::min(a.y(), b.y()) - off > direct_->height();
    }

    // An end shared with the next line, whose disc is at least as wide, is covered by that
    // disc anyway: outlines are chains, so this saves half the stamps.
    bool coveredByNext(std::size_t i, QPointF end, int width) const
    {
        if (i + 1 >= lines_.size() || lines_[i + 1].widthPx < width || !marks_[i + 1])
            return false;
        return ends_[2 * i + 2] == end || ends_[2 * i + 3] == end;
    }

    // What line `i` puts down, in order: the line, then a disc at either end, each part
    // straight into the image's rows or through the painter.
    Item classify(std::size_t i, QPointF a, QPointF b, int width, const LineStyle& style,
                  bool keeping) const
    {
        Item item{static_cast<uint32_t>(i), style.index, kPainter, {kNone, kNone}, 0, 0};
        // Drawn at once, the line is tried on the image first; kept, it must be known now
        // whether the image takes it.
        if (direct_ && (!keeping || direct_->copiesFlatLine(a, b, width)))
            item.stroke = kDirect;
        if (style.disc.isNull())
            return item;
        for (int k = 0; k < 2; ++k) {
            const QPointF end = k == 0 ? a : b;
            if (coveredByNext(i, end, width))
                continue;
            // A disc wholly on the image is stamped, one wholly beside it leaves no mark, one
            // across its edge is left to the painter.
            const QPoint at = discAt(end, width);
            if (!direct_)
                item.disc[k] = kPainter;
            else if (at.x() >= 0 && at.y() >= 0 && at.x() + width <= direct_->width() &&
                     at.y() + width <= direct_->height())
                item.disc[k] = kDirect;
            else if (at.x() + width > 0 && at.y() + width > 0 && at.x() < direct_->width() &&
                     at.y() < direct_->height())
                item.disc[k] = kPainter;
        }
        return item;
    }

    // The item's parts that fall in `rows`, all of them direct.
    void drawDirect(const Item& item, Rows rows) const
    {
        if (item.rowLast < rows.first || item.rowFirst > rows.last)
            return;
        const LineStyle& style = styles_[item.style];
        const QPointF a = ends_[2 * item.line];
        const QPointF b = ends_[2 * item.line + 1];
        if (item.stroke == kDirect)
            direct_->flatLine(a, b, style.width, style.rgb, rows);
        for (int k = 0; k < 2; ++k)
            if (item.disc[k] == kDirect)
                direct_->stampInside(style.discMask, discAt(k == 0 ? a : b, style.width), style.rgb,
                                     rows);
    }

    // Draws the item's parts in turn; a line kept for the image that the image does not take
    // after all goes through the painter. True when the painter drew a part.
    bool drawInTurn(const Item& item, const LineStyle& style, QPointF a, QPointF b)
    {
        bool painted = false;
        if (!(item.stroke == kDirect && direct_->flatLine(a, b, style.width, style.rgb))) {
            if (penSet_ != &style) {
                painter_.setPen(style.pen);
                penSet_ = &style;
            }
            painter_.drawLine(a, b);
            painted = true;
        }
        const QPointF half(style.width / 2.0, style.width / 2.0);
        for (int k = 0; k < 2; ++k) {
            if (item.disc[k] == kDirect) {
                direct_->stampInside(style.discMask, discAt(k == 0 ? a : b, style.width),
                                     style.rgb);
            } else if (item.disc[k] == kPainter) {
                painter_.drawImage((k == 0 ? a : b) - half, style.disc);
                painted = true;
            }
        }
        return painted;
    }

    // The kept run, by threads when it is long enough to be worth them.
    void drawRun()
    {
        if (run_.empty())
            return;
        const auto drawRows = [this](Rows rows) {
            for (const Item& item : run_)
                drawDirect(item, rows);
        };
        if (run_.size() >= raster::RowBandWorkers::kWorthItems) {
            if (!workers_)
                workers_.emplace(direct_->height());
            workers_->run(drawRows);
        } else {
            drawRows({0, direct_->height() - 1});
        }
        run_.clear();
    }

    const std::vector<LineSpec>& lines_;
    const std::vector<QPointF>& ends_; // in pixels, two per line
    const std::vector<char>& marks_;   // whether the line may leave a mark at all
    std::vector<Item>& run_;
    QPainter& painter_;
    ImageTarget* direct_;
    LineStyles styles_;
    const LineStyle* penSet_ = nullptr;
    std::optional<raster::RowBandWorkers> workers_; // started for the first run worth it
};

} // namespace

bool drawableLine(QPointF a, QPointF b)
{
    constexpr double kFar = 1.0e6;
    return std::isfinite(a.x()) && std::isfinite(a.y()) && std::isfinite(b.x()) &&
           std::isfinite(b.y()) && std::fabs(a.x()) <= kFar && std::fabs(a.y()) <= kFar &&
           std::fabs(b.x()) <= kFar && std::fabs(b.y()) <= kFar;
}

void LineBatch::draw(const std::vector<LineSpec>& lines, const UserScale& scale, QPainter& painter,
                     raster::ImageTarget* direct)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    // Every end in pixels, once (the scale does not change while drawing). A line of no length
    // leaves no mark, whatever the pen.
    ends_.clear();
    marks_.clear();
    ends_.reserve(2 * lines.size());
    marks_.reserve(lines.size());
    for (const LineSpec& line : lines) {
        const QPointF a((line.from.x() - scale.left) * scale.perUnitX,
                        (line.from.y() - scale.top) * scale.perUnitY);
        const QPointF b((line.to.x() - scale.left) * scale.perUnitX,
                        (line.to.y() - scale.top) * scale.perUnitY);
        ends_.push_back(a);
        ends_.push_back(b);
        marks_.push_back(drawableLine(a, b) && a != b);
    }
    LinePass(lines, ends_, marks_, run_, painter, direct).drawAll();
}

} // namespace tv
