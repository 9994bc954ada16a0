#include "InstrumentWindowFixture.h"

#include "core/CoreSettings.h"
#include "map/PictureBox.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "support/HeldDataFile.h"
#include "support/NmeaText.h"
#include "tracks/TrackList.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

#include <filesystem>
#include <functional>

namespace {

class RecordButtons : public windowtest::FlightWindowTest
{
protected:
    void SetUp() override
    {
        FlightWindowTest::SetUp();
        tv::TrackLoggerOn = true;
        tv::TrackInterval = 10000;
        tv::TrackAutoOn = false;
        w->cmdRecord->show();
        w->cmdRecordAuto->hide();
        w->picRecord->hide();
        // The receiver has sent its time and a position, no altitude yet; then it lost the fix.
        w->HandleInput(
            tvtest::nmea("GPRMC,140533,A," + tvtest::nmeaPosition(48.6895, 9.2218) + ",,,,,"));
        setFix(false);
    }

    // The receiver reports a fix with this ground speed (knots).
    void speed(const char* knots)
    {
        w->HandleInput(tvtest::nmea(std::string("GPRMC,,A,,,,,") + knots + ",,,,"));
    }

    long rows(const char* table)
    {
        tv::Recordset rs;
        rs.Open(std::string("SELECT * FROM \"") + table + "\"", *tv::TrackConnection);
        return rs.RecordCount();
    }

    tv::Recordset points()
    {
        tv::Recordset rs;
        rs.Open(R"(SELECT * FROM "track" ORDER BY "Index", "Number")", *tv::TrackConnection);
        return rs;
    }

    // The receiver reports a fix at a new position, a little further north each time.
    void nextPosition()
    {
        latDeg_ += 0.001;
        w->HandleInput(tvtest::fixAt(latDeg_, 9.2218));
    }

    // The newest track's points in the order written: "number:latitude in 1/10000 degree ".
    std::string newestTrack()
    {
        tv::Recordset rs;
        rs.Open(R"(SELECT group_concat("Number" || ':' || CAST(round("Lat" * 1e4) AS INTEGER))"
                R"( || ' ', '') AS p FROM (SELECT * FROM "track" WHERE "Index" =)"
                R"( (SELECT max("Index") FROM "List") ORDER BY rowid))",
                *tv::TrackConnection);
        return rs.Field("p").toString();
    }
    // The notice on the map about points that wait for track.tvd; empty while none shows.
    QString notice() const { return shown(w->lblTrackNotice) ? w->lblTrackNotice->text() : ""; }

    bool recording() const { return w->timeTrack.interval() > 0; }
    // The point counter as the pilot sees it: on the recording indicator, or not at all.
    bool counterSeen() const { return w->lblRecord->isVisibleTo(w); }

    double latDeg_ = 48.6895;
};

} // namespace

TEST_F(RecordButtons, WithoutFixTheRecordButtonDoesNothing)
{
    setFix(false);
    w->cmdRecord_Click();
    EXPECT_TRUE(shown(w->cmdRecord));
    EXPECT_FALSE(shown(w->picRecord));
    EXPECT_FALSE(recording());
    EXPECT_EQ(rows("List"), 0);
}

TEST_F(RecordButtons, RecordingCreatesANamedTrackAndNumberedPoints)
{
    setFix(true);
    w->cmdRecord_Click();
    EXPECT_TRUE(recording());
    EXPECT_EQ(w->timeTrack.interval(), 10000);
    EXPECT_FALSE(shown(w->cmdRecord));
    EXPECT_TRUE(shown(w->picRecord));
    EXPECT_EQ(w->lblRecord->text(), "0");

    tv::Recordset list;
    list.Open(R"(SELECT "Index", "Name" FROM "List")", *tv::TrackConnection);
    ASSERT_EQ(list.RecordCount(), 1);
    const QString name = QString::fromStdString(list.Field("Name").toString());
    EXPECT_TRUE(QRegularExpression(R"(^\d\d\w{3}\d\d - \d\d:\d\d$)").match(name).hasMatch())
        << name.toStdString();

    w->HandleInput(tvtest::nmea("GPRMC,,A,,,,,,,081226,,"));
    w->timeTrack_Timer();
    w->HandleInput(tvtest::nmea("GPRMC,140543,A," + tvtest::nmeaPosition(48.7, 9.23) + ",,,,,"));
    w->HandleInput(tvtest::nmea("GPGGA,,,,,,,,,304.8,M,,,,")); // shown as 1000 ft
    w->timeTrack_Timer();
    EXPECT_EQ(w->lblRecord->text(), "2");

    auto rs = points();
    ASSERT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(rs.Field("Index").toInt(), list.Field("Index").toInt());
    EXPECT_EQ(rs.Field("Number").toInt(), 1);
    EXPECT_NEAR(rs.Field("Lat").toDouble(), 48.6895, 1e-9);
    EXPECT_NEAR(rs.Field("Long").toDouble(), 9.2218, 1e-9);
    EXPECT_TRUE(rs.Field("Height").isNull());
    EXPECT_EQ(rs.Field("Date").toString(), "2026-12-08");
    EXPECT_EQ(rs.Field("Time").toString(), "14:05:33");
    rs.MoveNext();
    EXPECT_EQ(rs.Field("Number").toInt(), 2);
    EXPECT_NEAR(rs.Field("Height").toDouble(), 304.8037, 1e-4); // 1000 ft shown
    EXPECT_EQ(rs.Field("Time").toString(), "14:05:43");
}

