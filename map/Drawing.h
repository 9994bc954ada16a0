#pragma once

#include "map/LineBatch.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRectF>
#include <QStaticText>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

class QPaintDevice;
class QPainter;

namespace tv {

// Colours are stored as the program has always written them: 24-bit values 0x00BBGGRR, so
// 0x0000FF is red and 0xFF0000 blue. This is the one place where they become QColors.
QColor vbColor(uint32_t bgr);
// The 0x00BBGGRR value of a colour (alpha ignored).
uint32_t vbColorValue(const QColor& color);

// The plain colours the maps draw with, as 0x00BBGGRR.
namespace bgr {
inline constexpr uint32_t kBlack = 0x000000;
inline constexpr uint32_t kWhite = 0xFFFFFF;
inline constexpr uint32_t kRed = 0x0000FF;
inline constexpr uint32_t kGreen = 0x00FF00;
inline constexpr uint32_t kBlue = 0xFF0000;
inline constexpr uint32_t kYellow = 0x00FFFF;
inline constexpr uint32_t kNavy = 0x800000;
} // namespace bgr

// A picture box's drawing vocabulary (Line, Circle, Print, PaintPicture ...) over a QPainter:
// the map, the instruments and the reports draw through it onto whatever device the painter
// works on, a surface's QImage (DrawSurface) or a printer or PDF page.
//
// Coordinates are user units: by default one unit is one device pixel with the origin top left
// and y pointing down; Scale() sets another user scale (for example 0..100 on both axes). Draw
// widths are always pixels, radii are user units of the x axis. Lines and circles are drawn
// without anti-aliasing and with round pen ends, as the platform's wide pens were. Text needs a
// QGuiApplication (fonts); without one, Print draws nothing and text sizes are 0.
class Drawing
{
public:
    enum class FillStyle { Solid, Transparent };

    // Draws with `painter`, which stays active on its device (a printer or PDF page) for as
    // long as this is used. Every call leaves the painter's own state (pen, transform) as it
    // found it; drawing combines with the painter's transform.
    explicit Drawing(QPainter& painter, uint32_t backColor = 0xFFFFFF);
    virtual ~Drawing() = default;
    Drawing(const Drawing&) = default;
    Drawing& operator=(const Drawing&) = default;

    // Size of the device in pixels (0 x 0 without one).
    int widthPx() const;
    int heightPx() const;

    uint32_t BackColor() const { return backColor_; }
    void setBackColor(uint32_t bgr) { backColor_ = bgr & 0xFFFFFF; }
    uint32_t ForeColor() const { return foreColor_; }
    void setForeColor(uint32_t bgr) { foreColor_ = bgr & 0xFFFFFF; }
    uint32_t FillColor() const { return fillColor_; }
    void setFillColor(uint32_t bgr) { fillColor_ = bgr & 0xFFFFFF; }
    FillStyle fillStyle() const { return fillStyle_; }
    void setFillStyle(FillStyle style) { fillStyle_ = style; }
    // Pen width in pixels; values below 1 count as 1.
    int DrawWidth() const { return drawWidth_; }
    void setDrawWidth(int pixels) { drawWidth_ = pixels < 1 ? 1 : pixels; }

    // User scale: (x1, y1) is the top-left corner, (x2, y2) the bottom-right one.
    void Scale(double x1, double y1, double x2, double y2);
    // Back to the pixel scale (Scale without arguments).
    void Scale();
    double ScaleLeft() const { return scaleLeft_; }
    double ScaleTop() const { return scaleTop_; }
    double ScaleWidth() const { return scaleWidth_; }
    double ScaleHeight() const { return scaleHeight_; }
    // Setting one extent makes the scale a user scale; 0 is refused (kept as it was).
    void setScaleWidth(double units);
    void setScaleHeight(double units);

    // The current position: where the next Print writes and where LineTo starts. Line and
    // Circle leave it at the line's end and the circle's centre.
    double CurrentX() const { return currentX_; }
    double CurrentY() const { return currentY_; }
    void setCurrentX(double x) { currentX_ = x; }
    void setCurrentY(double y) { currentY_ = y; }

    // User units <-> pixels.
    QPointF toPixels(QPointF user) const;
    QPointF toUser(QPointF pixels) const;

    // Clears to the back colour; the current position goes to (0, 0).
    void Cls();

    // Line (x1, y1)-(x2, y2), in the fore colour or the given one.
    void Line(double x1, double y1, double x2, double y2);
    void Line(double x1, double y1, double x2, double y2, uint32_t bgr);
    // Many lines in one go, in order, each in its own colour (0x00BBGGRR) and width (pixels),
    // coordinates in user units as for Line: the same picture as one Line call each, at a
    // fraction of the cost, for layers that draw tens of thousands of lines per redraw (on a
    // surface's own image the pixels are written directly, about twenty times faster than
    // through QPainter). The current position ends at the last line's end; DrawWidth stays as
    // it is.
    using LineSpec = tv::LineSpec;
    void Lines(const std::vector<LineSpec>& lines);
    // Line -(x2, y2): on from the current position.
    void LineTo(double x2, double y2);
    void LineTo(double x2, double y2, uint32_t bgr);
    // Line ... , B (outline) or BF (filled with the line colour).
    void Box(double x1, double y1, double x2, double y2, uint32_t bgr, bool filled);

