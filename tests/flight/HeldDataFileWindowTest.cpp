#include "route/RouteFixture.h"
#include "support/BgrColours.h"
#include "support/HeldDataFile.h"
#include "support/NmeaText.h"
#include "support/QtPrint.h"

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

using namespace tv;

namespace {

// The flight window over a chart of 48°-49° N, 11°-12° E (1000 x 800 pixels shown whole in a
// 500 x 400 map) with two routes of three points up the meridians 11°30' ("EDDS - EDMA", chosen
// first) and 11°45' ("Augsburg - Ulm"), the route line on, and the waypoint Kirchheim.
struct Flight
{
    Flight()
    {
        MainConnection = data.db;
        setMsgBoxHook([this](const MsgRecord& m) { return told.push_back(m.text), MsgResult::Ok; });
        for (const auto& [name, lon] :
             {std::pair{"EDDS - EDMA", 11.30}, {"Augsburg - Ulm", 11.45}}) {
            const int64_t route = data.addRoute(name, lon);
            for (int i = 1; i <= 3; ++i)
                data.addPoint(route, i, name + (" " + std::to_string(i)), 48.0 + i * 0.1, lon);
        }
        data.db->Execute("INSERT INTO Waypoints (Name, Lat, Long, Kategorie) "
                         "VALUES ('Kirchheim', 48.40, 11.15, '')");
        data.db->Execute("INSERT INTO Maps (Name, Unten, Oben, Links, Rechts, Breite, \"Höhe\", "
                         "Active) VALUES ('test.png', 48.0, 49.0, 11.0, 12.0, 1000, 800, 1)");
        QImage image(1000, 800, QImage::Format_RGB32);
        image.fill(Qt::white);
        EXPECT_TRUE(image.save(QString::fromStdString((data.dir / "Karten/test.png").string())));
        setUpRouteGrid(*w);
        w->Form_Load();
        w->mapSurface().resize(500, 400);
        w->InitializeData();
        w->mapView.setSliderValue(100);
        w->mapView.applyZoom();
        w->Form_Activate();
        w->layers.ShowRoute = true;
        w->HandleInput(tvtest::fixAt(48.0 + 10.0 / 60.0, 11.9));
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
        const auto line = [&](double lon) { return colourAt({48.25, lon}) == kRouteLineColour; };
        const QString row = grid->rowCount() == 3 ? grid->index(0, 1).data().toString() : "?";
        QStringList all = {w->tRoute->text(), w->cmbRoute->currentText(), row.chopped(2),
                           QString(line(11.5) ? "EDDS - EDMA" : "") +
                               (line(11.75) ? "Augsburg - Ulm" : "")};
        all.removeDuplicates();
        return all.join(" | ");
    }
    int64_t colourAt(GeoPos p, double dx = 0)
    {
        const QPointF px = *w->mapView.positionToView(p);
        return w->mapSurface().Point(px.x() + dx, px.y());
    }

    tvtest::RouteData data;
    std::unique_ptr<frmGPSmain> w = std::make_unique<frmGPSmain>();
    std::vector<QString> told;
};

} // namespace

TEST(HeldDataFileWindow, EachActionKeepsOnePictureSaysWhyOnceAndWorksWhenTheFileIsFree)
{
    const QString map = "Die Wegpunkte der Karte konnten nicht gelesen werden. Die Karte zeigt "
                        "die zuletzt gelesenen.";
    const struct
    {
        const char* what;
        std::function<void(frmGPSmain&)> act;
        std::vector<QString> told; // the messages' first sentences, in order
        QString routeAfter;        // the route shown once the file is free and it is done again
    } cases[] = {
        {"pick of the other route",
         [](frmGPSmain& w) { w.cmbRoute->setCurrentIndex(1), emit w.cmbRoute->activated(1); },
         {"Die Route \u201EAugsburg - Ulm\u201C konnte nicht geladen werden.", map},
         "Augsburg - Ulm"},
        {"GOTO", &frmGPSmain::cmdActivateGoto_Click, {map}, "EDDS - EDMA"},
        {"coming back",
         &frmGPSmain::Form_Activate,
         {map, "Die Routen konnten nicht gelesen werden."},
         "EDDS - EDMA"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Flight f;
        const std::string file = (f.data.dir / "data.tvd").string();
        {
            tvtest::HeldDataFile held(file);
            c.act(*f.w);
            // Redraws go on from what was read last, told once.
            f.w->UpdateMap();
            f.w->UpdateMap();
            EXPECT_EQ(f.routeShown(), "EDDS - EDMA");
            EXPECT_EQ(f.colourAt({48.0 + 40.0 / 60.0, 11.25}, 5), tvtest::bgr::kRed) << "Kirchheim";
            std::vector<QString> told;
            for (const QString& first : c.told)
                told.push_back(first + "\n\nDie Datei " + QString::fromStdString(file) +
                               " wird von einem anderen Programm gesperrt.");
            EXPECT_EQ(f.told, told);
        }
        f.told.clear();
        c.act(*f.w);
        f.w->UpdateMap();
        EXPECT_EQ(f.told, std::vector<QString>{});
        EXPECT_EQ(f.routeShown(), c.routeAfter);
    }
}
