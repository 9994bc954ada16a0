#pragma once

#include "core/Variablen.h"
#include "core/forms/RecordsetGridModel.h"
#include "map/DrawSurface.h"
#include "map/PictureBox.h"
#include "planning/frmPlanung.h"
#include "support/WindowTestBase.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QTableView>

#include <sqlite3.h>

#include <string>
#include <vector>

namespace tvtest {

// Another program holds the write lock of data.tvd while this lives: reading goes on, every
// write of the program fails (at once: the program's wait for the lock is cut to nothing).
class WriteLock
{
public:
    explicit WriteLock(const std::filesystem::path& file)
    {
        sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_busy_timeout(tv::MainConnection->handle(), 0);
    }
    ~WriteLock()
    {
        sqlite3_busy_timeout(tv::MainConnection->handle(), 2000);
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
    }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

private:
    sqlite3* db_ = nullptr;
};

// The pilot's click on a grid cell (the grid is shown).
inline void clickCell(QTableView* grid, int row, int column)
{
    const QModelIndex cell = grid->model()->index(row, column);
    grid->scrollTo(cell);
    const QPointF at = grid->visualRect(cell).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, grid->viewport()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &event);
    }
}

// The name in the row a grid highlights, as the pilot sees it; empty without one.
inline QString highlightedName(const QTableView* grid)
{
    const QAbstractItemModel* m = grid->model();
    for (int row = 0; row < m->rowCount(); ++row) {
        if (m->index(row, 1).data(Qt::BackgroundRole).isValid())
            return m->index(row, 1).data().toString().trimmed();
    }
    return {};
}

// "a|b|c": the names a grid shows, top to bottom (the route grids' name column is the second).
inline QString gridNames(const QTableView* grid, int column = 1)
{
    QStringList names;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        names << grid->model()->index(row, column).data().toString().trimmed();
    return names.join(QLatin1Char('|'));
}

// A program folder with data.tvd open and one active chart, "Alpen.bmp": 10°00' E to 12°00' E,
// 47°00' N to 48°00' N, 1000 x 500 pixels of one colour. Waypoints, routes and points are
// added with bound parameters; the plan window is loaded and activated by open().
class PlanWindowTest : public WindowTestBase
{
protected:
    static constexpr uint32_t kChartColour = 0xE0E0E0;

    void SetUp() override
    {
        WindowTestBase::SetUp();
        layout();
        openMainConnection();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void TearDown() override
    {
        WindowTestBase::TearDown();
        tv::setInputBoxHook(nullptr);
        QLocale::setDefault(QLocale::c());
    }

    void addChart(const std::string& name, double unten, double oben, double links, double rechts,
                  int w, int h, bool writePicture = true)
    {
        tv::MainConnection->Execute(
            "INSERT INTO Maps (Name, Unten, Oben, Links, Rechts, Breite, \"Höhe\", Active) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, 1)",
            {name, unten, oben, links, rechts, w, h});
        if (writePicture) {
            QImage image(w, h, QImage::Format_RGB32);
            image.fill(tv::vbColor(kChartColour));
            image.save(QString::fromStdString((dir / "Karten" / name).string()), "BMP");
        }
    }
    void addAlps() { addChart("Alpen.bmp", 47.00, 48.00, 10.00, 12.00, 1000, 500); }

    int64_t addWaypoint(const std::string& name, double lat, double lon,
                        const std::string& kategorie = "")
    {
        tv::MainConnection->Execute(
            "INSERT INTO Waypoints (Name, Lat, Long, Kategorie) VALUES (?, ?, ?, ?)",
            {name, lat, lon, kategorie});
        return tv::MainConnection->LastInsertId();
    }
    int64_t addRoute(const std::string& name, double nummer)
    {
        tv::MainConnection->Execute("INSERT INTO Route (Name, Nummer) VALUES (?, ?)",
                                    {name, nummer});
        return tv::MainConnection->LastInsertId();
    }
    int64_t addPoint(int64_t routeId, double nummer, const std::string& name, double lat,
                     double lon)
    {
        tv::MainConnection->Execute(
            "INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) "
            "VALUES (?, ?, 0, ?, ?, ?)",
            {routeId, nummer, name, lat, lon});
        return tv::MainConnection->LastInsertId();
    }

    tv::frmPlanung& open(int width = 945, int height = 527)
    {
        tv::frmPlanung& w = tv::forms().get<tv::frmPlanung>();
        w.resize(width, height);
        w.Form_Resize(width, height);
        w.Form_Activate();
        return w;
    }

    // "a|b|c" of a query's first column.
    std::string column(const std::string& sql, const std::vector<tv::Value>& params = {})
    {
        tv::Recordset rs;
        rs.Open(sql, *tv::MainConnection, params);
        std::string out;
        for (bool first = true; !rs.Eof(); rs.MoveNext(), first = false)
            out += (first ? "" : "|") + rs.Field(0).toString();
        return out;
    }

    static void type(tv::frmPlanung& w, const QString& name, const QString& lat, const QString& lon,
                     const QString& ns = "N", const QString& ew = "E")
    {
        w.tWaypoint[1]->setText(name);
        w.tWaypoint[2]->setText(lat);
        w.tWaypoint[3]->setText(lon);
        w.tNS->setText(ns);
        w.tEW->setText(ew);
    }

    static uint32_t pixel(tv::frmPlanung& w, double x, double y)
    {
        return static_cast<uint32_t>(w.picMap->surface().Point(x, y));
    }

    QString lastMessage() const { return messages.empty() ? QString() : messages.back().text; }
    // What follows a message's first sentence while another program holds data.tvd.
    QString lockedReason() const
    {
        return "\n\nDie Datei " + QString::fromStdString((dir / "data.tvd").string()) +
               " wird von einem anderen Programm gesperrt.";
    }
};

} // namespace tvtest
