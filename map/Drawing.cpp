#include "map/Drawing.h"

#include "core/Rounding.h"
#include "map/DrawingRaster.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QStaticText>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <optional>

namespace tv {
namespace {

int32_t roundToLong(double value)
{
    return ToInt32HalfEven(value).value_or(0);
}

} // namespace

QColor vbColor(uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

uint32_t vbColorValue(const QColor& color)
{
    return static_cast<uint32_t>(color.red()) | (static_cast<uint32_t>(color.green()) << 8) |
           (static_cast<uint32_t>(color.blue()) << 16);
}

// Opens a painter for one drawing call: the caller's painter with its state saved, or a new
// one on the owned device. Empty (no painter) when there is nothing to draw on.
class Drawing::Painting
{
public:
    explicit Painting(const Drawing& drawing)
    {
        if (drawing.painter_) {
            painter_ = drawing.painter_;
            painter_->save();
        } else if (QPaintDevice* device = drawing.device()) {
            painter_ = &own_.emplace(device);
        }
    }
    ~Painting()
    {
        if (painter_ && !own_)
            painter_->restore();
    }
    Painting(const Painting&) = delete;
    Painting& operator=(const Painting&) = delete;

    explicit operator bool() const { return painter_ != nullptr; }
    QPainter& operator*() const { return *painter_; }
    QPainter* operator->() const { return painter_; }

private:
    QPainter* painter_ = nullptr;
    std::optional<QPainter> own_;
};

Drawing::Drawing(QPainter& painter, uint32_t backColor)
    : painter_(&painter), backColor_(backColor & 0xFFFFFF)
{
    scaleWidth_ = widthPx();
    scaleHeight_ = heightPx();
}

Drawing::Drawing(int widthPx, int heightPx, uint32_t backColor)
    : backColor_(backColor & 0xFFFFFF), scaleWidth_(std::max(widthPx, 0)),
      scaleHeight_(std::max(heightPx, 0))
{
}

QPaintDevice* Drawing::target() const
{
    return painter_ ? painter_->device() : device();
}

QImage* Drawing::ownImage() const
{
    if (painter_)
        return nullptr;
    QPaintDevice* d = device();
    return d && d->devType() == QInternal::Image ? static_cast<QImage*>(d) : nullptr;
}

int Drawing::widthPx() const
{
    const QPaintDevice* d = target();
    return d ? d->width() : 0;
}

int Drawing::heightPx() const
{
    const QPaintDevice* d = target();
    return d ? d->height() : 0;
}

void Drawing::deviceResized(int widthPx, int heightPx)
{
    if (!userScale_) {
        scaleWidth_ = std::max(widthPx, 0);
        scaleHeight_ = std::max(heightPx, 0);
    }
}

void Drawing::fillBackground()
{
    Painting painter(*this);
    if (painter && painter->device())
        painter->fillRect(QRect(0, 0, widthPx(), heightPx()), vbColor(backColor_));
}

void Drawing::Scale(double x1, double y1, double x2, double y2)
{
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2) ||
        x1 == x2 || y1 == y2)
        return;
    userScale_ = true;
    scaleLeft_ = x1;
    scaleTop_ = y1;
    scaleWidth_ = x2 - x1;
    scaleHeight_ = y2 - y1;
}

void Drawing::Scale()
{
    userScale_ = false;
    scaleLeft_ = 0.0;
    scaleTop_ = 0.0;
    scaleWidth_ = widthPx();
    scaleHeight_ = heightPx();
}

void Drawing::setScaleWidth(double units)
{
    if (units == 0.0 || !std::isfinite(units))
        return;
    userScale_ = true;
    scaleWidth_ = units;
}

void Drawing::setScaleHeight(double units)
{
    if (units == 0.0 || !std::isfinite(units))
        return;
    userScale_ = true;
    scaleHeight_ = units;
}

double Drawing::pixelsPerUnitX() const
{
    return scaleWidth_ == 0.0 ? 1.0 : widthPx() / scaleWidth_;
}

double Drawing::pixelsPerUnitY() const
{
    return scaleHeight_ == 0.0 ? 1.0 : heightPx() / scaleHeight_;
}

QPointF Drawing::toPixels(QPointF user) const
{
    return {(user.x() - scaleLeft_) * pixelsPerUnitX(), (user.y() - scaleTop_) * pixelsPerUnitY()};
}

QPointF Drawing::toUser(QPointF pixels) const
{
    return {pixels.x() / pixelsPerUnitX() + scaleLeft_, pixels.y() / pixelsPerUnitY() + scaleTop_};
}

