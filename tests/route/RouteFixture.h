#pragma once

#include "platform/Connection.h"
#include "platform/ProgramFolder.h"
#include "schema/Layout.h"
#include "support/TempDir.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tvtest {

// A program folder with an empty data.tvd, opened the way the program opens it, and builders
// for routes and their points. Names go in as bound parameters, so any text works.
class RouteData
{
public:
    RouteData()
    {
        tv::schema::layoutProgramFolder(dir.path());
        tv::setProgramFolderForTesting(dir.path());
        db = std::make_shared<tv::Connection>();
        db->Open((dir / "data.tvd").string());
    }
    ~RouteData() { tv::setProgramFolderForTesting({}); }

    int64_t addRoute(const std::string& name, double nummer)
    {
        db->Execute("INSERT INTO Route (Name, Nummer) VALUES (?, ?)", {name, nummer});
        return db->LastInsertId();
    }

    // Position in DD.MM.
    int64_t addPoint(int64_t routeId, double nummer, const std::string& name, double lat,
                     double lon, int64_t pointId = 0)
    {
        db->Execute("INSERT INTO GpsPoints (RouteID, Nummer, PointID, Name, Lat, Long) "
                    "VALUES (?, ?, ?, ?, ?, ?)",
                    {routeId, nummer, pointId, name, lat, lon});
        return db->LastInsertId();
    }

    TempDir dir;
    std::shared_ptr<tv::Connection> db;
};

} // namespace tvtest
