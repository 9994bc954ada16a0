#include "route/RouteFixture.h"
#include "support/BgrColours.h"
#include "support/HeldDataFile.h"
#include "support/NmeaText.h"

#include "core/GeoMath.h"
#include "core/Variablen.h"
#include "core/forms/MsgBox.h"
#include "flight/RouteGrid.h"
#include "flight/RouteWindow.h"
#include "flight/frmGPSmain.h"
#include "map/DrawSurface.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace tv;

namespace {

const QString kHeld = QStringLiteral("wird von einem anderen Programm gesperrt");
const QString kMapSentence = QStringLiteral("Die Wegpunkte der Karte konnten nicht gelesen");
const QString kPickSentence = QStringLiteral("Die Route \u201EAugsburg - Ulm\u201C konnte nicht");
const QString kListSentence = QStringLiteral("Die Routen konnten nicht gelesen werden.");

// The flight window over a chart of 48°-49° N, 11°-12° E (white, 1000 x 800 pixels shown whole
// in a 500 x 400 map) with two routes up the meridians 11°30' ("EDDS - EDMA", chosen first)
// and 11°45' ("Augsburg - Ulm"), a waypoint at 48°40' 11°15', the route line on.
class Flight
{
public:
    explicit Flight(std::vector<QString>& messages)
    {
        MainConnection = data.db;
        Language = 0;
        setMsgBoxHook([&messages](const MsgRecord& m) {
            messages.push_back(m.text);
            return MsgResult::Ok;
        });
        for (int i = 1; i <= 3; ++i) {
            data.addPoint(eddsEdma, i, "EDDS EDMA " + std::to_string(i), 48.0 + i * 0.1, 11.30);
            data.addPoint(augsburgUlm, i, "Augsburg Ulm " + std::to_string(i), 48.0 + i * 0.1,
                          11.45);
        }
        data.db->Execute("INSERT INTO Waypoints (Name, Lat, Long, Kategorie) "
                         "VALUES ('Kirchheim', 48.40, 11.15, '')");
        data.db->Execute("INSERT INTO Maps (Name, Unten, Oben, Links, Rechts, Breite, \"Höhe\", "
                         "Active) VALUES ('test.png', 48.0, 49.0, 11.0, 12.0, 1000, 800, 1)");
        QImage image(1000, 800, QImage::Format_RGB32);
        image.fill(Qt::white);
        EXPECT_TRUE(
            image.save(QString::fromStdString((data.dir / "Karten" / "test.png").string())));

        w = std::make_unique<frmGPSmain>();
        setUpRouteGrid(*w);
        w->Form_Load();
        w->mapSurface().resize(500, 400);
        w->InitializeData();
        w->mapView.setSliderValue(100);
        w->mapView.applyZoom();
        w->mapView.setCentredOnAircraft(false);
        w->Form_Activate();
        w->layers.ShowRoute = true;
        w->HandleInput(tvtest::fixAt(DDMMToDegrees(48.10), 11.9));
        w->UpdateMap();
    }

    ~Flight()
    {
        w.reset();
        setMsgBoxHook(nullptr);
        resetGlobalsForTesting();
    }

    int64_t mapColourAt(GeoPos p)
    {
        const QPointF px = *w->mapView.positionToView(p);
        return w->mapSurface().Point(px.x(), px.y());
    }
    // The route whose line the map shows between its first two points (48°10' and 48°20').
    QString routeOnMap()
    {
        const double between = 48.0 + 15.0 / 60.0;
        const bool first = mapColourAt({between, 11.5}) == kRouteLineColour;
        const bool second = mapColourAt({between, 11.75}) == kRouteLineColour;
        return first && !second ? "EDDS - EDMA" : !first && second ? "Augsburg - Ulm" : "?";
    }
    // The route whose points the grid shows, by the name of its first row.
    QString routeInGrid()
    {
        RouteGridModel* grid = routeGridModel(*w);
        const QString row = grid->rowCount() == 3 ? grid->index(0, 1).data().toString() : "";
        return row.startsWith("EDDS EDMA")      ? "EDDS - EDMA"
               : row.startsWith("Augsburg Ulm") ? "Augsburg - Ulm"
                                                : "?";
    }
    bool waypointOnMap()
    {
        const QPointF px = *w->mapView.positionToView({48.0 + 40.0 / 60.0, 11.25});
        return w->mapSurface().Point(px.x() + 5, px.y()) == tvtest::bgr::kRed;
    }
    void pickRoute(int index)
    {
        w->cmbRoute->setCurrentIndex(index);
        emit w->cmbRoute->activated(index);
    }