TEST_F(RecordButtons, SwitchingToMetresBeforeTheNextAltitudeReportStoresTheHeightInMetres)
{
    setFix(true);
    w->HandleInput(tvtest::nmea("GPRMC,140543,A,,,,,,,,,"));
    w->HandleInput(tvtest::nmea("GPGGA,,,,,,,,,304.8,M,,,,")); // shown as 1000 ft
    w->cmdRecord_Click();
    w->lblAlt_Click(); // metres; the display still reads 1000 until the next report
    w->timeTrack_Timer();
    auto rs = points();
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_DOUBLE_EQ(rs.Field("Height").toDouble(), 305.0); // not 1000 m
}

TEST_F(RecordButtons, StoppingByHandKeepsTheTrackAndSwitchesAutomaticOff)
{
    setFix(true);
    w->cmdRecord_Click();
    w->timeTrack_Timer();
    tv::TrackAutoOn = true;
    w->picRecord_Click();
    EXPECT_FALSE(tv::TrackAutoOn);
    EXPECT_FALSE(recording());
    EXPECT_TRUE(shown(w->cmdRecord));
    EXPECT_FALSE(shown(w->picRecord));
    EXPECT_FALSE(shown(w->cmdRecordAuto));
    EXPECT_EQ(rows("track"), 1);
    // track.crm: logger on, 10 s, automatic off.
    EXPECT_TRUE(tv::LoadTrackSettings());
    EXPECT_TRUE(tv::TrackLoggerOn);
    EXPECT_EQ(tv::TrackInterval, 10000);
    EXPECT_FALSE(tv::TrackAutoOn);
}

TEST_F(RecordButtons, AutomaticRecordingIsNeverStoppedByToggle)
{
    setFix(true);
    tv::TrackAutoOn = true;
    w->ToggleTrackRecording();
    EXPECT_TRUE(recording());
    w->ToggleTrackRecording();
    EXPECT_TRUE(recording());
    EXPECT_EQ(rows("List"), 1);
}

TEST_F(RecordButtons, LostFixEndsTheTrackAndTheNextStartOpensANewOne)
{
    setFix(true);
    w->cmdRecord_Click();
    w->timeTrack_Timer();
    setFix(false);
    w->timeTrack_Timer();
    EXPECT_FALSE(recording());
    EXPECT_TRUE(shown(w->cmdRecord));
    EXPECT_FALSE(shown(w->cmdRecordAuto));
    EXPECT_FALSE(shown(w->picRecord));
    EXPECT_EQ(rows("track"), 1);

    nextPosition();
    w->cmdRecord_Click();
    w->timeTrack_Timer();
    EXPECT_EQ(rows("List"), 2);
    auto rs = points();
    rs.MoveLast();
    EXPECT_EQ(rs.Field("Number").toInt(), 1);
}

TEST_F(RecordButtons, LostFixInAutomaticModeShowsTheAutomaticIndicator)
{
    setFix(true);
    tv::TrackAutoOn = true;
    w->ToggleTrackRecording();
    setFix(false);
    w->timeTrack_Timer();
    EXPECT_FALSE(recording());
    EXPECT_FALSE(shown(w->cmdRecord));
    EXPECT_TRUE(shown(w->cmdRecordAuto));
}

TEST_F(RecordButtons, CounterShrinksFromTheNineHundredNinetyNinthPoint)
{
    setFix(true);
    w->cmdRecord_Click();
    EXPECT_EQ(w->lblRecord->font().pointSize(), 14);
    for (int i = 0; i < 998; ++i) {
        nextPosition();
        w->timeTrack_Timer();
    }
    EXPECT_EQ(w->lblRecord->font().pointSize(), 14);
    nextPosition();
    w->timeTrack_Timer();
    EXPECT_EQ(w->lblRecord->text(), "999");
    EXPECT_EQ(w->lblRecord->font().pointSize(), 12);
}

