#pragma once

// A program folder laid out from schema/ in a temporary folder, with connections to its main
// data file and airport data file, for the route file and airport import tests.

#include "platform/Connection.h"
#include "schema/Layout.h"
#include "schema/TestDb.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace importtest {

class ProgramFolder
{
    tvtest::TempDir dir_; // first: removed after the connections are closed

public:
    ProgramFolder()
    {
        tv::schema::LayoutOptions options;
        options.airports = true;
        tv::schema::layoutProgramFolder(dir_.path(), options);
        data.Open((dir_ / "data.tvd").string());
        airports.Open((dir_ / "tvdata.tvd").string());
    }

    const std::filesystem::path& path() const { return dir_.path(); }
    std::filesystem::path operator/(const std::string& name) const { return dir_ / name; }

    // Runs SQL (several statements allowed) on a data file of the folder, outside the
    // program's connections.
    void mainSql(const std::string& sql) { tvtest::TestDb(dir_ / "data.tvd").exec(sql); }
    void airportSql(const std::string& sql) { tvtest::TestDb(dir_ / "tvdata.tvd").exec(sql); }

    // First column of every row of a query on data.tvd, as text ("<null>" for NULL).
    std::vector<std::string> column(const std::string& sql)
    {
        return tvtest::TestDb(dir_ / "data.tvd").column(sql);
    }

    // Every row of the three tables an import writes, as text: compares a whole data file
    // before and after.
    std::vector<std::string> routeTables()
    {
        std::vector<std::string> rows;
        for (const char* sql :
             {"SELECT 'W' || quote(PointID) || quote(Name) || quote(Lat) || quote(Long) || "
              "quote(Kategorie) FROM Waypoints ORDER BY rowid",
              "SELECT 'R' || quote(RouteID) || quote(Name) || quote(Nummer) FROM Route "
              "ORDER BY rowid",
              "SELECT 'P' || quote(id) || quote(RouteID) || quote(Nummer) || quote(PointID) || "
              "quote(Name) || quote(Lat) || quote(Long) FROM GpsPoints ORDER BY rowid"}) {
            for (std::string& row : column(sql))
                rows.push_back(std::move(row));
        }
        return rows;
    }

    tv::Connection data;
    tv::Connection airports;
};

} // namespace importtest
