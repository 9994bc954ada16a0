#include "route/RouteFixture.h"
#include "support/BgrColours.h"
#include "support/HeldDataFile.h"
#include "support/NmeaText.h"
#include "support/QtPrint.h"

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

// The flight window over a chart of 48°-49° N, 11°-12° E (1000 x 800 pixels shown whole in a
// 500 x 400 map) with two routes of three points up the meridians 11°30' ("EDDS - EDMA", chosen
// first) and 11°45' ("Augsburg - Ulm"), the route line on, and the waypoint Kirchheim.
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
            data.addPoint(eddsEdma, i, "EDDS - EDMA " + std::to_string(i), 48.0 + i * 0.1, 11.30);
            data.addPoint(augsburgUlm, i, "Augsburg - Ulm " + std::to_string(i), 48.0 + i * 0.1,
                          11.45);
        }
        data.db->Execute("INSERT INTO Waypoints (Name, Lat, Long, Kategorie) "
                         "VALUES ('Kirchheim', 48.40, 11.15, '')");
        data.db->Execute("INSERT INTO Maps (Name, Unten, Oben, Links, Rechts, Breite, \"Höhe\", "
                         "Active) VALUES ('test.png', 48.0, 49.0, 11.0, 12.0, 1000, 800, 1)");
        QImage image(1000, 800, QImage::Format_RGB32);
        image.fill(Qt::white);
        EXPECT_TRUE(image.save(QString::fromStdString((data.dir / "Karten/test.png").string())));

        w = std::make_unique<frmGPSmain>();
        setUpRouteGrid(*w);
        w->Form_Load();
        w->mapSurface().resize(500, 400);
        w->InitializeData();
        w->mapView.setSliderValue(100);
        w->mapView.applyZoom();
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

    // The route as title, route box, grid (its first row) and map (the line between the first
    // two points) show it; all of them when they differ.
    QString routeShown()
    {
        RouteGridModel* grid = routeGridModel(*w);
        const auto lineAt = [&](double lon) { return colourAt({48.25, lon}) == kRouteLineColour; };
        const QStringList all = {
            w->tRoute->text(), w->cmbRoute->currentText(),
            grid->rowCount() == 3 ? grid->index(0, 1).data().toString().chopped(2) : "?",
            lineAt(11.5) == lineAt(11.75) ? "?"
            : lineAt(11.5)                ? "EDDS - EDMA"
                                          : "Augsburg - Ulm"};
        return all.count(all[0]) == all.size() ? all[0] : all.join(" | ");
    }
    int64_t colourAt(GeoPos p, double dx = 0)
    {
        const QPointF px = *w->mapView.positionToView(p);
        return w->mapSurface().Point(px.x() + dx, px.y());
    }
    bool waypointOnMap() { return colourAt({48.0 + 40.0 / 60.0, 11.25}, 5) == tvtest::bgr::kRed; }

    tvtest::RouteData data;
    const int64_t eddsEdma = data.addRoute("EDDS - EDMA", 1);
    const int64_t augsburgUlm = data.addRoute("Augsburg - Ulm", 2);
    std::unique_ptr<frmGPSmain> w;
};

const QString kMap = QStringLiteral(
    "Die Wegpunkte der Karte konnten nicht gelesen werden. Die Karte zeigt die zuletzt gelesenen.");

} // namespace

TEST(HeldDataFileWindow, EachActionKeepsOnePictureSaysWhyOnceAndWorksWhenTheFileIsFree)
{
    const struct
    {
        const char* what;
        std::function<void(frmGPSmain&)> act;
        std::vector<QString> told; // the messages' first sentences, in order
        QString routeAfter;        // the route shown once the file is free and it is done again
    } cases[] = {
        {"pick of the other route",
         [](frmGPSmain& w) {
             w.cmbRoute->setCurrentIndex(1);
             emit w.cmbRoute->activated(1);
         },
         {"Die Route \u201EAugsburg - Ulm\u201C konnte nicht geladen werden.", kMap},
         "Augsburg - Ulm"},
        {"GOTO", &frmGPSmain::cmdActivateGoto_Click, {kMap}, "EDDS - EDMA"},
        {"redraw", &frmGPSmain::UpdateMap, {kMap}, "EDDS - EDMA"},
        {"coming back to the window",
         &frmGPSmain::Form_Activate,
         {kMap, "Die Routen konnten nicht gelesen werden."},
         "EDDS - EDMA"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<QString> messages;
        Flight f(messages);
        const std::string file = (f.data.dir / "data.tvd").string();
        {
            tvtest::HeldDataFile held(file);
            c.act(*f.w);
            // Redraws go on from what was read last (that they do not wait for the lock is
            // bench_updatemap's to show).
            f.w->UpdateMap();
            f.w->UpdateMap();
            EXPECT_EQ(f.routeShown(), "EDDS - EDMA");
            EXPECT_TRUE(f.waypointOnMap()) << "the waypoints read last are drawn";
            std::vector<QString> told;
            for (const QString& first : c.told)
                told.push_back(first + "\n\nDie Datei " + QString::fromStdString(file) +
                               " wird von einem anderen Programm gesperrt.");
            EXPECT_EQ(messages, told);
        }
        messages.clear();
        c.act(*f.w);
        f.w->UpdateMap();
        EXPECT_EQ(messages, std::vector<QString>{});
        EXPECT_EQ(f.routeShown(), c.routeAfter);

        // Read again, the file held once more is told once more.
        tvtest::HeldDataFile held(file);
        f.w->UpdateMap();
        EXPECT_EQ(messages.size(), 1u);
    }
}