// track.tvd refuses for a while in flight: the recording goes on in the same track, its
// points wait with a notice on the map that says why, and once the file takes them again the
// track holds every point once, in order.
TEST_F(RecordButtons, ATrackFileThatRefusesForAWhileLosesNoPointAndSplitsNoFlight)
{
    const std::string file = tv::TrackConnection->path();
    const auto held = [file] { return std::make_shared<tvtest::HeldDataFile>(file); };
    const auto diskFull = [] {
        auto full = std::make_shared<tvtest::FullDisk>(*tv::TrackConnection);
        // Rows of no track take the file's last free bytes: the next point needs a new page.
        try {
            for (;;)
                tv::TrackConnection->Execute(R"(INSERT INTO "track" ("Index") VALUES (-1))");
        } catch (...) {
        }
        return full;
    };
    const auto renamed = [file] {
        std::filesystem::rename(file, file + ".away");
        return std::shared_ptr<void>(
            nullptr, [file](void*) { std::filesystem::rename(file + ".away", file); });
    };
    const struct
    {
        const char* name;
        std::function<std::shared_ptr<void>()> fault;
        bool beforeRec; // the fault begins before REC is pressed
    } cases[] = {{"held when REC is pressed", held, true},
                 {"disk full", diskFull, false},
                 {"renamed away and back", renamed, false}};
    setFix(true);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string expected;
        auto tick = [&, taken = 0]() mutable {
            nextPosition();
            expected +=
                std::to_string(++taken) + ":" + std::to_string(std::lround(latDeg_ * 1e4)) + " ";
            w->timeTrack_Timer();
        };
        std::shared_ptr<void> fault = c.beforeRec ? c.fault() : nullptr;
        w->cmdRecord_Click();
        if (!fault)
            tick(), fault = c.fault();
        for (int i = 0; i < 3; ++i)
            tick();
        EXPECT_TRUE(notice().startsWith("The recording goes on; 3 points are not saved yet."));
        EXPECT_TRUE(notice().contains(QString::fromStdString(file))) << notice().toStdString();
        fault.reset();
        tick();
        EXPECT_EQ(notice(), "");
        EXPECT_EQ(newestTrack(), expected);
        w->picRecord_Click();
    }
    EXPECT_EQ(rows("List"), 3) << "one track per recording";
    EXPECT_TRUE(messages.empty()) << "no message box: the program flies on";
}

TEST_F(RecordButtons, PointsTheFileStillRefusesWhenTheWindowClosesAreTold)
{
    setFix(true);
    w->cmdRecord_Click();
    const tvtest::HeldDataFile held(tv::TrackConnection->path());
    for (int i = 0; i < 2; ++i)
        nextPosition(), w->timeTrack_Timer();
    closeAllWindows();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text.toStdString(),
              "2 points of the recording could not be saved.\n\nThe file " +
                  tv::TrackConnection->path() + " is locked by another program.");
}

TEST_F(RecordButtons, TrackFileMissingRefusesTheStartWithAMessage)
{
    setFix(true);
    tv::Language = 0;
    tv::TrackConnection.reset();
    EXPECT_NO_THROW(w->cmdRecord_Click());
    EXPECT_FALSE(recording());
    EXPECT_TRUE(shown(w->cmdRecord));
    EXPECT_FALSE(shown(w->picRecord));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text.toStdString(),
              "Die Aufzeichnung kann nicht beginnen.\n\nDie Datei " + (dir / "track.tvd").string() +
                  " fehlt oder wurde ersetzt.");
}

// A track file that refuses is no reason for automatic recording to stop, nor to start a new
// track at every speed report; the landing writes what waited.
TEST_F(RecordButtons, AutomaticRecordingRidesOutARefusingTrackFile)
{
    setFix(true);
    tv::TrackAutoOn = true;
    speed("45");
    tv::TrackConnection->Execute(R"(ALTER TABLE "track" RENAME TO "track_away")");
    nextPosition(), w->timeTrack_Timer();
    speed("46");
    EXPECT_TRUE(recording());
    EXPECT_TRUE(notice().endsWith("track.tvd reported an error.")) << notice().toStdString();
    tv::TrackConnection->Execute(R"(ALTER TABLE "track_away" RENAME TO "track")");
    speed("12");
    EXPECT_FALSE(recording());
    EXPECT_EQ(notice(), "");
    EXPECT_EQ(rows("List"), 1);
    EXPECT_EQ(rows("track"), 1);
}