void Drawing::Cls()
{
    fillBackground();
    currentX_ = 0.0;
    currentY_ = 0.0;
}

void Drawing::preparePainter(QPainter& painter, uint32_t penBgr) const
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(vbColor(penBgr));
    pen.setWidth(drawWidth_);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
}

void Drawing::strokeLine(QPointF fromUser, QPointF toUser, uint32_t bgr)
{
    currentX_ = toUser.x();
    currentY_ = toUser.y();
    const QPointF a = toPixels(fromUser);
    const QPointF b = toPixels(toUser);
    if (!drawableLine(a, b))
        return;
    Painting painter(*this);
    if (!painter)
        return;
    preparePainter(*painter, bgr);
    painter->drawLine(a, b);
}

void Drawing::Line(double x1, double y1, double x2, double y2)
{
    strokeLine({x1, y1}, {x2, y2}, foreColor_);
}

void Drawing::Line(double x1, double y1, double x2, double y2, uint32_t bgr)
{
    strokeLine({x1, y1}, {x2, y2}, bgr);
}

void Drawing::Lines(const std::vector<LineSpec>& lines)
{
    if (lines.empty())
        return;
    currentX_ = lines.back().to.x();
    currentY_ = lines.back().to.y();
    // On the own image the lines and discs go straight into its rows (exactly the pixels the
    // painter would put down); lines the copy does not cover go through the painter, in turn.
    QImage* image = ownImage();
    std::optional<raster::ImageTarget> direct;
    if (image)
        direct = raster::ImageTarget::of(*image);
    Painting painting(*this);
    if (!painting)
        return;
    if (direct && image->constBits() != direct->bits())
        direct.reset();
    lineBatch_.draw(lines, {scaleLeft_, scaleTop_, pixelsPerUnitX(), pixelsPerUnitY()}, *painting,
                    direct ? &*direct : nullptr);
}

void Drawing::LineTo(double x2, double y2)
{
    strokeLine({currentX_, currentY_}, {x2, y2}, foreColor_);
}

void Drawing::LineTo(double x2, double y2, uint32_t bgr)
{
    strokeLine({currentX_, currentY_}, {x2, y2}, bgr);
}

void Drawing::Box(double x1, double y1, double x2, double y2, uint32_t bgr, bool filled)
{
    currentX_ = x2;
    currentY_ = y2;
    const QRectF rect = QRectF(toPixels({x1, y1}), toPixels({x2, y2})).normalized();
    if (!rect.isValid())
        return;
    Painting painter(*this);
    if (!painter)
        return;
    preparePainter(*painter, bgr);
    if (filled)
        painter->setBrush(vbColor(bgr));
    painter->drawRect(rect);
}

void Drawing::Circle(double x, double y, double radius)
{
    Circle(x, y, radius, foreColor_);
}

void Drawing::Circle(double x, double y, double radius, uint32_t bgr)
{
    currentX_ = x;
    currentY_ = y;
    const QPointF centre = toPixels({x, y});
    const double r = std::fabs(radius * pixelsPerUnitX());
    if (!std::isfinite(centre.x()) || !std::isfinite(centre.y()) || !std::isfinite(r) || r > 1.0e6)
        return;
    Painting painter(*this);
    if (!painter)
        return;
    preparePainter(*painter, bgr);
    if (fillStyle_ == FillStyle::Solid)
        painter->setBrush(vbColor(fillColor_));
    painter->drawEllipse(centre, r, r);
}

void Drawing::Arc(double x, double y, double radius, uint32_t bgr, double startRad, double endRad)
{
    currentX_ = x;
    currentY_ = y;
    const QPointF centre = toPixels({x, y});
    const double r = std::fabs(radius * pixelsPerUnitX());
    if (!std::isfinite(centre.x()) || !std::isfinite(centre.y()) || !std::isfinite(r) ||
        r > 1.0e6 || !std::isfinite(startRad) || !std::isfinite(endRad))
        return;
    constexpr double kTwoPi = 2.0 * 3.14159265358979323846;
    double span = endRad - startRad;
    if (span < 0.0)
        span = kTwoPi - std::fmod(-span, kTwoPi);
    span = std::min(span, kTwoPi);
    startRad = std::fmod(startRad, kTwoPi);
    // Qt counts angles in sixteenths of a degree, counter-clockwise from three o'clock.
    const double toSixteenths = 180.0 / 3.14159265358979323846 * 16.0;
    Painting painter(*this);
    if (!painter)
        return;
    preparePainter(*painter, bgr);
    painter->drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r),
                     static_cast<int>(std::lround(startRad * toSixteenths)),
                     static_cast<int>(std::lround(span * toSixteenths)));
}

