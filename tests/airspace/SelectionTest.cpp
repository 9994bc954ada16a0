// Which airspaces a map selects: the altitude of interest, the band, the view box and its
// widening, the two passes and the plan map's choices.

#include "AirspaceFixture.h"

#include "airspace/AirspaceLayer.h"
#include "airspace/AirspaceSelection.h"
#include "airspace/AirspaceStore.h"
#include "map/NumberText.h"

#include <QLocale>

#include <locale>

namespace astest {
namespace {

using tv::AirspaceKind;
using tv::ViewBox;

// ------------------------------------------------------------------------------ altitude

struct AltitudeCase
{
    const char* what;
    QString caption;
    bool feet;
    int qnh;
    double expectedFt;
};

TEST(FlightAltitudeOfInterest, FollowsTheCaptionUnitAndPressureRule)
{
    const AltitudeCase cases[] = {
        {"no fix shows ---", QStringLiteral("---"), true, 1003, 0.0},
        {"5000 ft exactly is not corrected", QStringLiteral("5000"), true, 1003, 5000.0},
        {"5001 ft is corrected", QStringLiteral("5001"), true, 1003, 5301.0},
        {"QNH 1003 raises 6000 ft by 300", QStringLiteral("6000"), true, 1003, 6300.0},
        {"QNH 1013 changes nothing", QStringLiteral("6000"), true, 1013, 6000.0},
        {"QNH 1023 lowers 6000 ft by 300", QStringLiteral("6000"), true, 1023, 5700.0},
        {"1000 m in feet, below 5000", QStringLiteral("1000"), false, 1003, 1000 * 3.2808},
        {"2000 m in feet, above 5000", QStringLiteral("2000"), false, 1003, 2000 * 3.2808 + 300},
    };
    for (const AltitudeCase& c : cases) {
        EXPECT_DOUBLE_EQ(tv::flightAltitudeFt(tv::leadingNumber(c.caption), c.feet, c.qnh),
                         c.expectedFt)
            << c.what;
    }
}

TEST(FlightAltitudeOfInterest, BandIsFourHundredFeetEitherSide)
{
    const tv::AltitudeBand noFix = tv::flightBand(0.0);
    EXPECT_EQ(noFix.lowFt, -400.0);
    EXPECT_EQ(noFix.highFt, 400.0);
    const tv::AltitudeBand plan = tv::singleAltitude(3500.0);
    EXPECT_EQ(plan.lowFt, 3500.0);
    EXPECT_EQ(plan.highFt, 3500.0);
}

// ------------------------------------------------------------------------------ view box

TEST(ViewBoxWidening, NarrowViewsLookFurtherOutThanWideOnes)
{
    struct Case
    {
        double span;
        double each;
    };
    for (const Case c :
         {Case{0.5, 0.7 / 1.3}, Case{0.99, 0.21 / 1.3}, Case{1.0, 0.1}, Case{1.5, 0.1}}) {
        const ViewBox w = tv::widenedViewBox({48.0, 48.3, 9.0, 9.0 + c.span});
        EXPECT_NEAR(w.south, 48.0 - c.each, 1e-12) << c.span;
        EXPECT_NEAR(w.north, 48.3 + c.each, 1e-12) << c.span;
        EXPECT_NEAR(w.west, 9.0 - c.each, 1e-12) << c.span;
        EXPECT_NEAR(w.east, 9.0 + c.span + c.each, 1e-12) << c.span;
    }
}

// ------------------------------------------------------------------------------ selection

class Selection : public AirspaceFile
{
protected:
    std::vector<int32_t> select(const ViewBox& box, std::optional<tv::AltitudeBand> band,
                                AirspaceKind kind = AirspaceKind::Airspaces)
    {
        return tv::AirspaceIndex::read(*db).select({box, band, kind});
    }

