#pragma once

// Writes the recorded flight into the track file track.tvd: one row of "List" per recording,
// one row of "track" per point (table layout in schema/track.sql). Positions are decimal
// degrees, heights metres, dates "YYYY-MM-DD", times "HH:MM:SS" (UTC, from the GPS).
//
// Whether a recording runs is the flight window's business (its track timer); the recorder
// keeps the track being written and its point count, which survive a pause, and the last date
// the GPS reported.
//
// The file may refuse for a while (another program holds it, the disk is full, the file was
// renamed away and comes back): a point is then kept, in order and with its number, and goes
// into the file with the next write that succeeds. Each write puts everything that waits into
// the file in one transaction, so a point is written once or not at all, and the flight stays
// one track.

#include "core/Dates.h"
#include "gps/GpsFix.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
// otherwise a new track starts, unless recording cannot run (the track interval is 0): then
// the idle buttons show. A track file that refuses for a while is no reason not to start: the
// points wait for it (see TrackRecorder).
enum class RecordToggle { Nothing, Stop, Idle, Start };
RecordToggle toggleRecording(bool fix, bool automatic, bool running, int intervalMs);

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

// The track file when it is open. Throws DbError (DataFault::Missing, naming `path`) when it
// is not: it was missing when the program started, and no recording can begin.
Connection& openTrackFile(const std::shared_ptr<Connection>& connection, const std::string& path);

// The notice on the map while recorded points wait for the track file: what waits, then
// (after a blank line) `reason`, the file and why it refuses (dataFaultText). `running`: the
// recording goes on; else it has stopped with points still unsaved. `language` 0 is German.
QString trackWaitingNotice(int pendingPoints, bool running, const std::string& reason,
                           int language);

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

    // The point a tick of the track timer takes: the newest position with a fix, its altitude
    // as shown (see heightMetres) and its GPS time. Empty without a fix, and when no position
    // with a fix came since the last point taken: a receiver that fell silent or sends
    // nothing readable adds no points that repeat the last position under its old time.
    std::optional<TrackPoint> nextPoint(const GpsFix& fix, bool altitudeInFeet) const;

    // Starts a new track named `name`, numbered from 1: its "List" row goes into the file with
    // the next write(). Nothing of the previous track is lost: what of it waits is written
    // first.
    void startTrack(const QString& name);
    // Takes the next point of the current track, dated pointDate(utcToday), and notes its
    // position as taken; it waits for the next write(). Throws DbError when no track was
    // started.
    void recordPoint(const TrackPoint& point, Date utcToday);
    // Writes all that waits (new "List" rows, points in the order taken) in one transaction,
    // waiting at most a short try for another program's lock. Throws DbError when the file
    // refuses: then nothing was written and everything still waits.
    // A track whose "List" row is gone (the track manager deleted it while the recording was
    // paused) gets a new row named `restartName` and its waiting points are numbered from 1
    // under it, so that no point goes under a number that no list shows any more; true when
    // that happened to the current track. A read that fails starts no new track.
    bool write(Connection& connection, const QString& restartName);

    // Something waits for the file: a "List" row or points.
    bool waiting() const;
    // Points taken and not yet in the file, of every track.
    int pendingPoints() const;

    bool hasTrack() const { return !tracks_.empty(); }
    // "Index" of the track being recorded (0 before its "List" row is written) and its points
    // recorded so far, written or waiting.
    int32_t TrackIndex() const { return tracks_.empty() ? 0 : tracks_.back().index; }
    int32_t TrackPointCount() const;

private:
    struct PendingPoint
    {
        TrackPoint point;
        Date date;
    };
    struct Track
    {
        int32_t index = 0; // "Index" of its List row; 0 while the row waits
        QString name;      // of the List row
        int32_t written = 0;
        std::vector<PendingPoint> pending; // in the order taken, numbered after `written`
    };
    // The current track last; earlier ones only while points of them wait.
    std::vector<Track> tracks_;
    uint64_t takenPositionCount_ = 0; // positionCount of the last point taken
    std::optional<Date> gpsDate_;
};

} // namespace tv
