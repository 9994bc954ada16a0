#pragma once

#include "core/GeoMath.h"
#include "map/DrawSurface.h"
#include "map/MapView.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "platform/Value.h"
#include "schema/Layout.h"
#include "support/BgrColours.h"
#include "support/ChartRows.h"
#include "support/PixelProbe.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>

#include <memory>
#include <string>
#include <vector>

namespace overlaytest {

using namespace tvtest::bgr;
using tvtest::chartRow;
using tvtest::countColour;
using tvtest::countInk;

constexpr uint32_t kDotRing = 0x001215;
constexpr uint32_t kChartPaper = 0xE0F0F0; // the plain chart image

// A 2000 x 1000 pixel chart from 9°00' E to 11°00' E and 48°00' N to 49°00' N, shown in a
// 1000 x 500 map at the top-left corner without zoom: one map pixel is one image pixel, and
// 0.001 degree is one pixel both ways (x = (lon - 9) * 1000, y = (49 - lat) * 1000).
inline tv::ChartRow testChart()
{
    return chartRow({.south = 48.00, .north = 49.00, .west = 9.00, .east = 11.00}, 2000, 1000);
}

inline QImage plainChartImage()
{
    QImage image(2000, 1000, QImage::Format_RGB32);
    image.fill(tv::vbColor(kChartPaper));
    return image;
}

inline tv::MapView loadedView()
{
    tv::MapView view;
    view.setViewSize(1000, 500);
    EXPECT_EQ(view.loadChart(testChart(), plainChartImage()), tv::MapView::LoadResult::Loaded);
    view.setCentredOnAircraft(false);
    return view;
}

// DD.MM latitude and longitude of a map pixel of loadedView().
inline double latAt(double y)
{
    return tv::DegreesToDDMM(49.0 - y / 1000.0);
}
inline double lonAt(double x)
{
    return tv::DegreesToDDMM(9.0 + x / 1000.0);
}
// Decimal degrees of a map pixel.
inline tv::GeoPos positionAt(double x, double y)
{
    return {49.0 - y / 1000.0, 9.0 + x / 1000.0};
}

// The map picture: white, as large as the view.
inline tv::DrawSurface mapPicture()
{
    return tv::DrawSurface(1000, 500, kWhite);
}

// A program folder with the main data file and the airport data file, both open.
class DataFolder
{
public:
    DataFolder()
    {
        tv::schema::LayoutOptions options;
        options.airports = true;
        tv::schema::layoutProgramFolder(dir_.path(), options);
        main->Open((dir_.path() / "data.tvd").string());
        airports->Open((dir_.path() / "tvdata.tvd").string());
    }

    void addChart(const std::string& name, double unten, double oben, double links, double rechts,
                  bool active = true)
    {
        main->Execute("INSERT INTO Maps (Name, Unten, Oben, Links, Rechts, Breite, \"Höhe\", "
                      "Active) VALUES (?, ?, ?, ?, ?, 2000, 1000, ?)",
                      {name, unten, oben, links, rechts, active ? 1 : 0});
    }
    int64_t addWaypoint(const std::string& name, double latDDMM, double lonDDMM)
    {
        main->Execute("INSERT INTO Waypoints (Name, Lat, Long, Kategorie) VALUES (?, ?, ?, '')",
                      {name, latDDMM, lonDDMM});
        return lastId();
    }
    int64_t addRoute(const std::string& name)
    {
        main->Execute("INSERT INTO Route (Name, Nummer) VALUES (?, 1)", {name});
        return lastId();
    }
    void addRoutePoint(int64_t routeId, double nummer, int64_t pointId, const std::string& name,
                       double latDDMM, double lonDDMM)
    {
        main->Execute("INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) "
                      "VALUES (?, ?, ?, ?, ?, ?)",
                      {routeId, nummer, pointId, name, latDDMM, lonDDMM});
    }
    void addAirport(const std::string& icao, tv::Value hardLength, tv::Value grassLength)
    {
        airports->Execute("INSERT INTO ARPT (ICAO, RWYALen, RWYGLen) VALUES (?, ?, ?)",
                          {icao, hardLength, grassLength});
    }
    void addRunway(const std::string& icao, tv::Value rwy, tv::Value heading,
                   const std::string& surface, int length)
    {
        airports->Execute("INSERT INTO RWY (ICAO, rwy, RWYHdg, Surface, LENGTH) "
                          "VALUES (?, ?, ?, ?, ?)",
                          {icao, rwy, heading, surface, length});
    }
    void addStation(const std::string& icao, const std::string& name, const std::string& freq)
    {
        airports->Execute("INSERT INTO ACOM (ICAO, Name, Freq) VALUES (?, ?, ?)",
                          {icao, name, freq});
    }

    std::shared_ptr<tv::Connection> main = std::make_shared<tv::Connection>();
    std::shared_ptr<tv::Connection> airports = std::make_shared<tv::Connection>();

private:
    int64_t lastId()
    {
        tv::Recordset rs;
        rs.Open("SELECT last_insert_rowid() AS id", *main);
        return rs.Field("id").toInt();
    }

    tvtest::TempDir dir_;
};

} // namespace overlaytest
