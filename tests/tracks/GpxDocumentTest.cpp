#include "tracks/TrackFixture.h"

#include "core/Unprivileged.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "support/GermanLocale.h"
#include "tracks/GpxDocument.h"
#include "tracks/TrackList.h"

#include <QLocale>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string kHeader =
    "<?xml version=\"1.0\"?> \r\n"
    "<gpx\r\n"
    " version=\"1.1\"\r\n"
    " creator=\"Oskelund - http://www.tramvik.invalid\"\r\n"
    " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"  "
    "xmlns:topografix=\"http://www.topografix.com/GPX/Private/TopoGrafix/0/1\"\r\n"
    " xmlns=\"http://www.topografix.com/GPX/1/1\"\r\n"
    " xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 "
    "http://www.topografix.com/GPX/1/1/gpx.xsd\">";

const std::string kWaypoints = "\r\n\r\n<wpt lat=\"48.1235\" lon=\"8.\">\r\n"
                               " <ele>14</ele>\r\n"
                               " <name>1</name>\r\n"
                               "</wpt>"
                               "\r\n\r\n<wpt lat=\".5\" lon=\"-.25\">\r\n"
                               " <ele>-12</ele>\r\n"
                               " <name>2</name>\r\n"
                               "</wpt>";

const std::string kTrack = "<trk>\r\n<trkseg>"
                           "\r\n\r\n<trkpt lat=\"48.1235\" lon=\"8.\">\r\n"
                           " <ele>14</ele>\r\n"
                           " <time>2026-12-08T14:05:33Z</time>\r\n"
                           "</trkpt>"
                           "\r\n\r\n<trkpt lat=\".5\" lon=\"-.25\">\r\n"
                           " <ele>-12</ele>\r\n"
                           " <time>2026-12-08T14:05:43Z</time>\r\n"
                           "</trkpt>"
                           "\r\n</trkseg></trk>\r\n</gpx>\r\n";

// Track 12 with the two points of the export's examples, and a points set over it.
class GpxDocument : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tv::schema::layoutProgramFolder(dir.path());
        tvtest::TestDb db(dir / "track.tvd");
        db.exec(R"(INSERT INTO "List" ("Index", "Name") VALUES (12, '08Dec26 - 14:05'))");
        db.exec(R"(INSERT INTO "track" VALUES
                   (12, 1, 48.123456, 8.0, 13.5, '2026-12-08', '14:05:33'),
                   (12, 2, 0.5, -0.25, -12.5, '2026-12-08', '14:05:43'))");
    }

    std::string exported(tv::GpxKind kind, const std::string& name = "out.gpx",
                         std::int64_t track = 12)
    {
        tv::Connection c;
        c.Open((dir / "track.tvd").string());
        const tv::BoundSql q = tv::pointQuery({track});
        tv::Recordset points;
        points.Open(q.sql, c, q.params);
        EXPECT_EQ(tv::saveGpxFile(dir / name, points, kind), 0);
        EXPECT_EQ(points.AbsolutePosition(), 1); // back on the first point
        return tvtest::readFile(dir / name);
    }

    tvtest::TempDir dir;
};

TEST_F(GpxDocument, TrackDocumentKeepsItsLayoutByteForByte)
{
    EXPECT_EQ(exported(tv::GpxKind::Track), kHeader + "\r\n" + kTrack);
}

TEST_F(GpxDocument, WaypointDocumentKeepsItsLayoutByteForByte)
{
    EXPECT_EQ(exported(tv::GpxKind::Waypoints), kHeader + kWaypoints + "\r\n</gpx>\r\n");
}

TEST_F(GpxDocument, CombinedDocumentHasTheWaypointsThenTheSamePointsAsATrack)
{
    // CR LF between the last </wpt> and <trk>.
    EXPECT_EQ(exported(tv::GpxKind::WaypointsAndTrack), kHeader + kWaypoints + "\r\n" + kTrack);
}

