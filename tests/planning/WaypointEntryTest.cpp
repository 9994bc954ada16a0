#include "planning/WaypointEntry.h"
#include "planning/PlanText.h"

#include <gtest/gtest.h>

#include <QLocale>

using tv::NumberStyle;
using tv::WaypointBoxes;
using tv::WaypointEdit;

namespace {

constexpr int16_t kGerman = 0;
constexpr int16_t kEnglish = 1;
const NumberStyle kComma{',', tv::HalfRounding::AwayFromZero};
const NumberStyle kPoint{'.', tv::HalfRounding::AwayFromZero};

WaypointBoxes boxes(QString name, QString lat, QString lon, QString ns = "N", QString ew = "E")
{
    return {std::move(name), std::move(lat), std::move(lon), std::move(ns), std::move(ew)};
}

} // namespace

TEST(WaypointChecks, FirstFailingCheckGivesItsMessageInBothLanguages)
{
    struct Case
    {
        WaypointBoxes in;
        WaypointEdit edit;
        int16_t language;
        const char* text;
        const char* title;
    };
    const Case cases[] = {
        {boxes("", "x", "y"), WaypointEdit::Add, kGerman, "Bitte Name für den Waypoint eingeben",
         "Datenfehler"},
        {boxes("  ", "48", "11"), WaypointEdit::Change, kGerman,
         "Bitte Name für den Wegpunkt eingeben", "Datenfehler"},
        {boxes("", "48", "11"), WaypointEdit::Add, kEnglish,
         "Please enter a name in the waypoint field", "Data error"},
        {boxes("EDMA", "abc", "y"), WaypointEdit::Add, kGerman,
         "Bitte Nummer für den Breitengrad eingeben", "Datenfehler"},
        {boxes("EDMA", "", "11"), WaypointEdit::Change, kEnglish,
         "Please enter a numeric value in the latitude field", "Data error"},
        {boxes("EDMA", "48", "1e3"), WaypointEdit::Add, kGerman,
         "Bitte Nummer für den Längengrad eingeben", "Datenfehler"},
        {boxes("EDMA", "48", "1.000,5"), WaypointEdit::Add, kEnglish,
         "Please enter a numeric value in the longitude field", "Data error"},
    };
    for (const Case& c : cases) {
        const tv::WaypointCheck r = tv::checkWaypointBoxes(c.in, c.edit, c.language);
        ASSERT_TRUE(r.message.has_value()) << c.text;
        EXPECT_FALSE(r.entry.has_value());
        EXPECT_EQ(r.message->text, QString::fromUtf8(c.text));
        EXPECT_EQ(r.message->title, QString::fromUtf8(c.title));
    }
}

