#pragma once

// Writes the recorded flight into the track file track.tvd: one row of "List" per recording,
// one row of "track" per point (table layout in schema/track.sql). Positions are decimal
// degrees, heights metres, dates "YYYY-MM-DD", times "HH:MM:SS" (UTC, from the GPS).
//
// Whether a recording runs is the flight window's business (its track timer); the recorder
// keeps the track being written and its point count, which survive a pause, and the last date
// the GPS reported.

#include "core/Dates.h"
#include "gps/GpsFix.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace tv {

class Connection;

// One recorded point as the flight window shows it.
struct TrackPoint
{
    double latDeg = 0.0;
    double longDeg = 0.0;
    std::optional<double> heightM; // empty: no altitude shown
    QString time;                  // "HH:MM:SS"
    uint64_t positionCount = 0;    // GpsFix::positionCount of the position taken
};

// Automatic recording follows the ground speed in knots (whatever unit the display shows): it
// starts above 30 kt while no recording runs and stops below 30 kt; exactly 30 kt, or more
// while recording, changes nothing.
enum class AutoRecording { Keep, Start, Stop };
AutoRecording automaticRecording(double groundSpeedKt, bool recording);

// What the record button (or an automatic start) does: nothing without a fix, nor to an
// automatic recording that runs (only the ground speed stops it); a running recording stops;
// otherwise a new track starts, unless recording cannot run (the track interval is 0, or an
// automatic recording failed on the track file and the speed has not dropped since): then
// the idle buttons show.
enum class RecordToggle { Nothing, Stop, Idle, Start };
RecordToggle toggleRecording(bool fix, bool automatic, bool running, bool failed, int intervalMs);

// The record buttons when the flight window comes back to the front (the logger switch and
// automatic recording may have changed in the settings window meanwhile): the start button
// without automatic recording, the indicator of automatic recording with it, neither with the
// logger off. A recording by hand that was paused goes on; an interval of 0 means no recording,
// and the paused one ends. The recording indicator with its point counter goes whenever no
// recording goes on, so that it never shows a count that nothing is behind.
struct RecordButtons
{
    bool startButton = false;
    bool autoIndicator = false;
    std::optional<int> timerMs; // the track timer's new interval; empty: as it is
    bool hideRecording = false; // the recording indicator with its counter goes
};
RecordButtons recordButtonsOnReturn(bool loggerOn, bool automatic, bool paused, int intervalMs);

// The point counter on the recording indicator gets a smaller font as the number grows: the
// point size, and the counter's top in twips from the top of the indicator.
struct CounterFont
{
    int pointSize = 14;
    int topTwips = 100;
};
CounterFont recordCounterFont(int32_t points);

// The track file when it is open. Throws DbError when it is not: a recording stops then as on
// any other fault of the file.
Connection& openTrackFile(const std::shared_ptr<Connection>& connection);

class TrackRecorder
{
public:
    TrackRecorder() = default;

    // The name of a new track: the start of the recording on the computer's clock,
    // "ddMMMyy - hh:mm" with the month abbreviated in `locale`'s language ("08Dec26 - 14:05").
    static QString trackName(const QDateTime& localStart = QDateTime::currentDateTime(),
                             const QLocale& locale = QLocale::system());

    // Height to store: the altitude as the display shows it (whole feet or metres, see
    // shownAltitude), feet turned into metres; empty while the display shows "---".
    static std::optional<double> heightMetres(const GpsFix& fix, bool altitudeInFeet);
    // The GPS time as "HH:MM:SS" ("9:5:3" -> "09:05:03"); a text that is no time of day is kept
    // as it is (an empty one stays empty).
    static QString timeText(const QString& gpsTime);
    // A GPS date "dd/mm/yy" (years 80-99 are 1980-1999, the others 2000-2079); empty when it is
    // no calendar day.
    static std::optional<Date> parseGpsDate(std::string_view ddmmyy);

    // The date the GPS last reported; a text that is no date is ignored.
    void gpsDateChanged(std::string_view ddmmyy);
    std::optional<Date> gpsDate() const { return gpsDate_; }
    // Date of a point written now: the GPS date, else the computer's UTC date `utcToday`.
    Date pointDate(Date utcToday) const;
    // The computer's UTC date now.
    static Date utcToday();

    // The point a tick of the track timer writes: the newest position with a fix, its altitude
    // as shown (see heightMetres) and its GPS time. Empty without a fix, and when no position
    // with a fix came since the last point written: a receiver that fell silent or sends
    // nothing readable adds no points that repeat the last position under its old time.
    std::optional<TrackPoint> nextPoint(const GpsFix& fix, bool altitudeInFeet) const;

    // Starts a new track: adds its "List" row named `name` and takes its number; no points yet;
    // clears failed(). Throws DbError when the track file refuses (the recorder then holds no
    // track).
    void startTrack(Connection& connection, const QString& name);
    // Writes the next point of the current track, numbered from 1, dated pointDate(utcToday),
    // and notes its position as written.
    // Throws DbError when the track file refuses, or when no track was started; the count then
    // stays as it was.
    void writePoint(Connection& connection, const TrackPoint& point, Date utcToday);

    // Before a point is written: when the current track's "List" row is gone (the track
    // manager deleted it while the recording was paused), the recorder forgets it and starts a
    // new track named `name`, so no point goes under a number that no list shows any more.
    // True when a new track was started. Throws DbError.
    bool restartIfDeleted(Connection& connection, const QString& name);

    bool hasTrack() const { return trackIndex_ != 0; }
    // Set when the track file refused a write; automatic recording then does not start again
    // by itself until a start succeeds or the ground speed has fallen below 30 kt (the next
    // rise past it is a new start condition).
    bool failed() const { return failed_; }
    void setFailed(bool failed) { failed_ = failed; }
    // "Index" of the track being written (0 before the first start) and its points so far.
    int32_t TrackIndex() const { return trackIndex_; }
    int32_t TrackPointCount() const { return trackPointCount_; }

private:
    int32_t trackIndex_ = 0;
    int32_t trackPointCount_ = 0;
    uint64_t writtenPositionCount_ = 0; // positionCount of the last point written
    std::optional<Date> gpsDate_;
    bool failed_ = false;
};

} // namespace tv