    tvtest::RouteData data;
    const int64_t eddsEdma = data.addRoute("EDDS - EDMA", 1);
    const int64_t augsburgUlm = data.addRoute("Augsburg - Ulm", 2);
    std::unique_ptr<frmGPSmain> w;
};

} // namespace

TEST(HeldDataFileWindow, EachActionKeepsOnePictureSaysWhyOnceAndWorksWhenTheFileIsFree)
{
    struct Case
    {
        const char* what;
        std::function<void(Flight&)> act;
        std::vector<QString> told; // first sentences of the messages, in order
        QString routeAfter;        // the route shown once the file is free and it is done again
    };
    const Case cases[] = {
        {"pick of the other route",
         [](Flight& f) { f.pickRoute(1); },
         {kPickSentence, kMapSentence},
         "Augsburg - Ulm"},
        {"WPT", [](Flight& f) { f.w->cmdWayInfo_Click(); }, {kMapSentence}, "EDDS - EDMA"},
        {"GOTO", [](Flight& f) { f.w->cmdActivateGoto_Click(); }, {kMapSentence}, "EDDS - EDMA"},
        {"redraw", [](Flight& f) { f.w->UpdateMap(); }, {kMapSentence}, "EDDS - EDMA"},
        {"coming back to the window",
         [](Flight& f) { f.w->Form_Activate(); },
         {kMapSentence, kListSentence},
         "EDDS - EDMA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<QString> messages;
        Flight f(messages);
        frmGPSmain* w = f.w.get();
        const auto& data = f.data;
        ASSERT_EQ(f.routeOnMap(), "EDDS - EDMA");
        ASSERT_TRUE(f.waypointOnMap());
        {
            tvtest::HeldDataFile held(data.dir / "data.tvd");
            c.act(f);
            // Redraws go on from what was read last (that they do not wait for the lock is
            // bench_updatemap's to show).
            w->UpdateMap();
            w->UpdateMap();
            EXPECT_EQ(w->tRoute->text(), "EDDS - EDMA");
            EXPECT_EQ(w->cmbRoute->currentText(), "EDDS - EDMA");
            EXPECT_EQ(f.routeInGrid(), "EDDS - EDMA");
            EXPECT_EQ(f.routeOnMap(), "EDDS - EDMA");
            EXPECT_TRUE(f.waypointOnMap()) << "the waypoints read last are drawn";
            ASSERT_EQ(messages.size(), c.told.size());
            for (size_t i = 0; i < messages.size(); ++i) {
                EXPECT_TRUE(messages[i].startsWith(c.told[i])) << messages[i].toStdString();
                EXPECT_TRUE(messages[i].contains(kHeld));
                EXPECT_TRUE(
                    messages[i].contains(QString::fromStdString((data.dir / "data.tvd").string())));
            }
        }
        messages.clear();
        c.act(f);
        w->UpdateMap();
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(w->tRoute->text(), c.routeAfter);
        EXPECT_EQ(w->cmbRoute->currentText(), c.routeAfter);
        EXPECT_EQ(f.routeInGrid(), c.routeAfter);
        EXPECT_EQ(f.routeOnMap(), c.routeAfter);

        // Read again, the file held once more is told once more.
        tvtest::HeldDataFile held(data.dir / "data.tvd");
        w->UpdateMap();
        EXPECT_EQ(messages.size(), 1u);
    }
}