bool Drawing::textAvailable() const
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

QFont Drawing::font() const
{
    if (font_)
        return *font_;
    QFont defaultFont(QStringLiteral("DejaVu Sans"));
    defaultFont.setPointSize(8);
    return defaultFont;
}

double Drawing::TextWidth(const QString& text) const
{
    if (!textAvailable())
        return 0.0;
    const QFontMetricsF metrics(font(), target());
    return metrics.horizontalAdvance(text) / pixelsPerUnitX();
}

double Drawing::TextHeight(const QString& text) const
{
    if (!textAvailable())
        return 0.0;
    const QFontMetricsF metrics(font(), target());
    const int lines = static_cast<int>(text.count(u'\n')) + 1;
    return metrics.height() * lines / pixelsPerUnitY();
}

void Drawing::Print(const QString& text, bool newLine)
{
    if (!textAvailable())
        return;
    const QPointF topLeft = toPixels({currentX_, currentY_});
    if (target() && std::isfinite(topLeft.x()) && std::isfinite(topLeft.y()) &&
        std::fabs(topLeft.x()) < 1.0e6 && std::fabs(topLeft.y()) < 1.0e6) {
        Painting painter(*this);
        // Plain pixels in the fore colour, as the platform printed into pictures.
        QFont plain = font();
        plain.setStyleStrategy(QFont::NoAntialias);
        painter->setRenderHint(QPainter::TextAntialiasing, false);
        painter->setFont(plain);
        painter->setPen(vbColor(foreColor_));
        const QFontMetricsF metrics(painter->font(), target());
        painter->drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
    }
    if (newLine) {
        currentX_ = scaleLeft_;
        currentY_ += TextHeight(text);
    } else {
        currentX_ += TextWidth(text);
    }
}

// A text's glyph pixels as the painter puts them down at each of the 64 steps of 1/64 pixel
// the engine places text by across (each glyph lands on a whole pixel, so the steps differ),
// and the step down at which the text moves a row (it lands on whole rows).
struct Drawing::LabelSprites
{
    std::array<raster::Mask, 64> across;
    int rowStep = 64;
    QRect bounds; // of every mask, relative to the origin
};

namespace {

constexpr int kStepsPerPixel = 64;
// A text printed this often in one call is printed from its pixels from then on.
constexpr int kSpriteUses = 4;
// Texts kept as pixels (about 80 kB each): the labels of a map are a few dozen.
constexpr int kMaxSpriteTexts = 256;

int64_t floorDiv(int64_t a, int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

void preparePrint(QPainter& painter, const QFont& plain)
{
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(plain);
}

} // namespace

void Drawing::PrintLabels(const std::vector<std::pair<QPointF, QString>>& labels)
{
    if (!textAvailable() || !target() || labels.empty())
        return;
    QFont plain = font();
    plain.setStyleStrategy(QFont::NoAntialias);
    QImage* image = ownImage();
    const int dotsPerMeter = image ? image->dotsPerMeterX() : 0;
    // A map shows the same names redraw after redraw: their layout is kept.
    if (labelCacheFont_ != plain || labelCache_.size() > 50000 ||
        (image && dotsPerMeter != labelCacheDotsPerMeter_)) {
        labelCache_.clear();
        labelCacheFont_ = plain;
        labelCacheDotsPerMeter_ = dotsPerMeter;
        labelSpriteTexts_ = 0;
    }
    std::vector<LabelEntry*> entries;
    entries.reserve(labels.size());
    const QString* previous = nullptr;
    for (const auto& [at, text] : labels) {
        // Maps label many places with one text in a row (the edges of an outline).
        if (previous && previous->constData() == text.constData() &&
            previous->size() == text.size()) {
            ++entries.back()->uses;
            entries.push_back(entries.back());
            continue;
        }
        previous = &text;
        std::shared_ptr<LabelEntry>& slot = labelCache_[text];
        if (!slot) {
            slot = std::make_shared<LabelEntry>();
            slot->text = QStaticText(text);
            slot->text.setTextFormat(Qt::PlainText);
            slot->text.setPerformanceHint(QStaticText::AggressiveCaching);
            slot->text.prepare(QTransform(), plain);
        }
        ++slot->uses;
        entries.push_back(slot.get());
    }

    std::optional<raster::ImageTarget> direct;
    if (image)
        direct = raster::ImageTarget::of(*image);
    const QRgb rgb = vbColor(foreColor_).rgb();
    const QRectF device(0, 0, widthPx(), heightPx());
    std::optional<Painting> painting;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        LabelEntry& entry = *entries[i];
        const QPointF topLeft = toPixels(labels[i].first);
        if (!std::isfinite(topLeft.x()) || !std::isfinite(topLeft.y()) ||
            std::fabs(topLeft.x()) >= 1.0e6 || std::fabs(topLeft.y()) >= 1.0e6)
            continue;
        if (direct && !entry.sprites && !entry.spritesFailed && entry.uses >= kSpriteUses &&
            labelSpriteTexts_ < kMaxSpriteTexts) {
            entry.sprites = makeSprites(entry.text, plain, *image);
            entry.spritesFailed = !entry.sprites;
            labelSpriteTexts_ += entry.sprites ? 1 : 0;
        }
        if (direct && entry.sprites) {
            // The engine takes the position in 1/64 pixel, cut towards zero.
            const auto x = static_cast<int64_t>(topLeft.x() * kStepsPerPixel);
            const auto y = static_cast<int64_t>(topLeft.y() * kStepsPerPixel);
            const int64_t column = floorDiv(x, kStepsPerPixel);
            const auto step = static_cast<std::size_t>(x - column * kStepsPerPixel);
            const int64_t row =
                floorDiv(y + kStepsPerPixel - entry.sprites->rowStep, kStepsPerPixel);
            const QPoint at(static_cast<int>(column), static_cast<int>(row));
            const QRect bounds = entry.sprites->bounds.translated(at);
            if (direct->holds(bounds))
                direct->stampInside(entry.sprites->across[step], at, rgb);
            else if (bounds.intersects(image->rect()))
                direct->stamp(entry.sprites->across[step], at, rgb);
            continue;
        }
        // Texts wholly beside the device are left out.
        const QSizeF size = entry.text.size();
        if (!QRectF(topLeft, size)
                 .adjusted(-size.height(), -size.height(), size.height(), size.height())
                 .intersects(device))
            continue;
        if (!painting) {
            painting.emplace(*this);
            preparePrint(**painting, plain);
            (*painting)->setPen(vbColor(foreColor_));
            if (direct && image->constBits() != direct->bits())
                direct.reset();
        }
        (*painting)->drawStaticText(topLeft, entry.text);
    }
    for (LabelEntry* entry : entries)
        entry->uses = 0;
}