    const ViewBox view{48.0, 49.0, 9.0, 10.0};
};

TEST_F(Selection, BandEdgesCountAsMeeting)
{
    // Altitude 2000: band 1600..2400.
    const auto limits = [](double low, double high) {
        Limits l;
        l.low = low;
        l.lowType = "";
        l.high = high;
        return l;
    };
    addSquare(1, 48.5, 9.5, limits(2400, 5000)); // Low = h + 400: in
    addSquare(2, 48.5, 9.5, limits(2401, 5000)); // Low = h + 401: out
    addSquare(3, 48.5, 9.5, limits(0, 1600));    // High = h - 400: in
    addSquare(4, 48.5, 9.5, limits(0, 1599));    // out
    EXPECT_EQ(select(view, tv::flightBand(2000)), (std::vector<int32_t>{1, 3}));

    // The plan map's single altitude 3500.
    addSquare(5, 48.5, 9.5, limits(3500, 5000));
    addSquare(6, 48.5, 9.5, limits(2500, 3499));
    addSquare(7, 48.5, 9.5, limits(2500, 3500));
    EXPECT_EQ(select(view, tv::singleAltitude(3500)), (std::vector<int32_t>{1, 2, 5, 7}));
}

TEST_F(Selection, EachAirspaceOnceInAscendingOrder)
{
    addSquare(12, 48.5, 9.5);
    addSquare(3, 48.6, 9.6);
    addSquare(7, 48.4, 9.4);
    EXPECT_EQ(select(view, tv::flightBand(1000)), (std::vector<int32_t>{3, 7, 12}));
}

TEST_F(Selection, BoxIsTestedOnEachRowOwnPosition)
{
    // One row inside, three outside: selected. All rows outside: not.
    add(1, {}, {dp(48.50, 9.50), dp(47.50, 9.50), dp(47.50, 8.50), dp(48.50, 8.50)});
    add(2, {}, {dp(47.50, 9.50), dp(47.40, 9.50), dp(47.40, 9.60)});
    EXPECT_EQ(select(view, tv::flightBand(1000)), (std::vector<int32_t>{1}));
}

TEST_F(Selection, NoAirspaceTurnsUpInBothPasses)
{
    Limits circuit;
    circuit.type = "A";
    Limits tmz;
    tmz.type = "TMZ";
    Limits untyped;
    untyped.type = std::nullopt;
    addSquare(1, 48.5, 9.5);
    addSquare(2, 48.5, 9.5, circuit);
    addSquare(3, 48.5, 9.5, tmz);
    addSquare(4, 48.5, 9.5, untyped);
    const auto band = tv::flightBand(1000);
    EXPECT_EQ(select(view, band, AirspaceKind::Airspaces), (std::vector<int32_t>{1, 3, 4}));
    EXPECT_EQ(select(view, band, AirspaceKind::TrafficCircuits), (std::vector<int32_t>{2}));
}

TEST_F(Selection, AirspaceNumbersBeyondSixteenBits)
{
    addSquare(40000, 48.5, 9.5);
    addSquare(5, 48.5, 9.5);
    EXPECT_EQ(select(view, tv::flightBand(1000)), (std::vector<int32_t>{5, 40000}));
}

TEST_F(Selection, NamesWithApostropheAndOddTypesDoNotBreakTheQuery)
{
    Limits odd;
    odd.type = "D'Or";
    odd.lowType = "';DROP";
    addSquare(9, 48.5, 9.5, odd);
    EXPECT_EQ(select(view, tv::flightBand(1000)), (std::vector<int32_t>{9}));
}

// A decimal comma in every locale the program could set.
struct CommaDecimal : std::numpunct<char>
{
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST_F(Selection, GermanLocaleSelectsTheSame)
{
    addSquare(1, 48.55, 9.55); // rows 48.53-48.55, 9.55-9.57
    addSquare(2, 48.15, 9.15);
    const ViewBox box{48.505, 48.555, 9.545, 9.575};
    const auto band = tv::flightBand(300 * 3.2808); // 984.24 ft: 584.24 to 1384.24
    const std::vector<int32_t> before = select(box, band);

    const std::locale old =
        std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::vector<int32_t> german = select(box, band);
    std::locale::global(old);
    QLocale::setDefault(QLocale::c());

    EXPECT_EQ(before, (std::vector<int32_t>{1}));
    EXPECT_EQ(german, before);
}

TEST_F(Selection, ReadingAsViewsNeedItSelectsAsReadingEverything)
{
    // Single points on and around the quarter-degree tiles the store reads by, and far ones.
    const double edges[] = {48.0, 48.2499, 48.25, 48.2501, 48.4999, 48.5, 48.75, 49.0, 52.3};
    int32_t n = 0;
    for (const double lat : edges)
        add(++n, {}, {dp(lat, 9.5)});
    for (const double lon : edges)
        add(++n, {}, {dp(48.1, lon - 39.0)});     // 9.0 ... 13.3 E
    add(++n, {}, {dp(48.3, 9.5), dp(47.1, 9.5)}); // reaches down into a tile read late
    add(++n, {}, {dp(48.3, -0.1)});               // west of Greenwich
    struct Case
    {
        const char* what;
        ViewBox box;
    };
    const Case cases[] = {
        {"box on tile edges", {48.25, 48.5, 9.25, 9.5}},
        {"box just inside tile edges", {48.2501, 48.4999, 9.2501, 9.4999}},
        {"box reaching into the next tiles", {48.1, 48.8, 9.0, 10.0}},
        {"a single latitude and longitude", {48.25, 48.25, 9.5, 9.5}},
        {"further east, partly read", {48.0, 48.6, 9.3, 11.0}},
        {"far north, then back", {52.0, 53.0, 9.0, 10.0}},
        {"down to the low row", {47.0, 47.2, 9.0, 10.0}},
        {"across Greenwich", {48.0, 48.5, -0.5, 0.5}},
        {"half the file's latitudes (read in the table's order)", {47.0, 49.6, 8.0, 12.0}},
        {"everything", {40.0, 60.0, -10.0, 20.0}},
        {"upside down: nothing", {49.0, 48.0, 9.0, 10.0}},
    };
    const tv::AirspaceIndex whole = tv::AirspaceIndex::read(*db);
    tv::AirspaceStore store; // reads more with each box, in this order
    for (const Case& c : cases) {
        const tv::AirspaceQuery query{c.box, tv::flightBand(1000), AirspaceKind::Airspaces};
        EXPECT_EQ(store.select(db, query), whole.select(query)) << c.what;
    }
    EXPECT_EQ(
        whole.select({{48.25, 48.25, 9.5, 9.5}, tv::flightBand(1000), AirspaceKind::Airspaces}),
        (std::vector<int32_t>{3}));
}

TEST_F(Selection, WideAndNarrowViewsSelectAsReadingEverythingWhateverTheLatitudesHold)
{
    // A view of more than a fifth of the file's latitudes is read in the table's order, a
    // narrow one through the latitude index; how far the file reaches is asked of it.
    for (int i = 0; i < 8; ++i)
        addSquare(i + 1, 47.0 + i * 0.5, 9.5);
    struct Case
    {
        const char* what;
        const char* change; // SQL, or none
    };
    const Case cases[] = {
        {"latitudes that are numbers", nullptr},
        {"the highest latitude a text", "UPDATE \"Luftraum\" SET \"Lat\" = 'north' WHERE "
                                        "\"Index\" = 8 AND \"PNumber\" = 1"},
        {"every latitude the same", "UPDATE \"Luftraum\" SET \"Lat\" = 48.1"},
        {"no latitude at all", "UPDATE \"Luftraum\" SET \"Lat\" = NULL"},
    };
    const ViewBox views[] = {{46.0, 52.0, 8.0, 11.0}, {48.0, 48.3, 9.0, 10.0}};
    for (const Case& c : cases) {
        if (c.change)
            db->Execute(c.change);
        const tv::AirspaceIndex whole = tv::AirspaceIndex::read(*db);
        for (const ViewBox& box : views) {
            tv::AirspaceStore store;
            const tv::AirspaceQuery query{box, tv::flightBand(1000), AirspaceKind::Airspaces};
            EXPECT_EQ(store.select(db, query), whole.select(query)) << c.what;
        }
    }
}

// ------------------------------------------------------------------------------ passes

class Passes : public AirspaceFile
{
protected:
    tv::FlightAirspaceRequest flight(bool airspaces, bool circuits)
    {
        tv::FlightAirspaceRequest r;
        r.airspaces = airspaces;
        r.circuits = circuits;
        r.view = {48.40, 48.60, 9.40, 9.60};
        return r;
    }
    // An empty altitude: all airspaces.
    tv::PlanAirspaceRequest plan(bool airspaces, std::optional<double> altitudeFt, bool circuits)
    {
        tv::PlanAirspaceRequest r;
        r.switches = {airspaces, altitudeFt, circuits};
        r.view = {48.40, 48.60, 9.40, 9.60};
        return r;
    }
    void addCircuit(int32_t index, double lat, double lon)
    {
        Limits l;
        l.type = "A";
        addSquare(index, lat, lon, l);
    }
    void addHigh(int32_t index, double lat, double lon)
    {
        Limits l;
        l.type = "C";
        l.low = 9500;
        l.lowType = "";
        l.high = 12500;
        addSquare(index, lat, lon, l);
    }

