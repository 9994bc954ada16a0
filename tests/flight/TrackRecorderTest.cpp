#include "flight/TrackRecorder.h"

#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"
#include "schema/Layout.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <optional>

using tv::TrackRecorder;

namespace {

constexpr tv::Date kPcDay{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{8}};

// A fresh track file from the schema, opened as the program opens it.
class TrackFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tv::schema::layoutProgramFolder(dir_.path());
        db_.Open((dir_ / "track.tvd").string());
    }

    tv::Recordset query(const std::string& sql)
    {
        tv::Recordset rs;
        rs.Open(sql, db_);
        return rs;
    }

    // A point taken and written at once; true when its track was deleted and started anew.
    bool write(const tv::TrackPoint& p, const char* restartName = "restarted")
    {
        recorder_.recordPoint(p, kPcDay);
        return recorder_.write(db_, QString::fromUtf8(restartName));
    }

    static tv::TrackPoint point(double lat, double lon, std::optional<double> height,
                                const char* time = "14:05:33")
    {
        tv::TrackPoint p;
        p.latDeg = lat;
        p.longDeg = lon;
        p.heightM = height;
        p.time = QString::fromLatin1(time);
        return p;
    }

    tvtest::TempDir dir_;
    tv::Connection db_;
    TrackRecorder recorder_;
};

} // namespace

TEST(TrackName, DayMonthYearAndStartTimeOfThePcClock)
{
    const QDateTime start(QDate(2026, 12, 8), QTime(14, 5, 59));
    EXPECT_EQ(TrackRecorder::trackName(start, QLocale(QLocale::English)), "08Dec26 - 14:05");
    EXPECT_EQ(TrackRecorder::trackName(QDateTime(QDate(2009, 3, 1), QTime(7, 0)),
                                       QLocale(QLocale::English)),
              "01Mar09 - 07:00");
}

TEST(TrackName, MonthInTheSystemLanguageWithoutAbbreviationDot)
{
    const QDateTime start(QDate(2026, 12, 8), QTime(14, 5));
    EXPECT_EQ(TrackRecorder::trackName(start, QLocale(QLocale::German)), "08Dez26 - 14:05");
}

namespace {

// The height stored for the altitude the receiver sent (metres; none: the display shows "---").
std::optional<double> heightFor(std::optional<double> sentMetres, bool feet)
{
    tv::GpsFix fix;
    fix.valid = true;
    fix.altitudeM = sentMetres;
    return TrackRecorder::heightMetres(fix, feet);
}

} // namespace

TEST(TrackPointHeight, FeetShownAreStoredAsMetres)
{
    EXPECT_NEAR(*heightFor(304.8, true), 304.8037, 1e-4); // shown as 1000 ft
    EXPECT_DOUBLE_EQ(*heightFor(1000.0, false), 1000.0);
    EXPECT_FALSE(heightFor(std::nullopt, true));
    EXPECT_DOUBLE_EQ(*heightFor(0.3, false), 0.0); // 0.3 m shows empty
    EXPECT_DOUBLE_EQ(*heightFor(-12.0, false), -12.0);
}

TEST(TrackPointTime, GpsTimeCaptionBecomesHoursMinutesSeconds)
{
    EXPECT_EQ(TrackRecorder::timeText("14:05:33"), "14:05:33");
    EXPECT_EQ(TrackRecorder::timeText("9:5:3"), "09:05:03");
    EXPECT_EQ(TrackRecorder::timeText("23:59"), "23:59:00");
    EXPECT_EQ(TrackRecorder::timeText(""), "");
    EXPECT_EQ(TrackRecorder::timeText("25:00:00"), "25:00:00");
}

TEST(RecordingDecisions, AutomaticRecordingFollowsTheGroundSpeedInKnots)
{
    using tv::AutoRecording;
    EXPECT_EQ(tv::automaticRecording(30.1, false), AutoRecording::Start);
    EXPECT_EQ(tv::automaticRecording(30.1, true), AutoRecording::Keep);
    EXPECT_EQ(tv::automaticRecording(30.0, false), AutoRecording::Keep);
    EXPECT_EQ(tv::automaticRecording(30.0, true), AutoRecording::Keep);
    EXPECT_EQ(tv::automaticRecording(29.9, true), AutoRecording::Stop);
    EXPECT_EQ(tv::automaticRecording(29.9, false), AutoRecording::Stop);
}