TEST_F(RecordButtons, IntervalZeroRecordsNothingAndShowsNoIndicator)
{
    setFix(true);
    tv::TrackInterval = 0; // the settings' box held 0 or no number
    w->cmdRecord_Click();
    EXPECT_FALSE(recording());
    EXPECT_FALSE(shown(w->picRecord));
    EXPECT_TRUE(shown(w->cmdRecord));
    EXPECT_EQ(rows("List"), 0) << "no empty track";
}

// The track manager deletes the track being recorded while the flight window is left: the
// resumed recording starts a new track instead of writing under the deleted number.
TEST_F(RecordButtons, DeletedCurrentTrackMakesTheNextPointStartANewTrack)
{
    setFix(true);
    w->cmdRecord_Click();
    w->timeTrack_Timer();
    nextPosition();
    w->timeTrack_Timer();
    tv::Recordset before = points();
    const std::int64_t deleted = before.Field("Index").toInt();

    // Paused while another window is shown; the manager works on a connection of its own.
    w->timeTrack.setInterval(0);
    {
        tv::Connection manager;
        manager.Open(tv::TrackConnection->path());
        tv::deleteTracks(manager, {deleted});
    }
    w->timeTrack.setInterval(10000);
    nextPosition();
    w->timeTrack_Timer();

    EXPECT_EQ(rows("List"), 1);
    tv::Recordset after = points();
    ASSERT_EQ(after.RecordCount(), 1);
    EXPECT_GT(after.Field("Index").toInt(), deleted);
    EXPECT_EQ(after.Field("Number").toInt(), 1);
    EXPECT_EQ(w->lblRecord->text(), "1");
    EXPECT_TRUE(recording());
}

// The receiver falls silent (the watchdog notices only after 5 s) or sends nothing readable:
// ticks meanwhile add no points that repeat the last position under its old time.
TEST_F(RecordButtons, TicksWithoutANewPositionWriteNoPoint)
{
    setFix(true);
    w->cmdRecord_Click();
    w->timeTrack_Timer();
    ASSERT_EQ(rows("track"), 1);

    w->timeTrack_Timer(); // silence
    w->HandleInput("$GPRMC,garbage*00\r\n\x01\x02 noise\r\n");
    w->timeTrack_Timer();
    EXPECT_EQ(rows("track"), 1);
    EXPECT_EQ(w->lblRecord->text(), "1");
    EXPECT_TRUE(recording()) << "the recording waits for the next position";

    w->HandleInput(tvtest::nmea("GPRMC,140544,A," + tvtest::nmeaPosition(48.7, 9.23) + ",,,,,"));
    w->timeTrack_Timer();
    auto rs = points();
    ASSERT_EQ(rs.RecordCount(), 2);
    rs.MoveLast();
    EXPECT_NEAR(rs.Field("Lat").toDouble(), 48.7, 1e-9);
    EXPECT_EQ(rs.Field("Time").toString(), "14:05:44");
    EXPECT_EQ(w->lblRecord->text(), "2");
}

// After a visit to another window the point counter shows only over a recording that goes on.
TEST_F(RecordButtons, TheCounterShowsOnReturnOnlyWhenTheRecordingGoesOn)
{
    struct Case
    {
        const char* name;
        bool automatic;
        bool loggerOnReturn;
        bool recordingGoesOn;
    };
    const Case cases[] = {
        {"automatic recording: a new track at the next take-off", true, true, false},
        {"by hand, logger switched off meanwhile", false, false, false},
        {"by hand, paused: goes on", false, true, true},
    };
    for (const Case& c : cases) {
        tv::TrackLoggerOn = true;
        tv::TrackAutoOn = c.automatic;
        setFix(true);
        if (c.automatic) {
            w->picRecord->show();
            w->ToggleTrackRecording();
        } else {
            w->cmdRecord_Click();
        }
        nextPosition();
        w->timeTrack_Timer();
        ASSERT_TRUE(counterSeen()) << c.name;

        w->Form_Deactivate();
        tv::TrackLoggerOn = c.loggerOnReturn;
        w->Form_Activate();
        EXPECT_EQ(recording(), c.recordingGoesOn) << c.name;
        EXPECT_EQ(counterSeen(), c.recordingGoesOn) << c.name;
        EXPECT_EQ(shown(w->cmdRecordAuto), c.automatic) << c.name;

        w->timeTrack.setInterval(0); // stopped for the next case
        w->picRecord->hide();
    }
}
