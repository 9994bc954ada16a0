#include "tools/DemoFolder.h"

#include "core/GeoMath.h"
#include "core/SettingsFile.h"
#include "map/ActiveCharts.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "schema/Layout.h"
#include "tools/DemoChart.h"
#include "tools/DemoData.h"

#include <QImage>
#include <QImageWriter>
#include <QString>

#include <initializer_list>
#include <map>
#include <stdexcept>

namespace tv::demo {
namespace {

namespace fs = std::filesystem;

bool pathTaken(const fs::path& p)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(p, ec));
}

long rowCount(Connection& db, const std::string& table)
{
    Recordset rs;
    // The table name is one of our own literals, never user text.
    rs.Open("SELECT COUNT(*) AS n FROM \"" + table + "\"", db);
    return static_cast<long>(rs.Fields("n").toInt());
}

bool allEmpty(Connection& db, std::initializer_list<const char*> tables)
{
    for (const char* t : tables)
        if (rowCount(db, t) != 0)
            return false;
    return true;
}

void writeChartImage(const fs::path& file)
{
    const QImage chart = drawDemoChart(demoChart());
    if (chart.isNull())
        throw std::runtime_error("Cannot draw the demo chart (out of memory?)");
    // Written beside the target and renamed, so a failed write leaves no broken chart behind.
    const fs::path temp = file.string() + ".part";
    QImageWriter writer(QString::fromStdString(temp.string()), "jpeg");
    writer.setQuality(88);
    if (!writer.write(chart)) {
        std::error_code ec;
        fs::remove(temp, ec);
        throw std::runtime_error("Cannot write the demo chart " + file.string() + ": " +
                                 writer.errorString().toStdString());
    }
    std::error_code ec;
    fs::rename(temp, file, ec);
    if (ec) {
        fs::remove(temp, ec);
        throw std::runtime_error("Cannot write the demo chart " + file.string());
    }
}

void save(const SettingsWriter& writer, const fs::path& file)
{
    if (!writer.save(file))
        throw std::runtime_error("Cannot write " + file.string());
}

// Karten/<image name without its three-letter extension>crm: four lines Unten, Oben, Links,
// Rechts, DD.MM, south and west negative.
void writeCalibrationFile(const fs::path& file)
{
    const DemoChart& c = demoChart();
    SettingsWriter w;
    w.writeNumber(c.untenDDMM)
        .writeNumber(c.obenDDMM)
        .writeNumber(c.linksDDMM)
        .writeNumber(c.rechtsDDMM);
    save(w, file);
}

void fillMainData(Connection& db)
{
    Connection::Transaction tx(db);
    if (rowCount(db, "Kategorie") == 0) {
        int n = 1;
        for (const std::string& k : demoCategories())
            db.Execute("INSERT INTO \"Kategorie\" (\"Kategorie\", \"Nummer\") VALUES (?, ?)",
                       {k, n++});
    }

    std::map<std::string, int64_t> pointIds;
    for (const DemoWaypoint& w : demoWaypoints()) {
        db.Execute("INSERT INTO \"Waypoints\" (\"Name\", \"Lat\", \"Long\", \"Kategorie\") "
                   "VALUES (?, ?, ?, ?)",
                   {w.name, w.latDDMM, w.lonDDMM, w.category});
        pointIds[w.name] = db.LastInsertId();
    }

    db.Execute("INSERT INTO \"Route\" (\"Name\", \"Nummer\") VALUES (?, ?)", {demoRouteName(), 1});
    const int64_t routeId = db.LastInsertId();
    int nummer = 1;
    for (const DemoWaypoint& w : demoRoutePoints()) {
        db.Execute("INSERT INTO \"GpsPoints\" (\"RouteID\", \"Nummer\", \"PointID\", \"Name\", "
                   "\"Lat\", \"Long\") VALUES (?, ?, ?, ?, ?, ?)",
                   {routeId, nummer++, pointIds.at(w.name), w.name, w.latDDMM, w.lonDDMM});
    }

    const DemoChart& c = demoChart();
    db.Execute("INSERT INTO \"Maps\" (\"Name\", \"Unten\", \"Oben\", \"Links\", \"Rechts\", "
               "\"Breite\", \"Höhe\", \"Active\") VALUES (?, ?, ?, ?, ?, ?, ?, 1)",
               {c.name, c.untenDDMM, c.obenDDMM, c.linksDDMM, c.rechtsDDMM, c.widthPx, c.heightPx});
    tx.commit();
}

void fillAirportData(Connection& db)
{
    Connection::Transaction tx(db);
    for (const DemoAirport& a : demoAirports()) {
        int hardM = 0;
        int grassM = 0;
        for (const DemoRunway& r : a.runways) {
            int& longest = r.grass ? grassM : hardM;
            if (r.lengthM > longest)
                longest = r.lengthM;
            db.Execute("INSERT INTO \"RWY\" (\"ICAO\", \"rwy\", \"RWYHdg\", \"Surface\", "
                       "\"LENGTH\") VALUES (?, ?, ?, ?, ?)",
                       {a.icao, r.designation, r.heading, r.grass ? "1" : "0", r.lengthM});
        }
        db.Execute("INSERT INTO \"ARPT\" (\"ICAO\", \"WGS_DLAT\", \"WGS_DLONG\", \"RWYALen\", "
                   "\"RWYGLen\") VALUES (?, ?, ?, ?, ?)",
                   {a.icao, a.latDeg, a.lonDeg, hardM, grassM});
        for (const DemoStation& s : a.stations)
            db.Execute("INSERT INTO \"ACOM\" (\"ICAO\", \"Name\", \"Freq\") VALUES (?, ?, ?)",
                       {a.icao, s.name, s.frequencyMHz});
    }
    for (const auto& [prefix, country] : demoCountries())
        db.Execute("INSERT INTO \"ICAOCODE\" (\"ICAO\", \"Name\") VALUES (?, ?)",
                   {prefix, country});
    tx.commit();
}