TEST(RecordingDecisions, TheRecordButton)
{
    using tv::RecordToggle;
    struct Case
    {
        const char* name;
        bool fix, automatic, running;
        int intervalMs;
        RecordToggle expected;
    };
    const Case cases[] = {
        {"no fix: nothing", false, false, false, 5000, RecordToggle::Nothing},
        {"start", true, false, false, 5000, RecordToggle::Start},
        {"stop", true, false, true, 5000, RecordToggle::Stop},
        {"automatic and running: only the speed stops it", true, true, true, 5000,
         RecordToggle::Nothing},
        {"interval 0", true, false, false, 0, RecordToggle::Idle},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tv::toggleRecording(c.fix, c.automatic, c.running, c.intervalMs), c.expected)
            << c.name;
}

TEST(RecordingDecisions, TheRecordButtonsOnReturningToTheWindow)
{
    struct Case
    {
        const char* name;
        bool loggerOn, automatic, paused;
        int intervalMs;
        bool start, indicator;
        std::optional<int> timerMs;
        bool hideRecording;
    };
    const Case cases[] = {
        {"logger off", false, false, true, 5000, false, false, 0, true},
        {"automatic", true, true, true, 5000, false, true, 0, true},
        {"by hand, not recording", true, false, false, 5000, true, false, std::nullopt, true},
        {"by hand, paused: goes on", true, false, true, 5000, true, false, 5000, false},
        {"by hand, paused, interval now 0", true, false, true, 0, true, false, 0, true},
    };
    for (const Case& c : cases) {
        const tv::RecordButtons b =
            tv::recordButtonsOnReturn(c.loggerOn, c.automatic, c.paused, c.intervalMs);
        EXPECT_TRUE(b.startButton == c.start && b.autoIndicator == c.indicator &&
                    b.timerMs == c.timerMs && b.hideRecording == c.hideRecording)
            << c.name;
    }
}

TEST(TrackPointDate, GpsDateWinsOverThePcDate)
{
    TrackRecorder recorder;
    EXPECT_EQ(recorder.pointDate(kPcDay), kPcDay);
    recorder.gpsDateChanged("31/12/26");
    const tv::Date gpsDay{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{31}};
    EXPECT_EQ(recorder.pointDate(kPcDay), gpsDay);
    recorder.gpsDateChanged("99/99/99"); // garbage keeps the last good date
    EXPECT_EQ(recorder.pointDate(kPcDay), gpsDay);
}

TEST(TrackPointDate, TwoDigitGpsYearsFrom1980)
{
    EXPECT_EQ(TrackRecorder::parseGpsDate("06/01/80"),
              (tv::Date{std::chrono::year{1980}, std::chrono::month{1}, std::chrono::day{6}}));
    EXPECT_EQ(TrackRecorder::parseGpsDate("29/02/24"),
              (tv::Date{std::chrono::year{2024}, std::chrono::month{2}, std::chrono::day{29}}));
    EXPECT_FALSE(TrackRecorder::parseGpsDate("29/02/23"));
    EXPECT_FALSE(TrackRecorder::parseGpsDate("1/2/24"));
    EXPECT_FALSE(TrackRecorder::parseGpsDate(""));
    EXPECT_FALSE(TrackRecorder::parseGpsDate("0a/02/24"));
}

TEST_F(TrackFile, StartingARecordingAddsANamedListRow)
{
    recorder_.startTrack(QStringLiteral("08Dec26 - 14:05"));
    recorder_.write(db_, QStringLiteral("restarted"));
    ASSERT_TRUE(recorder_.hasTrack());
    EXPECT_EQ(recorder_.TrackPointCount(), 0);
    auto list = query(R"(SELECT "Index", "Name" FROM "List")");
    ASSERT_EQ(list.RecordCount(), 1);
    EXPECT_EQ(list.Field("Index").toInt(), recorder_.TrackIndex());
    EXPECT_EQ(list.Field("Name").toString(), "08Dec26 - 14:05");
    EXPECT_EQ(query(R"(SELECT * FROM "track")").RecordCount(), 0)
        << "a track stopped before the first tick has no points";
}

