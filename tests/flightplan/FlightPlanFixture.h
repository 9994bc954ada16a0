#pragma once

// A program folder with data.tvd open as MainConnection, routes added by code, and the flight
// plan window loaded on it. Message boxes and modal dialogs are answered and recorded.

#include "core/Variablen.h"
#include "core/forms/Forms.h"
#include "flightplan/frmFlugPlan.h"
#include "schema/TestDb.h"
#include "support/WindowTestBase.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace fplantest {

struct Pt
{
    std::string name;
    double lat; // DD.MM
    double lon; // DD.MM
};

class FlightPlanWindowTest : public tvtest::WindowTestBase
{
protected:
    void SetUp() override
    {
        WindowTestBase::SetUp();
        layout();
        openMainConnection();
    }

    int answerModal(tv::DialogForm& d) override
    {
        dialogs.push_back(d.formName());
        return 0;
    }

    // Adds a route with its points (Nummer 1..n) and returns its RouteID.
    std::int64_t addRoute(const std::string& name, const std::vector<Pt>& points)
    {
        tvtest::TestDb db(dir / "data.tvd");
        const auto count = db.column("SELECT COUNT(*) FROM Route");
        const std::string nummer = std::to_string(std::stoi(count.at(0)) + 1);
        sqliteInsert(db, "INSERT INTO Route (Name, Nummer) VALUES (?, " + nummer + ")", {name});
        const std::string id = db.column("SELECT MAX(RouteID) FROM Route").at(0);
        int n = 1;
        for (const Pt& p : points)
            addPoint(db, id, n++, p);
        return std::stoll(id);
    }
    // Adds a point at place `nummer` (a fraction puts it between two points).
    void insertPoint(std::int64_t routeId, double nummer, const Pt& p)
    {
        tvtest::TestDb db(dir / "data.tvd");
        addPoint(db, std::to_string(routeId), nummer, p);
    }

    tv::frmFlugPlan& window() { return tv::forms().get<tv::frmFlugPlan>(); }

    // Opens the window as the main frame does: loaded, then activated.
    tv::frmFlugPlan& open()
    {
        tv::frmFlugPlan& w = window();
        w.resize(1113, 700);
        w.Form_Activate();
        return w;
    }

    void choose(const QString& route)
    {
        QComboBox* box = window().cmbRoute;
        const int i = box->findText(route);
        ASSERT_GE(i, 0) << route.toStdString();
        box->setCurrentIndex(i);
    }

    void setBoxes(const std::array<const char*, 5>& texts)
    {
        tv::frmFlugPlan& w = window();
        const std::array<QLineEdit*, 5> b{w.tVAR, w.tFF, w.tSpeed, w.tWinddir, w.tWindspeed};
        for (std::size_t i = 0; i < b.size(); ++i)
            b[i]->setText(QString::fromUtf8(texts[i]));
    }

    QAbstractItemModel* grid() { return window().gridFlug->model(); }
    QString cell(int row, int column) { return grid()->index(row, column).data().toString(); }
    bool edit(int row, int column, const QString& text)
    {
        return grid()->setData(grid()->index(row, column), text, Qt::EditRole);
    }

    std::string planFile(const std::string& route) const
    {
        return tvtest::readFile(dir.path() / "Flugplan" / route);
    }

    std::vector<QString> dialogs;

private:
    static void sqliteInsert(tvtest::TestDb& db, const std::string& sql,
                             const std::vector<std::string>& params)
    {
        db.column(sql, params);
    }
    template <class N>
    static void addPoint(tvtest::TestDb& db, const std::string& routeId, N nummer, const Pt& p)
    {
        db.column("INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) "
                  "VALUES (?, ?, 0, ?, ?, ?)",
                  {routeId, std::to_string(nummer), p.name, std::to_string(p.lat),
                   std::to_string(p.lon)});
    }
};

// Three legs of 30 NM due north from 48°00' N 9°00' E.
inline std::vector<Pt> northbound()
{
    return {{"Start", 48.00, 9.00},
            {"Eins", 48.30, 9.00},
            {"Zwei", 49.00, 9.00},
            {"Ziel", 49.30, 9.00}};
}

} // namespace fplantest