    // Circle of `radius` user units about (x, y); filled with the fill colour when the fill
    // style is Solid.
    void Circle(double x, double y, double radius);
    void Circle(double x, double y, double radius, uint32_t bgr);
    // Arc from `startRad` to `endRad`, radians counter-clockwise from three o'clock (as the
    // screen shows it); an end below the start goes on through 0.
    void Arc(double x, double y, double radius, uint32_t bgr, double startRad, double endRad);

    // Text at the current position (its top-left corner) in the fore colour, on a transparent
    // background. With `newLine` the position moves to the left edge of the next line, else
    // it moves right by the text's width.
    void Print(const QString& text, bool newLine = true);
    // Many texts in one go, each with its top-left corner at its point (user units), in the
    // fore colour: what Print draws, without moving the current position. For maps that label
    // thousands of points; the laid-out texts are kept for the next call, and on a surface's
    // own image a text printed many times is printed from its glyphs' pixels, kept as well.
    void PrintLabels(const std::vector<std::pair<QPointF, QString>>& labels);
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;
    // The default is the system's 8-point sans-serif font.
    void setFont(const QFont& font) { font_ = font; }
    QFont font() const;

    // Copies the source rectangle (x2, y2, w2, h2; pixels of `picture`) stretched into the
    // rectangle (x1, y1, w1, h1; user units), pixel by pixel without smoothing. Parts of the
    // source outside the picture come out in the back colour. Nothing happens for an empty
    // picture or source or target rectangle.
    void PaintPicture(const QImage& picture, double x1, double y1, double w1, double h1, double x2,
                      double y2, double w2, double h2);

    // Parallelogram blit: the source rectangle (pixels of `picture`) is mapped so that its
    // upper-left, upper-right and lower-left corners land on dest[0], dest[1], dest[2] (pixels
    // of this device). False when nothing could be drawn.
    bool PlgBlt(const std::array<QPoint, 3>& dest, const QImage& picture, const QRect& source);

    // Draws `picture` turned by `angleDeg` (clockwise on the screen) about the centre of its
    // rectangle placed with its top-left corner at pixel (x, y). Returns 0 when nothing was
    // drawn (empty picture), else non-zero. The corner arithmetic is done in single precision
    // and rounded to whole pixels exactly as the compass card has always been turned.
    int RotatePicture(int x, int y, float angleDeg, const QImage& picture);

    // Copies `picture` unscaled, blending its transparent pixels, with its top-left corner at
    // each of the pixel positions `at`: one symbol stamped at many places.
    void Stamp(const QImage& picture, const std::vector<QPoint>& at);

protected:
    // For a surface that owns its device: the pixel scale of that size.
    Drawing(int widthPx, int heightPx, uint32_t backColor);
    // The device drawn on when no painter was given; null while there is none (an empty
    // image): then nothing is drawn.
    virtual QPaintDevice* device() const { return nullptr; }
    // Fills the whole device with the back colour.
    virtual void fillBackground();
    // A new device size: a pixel scale follows it, a user scale keeps its units.
    void deviceResized(int widthPx, int heightPx);

private:
    class Painting;
    struct LabelSprites;
    struct LabelEntry
    {
        QStaticText text;
        std::shared_ptr<const LabelSprites> sprites; // made once the text is printed often
        bool spritesFailed = false;
        int uses = 0; // within one PrintLabels call
    };

    void strokeLine(QPointF fromUser, QPointF toUser, uint32_t bgr);
    void preparePainter(QPainter& painter, uint32_t penBgr) const;
    QPaintDevice* target() const;
    // The own device when it is an image (no caller's painter): Lines and PrintLabels write
    // its pixels directly.
    QImage* ownImage() const;
    double pixelsPerUnitX() const;
    double pixelsPerUnitY() const;
    bool textAvailable() const;
    // The pixels of `text` for PrintLabels, drawn on an image like `like`; null when the
    // text does not keep its shape from one row to the next.
    std::shared_ptr<const LabelSprites> makeSprites(const QStaticText& text, const QFont& plain,
                                                    const QImage& like) const;

    QPainter* painter_ = nullptr; // the caller's active painter, or null
    uint32_t backColor_;
    uint32_t foreColor_ = 0x000000;
    uint32_t fillColor_ = 0x000000;
    FillStyle fillStyle_ = FillStyle::Transparent;
    int drawWidth_ = 1;
    bool userScale_ = false;
    double scaleLeft_ = 0.0;
    double scaleTop_ = 0.0;
    double scaleWidth_;
    double scaleHeight_;
    double currentX_ = 0.0;
    double currentY_ = 0.0;
    std::optional<QFont> font_;
    // QHash rather than std::unordered_map: the latter does not keep the hash of a QString
    // key and rehashes every key it walks past on a lookup. Entries are shared so that they
    // stay put while the hash grows.
    QHash<QString, std::shared_ptr<LabelEntry>> labelCache_; // PrintLabels' laid-out texts
    QFont labelCacheFont_;
    int labelCacheDotsPerMeter_ = 0; // of the image the kept pixels were made for
    int labelSpriteTexts_ = 0;
    LineBatch lineBatch_; // Lines' lists, kept from call to call
};

} // namespace tv