TEST_F(TrackFile, PointsAreNumberedFromOneWithDecimalDegrees)
{
    recorder_.startTrack(QStringLiteral("first"));
    write(point(48.6895, 9.2218, 304.8));
    write(point(-33.8667, -151.2, std::nullopt, "14:05:34"));
    EXPECT_EQ(recorder_.TrackPointCount(), 2);

    auto rs = query(R"(SELECT * FROM "track" ORDER BY "Number")");
    ASSERT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(rs.Field("Index").toInt(), recorder_.TrackIndex());
    EXPECT_EQ(rs.Field("Number").toInt(), 1);
    EXPECT_DOUBLE_EQ(rs.Field("Lat").toDouble(), 48.6895);
    EXPECT_DOUBLE_EQ(rs.Field("Long").toDouble(), 9.2218);
    EXPECT_DOUBLE_EQ(rs.Field("Height").toDouble(), 304.8);
    EXPECT_EQ(rs.Field("Date").toString(), "2026-12-08");
    EXPECT_EQ(rs.Field("Time").toString(), "14:05:33");
    rs.MoveNext();
    EXPECT_EQ(rs.Field("Number").toInt(), 2);
    EXPECT_DOUBLE_EQ(rs.Field("Lat").toDouble(), -33.8667);
    EXPECT_DOUBLE_EQ(rs.Field("Long").toDouble(), -151.2);
    EXPECT_TRUE(rs.Field("Height").isNull()) << "no altitude shown: Height stays empty";
}

TEST_F(TrackFile, PointDateComesFromTheGpsDate)
{
    recorder_.gpsDateChanged("01/01/27"); // UTC past midnight while the PC still says 8 Dec
    recorder_.startTrack(QStringLiteral("night"));
    write(point(48.0, 9.0, 100.0, "00:00:05"));
    auto rs = query(R"(SELECT "Date" FROM "track")");
    EXPECT_EQ(rs.Field("Date").toString(), "2027-01-01");
}

TEST_F(TrackFile, EveryStartOpensANewTrack)
{
    recorder_.startTrack(QStringLiteral("one"));
    write(point(48.0, 9.0, 1.0));
    const int32_t first = recorder_.TrackIndex();
    recorder_.startTrack(QStringLiteral("two"));
    EXPECT_EQ(recorder_.TrackPointCount(), 0);
    write(point(48.0, 9.0, 1.0));
    EXPECT_NE(recorder_.TrackIndex(), first);
    EXPECT_EQ(query(R"(SELECT * FROM "List")").RecordCount(), 2);
    auto second = query(R"(SELECT "Number" FROM "track" WHERE "Index" = )" +
                        std::to_string(recorder_.TrackIndex()));
    ASSERT_EQ(second.RecordCount(), 1);
    EXPECT_EQ(second.Field("Number").toInt(), 1);
}

// The track table is gone for a while (a repair tool) and a second track starts meanwhile:
// each write is all or nothing; what waited goes in once, in order, under its own track.
TEST_F(TrackFile, RefusedWriteKeepsEverythingAndWritesItOnceLater)
{
    recorder_.startTrack(QStringLiteral("first"));
    db_.Execute(R"(ALTER TABLE "track" RENAME TO "away")");
    EXPECT_THROW(write(point(48.1, 9.0, 1.0)), tv::DbError);
    recorder_.recordPoint(point(48.1, 9.0, 2.0), kPcDay);
    recorder_.startTrack(QStringLiteral("second"));
    recorder_.recordPoint(point(48.2, 9.0, 3.0), kPcDay);
    db_.Execute(R"(ALTER TABLE "away" RENAME TO "track")");
    recorder_.write(db_, "x");
    recorder_.write(db_, "x"); // nothing waits: nothing written twice
    auto rs = query(
        R"(SELECT group_concat("Name" || ' ' || "Number" || ' ' || "Height", ', ') AS p)"
        R"( FROM (SELECT * FROM "track" JOIN "List" USING ("Index") ORDER BY "track".rowid))");
    EXPECT_EQ(rs.Field("p").toString(), "first 1 1.0, first 2 2.0, second 1 3.0");
    EXPECT_EQ(query(R"(SELECT * FROM "List")").RecordCount(), 2) << "rolled back with the point";
}

TEST_F(TrackFile, ATrackDeletedUnderTheRecorderIsReplacedByANewOne)
{
    recorder_.startTrack("08Dec26 - 14:05");
    write(point(48.5, 9.2, 500.0));
    const int32_t first = recorder_.TrackIndex();

    db_.Execute(R"(DELETE FROM "List" WHERE "Index" = ?)", {first});
    EXPECT_TRUE(write(point(48.6, 9.2, 500.0), "08Dec26 - 15:00"));
    EXPECT_GT(recorder_.TrackIndex(), first);
    EXPECT_EQ(recorder_.TrackPointCount(), 1);
    tv::Recordset list = query(R"(SELECT "Name" FROM "List")");
    ASSERT_EQ(list.RecordCount(), 1);
    EXPECT_EQ(list.Field("Name").toString(), "08Dec26 - 15:00");
}