// Coordinates on a half of the fourth decimal go away from zero, although most of them lie
// just below the half as doubles; only the height goes to the even metre.
TEST_F(GpxDocument, CoordinateHalvesGoAwayFromZeroByteForByte)
{
    {
        tvtest::TestDb db(dir / "track.tvd");
        db.exec(R"(INSERT INTO "List" ("Index", "Name") VALUES (13, 'Halves'))");
        db.exec(R"(INSERT INTO "track" VALUES
                   (13, 1, 48.12345, 0.00005, 12.5, '2026-12-08', '15:00:00'),
                   (13, 2, 0.03125, -48.12345, -0.5, '2026-12-08', '15:00:10'),
                   (13, 3, -0.00005, 179.99995, 2.5, '2026-12-08', '15:00:20'))");
    }
    EXPECT_EQ(exported(tv::GpxKind::Track, "halves.gpx", 13),
              kHeader + "\r\n<trk>\r\n<trkseg>"
                        "\r\n\r\n<trkpt lat=\"48.1235\" lon=\".0001\">\r\n"
                        " <ele>12</ele>\r\n"
                        " <time>2026-12-08T15:00:00Z</time>\r\n"
                        "</trkpt>"
                        "\r\n\r\n<trkpt lat=\".0313\" lon=\"-48.1235\">\r\n"
                        " <ele>0</ele>\r\n"
                        " <time>2026-12-08T15:00:10Z</time>\r\n"
                        "</trkpt>"
                        "\r\n\r\n<trkpt lat=\"-.0001\" lon=\"-180.\">\r\n"
                        " <ele>2</ele>\r\n"
                        " <time>2026-12-08T15:00:20Z</time>\r\n"
                        "</trkpt>"
                        "\r\n</trkseg></trk>\r\n</gpx>\r\n");
}

// A German user's number settings, in Qt and in the C library, change nothing in the file.
TEST_F(GpxDocument, AGermanLocaleWritesTheSameBytes)
{
    const std::string expected = exported(tv::GpxKind::WaypointsAndTrack, "c.gpx");
    std::string inGerman;
    {
        const tvtest::GermanCLocale german;
        ASSERT_TRUE(german.active()) << tvtest::kGermanLocaleMissing;
        const QLocale qtBefore;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        inGerman = exported(tv::GpxKind::WaypointsAndTrack, "de.gpx");
        QLocale::setDefault(qtBefore);
    }
    EXPECT_EQ(inGerman, expected);
}

TEST(GpxValues, CoordinatesShowFourDecimalsOnlySignificantDigitsAndAlwaysAPoint)
{
    const std::pair<double, const char*> cases[] = {
        {8.0, "8."},        {0.5, ".5"},          {-0.25, "-.25"},      {48.123456, "48.1235"},
        {48.1, "48.1"},     {-179.99, "-179.99"}, {0.0, "0."},          {-0.00004, "0."},
        {0.00004, "0."},    {0.00006, ".0001"},   {-9.00001, "-9."},    {48.12345, "48.1235"},
        {0.00005, ".0001"}, {0.03125, ".0313"},   {-0.03125, "-.0313"}, {47.99995, "48."},
    };
    for (const auto& [degrees, text] : cases)
        EXPECT_EQ(tv::gpxCoordinate(degrees), text) << degrees;
}

TEST(GpxValues, HeightsAreWholeMetresHalvesToEvenSignKept)
{
    const std::pair<tv::Value, std::optional<std::string>> cases[] = {
        {13.5, "14"},
        {12.5, "12"},
        {-12.5, "-12"},
        {-13.5, "-14"},
        {-0.4, "0"},
        {1523.49, "1523"},
        {tv::Value(), std::nullopt},
        {"", std::nullopt},
        {"hoch", std::nullopt},
        {"420", "420"},
    };
    for (const auto& [height, text] : cases)
        EXPECT_EQ(tv::gpxElevation(height), text) << height.toString();
}

