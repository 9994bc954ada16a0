#include "flight/TrackRecorder.h"

#include "core/Units.h"
#include "platform/Connection.h"
#include "platform/DbError.h"
#include "platform/Recordset.h"

#include <QRegularExpression>

#include <charconv>
#include <limits>

namespace tv {

namespace {

int twoDigits(std::string_view text)
{
    int value = -1;
    if (text.size() != 2 || text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9')
        return -1;
    std::from_chars(text.data(), text.data() + 2, value);
    return value;
}

} // namespace

AutoRecording automaticRecording(double groundSpeedKt, bool recording)
{
    constexpr double kRecordingSpeedKt = 30.0;
    if (groundSpeedKt > kRecordingSpeedKt && !recording)
        return AutoRecording::Start;
    if (groundSpeedKt < kRecordingSpeedKt)
        return AutoRecording::Stop;
    return AutoRecording::Keep;
}

RecordToggle toggleRecording(bool fix, bool automatic, bool running, int intervalMs)
{
    if (!fix || (automatic && running))
        return RecordToggle::Nothing;
    if (running)
        return RecordToggle::Stop;
    if (intervalMs <= 0)
        return RecordToggle::Idle;
    return RecordToggle::Start;
}

RecordButtons recordButtonsOnReturn(bool loggerOn, bool automatic, bool paused, int intervalMs)
{
    RecordButtons buttons;
    buttons.startButton = loggerOn && !automatic;
    buttons.autoIndicator = loggerOn && automatic;
    if (!loggerOn || automatic) {
        buttons.timerMs = 0;
    } else if (paused) {
        buttons.timerMs = intervalMs;
    }
    // The indicator with its point counter stays only over a recording that goes on.
    buttons.hideRecording = !(buttons.timerMs && *buttons.timerMs > 0);
    return buttons;
}

CounterFont recordCounterFont(int32_t points)
{
    if (points > 9998)
        return {10, 150};
    if (points > 998)
        return {12, 130};
    return {};
}

Connection& openTrackFile(const std::shared_ptr<Connection>& connection, const std::string& path)
{
    if (!connection || !connection->IsOpen())
        throw DbError("the track file is not open", 0, DataFault::Missing, path);
    return *connection;
}

QString trackWaitingNotice(int pendingPoints, bool running, const std::string& reason, int language)
{
    const bool de = language == 0;
    QString what;
    if (pendingPoints <= 0) {
        what = de ? QStringLiteral("der neue Track ist noch nicht gespeichert.")
                  : QStringLiteral("the new track is not saved yet.");
    } else if (pendingPoints == 1) {
        what = de ? QStringLiteral("1 Punkt ist noch nicht gespeichert.")
                  : QStringLiteral("1 point is not saved yet.");
    } else {
        what = (de ? QStringLiteral("%1 Punkte sind noch nicht gespeichert.")
                   : QStringLiteral("%1 points are not saved yet."))
                   .arg(pendingPoints);
    }
    const QString state = running ? (de ? QStringLiteral("Die Aufzeichnung läuft weiter, ")
                                        : QStringLiteral("The recording goes on; "))
                                  : (de ? QStringLiteral("Die Aufzeichnung ist beendet, ")
                                        : QStringLiteral("The recording has stopped; "));
    return state + what + QStringLiteral("\n\n") + QString::fromStdString(reason);
}

QString TrackRecorder::trackName(const QDateTime& localStart, const QLocale& locale)
{
    const QDate day = localStart.date();
    // Some languages abbreviate with a dot ("Dez."); the name keeps the letters only.
    QString month = locale.monthName(day.month(), QLocale::ShortFormat);
    month.remove(QLatin1Char('.'));
    return QStringLiteral("%1%2%3 - %4")
        .arg(day.day(), 2, 10, QLatin1Char('0'))
        .arg(month)
        .arg(((day.year() % 100) + 100) % 100, 2, 10, QLatin1Char('0'))
        .arg(localStart.time().toString(QStringLiteral("HH:mm")));
}

std::optional<double> TrackRecorder::heightMetres(const GpsFix& fix, bool altitudeInFeet)
{
    const std::optional<double> shown = shownAltitude(fix, altitudeInFeet);
    if (!shown)
        return std::nullopt;
    return altitudeInFeet ? *shown / kFeetPerMetre : *shown;
}

QString TrackRecorder::timeText(const QString& gpsTime)
{
    static const QRegularExpression kTime(
        QStringLiteral(R"(^\s*(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?\s*$)"));
    const QRegularExpressionMatch m = kTime.match(gpsTime);
    if (!m.hasMatch())
        return gpsTime;
    const int h = m.captured(1).toInt();
    const int min = m.captured(2).toInt();
    const int s = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    if (h > 23 || min > 59 || s > 59)
        return gpsTime;
    return QStringLiteral("%1:%2:%3")
        .arg(h, 2, 10, QLatin1Char('0'))
        .arg(min, 2, 10, QLatin1Char('0'))
        .arg(s, 2, 10, QLatin1Char('0'));
}

std::optional<Date> TrackRecorder::parseGpsDate(std::string_view ddmmyy)
{
    if (ddmmyy.size() != 8 || ddmmyy[2] != '/' || ddmmyy[5] != '/')
        return std::nullopt;
    const int d = twoDigits(ddmmyy.substr(0, 2));
    const int m = twoDigits(ddmmyy.substr(3, 2));
    const int y = twoDigits(ddmmyy.substr(6, 2));
    if (d < 0 || m < 0 || y < 0)
        return std::nullopt;
    // GPS dates begin in 1980.
    const Date date{std::chrono::year{y >= 80 ? 1900 + y : 2000 + y},
                    std::chrono::month{static_cast<unsigned>(m)},
                    std::chrono::day{static_cast<unsigned>(d)}};
    if (!date.ok())
        return std::nullopt;
    return date;
}

void TrackRecorder::gpsDateChanged(std::string_view ddmmyy)
{
    if (const auto date = parseGpsDate(ddmmyy))
        gpsDate_ = date;
}

Date TrackRecorder::utcToday()
{
    const QDate d = QDateTime::currentDateTimeUtc().date();
    return Date{std::chrono::year{d.year()}, std::chrono::month{static_cast<unsigned>(d.month())},
                std::chrono::day{static_cast<unsigned>(d.day())}};
}

Date TrackRecorder::pointDate(Date utcToday) const
{
    return gpsDate_ ? *gpsDate_ : utcToday;
}

std::optional<TrackPoint> TrackRecorder::nextPoint(const GpsFix& fix, bool altitudeInFeet) const
{
    if (!fix.valid || fix.positionCount <= takenPositionCount_)
        return std::nullopt;
    TrackPoint point;
    point.latDeg = fix.latDeg;
    point.longDeg = fix.lonDeg;
    point.heightM = heightMetres(fix, altitudeInFeet);
    point.time = timeText(QString::fromStdString(fix.utcTime));
    point.positionCount = fix.positionCount;
    return point;
}

void TrackRecorder::startTrack(const QString& name)
{
    // A track that has nothing left to write needs no keeping.
    if (!tracks_.empty() && tracks_.back().index != 0 && tracks_.back().pending.empty())
        tracks_.pop_back();
    tracks_.push_back(Track{0, name, 0, {}});
}

void TrackRecorder::recordPoint(const TrackPoint& point, Date utcToday)
{
    if (tracks_.empty())
        throw DbError("no track has been started");
    tracks_.back().pending.push_back({point, pointDate(utcToday)});
    takenPositionCount_ = point.positionCount;
}

bool TrackRecorder::waiting() const
{
    for (const Track& track : tracks_) {
        if (track.index == 0 || !track.pending.empty())
            return true;
    }
    return false;
}

int TrackRecorder::pendingPoints() const
{
    std::size_t points = 0;
    for (const Track& track : tracks_)
        points += track.pending.size();
    return static_cast<int>(points);
}

int32_t TrackRecorder::TrackPointCount() const
{
    if (tracks_.empty())
        return 0;
    return tracks_.back().written + static_cast<int32_t>(tracks_.back().pending.size());
}

bool TrackRecorder::write(Connection& connection, const QString& restartName)
{
    if (!waiting())
        return false;
    const Connection::ShortWait shortWait(connection);
    Connection::Transaction transaction(connection);
    // Worked on a copy: the recorder changes only once the file has taken everything.
    std::vector<Track> tracks = tracks_;
    bool restarted = false;
    for (Track& track : tracks) {
        if (track.index != 0 && !track.pending.empty()) {
            Recordset rs;
            rs.Open(R"(SELECT "Index" FROM "List" WHERE "Index" = ?)", connection,
                    {Value(track.index)});
            if (rs.RecordCount() == 0) {
                track = Track{0, restartName, 0, std::move(track.pending)};
                restarted = restarted || &track == &tracks.back();
            }
        }
        if (track.index == 0) {
            connection.Execute(R"(INSERT INTO "List" ("Name") VALUES (?))",
                               {Value(track.name.toStdString())});
            const std::int64_t index = connection.LastInsertId();
            if (index <= 0 || index > std::numeric_limits<int32_t>::max())
                throw DbError("the new track got no usable number");
            track.index = static_cast<int32_t>(index);
        }
        for (const PendingPoint& p : track.pending) {
            connection.Execute(
                R"(INSERT INTO "track" ("Index", "Number", "Lat", "Long", "Height", "Date", "Time"))"
                R"( VALUES (?, ?, ?, ?, ?, ?, ?))",
                {Value(track.index), Value(track.written + 1), Value(p.point.latDeg),
                 Value(p.point.longDeg), p.point.heightM ? Value(*p.point.heightM) : Value(),
                 Value(formatIsoDate(p.date)), Value(p.point.time.toStdString())});
            ++track.written;
        }
        track.pending.clear();
    }
    transaction.commit();
    tracks_ = {std::move(tracks.back())};
    return restarted;
}

} // namespace tv
