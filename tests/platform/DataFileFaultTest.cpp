// A data file failing underneath an open connection: each fault is told as what it is, and the
// connection works again by itself once the fault ends, reopening the file where needed.

#include "DbFixture.h"

#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "support/HeldDataFile.h"
#include "support/ReadOnlyFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using tv::Connection;
using tv::DataFault;
using tv::DbError;
using tvtest::TempDir;

namespace {

struct Folder
{
    TempDir dir;
    std::filesystem::path path = dir / "data.tvd";
    Connection db;
    Folder()
    {
        tvtest::makeDatabase(path, "CREATE TABLE Waypoints (Name TEXT); "
                                   "INSERT INTO Waypoints VALUES ('Ulm');");
        db.Open(path.string());
    }
    std::string names()
    {
        std::string all;
        db.ForEachRow("SELECT Name FROM Waypoints ORDER BY rowid", {},
                      [&](const tv::QueryRow& row) { all += row.text(0) + ";"; });
        return all;
    }
    void add(const std::string& name)
    {
        db.Execute("INSERT INTO Waypoints VALUES (?)", {tv::Value(name)});
    }
};

DataFault faultOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const DbError& e) {
        return e.fault();
    }
    return DataFault::None;
}

} // namespace

TEST(DataFileFailing, EachFaultIsToldAsWhatItIsAndTheNextActionAfterItWorks)
{
    struct Case
    {
        const char* label;
        // Starts the fault; the fault ends when the returned object is destroyed.
        std::function<std::shared_ptr<void>(Folder&)> fault;
        DataFault read;  // what a read says during the fault
        DataFault write; // what a write says
    };
    const auto renamed = [](Folder& f) {
        std::filesystem::rename(f.path, f.dir / "data.bak");
        return std::shared_ptr<void>(
            nullptr, [&f](void*) { std::filesystem::rename(f.dir / "data.bak", f.path); });
    };
    const Case cases[] = {
        {"held by another program",
         [](Folder& f) { return std::make_shared<tvtest::HeldDataFile>(f.path); },
         DataFault::Locked, DataFault::Locked},
        {"disk full", [](Folder& f) { return std::make_shared<tvtest::FullDisk>(f.db); },
         DataFault::None, DataFault::DiskFull},
        {"read-only folder",
         [](Folder& f) { return std::make_shared<tvtest::ReadOnlyFolder>(f.dir.path()); },
         DataFault::None, DataFault::NoPermission},
        {"renamed away", renamed, DataFault::Missing, DataFault::Missing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Folder f;
        {
            const auto during = c.fault(f);
            EXPECT_EQ(faultOf([&] { f.names(); }), c.read);
            // A row larger than a page: the file must grow to take it.
            EXPECT_EQ(faultOf([&] { f.add(std::string(8000, 'A')); }), c.write);
        }
        f.add("Biberach");
        EXPECT_EQ(f.names(), "Ulm;Biberach;");
    }
}

TEST(DataFileFailing, AFileReplacedWhileOpenIsOpenedAgainAndChangesLandInIt)
{
    Folder f;
    std::filesystem::copy_file(f.path, f.dir / "backup.tvd");
    f.add("Aalen");
    // The backup is put back over the file the connection has open.
    std::filesystem::rename(f.dir / "backup.tvd", f.path);
    EXPECT_EQ(f.names(), "Ulm;");
    f.add("Biberach");
    EXPECT_EQ(tvtest::queryText(f.path, "SELECT group_concat(Name, ';') FROM Waypoints"),
              "Ulm;Biberach");
}