void fillAirspaceData(Connection& db, bool withRelease)
{
    Connection::Transaction tx(db);
    int mainIndex = 1;
    for (const DemoAirspace& a : demoAirspaces()) {
        int pnumber = 1;
        for (const DemoAirspaceRow& r : a.rows) {
            const bool arc = r.drawType == "DB";
            db.Execute(
                "INSERT INTO \"Luftraum\" (\"MainIndex\", \"AspType\", \"Index\", \"Low\", "
                "\"High\", \"LowType\", \"HighType\", \"Drawtype\", \"Lat\", \"Long\", "
                "\"arcRad\", \"arcLat\", \"arcLong\", \"Arcx1\", \"Arcy1\", \"Arcx2\", "
                "\"Arcy2\", \"arcDir\", \"PNumber\") "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                {mainIndex++, a.type, a.index, a.lowFt, a.highFt, a.lowType, a.highType, r.drawType,
                 r.latDDMM, r.lonDDMM, r.drawType == "DC" ? Value(r.radiusNm) : Value(),
                 arc ? Value(r.centreLatDDMM) : Value(), arc ? Value(r.centreLonDDMM) : Value(),
                 arc ? Value(r.latDDMM) : Value(), arc ? Value(r.lonDDMM) : Value(),
                 arc ? Value(r.endLatDDMM) : Value(), arc ? Value(r.endLonDDMM) : Value(),
                 arc ? Value(r.direction) : Value(), pnumber++});
        }
    }
    if (withRelease)
        db.Execute("INSERT INTO \"RELEASE\" (\"Datum\") VALUES (?)", {formatIsoDate(today())});
    tx.commit();
}

} // namespace

DemoFolderReport prepareDemoFolder(const fs::path& folder)
{
    DemoFolderReport report;
    const fs::path dataFile = folder / "data.tvd";
    const fs::path airportFile = folder / "tvdata.tvd";
    const fs::path airspaceFile = folder / "Luftraum.tvd";

    schema::LayoutOptions options;
    options.airspace = schema::AirspaceFile::WithRelease;
    options.airports = true;
    schema::layoutProgramFolder(folder, options);

    const DemoChart& chart = demoChart();
    const fs::path chartFile = folder / "Karten" / chart.name;
    if (pathTaken(chartFile)) {
        report.kept.push_back(chartFile.string());
    } else {
        writeChartImage(chartFile);
        report.made.push_back(chartFile.string());
    }
    const fs::path calibrationFile =
        folder / "Karten" / (chart.name.substr(0, chart.name.size() - 3) + "crm");
    if (pathTaken(calibrationFile)) {
        report.kept.push_back(calibrationFile.string());
    } else {
        writeCalibrationFile(calibrationFile);
        report.made.push_back(calibrationFile.string());
    }

    {
        Connection db;
        db.Open(dataFile.string());
        if (allEmpty(db, {"Waypoints", "Route", "GpsPoints", "Maps"})) {
            fillMainData(db);
            report.made.push_back(dataFile.string() + ": waypoints, route \"" + demoRouteName() +
                                  "\", chart " + chart.name);
        } else {
            report.kept.push_back(dataFile.string() + " (holds waypoints, routes or charts)");
        }
    }
    {
        Connection db;
        db.Open(airportFile.string());
        if (allEmpty(db, {"ARPT", "RWY", "ACOM", "ICAOCODE"})) {
            fillAirportData(db);
            report.made.push_back(airportFile.string() + ": airports");
        } else {
            report.kept.push_back(airportFile.string() + " (holds airports)");
        }
    }
    {
        Connection db;
        db.Open(airspaceFile.string());
        if (rowCount(db, "Luftraum") == 0) {
            fillAirspaceData(db, rowCount(db, "RELEASE") == 0);
            report.made.push_back(airspaceFile.string() + ": airspaces");
        } else {
            report.kept.push_back(airspaceFile.string() + " (holds airspaces)");
        }
    }

    // The chart and route the flight window opens with: chart name, route name.
    const fs::path lastMap = folder / "kartendaten.crm";
    if (pathTaken(lastMap)) {
        report.kept.push_back(lastMap.string());
    } else {
        if (!writeLastMapFile(lastMap, chart.name, demoRouteName()))
            throw std::runtime_error("Cannot write " + lastMap.string());
        report.made.push_back(lastMap.string());
    }
    // Layer switches of the flight window, in its order: airspaces, airspace labels, traffic
    // circuits, route line, waypoint names, airports, airport details.
    const fs::path layers = folder / "Set.crm";
    if (pathTaken(layers)) {
        report.kept.push_back(layers.string());
    } else {
        SettingsWriter w;
        for (bool on : {true, false, true, true, true, true, false})
            w.writeBool(on);
        save(w, layers);
        report.made.push_back(layers.string());
    }
    return report;
}

} // namespace tv::demo