std::shared_ptr<const Drawing::LabelSprites>
Drawing::makeSprites(const QStaticText& text, const QFont& plain, const QImage& like) const
{
    // Every step across in one column, every step down (at step 0 across) in a second one,
    // each in a cell with room around the text for glyphs that reach beyond its box.
    const QSizeF size = text.size();
    const int pad = std::max(8, static_cast<int>(std::ceil(size.height())));
    const int cellW = static_cast<int>(std::ceil(size.width())) + 2 * pad;
    const int cellH = static_cast<int>(std::ceil(size.height())) + 2 * pad;
    if (cellW > 4096 || cellH > 256)
        return nullptr; // a text this large is printed by the painter
    QImage sheet(2 * cellW, kStepsPerPixel * cellH, QImage::Format_ARGB32_Premultiplied);
    if (sheet.isNull())
        return nullptr;
    sheet.setDotsPerMeterX(like.dotsPerMeterX());
    sheet.setDotsPerMeterY(like.dotsPerMeterY());
    sheet.fill(Qt::transparent);
    {
        QPainter p(&sheet);
        preparePrint(p, plain);
        p.setPen(Qt::black);
        for (int k = 0; k < kStepsPerPixel; ++k) {
            const double fraction = double(k) / kStepsPerPixel;
            p.drawStaticText(QPointF(pad + fraction, k * cellH + pad), text);
            p.drawStaticText(QPointF(cellW + pad, k * cellH + pad + fraction), text);
        }
    }
    auto sprites = std::make_shared<LabelSprites>();
    for (int k = 0; k < kStepsPerPixel; ++k) {
        sprites->across[k] =
            raster::maskOf(sheet, QRect(0, k * cellH, cellW, cellH), QPoint(pad, k * cellH + pad));
        for (const raster::Run& r : sprites->across[k])
            sprites->bounds |= QRect(r.x, r.dy, r.length, 1);
    }
    // Down, the text moves a whole row at one step and keeps its shape: anything else and the
    // painter prints it.
    const raster::Mask level =
        raster::maskOf(sheet, QRect(cellW, 0, cellW, cellH), QPoint(cellW + pad, pad));
    auto sameRuns = [](const raster::Mask& a, const raster::Mask& b, int dy) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [dy](const raster::Run& p, const raster::Run& q) {
                              return p.dy + dy == q.dy && p.x == q.x && p.length == q.length;
                          });
    };
    if (!sameRuns(level, sprites->across[0], 0))
        return nullptr;
    for (int k = 1; k < kStepsPerPixel; ++k) {
        const raster::Mask down = raster::maskOf(sheet, QRect(cellW, k * cellH, cellW, cellH),
                                                 QPoint(cellW + pad, k * cellH + pad));
        const bool moved = sprites->rowStep < kStepsPerPixel;
        if (!moved && sameRuns(level, down, 0))
            continue;
        if (!sameRuns(level, down, 1))
            return nullptr;
        if (!moved)
            sprites->rowStep = k;
    }
    return sprites;
}

