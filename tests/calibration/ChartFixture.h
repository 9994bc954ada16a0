#pragma once

// A program folder with data.tvd and an empty Karten folder; Maps rows and chart files are
// added by each test.

#include "platform/Connection.h"
#include "schema/Layout.h"
#include "schema/TestDb.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace caltest {

class ChartFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tv::schema::layoutProgramFolder(dir.path());
        connection.Open((dir / "data.tvd").string());
        raw = std::make_unique<tvtest::TestDb>(dir / "data.tvd");
    }

    std::filesystem::path karten() const { return dir / "Karten"; }

    void image(const std::string& name, const std::string& content = "x") const
    {
        tvtest::writeFile(karten() / name, content);
    }

    void mapsRow(const std::string& name, double unten, double oben, double links, double rechts,
                 int breite, int hoehe, bool active)
    {
        raw->exec("INSERT INTO Maps (Name, Unten, Oben, Links, Rechts, Breite, \"Höhe\", Active) "
                  "VALUES ('" +
                  name + "', " + std::to_string(unten) + ", " + std::to_string(oben) + ", " +
                  std::to_string(links) + ", " + std::to_string(rechts) + ", " +
                  std::to_string(breite) + ", " + std::to_string(hoehe) + ", " +
                  (active ? "1" : "0") + ")");
    }

    // One column of Maps for the row named `name`, as SQLite holds it.
    std::vector<std::string> field(const std::string& column, const std::string& name)
    {
        return raw->column("SELECT \"" + column + "\" FROM Maps WHERE Name = ?", {name});
    }
    std::vector<std::string> names() { return raw->column("SELECT Name FROM Maps ORDER BY Name"); }

    tvtest::TempDir dir;
    tv::Connection connection;
    std::unique_ptr<tvtest::TestDb> raw;
};

} // namespace caltest
