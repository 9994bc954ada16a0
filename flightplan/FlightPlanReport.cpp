#include "flightplan/FlightPlanReport.h"

#include "core/NumberFormat.h"
#include "flightplan/FlightPlanMath.h"
#include "platform/Recordset.h"

#include <QFont>
#include <QPainter>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace tv {
namespace {

// The page is laid out on a logical sheet of 2100 x 2970 units (A4, 0.1 mm each), scaled into
// whatever page the printer or the preview offers, so the rows per page never depend on it.
constexpr double kSheetW = 2100;
constexpr double kSheetH = 2970;
constexpr double kMargin = 100;
constexpr double kHeadingH = 230;
constexpr double kRowH = 50;
constexpr int kRowsPerPage = static_cast<int>((kSheetH - 2 * kMargin - kHeadingH) / kRowH);

// Columns: [left, right) in sheet units, the report field shown, and the heading above.
struct Column
{
    double left;
    double right;
    int text; // index into a row's texts, -1 none
};
// Text1 NAME, Text2 TAS, Text3 Wind, Text4 TC, Text6 GS, Text5 MH, then leg and running values
// side by side under one heading: Text7/Text11 Distanz, Text8/Text10 Zeit, Text9/Text12 FF.
constexpr std::array<Column, 12> kColumns{{{100, 440, 0},
                                           {440, 550, 1},
                                           {550, 730, 2},
                                           {730, 810, 3},
                                           {810, 920, 5},
                                           {920, 1160, 4},
                                           {1160, 1290, 6},
                                           {1290, 1420, 10},
                                           {1420, 1540, 7},
                                           {1540, 1660, 9},
                                           {1660, 1830, 8},
                                           {1830, 2000, 11}}};

struct Heading
{
    double left;
    double right;
    const char* text;
};
constexpr std::array<Heading, 9> kHeadings{{{100, 440, "Wegpunkt"},
                                            {440, 550, "TAS     [ kts ]"},
                                            {550, 730, "Wind     Deg / v"},
                                            {730, 810, "TC"},
                                            {810, 920, "GS       [ kts ]"},
                                            {920, 1160, "MH"},
                                            {1160, 1420, "Distanz        [ NM ]"},
                                            {1420, 1660, " Zeit            [ h:min ]"},
                                            {1660, 2000, "FF"}}};

// The heading captions were padded with blanks to break into a title and a unit line; break
// them there ("TAS     [ kts ]" -> "TAS" over "[ kts ]").
QString headingLines(const char* caption)
{
    QStringList lines =
        QString::fromUtf8(caption).trimmed().split(QRegularExpression(QStringLiteral(" {2,}")));
    return lines.join(QLatin1Char('\n'));
}

QFont sheetFont(double pixelSize, bool bold = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(static_cast<int>(pixelSize));
    f.setBold(bold);
    return f;
}

void paintHeading(QPainter& p, const FlightPlanReportData& data)
{
    // The five summary values: caption above, value in a frame below.
    struct Summary
    {
        const char* caption;
        const QString* value;
    };
    const std::array<Summary, 5> summary{{{"Distanz", &data.distanz},
                                          {"Flugzeit", &data.zeit},
                                          {"Gesamt FF", &data.ff},
                                          {"Windinfo", &data.wind},
                                          {"FF / h", &data.ffh}}};
    double x = kMargin;
    for (const Summary& s : summary) {
        p.setFont(sheetFont(26, true));
        p.drawText(QRectF(x, kMargin, 340, 40), Qt::AlignCenter, QString::fromUtf8(s.caption));
        const QRectF box(x, kMargin + 45, 340, 55);
        p.drawRect(box);
        p.setFont(sheetFont(28));
        p.drawText(box, Qt::AlignCenter, *s.value);
        x += 380;
    }
    const double top = kMargin + 120;
    p.drawLine(QPointF(kMargin, top), QPointF(kSheetW - kMargin, top)); // Line1
    p.setFont(sheetFont(22, true));
    for (const Heading& h : kHeadings)
        p.drawText(QRectF(h.left + 4, top + 8, h.right - h.left - 8, 200),
                   Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, headingLines(h.text));
    p.drawLine(QPointF(kMargin, kMargin + kHeadingH - 6),
               QPointF(kSheetW - kMargin, kMargin + kHeadingH - 6)); // Line3
}

QString cell(const Value& v, char mark)
{
    if (v.isNumber())
        return QString::fromStdString(numberText(v.toDouble(), mark));
    return QString::fromStdString(v.toString());
}

} // namespace

std::vector<std::array<QString, 12>> reportRows(Recordset& plan, char decimalMark)
{
    static constexpr std::array<const char*, 12> kFields{
        "NAME",    "TAS",         "Wind", "TC",      "MH",         "GS",
        "Distanz", "Zeitdisplay", "FFM",  "ZeitAcc", "DistanzAcc", "FFmAcc"};
    constexpr std::size_t kMagneticHeading = 4;
    std::vector<std::array<QString, 12>> rows;
    if (plan.State() != Recordset::kStateOpen)
        return rows;
    const long keep = plan.AbsolutePosition();
    for (plan.MoveFirst(); !plan.Eof(); plan.MoveNext()) {
        std::array<QString, 12> r;
        for (std::size_t i = 0; i < kFields.size(); ++i)
            r[i] = cell(plan.Field(kFields[i]), decimalMark);
        if (const Value mh = plan.Field("MH"); mh.isNumber())
            r[kMagneticHeading] = QString::fromStdString(wholeDegreesText(mh.toDouble()));
        rows.push_back(std::move(r));
    }
    if (keep >= 1)
        plan.SetAbsolutePosition(keep);
    else
        plan.MoveFirst();
    return rows;
}

int reportPageCount(int rowCount)
{
    return std::max(1, (rowCount + kRowsPerPage - 1) / kRowsPerPage);
}

void paintFlightPlanReportPage(QPainter& p, const QRectF& pageRect,
                               const FlightPlanReportData& data, int page)
{
    p.save();
    const double scale = std::min(pageRect.width() / kSheetW, pageRect.height() / kSheetH);
    p.translate(pageRect.topLeft());
    p.scale(scale, scale);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::NoBrush);
    paintHeading(p, data);

    p.setFont(sheetFont(24));
    const int first = page * kRowsPerPage;
    const int last = std::min(static_cast<int>(data.rows.size()), first + kRowsPerPage);
    double y = kMargin + kHeadingH;
    for (int r = first; r < last; ++r) {
        const auto& texts = data.rows[static_cast<std::size_t>(r)];
        for (const Column& c : kColumns) {
            const Qt::Alignment align =
                c.text == 0 ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter;
            p.drawText(QRectF(c.left + 4, y, c.right - c.left - 8, kRowH), align,
                       texts[static_cast<std::size_t>(c.text)]);
        }
        p.setPen(QPen(Qt::gray, 1));
        p.drawLine(QPointF(kMargin, y + kRowH), QPointF(kSheetW - kMargin, y + kRowH)); // Line2
        p.setPen(QPen(Qt::black, 2));
        y += kRowH;
    }
    p.restore();
}

} // namespace tv
