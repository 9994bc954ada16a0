#include "planning/PlanRoutes.h"
#include "PlanData.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <functional>

namespace {

using tv::PlanRoutes;
using Write = PlanRoutes::Write;

std::string names(tv::Recordset& rs)
{
    std::string out;
    if (rs.State() != tv::Recordset::kStateOpen)
        return "closed";
    const bool hadRow = rs.HasCurrentRow();
    const auto keep = hadRow ? rs.Bookmark() : 0;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        out += (out.empty() ? "" : "|") + rs.Field("Name").toString();
    if (hadRow)
        rs.SetBookmark(keep);
    return out;
}

std::string current(const tv::Recordset& rs)
{
    return rs.HasCurrentRow() ? rs.Field("Name").toString() : "-";
}

// Routes R (P1..P4) and S (Q1); the pilot stands on R's point P2 (P4 for the last case). Each
// verb, stored or refused by a locked file, leaves both lists as stored and current rows that
// exist; after a delete the next row is current, after the last one the one before it.
TEST(PlanRoutes, EveryVerbShowsWhatIsStoredWithTheRightRowCurrent)
{
    struct Case
    {
        const char* what;
        std::function<Write(PlanRoutes&)> verb;
        bool locked;
        Write result;
        const char *routes, *route, *points, *point;
    };
    const tv::NewRoutePoint w{42, "W", 47.3, 10.3};
    const Case cases[] = {
        {"delete P2", [](PlanRoutes& r) { return r.deletePoint(); }, false, Write::Stored, "R|S",
         "R", "P1|P3|P4", "P3"},
        {"add W", [&](PlanRoutes& r) { return r.addPoint(w); }, false, Write::Stored, "R|S", "R",
         "P1|P2|W|P3|P4", "W"},
        {"new route", [](PlanRoutes& r) { return r.newRoute("N"); }, false, Write::Stored,
         "R|N|S", "N", "", "-"},
        {"delete R", [](PlanRoutes& r) { return r.deleteRoute(); }, false, Write::Stored, "S",
         "S", "Q1", "Q1"},
        {"locked delete", [](PlanRoutes& r) { return r.deletePoint(); }, true, Write::Failed,
         "R|S", "R", "P1|P2|P3|P4", "P2"},
        {"locked add", [&](PlanRoutes& r) { return r.addPoint(w); }, true, Write::Failed, "R|S",
         "R", "P1|P2|P3|P4", "P2"},
        {"locked route", [](PlanRoutes& r) { return r.deleteRoute(); }, true, Write::Failed,
         "R|S", "R", "P1|P2|P3|P4", "P2"},
        {"delete the last", [](PlanRoutes& r) {
             r.points().MoveLast();
             return r.deletePoint();
         },
         false, Write::Stored, "R|S", "R", "P1|P2|P3", "P3"},
    };
    for (const Case& c : cases) {
        tvtest::PlanData data;
        const int64_t r = data.addRoute("R", 1);
        data.addPoint(data.addRoute("S", 2), 1, "Q1", 47.0, 10.0);
        for (int i = 1; i <= 4; ++i)
            data.addPoint(r, i, "P" + std::to_string(i), 47.1, 10.0 + i / 10.0);
        PlanRoutes routes;
        routes.open(data.db.get());
        routes.points().MoveNext();
        sqlite3* lock = nullptr;
        if (c.locked) {
            sqlite3_open((data.dir / "data.tvd").c_str(), &lock);
            sqlite3_exec(lock, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
            sqlite3_busy_timeout(data.db->handle(), 0);
        }
        EXPECT_EQ(c.verb(routes), c.result) << c.what;
        sqlite3_close_v2(lock);
        EXPECT_EQ(names(routes.routes()), c.routes) << c.what;
        EXPECT_EQ(current(routes.routes()), c.route) << c.what;
        EXPECT_EQ(names(routes.points()), c.points) << c.what;
        EXPECT_EQ(current(routes.points()), c.point) << c.what;
    }
}

} // namespace