TEST(GpxValues, TimeOnlyFromAWellFormedDateAndTimeOfDay)
{
    struct Case
    {
        tv::Value date, time;
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {"2026-12-08", "14:05:33", "2026-12-08T14:05:33Z"},
        {"2026-12-08", "00:00:00", "2026-12-08T00:00:00Z"},
        {"2026-12-08", "", std::nullopt},
        {"2026-12-08", "24:00:00", std::nullopt},
        {"2026-12-08", "14:05", std::nullopt},
        {"2026-02-30", "14:05:33", std::nullopt},
        {"08.12.2026", "14:05:33", std::nullopt},
        {tv::Value(), "14:05:33", std::nullopt},
        {"2026-12-08", "1a:05:33", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tv::gpxTime(c.date, c.time), c.text)
            << c.date.toString() << " " << c.time.toString();
}

// The export validated with xmllint against the GPX 1.1 schema, also with points that lack a
// height or a time and with coordinates that round to zero.
class GpxSchema : public GpxDocument
{
protected:
    static bool valid(const fs::path& file, std::string& report)
    {
        const fs::path out = file.string() + ".xmllint";
        const std::string cmd = "xmllint --noout --nonet --schema '" +
                                std::string(TRAMVIK_GPX_SCHEMA) + "' '" + file.string() + "' >'" +
                                out.string() + "' 2>&1";
        const int rc = std::system(cmd.c_str());
        report = tvtest::readFile(out);
        return rc == 0;
    }
};

TEST_F(GpxSchema, EveryDocumentValidatesAlsoWithoutHeightsTimesOrAtZero)
{
    ASSERT_EQ(std::system("xmllint --version >/dev/null 2>&1"), 0)
        << "xmllint is missing (package libxml2-utils, scripts/install-deps.sh)";
    {
        tvtest::TestDb db(dir / "track.tvd");
        db.exec(R"(INSERT INTO "track" VALUES
                   (12, 3, 0.00001, -0.00004, NULL, '2026-12-08', '14:05:53'),
                   (12, 4, -33.9, 151.2, '', '', ''),
                   (12, 5, 89.99999, 179.99999, 12.5, '2026-12-08', '25:00:00'),
                   (12, 6, -90, -180, -412.5, 'gestern', '14:06:13'))");
    }
    const std::pair<tv::GpxKind, const char*> kinds[] = {
        {tv::GpxKind::Track, "track.gpx"},
        {tv::GpxKind::Waypoints, "wpt.gpx"},
        {tv::GpxKind::WaypointsAndTrack, "both.gpx"},
    };
    for (const auto& [kind, name] : kinds) {
        const std::string doc = exported(kind, name);
        std::string report;
        EXPECT_TRUE(valid(dir / name, report)) << name << "\n" << report;
        EXPECT_NE(doc.find("lat=\"0.\" lon=\"0.\""), std::string::npos) << name;
        EXPECT_TRUE(std::all_of(doc.begin(), doc.end(),
                                [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            << name << " holds a byte that is not ASCII";
    }
    const std::string track = tvtest::readFile(dir / "track.gpx");
    const auto count = [&track](const std::string& what) {
        size_t n = 0;
        for (size_t at = track.find(what); at != std::string::npos; at = track.find(what, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("<ele>"), 4u);  // none for the empty heights
    EXPECT_EQ(count("<time>"), 3u); // none for a missing or malformed date or time
    // 90 north and 180 degrees: 180 east is written as 180 west, the one the schema takes.
    EXPECT_NE(track.find("lat=\"90.\" lon=\"-180.\""), std::string::npos);
}

// --- The export from the window ---

using GpxExport = trackstest::TrackManagerTest;

TEST_F(GpxExport, ButtonsDoNothingWhileNoPointsAreShown)
{
    window().cmdTrack_Click();
    clickTrack(0);
    clickTrack(0); // ticked and unticked: no points
    window().cmdWpt_Click();
    window().cmdWptTrack_Click();
    EXPECT_TRUE(saveRequests.empty());
    EXPECT_TRUE(messages.empty());
}

TEST_F(GpxExport, DialogOffersGpxFilesAndProposesTheLowestTickedTrack)
{
    clickTrack(2);
    clickTrack(0);
    saveAs = QString::fromStdString((dir / "Track3.gpx").string());
    window().cmdWptTrack_Click();
    ASSERT_EQ(saveRequests.size(), 1u);
    EXPECT_EQ(saveRequests[0].proposedName, "Track3.gpx");
    EXPECT_EQ(saveRequests[0].filters, (QStringList{"All files (*.*)", "GPX files (*.gpx)"}));
    EXPECT_EQ(saveRequests[0].selectedFilter, "GPX files (*.gpx)");
    EXPECT_EQ(saveRequests[0].defaultSuffix, "gpx");
    // Waypoint names are point numbers within each track, so they repeat across tracks.
    const std::string doc = file("Track3.gpx");
    size_t ones = 0;
    for (size_t at = doc.find("<name>1</name>"); at != std::string::npos;
         at = doc.find("<name>1</name>", at + 1))
        ++ones;
    EXPECT_EQ(ones, 2u);
}

// Track 9 holds six points; three have no position a GPX reader takes. The file holds the other
// three, and the pilot is told how many were left out and why, in the window's language.
TEST_F(GpxExport, PointsLeftOutAreCountedWithTheirReasonAfterSaving)
{
    {
        tvtest::TestDb db(dir / "track.tvd");
        db.exec(R"(INSERT INTO "List" ("Index", "Name") VALUES (9, '11Dec26 - 08:00'))");
        db.exec(R"(INSERT INTO "track" VALUES
                   (9, 1, 47.5, 9.5, 500, '2026-12-11', '08:00:00'),
                   (9, 2, NULL, 9.6, 510, '2026-12-11', '08:00:10'),
                   (9, 3, 47.7, 180.5, 520, '2026-12-11', '08:00:20'),
                   (9, 4, 90.00005, 9.8, 530, '2026-12-11', '08:00:30'),
                   (9, 5, 89.99995, -180, 540, '2026-12-11', '08:00:40'),
                   (9, 6, -90, 179.9999, 550, '2026-12-11', '08:00:50'))");
    }
    struct Case
    {
        int language;
        tv::GpxKind kind;
        QString message;
    };
    const Case cases[] = {
        {0, tv::GpxKind::WaypointsAndTrack,
         "Die Datei wurde ohne 3 Trackpunkte gespeichert:\n1 Trackpunkt ohne Position\n"
         "2 Trackpunkte außerhalb von ±90° Breite oder ±180° Länge"},
        {1, tv::GpxKind::Track,
         "The file was saved without 3 trackpoints:\n1 trackpoint without a position\n"
         "2 trackpoints outside ±90° latitude or ±180° longitude"},
    };
    for (const Case& c : cases) {
        tv::Language = static_cast<int16_t>(c.language);
        closeAllWindows();
        messages.clear();
        clickTrack(3);
        ASSERT_EQ(countLabel(), c.language == 0 ? "6 Trackpunkte" : "6 trackpoints");
        saveAs = QString::fromStdString((dir / "Track9.gpx").string());
        c.kind == tv::GpxKind::Track ? window().cmdTrack_Click() : window().cmdWptTrack_Click();
        ASSERT_EQ(messages.size(), 1u) << c.language;
        EXPECT_EQ(messages[0].text, c.message);
        const std::string doc = file("Track9.gpx");
        EXPECT_EQ(doc.find("lat=\"90.0001\""), std::string::npos);
        for (const char* kept : {"lat=\"47.5\" lon=\"9.5\"", "lat=\"90.\" lon=\"-180.\"",
                                 "lat=\"-90.\" lon=\"179.9999\""})
            EXPECT_NE(doc.find(kept), std::string::npos) << kept;
    }
    // A file that holds every point shown says nothing.
    messages.clear();
    clickTrack(3);
    clickTrack(0);
    window().cmdWpt_Click();
    EXPECT_TRUE(messages.empty());
}

TEST_F(GpxExport, ACancelledDialogWritesNothing)
{
    clickTrack(0);
    saveAs.clear();
    window().cmdTrack_Click();
    EXPECT_EQ(saveRequests.size(), 1u);
    EXPECT_TRUE(messages.empty());
    for (const auto& e : fs::directory_iterator(dir.path()))
        EXPECT_NE(e.path().extension(), ".gpx") << e.path();
}

TEST_F(GpxExport, AnUnwritableTargetShowsAMessageNamingTheFileAndLeavesNoFile)
{
    clickTrack(0);
    tv::Language = 0;
    const fs::path target = dir / "no such folder" / "Track3.gpx";
    saveAs = QString::fromStdString(target.string());
    window().cmdTrack_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QString::fromStdString(target.string())));
    EXPECT_EQ(messages[0].text, tv::gpxWriteFailedMessage(saveAs, 0));
    EXPECT_FALSE(fs::exists(dir / "no such folder"));
}

TEST_F(GpxDocument, AFailedWriteKeepsAnExistingFileAndLeavesNoPartialOne)
{
    tvtest::writeFile(dir / "old.gpx", "the export of last week");
    const coretest::Outcome outcome = coretest::runWithReadOnlyFolder(dir.path(), [&] {
        tv::Connection c;
        c.Open((dir / "track.tvd").string());
        tv::Recordset points;
        const tv::BoundSql q = tv::pointQuery({12});
        points.Open(q.sql, c, q.params);
        return tv::saveGpxFile(dir / "old.gpx", points, tv::GpxKind::Track) == 0;
    });
    if (outcome == coretest::Outcome::CannotTest)
        GTEST_SKIP() << "cannot drop the right to write here";
    EXPECT_EQ(outcome, coretest::Outcome::Failed);
    EXPECT_EQ(tvtest::readFile(dir / "old.gpx"), "the export of last week");
    for (const auto& e : fs::directory_iterator(dir.path()))
        EXPECT_NE(e.path().filename().string().front(), '.') << e.path();
}

} // namespace
