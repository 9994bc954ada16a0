#pragma once

// An airspace data file made from schema/ in a temporary folder and opened as the program opens
// it, with builders for airspaces: circles, polygons and rows written field by field.

#include "platform/Connection.h"
#include "platform/Value.h"
#include "schema/Schema.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace astest {

// One Luftraum row; a field left empty is written as NULL.
struct Row
{
    std::string drawType = "DP";
    std::optional<double> lat, lon;
    std::optional<double> arcRad;
    std::optional<double> arcLat, arcLong, arcx1, arcy1, arcx2, arcy2;
    std::optional<std::string> arcDir;
};

inline Row dp(double lat, double lon)
{
    Row r;
    r.lat = lat;
    r.lon = lon;
    return r;
}

inline Row dc(double lat, double lon, double radiusNm)
{
    Row r;
    r.drawType = "DC";
    r.lat = lat;
    r.lon = lon;
    r.arcRad = radiusNm;
    return r;
}

// An arc about (cLat, cLon) from (x1, y1) to (x2, y2), all DD.MM. Lat/Long carry the start
// point, which is where the box test finds an arc row.
inline Row db(double cLat, double cLon, double x1, double y1, double x2, double y2,
              const std::string& dir)
{
    Row r;
    r.drawType = "DB";
    r.lat = x1;
    r.lon = y1;
    r.arcLat = cLat;
    r.arcLong = cLon;
    r.arcx1 = x1;
    r.arcy1 = y1;
    r.arcx2 = x2;
    r.arcy2 = y2;
    r.arcDir = dir;
    return r;
}

// Vertical limits and type shared by the rows of one airspace.
struct Limits
{
    std::optional<std::string> type = std::string("D");
    std::optional<double> low = 0.0;
    std::string lowType = "GND";
    std::optional<double> high = 2500.0;
    std::string highType;
};

inline tv::Value opt(const std::optional<double>& v)
{
    return v ? tv::Value(*v) : tv::Value();
}

class AirspaceFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        file = dir / "Luftraum.tvd";
        tv::schema::createDataFile(file, tv::schema::DataFile::Airspace);
        db = std::make_shared<tv::Connection>();
        db->Open(file.string());
    }

    // The rows get PNumber 1, 2, ... in order unless `pnumbers` gives them.
    void add(int32_t index, const Limits& limits, const std::vector<Row>& rows,
             const std::vector<std::optional<double>>& pnumbers = {})
    {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const Row& r = rows[i];
            const std::optional<double> pnumber =
                pnumbers.empty() ? std::optional<double>(static_cast<double>(i + 1)) : pnumbers[i];
            db->Execute(
                "INSERT INTO \"Luftraum\" (\"MainIndex\", \"AspType\", \"Index\", \"Low\", "
                "\"High\", \"LowType\", \"HighType\", \"Drawtype\", \"Lat\", \"Long\", \"arcRad\", "
                "\"arcLat\", \"arcLong\", \"Arcx1\", \"Arcy1\", \"Arcx2\", \"Arcy2\", \"arcDir\", "
                "\"PNumber\") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                {++mainIndex, limits.type ? tv::Value(*limits.type) : tv::Value(), index,
                 opt(limits.low), opt(limits.high), limits.lowType, limits.highType, r.drawType,
                 opt(r.lat), opt(r.lon), opt(r.arcRad), opt(r.arcLat), opt(r.arcLong), opt(r.arcx1),
                 opt(r.arcy1), opt(r.arcx2), opt(r.arcy2),
                 r.arcDir ? tv::Value(*r.arcDir) : tv::Value(), opt(pnumber)});
        }
    }

    // A small square (0.02° DD.MM side) at (lat, lon), one airspace.
    void addSquare(int32_t index, double lat, double lon, const Limits& limits = {})
    {
        add(index, limits,
            {dp(lat, lon), dp(lat, lon + 0.02), dp(lat - 0.02, lon + 0.02), dp(lat - 0.02, lon)});
    }

    tvtest::TempDir dir;
    std::filesystem::path file;
    std::shared_ptr<tv::Connection> db;
    int mainIndex = 0;
};

} // namespace astest
