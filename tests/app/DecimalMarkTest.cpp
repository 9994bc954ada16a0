// The decimal mark a pilot with German settings reads in every grid that shows numbers, and what
// a typed cell stores.
#include "core/forms/Forms.h"
#include "flightplan/frmFlugPlan.h"
#include "planning/frmPlanung.h"
#include "schema/TestDb.h"
#include "support/GermanLocale.h"
#include "support/WindowTestBase.h"
#include "tracks/frmTrack.h"

#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QTableView>

#include <functional>

namespace {

class DecimalMark : public tvtest::WindowTestBase
{
protected:
    void SetUp() override
    {
        WindowTestBase::SetUp();
        ASSERT_TRUE(german_.active()) << tvtest::kGermanLocaleMissing;
        QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
        layout();
        openMainConnection();
        tvtest::TestDb(dir / "data.tvd").exec(R"(
            INSERT INTO Waypoints (Name, Lat, Long, Kategorie) VALUES ('EDTY', 48.5027, 9.0512, '');
            INSERT INTO Route (Name, Nummer) VALUES ('Nord', 1);
            INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) VALUES
                (1, 1, 1, 'EDTY', 48.5027, 9.0512), (1, 1.5, 0, 'Mitte', 49.1, 9.2);)");
        tvtest::TestDb(dir / "track.tvd").exec(R"(
            INSERT INTO "List" ("Index", "Name") VALUES (3, '08Dec26 - 14:05');
            INSERT INTO "track" VALUES (3, 1, 48.123456, 8.25, 13.5, '2026-12-08', '14:05:33');)");
    }
    void TearDown() override
    {
        WindowTestBase::TearDown();
        QLocale::setDefault(QLocale::c());
    }

    static QString cell(const QTableView* grid, int row, int column)
    {
        return grid->model()->index(row, column).data().toString();
    }

private:
    tvtest::GermanCLocale german_;
};

} // namespace

TEST_F(DecimalMark, EveryNumberGridShowsTheUsersMark)
{
    tv::frmPlanung& plan = tv::forms().get<tv::frmPlanung>();
    plan.Form_Activate();
    tv::frmTrack& tracks = tv::forms().get<tv::frmTrack>();
    tracks.listTrack->setCurrentRow(0);
    tracks.listTrack_MouseUp();
    tv::frmFlugPlan& flightPlan = tv::forms().get<tv::frmFlugPlan>();
    flightPlan.Form_Activate();
    flightPlan.tVAR->setText(QStringLiteral("2,5"));
    flightPlan.cmdCalc_Click();

    const struct
    {
        const char* grid;
        const QTableView* view;
        int row;
        int column;
        QString text;
    } cells[] = {
        {"plan window: waypoint latitude", plan.gridWaypoints, 0, 1, "48,5027"},
        {"plan window: waypoint longitude", plan.gridWaypoints, 0, 2, "9,0512"},
        {"plan window: route point number", plan.gridPoints, 1, 0, "1,5"},
        {"track manager: latitude", tracks.gridTracks, 0, 2, "48,1235"},
        {"track manager: longitude", tracks.gridTracks, 0, 3, "8,25"},
        {"flight plan: variation", flightPlan.gridFlug, 1, 2, "2,5"},
    };
    for (const auto& c : cells)
        EXPECT_EQ(cell(c.view, c.row, c.column), c.text) << c.grid;

    // A typed cell reads either mark; the file keeps its point.
    QAbstractItemModel* waypoints = plan.gridWaypoints->model();
    for (const QString& typed : {QStringLiteral("48,5"), QStringLiteral("48.4")}) {
        ASSERT_TRUE(waypoints->setData(waypoints->index(0, 1), typed, Qt::EditRole))
            << typed.toStdString();
        EXPECT_EQ(cell(plan.gridWaypoints, 0, 1), QString(typed).replace('.', ','));
    }
    EXPECT_EQ(tvtest::TestDb(dir / "data.tvd").column("SELECT quote(Lat) FROM Waypoints"),
              std::vector<std::string>{"48.4"});
}