    tv::AirspaceLayer layer;
};

TEST_F(Passes, TrafficCircuitsOnlyInTheirOwnPassAndOnlyInTheView)
{
    addSquare(1, 48.50, 9.50);
    addCircuit(2, 48.50, 9.50);
    addSquare(3, 48.70, 9.50);  // outside the view, inside the widened box
    addCircuit(4, 48.70, 9.50); // outside the view: the circuit pass does not widen
    const tv::AirspaceDrawing airspaces = layer.flightMap(db, flight(true, false));
    EXPECT_EQ(airspaces.airspaceCount, 2);
    EXPECT_EQ(airspaces.strokes.size(), 8u);
    const tv::AirspaceDrawing circuits = layer.flightMap(db, flight(false, true));
    EXPECT_EQ(circuits.airspaceCount, 0);
    ASSERT_EQ(circuits.strokes.size(), 4u);
    EXPECT_EQ(circuits.strokes[0].colour, tv::kTrafficCircuitColour);
    EXPECT_FALSE(circuits.faulty);
}

TEST_F(Passes, WithoutAnAirspaceFileNothingIsDrawnAndNothingIsWrong)
{
    const tv::AirspaceDrawing d = layer.flightMap(nullptr, flight(true, true));
    EXPECT_TRUE(d.strokes.empty());
    EXPECT_FALSE(d.faulty);
}

TEST_F(Passes, ThirtyOneAndThirtyTwoAirspacesAreCounted)
{
    for (int i = 1; i <= 31; ++i)
        addSquare(i, 48.45 + 0.003 * i, 9.45);
    EXPECT_EQ(layer.flightMap(db, flight(true, false)).airspaceCount, 31);
    addSquare(32, 48.50, 9.50);
    tv::AirspaceLayer another; // the layer keeps what it read: the file as it is now
    EXPECT_EQ(another.flightMap(db, flight(true, false)).airspaceCount, 32);
}

TEST_F(Passes, PlanMapNoneDrawsNothingEvenWithCircuitsOn)
{
    addSquare(1, 48.50, 9.50);
    addCircuit(2, 48.50, 9.50);
    const tv::PlanAirspaceDrawing none = layer.planMap(db, plan(false, std::nullopt, true));
    EXPECT_FALSE(none.boxVisible);
    EXPECT_TRUE(none.drawing.strokes.empty());
}

TEST_F(Passes, PlanMapAllDrawsEveryAltitudeAndCircuitsByTheirSwitch)
{
    addSquare(1, 48.50, 9.50);
    addHigh(2, 48.50, 9.50);
    addCircuit(3, 48.50, 9.50);
    const tv::PlanAirspaceDrawing all = layer.planMap(db, plan(true, std::nullopt, false));
    EXPECT_TRUE(all.boxVisible);
    EXPECT_EQ(all.boxText, "Alle Lufträume");
    EXPECT_EQ(all.drawing.airspaceCount, 2);
    EXPECT_EQ(all.drawing.strokes.size(), 8u);
    const tv::PlanAirspaceDrawing withCircuits = layer.planMap(db, plan(true, std::nullopt, true));
    EXPECT_EQ(withCircuits.drawing.strokes.size(), 12u);
}

TEST_F(Passes, PlanMapAtOneAltitudeShowsCircuitsAtEveryAltitude)
{
    addSquare(1, 48.50, 9.50);  // GND - 2500
    addHigh(2, 48.50, 9.50);    // 9500 - 12500
    addCircuit(3, 48.50, 9.50); // GND - 2500
    const tv::PlanAirspaceDrawing at = layer.planMap(db, plan(true, 10000, true));
    EXPECT_EQ(at.boxText, "Luftraum in 10000 ft");
    EXPECT_EQ(at.drawing.airspaceCount, 1);
    EXPECT_EQ(at.drawing.strokes.size(), 8u); // airspace 2 and the circuit
}

TEST_F(Passes, PlanMapSelectionThatFailsIsReportedNotDrawn)
{
    addSquare(1, 48.50, 9.50);
    db->Execute("DROP TABLE \"Luftraum\"");
    const tv::PlanAirspaceDrawing bad = layer.planMap(db, plan(true, 3500, true));
    EXPECT_TRUE(bad.boxVisible);
    EXPECT_TRUE(bad.drawing.faulty);
    EXPECT_TRUE(bad.drawing.strokes.empty());
}

TEST_F(Passes, RowsReadOnceAreKeptForTheSameFile)
{
    addSquare(1, 48.50, 9.50);
    const double firstEdgeEnd = layer.flightMap(db, flight(true, false)).strokes[0].to.lonDeg;
    EXPECT_EQ(layer.store().size(), 1u);
    // The file does not change while the program runs: a change behind its back is not read.
    db->Execute("UPDATE \"Luftraum\" SET \"Long\" = 9.55 WHERE \"PNumber\" = 2");
    EXPECT_EQ(layer.flightMap(db, flight(true, false)).strokes[0].to.lonDeg, firstEdgeEnd);
    // Another connection (the file opened anew) starts afresh.
    auto other = std::make_shared<tv::Connection>();
    other->Open(file.string());
    EXPECT_NEAR(layer.flightMap(other, flight(true, false)).strokes[0].to.lonDeg, 9.0 + 55 / 60.0,
                1e-9);
}

} // namespace
} // namespace astest