TEST(WaypointChecks, TypedNumbersReadTheSameInEveryLocale)
{
    struct Case
    {
        const char* lat;
        const char* ns;
        const char* lon;
        const char* ew;
        double wantLat;
        double wantLon;
    };
    const Case cases[] = {
        {"48.3012", "N", "11,2530", "E", 48.3012, 11.2530},
        {"48,3012", "S", " 7.3 ", "W", -48.3012, -7.3},
        {"+0.5", "N", "-3", "E", 0.5, -3.0},
    };
    for (const char* locale : {"de_DE", "en_US"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
        for (const Case& c : cases) {
            const tv::WaypointCheck r = tv::checkWaypointBoxes(boxes("P", c.lat, c.lon, c.ns, c.ew),
                                                               WaypointEdit::Add, kEnglish);
            ASSERT_TRUE(r.entry.has_value()) << locale << " " << c.lat;
            EXPECT_DOUBLE_EQ(r.entry->latDDMM, c.wantLat);
            EXPECT_DOUBLE_EQ(r.entry->lonDDMM, c.wantLon);
        }
    }
    QLocale::setDefault(QLocale::c());
}

TEST(WaypointChecks, DuplicateMessageInBothLanguages)
{
    EXPECT_EQ(
        tv::duplicateWaypointMessage(kGerman).text,
        QString::fromUtf8("Der Wegpunkt existiert schon. Bitte einen anderen Namen vergeben."));
    EXPECT_EQ(tv::duplicateWaypointMessage(kEnglish).text,
              QStringLiteral("The waypoint already exists. Please choose another name."));
}

TEST(WaypointBoxesShow, MagnitudeBesideItsHemisphereLetter)
{
    struct Case
    {
        double lat, lon;
        NumberStyle style;
        const char *wantLat, *ns, *wantLon, *ew;
    };
    const Case cases[] = {
        {-12.34567, 11.0, kPoint, "12.3457", "S", "11", "E"},
        {48.3, -7.305, kComma, "48,3", "N", "7,305", "W"},
        {0.5, -0.00004, kPoint, "0.5", "N", "0", "W"},
        {48.30005, 0.0, kPoint, "48.3001", "N", "0", "E"}, // halves away from zero
    };
    for (const Case& c : cases) {
        const WaypointBoxes b = tv::boxesForWaypoint("X", c.lat, c.lon, c.style);
        EXPECT_EQ(b.name, QStringLiteral("X"));
        EXPECT_EQ(b.lat, QString::fromLatin1(c.wantLat)) << c.lat;
        EXPECT_EQ(b.ns, QString::fromLatin1(c.ns));
        EXPECT_EQ(b.lon, QString::fromLatin1(c.wantLon)) << c.lon;
        EXPECT_EQ(b.ew, QString::fromLatin1(c.ew));
    }
}

TEST(WaypointBoxesShow, PointTakenFromTheMapSouthWestKeepsItsHemisphere)
{
    WaypointBoxes b = boxes("old", "1", "2");
    tv::takeMapPoint(b, -33.5512, -70.4023, kPoint);
    EXPECT_TRUE(b.name.isEmpty());
    EXPECT_EQ(b.lat, QStringLiteral("33.5512"));
    EXPECT_EQ(b.ns, QStringLiteral("S"));
    EXPECT_EQ(b.lon, QStringLiteral("70.4023"));
    EXPECT_EQ(b.ew, QStringLiteral("W"));
    b.name = "Santiago";
    const tv::WaypointCheck r = tv::checkWaypointBoxes(b, WaypointEdit::Add, kGerman);
    ASSERT_TRUE(r.entry);
    EXPECT_DOUBLE_EQ(r.entry->latDDMM, -33.5512);
    EXPECT_DOUBLE_EQ(r.entry->lonDDMM, -70.4023);
}

TEST(WaypointBoxesShow, HemisphereClicksToggle)
{
    EXPECT_EQ(tv::toggledNorthSouth("N"), "S");
    EXPECT_EQ(tv::toggledNorthSouth("S"), "N");
    EXPECT_EQ(tv::toggledEastWest("E"), "W");
    EXPECT_EQ(tv::toggledEastWest("W"), "E");
}

TEST(WaypointGridCells, RefusedLikeTheBoxes)
{
    EXPECT_TRUE(tv::checkWaypointCell("Name", "  ", kGerman).message);
    EXPECT_EQ(tv::checkWaypointCell("Lat", "48.30.1", kEnglish).message->text,
              QStringLiteral("Please enter a numeric value in the latitude field"));
    EXPECT_EQ(tv::checkWaypointCell("Long", "1e3", kGerman).message->text,
              QString::fromUtf8("Bitte Nummer für den Längengrad eingeben"));
    const tv::CellCheck south = tv::checkWaypointCell("Lat", "-48,3012", kGerman);
    ASSERT_TRUE(south.value);
    EXPECT_DOUBLE_EQ(south.value->toDouble(), -48.3012);
}

// Minutes of 60 or more are refused as such, naming the number as typed.
TEST(WaypointChecks, MinutesOfSixtyOrMoreAreNoPlaceInBoxesAndGrid)
{
    const QString pole = QString::fromUtf8("Bitte einen Breitengrad bis 90° eingeben");
    const QString dateLine = QString::fromUtf8("Bitte einen Längengrad bis 180° eingeben");
    const auto minutes = [](const char* coordinate) {
        return QString::fromUtf8("Die Minuten müssen unter 60 liegen (%1).").arg(coordinate);
    };
    struct Case
    {
        const char* lat; // the boxes take the magnitude, the grid the signed value
        const char* lon;
        bool south;
        QString message; // empty: accepted
    };
    const Case cases[] = {
        {"48.5999", "9.59", false, {}},                      // 48°59.99', 9°59'
        {"90", "180", true, {}},                             // the pole, the date line
        {"0.5959", "179.5959", true, {}},                    // 0°59.59', 179°59.59'
        {"89.7", "9", false, minutes("Breitengrad 89.7")},   // 89°70'
        {"89.6", "9", false, minutes("Breitengrad 89.6")},   // held a hair below 89.6
        {"48,60", "9", false, minutes("Breitengrad 48,60")}, // with a comma
        {"47.99", "9", false, minutes("Breitengrad 47.99")}, // 47°99'
        {"48", "179.9", false, minutes("Längengrad 179.9")}, // 179°90'
        {"91", "9", false, pole},                            // degrees beyond the pole
        {"90.3", "9", true, pole},                           // 90°30' S
        {"48", "180.75", true, dateLine},                    // beyond the date line
    };
    for (const Case& c : cases) {
        const QString lat = QString::fromLatin1(c.lat);
        const QString lon = QString::fromLatin1(c.lon);
        const QString at = lat + QLatin1Char(' ') + lon;
        const tv::WaypointCheck box =
            tv::checkWaypointBoxes(boxes("P", lat, lon, c.south ? "S" : "N", c.south ? "W" : "E"),
                                   WaypointEdit::Add, kGerman);
        EXPECT_EQ(box.message ? box.message->text : QString(), c.message) << at.toStdString();
        EXPECT_EQ(box.entry.has_value(), c.message.isEmpty()) << at.toStdString();
        const QString sign = c.south ? QStringLiteral("-") : QString();
        const tv::CellCheck latCell = tv::checkWaypointCell("Lat", sign + lat, kGerman);
        const tv::CellCheck lonCell = tv::checkWaypointCell("Long", sign + lon, kGerman);
        const tv::CellCheck& refused = latCell.message ? latCell : lonCell;
        EXPECT_EQ(refused.message ? refused.message->text : QString(), c.message)
            << at.toStdString();
    }
}

TEST(PlanFigures, MeasuredAndRouteTexts)
{
    EXPECT_EQ(tv::distanceText(40.1234, kPoint), QStringLiteral("40.1 NM"));
    EXPECT_EQ(tv::distanceText(40.15, kComma), QStringLiteral("40,2 NM"));
    EXPECT_EQ(tv::distanceText(0.0, kPoint), QStringLiteral("0.0 NM"));
    EXPECT_EQ(tv::courseText(269.63, kPoint), QString::fromUtf8("270 °"));
    EXPECT_EQ(tv::courseText(0.0, kPoint), QString::fromUtf8("0 °"));
    EXPECT_EQ(tv::routeLengthText(60.0, kPoint), QStringLiteral("60 NM"));
    EXPECT_EQ(tv::routeLengthText(0.0, kPoint), QStringLiteral(" NM"));
    EXPECT_EQ(tv::routeLengthText(12.5, kPoint), QStringLiteral("13 NM"));
}