void Drawing::Stamp(const QImage& picture, const std::vector<QPoint>& at)
{
    if (!target() || picture.isNull() || at.empty())
        return;
    Painting painter(*this);
    for (const QPoint& p : at)
        painter->drawImage(p, picture);
}

void Drawing::PaintPicture(const QImage& picture, double x1, double y1, double w1, double h1,
                           double x2, double y2, double w2, double h2)
{
    if (!target() || picture.isNull())
        return;
    const QRectF source(x2, y2, w2, h2);
    const QRectF into(toPixels({x1, y1}), toPixels({x1 + w1, y1 + h1}));
    if (!(source.width() > 0.0) || !(source.height() > 0.0) || !(into.width() > 0.0) ||
        !(into.height() > 0.0) || !std::isfinite(source.x()) || !std::isfinite(source.y()) ||
        !std::isfinite(source.right()) || !std::isfinite(source.bottom()) ||
        !std::isfinite(into.x()) || !std::isfinite(into.y()) || !std::isfinite(into.right()) ||
        !std::isfinite(into.bottom()))
        return;

    Painting painter(*this);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRectF inside = source.intersected(QRectF(picture.rect()));
    if (inside != source)
        painter->fillRect(into, vbColor(backColor_));
    if (inside.isEmpty())
        return;
    const double sx = into.width() / source.width();
    const double sy = into.height() / source.height();
    const QRectF shown(into.x() + (inside.x() - source.x()) * sx,
                       into.y() + (inside.y() - source.y()) * sy, inside.width() * sx,
                       inside.height() * sy);
    painter->drawImage(shown, picture, inside);
}

bool Drawing::PlgBlt(const std::array<QPoint, 3>& dest, const QImage& picture, const QRect& source)
{
    const QRect inside = source.intersected(picture.rect());
    if (!target() || picture.isNull() || inside.isEmpty())
        return false;
    const double w = source.width();
    const double h = source.height();
    // Affine map of the source rectangle (origin at its top-left corner) onto the parallelogram.
    const QTransform map((dest[1].x() - dest[0].x()) / w, (dest[1].y() - dest[0].y()) / w,
                         (dest[2].x() - dest[0].x()) / h, (dest[2].y() - dest[0].y()) / h,
                         dest[0].x(), dest[0].y());
    if (!map.isInvertible())
        return false;
    Painting painter(*this);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    // Combined with the painter's own transform (identity on a surface, the page's on a printer).
    painter->setTransform(map, true);
    painter->drawImage(QPointF(inside.x() - source.x(), inside.y() - source.y()), picture, inside);
    return true;
}

int Drawing::RotatePicture(int x, int y, float angleDeg, const QImage& picture)
{
    if (picture.isNull() || !std::isfinite(angleDeg))
        return 0;
    const int w = picture.width();
    const int h = picture.height();
    const float hw = static_cast<float>(w) / 2.0f;
    const float hh = static_cast<float>(h) / 2.0f;
    // Single-precision pi and pi/2, as the card was always turned.
    const float t = angleDeg / 180.0f * 3.1415927f;
    const QPoint p0(roundToLong(std::cos(static_cast<double>(t)) * hw),
                    roundToLong(std::sin(static_cast<double>(t)) * hw));
    const double t90 = static_cast<double>(t) + 1.5707964;
    const QPoint p1(roundToLong(std::cos(t90) * hh), roundToLong(std::sin(t90) * hh));
    const float cx = hw + static_cast<float>(x);
    const float cy = hh + static_cast<float>(y);
    const QPoint upperLeft(roundToLong(cx - p0.x() - p1.x()), roundToLong(cy - p0.y() - p1.y()));
    const QPoint upperRight(roundToLong(cx - p1.x() + p0.x()), roundToLong(cy - p1.y() + p0.y()));
    const QPoint lowerLeft(roundToLong(cx - p0.x() + p1.x()), roundToLong(cy - p0.y() + p1.y()));
    return PlgBlt({upperLeft, upperRight, lowerLeft}, picture, picture.rect()) ? 1 : 0;
}

} // namespace tv
