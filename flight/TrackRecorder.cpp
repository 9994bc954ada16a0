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

RecordToggle toggleRecording(bool fix, bool automatic, bool running, bool failed, int intervalMs)
{
    if (!fix || (automatic && running))
        return RecordToggle::Nothing;
    if (running)
        return RecordToggle::Stop;
    if ((automatic && failed) || intervalMs <= 0)
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

Connection& openTrackFile(const std::shared_ptr<Connection>& connection)
{
    if (!connection || !connection->IsOpen())
        throw DbError("the track file is not open");
    return *connection;
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
    if (!fix.valid || fix.positionCount <= writtenPositionCount_)
        return std::nullopt;
    TrackPoint point;
    point.latDeg = fix.latDeg;
    point.longDeg = fix.lonDeg;
    point.heightM = heightMetres(fix, altitudeInFeet);
    point.time = timeText(QString::fromStdString(fix.utcTime));
    point.positionCount = fix.positionCount;
    return point;
}

void TrackRecorder::startTrack(Connection& connection, const QString& name)
{
    trackIndex_ = 0;
    trackPointCount_ = 0;
    connection.Execute(R"(INSERT INTO "List" ("Name") VALUES (?))", {Value(name.toStdString())});
    Recordset rs;
    rs.Open("SELECT last_insert_rowid() AS \"Index\"", connection);
    const std::int64_t index = rs.RecordCount() > 0 ? rs.Field(0).toInt() : 0;
    if (index <= 0 || index > std::numeric_limits<int32_t>::max())
        throw DbError("the new track got no usable number");
    trackIndex_ = static_cast<int32_t>(index);
    failed_ = false;
}

bool TrackRecorder::restartIfDeleted(Connection& connection, const QString& name)
{
    if (!hasTrack())
        return false;
    Recordset rs;
    rs.Open(R"(SELECT "Index" FROM "List" WHERE "Index" = ?)", connection, {Value(trackIndex_)});
    if (rs.RecordCount() > 0)
        return false;
    startTrack(connection, name);
    return true;
}

void TrackRecorder::writePoint(Connection& connection, const TrackPoint& point, Date utcToday)
{
    if (!hasTrack())
        throw DbError("no track has been started");
    const int32_t number = trackPointCount_ + 1;
    connection.Execute(
        R"(INSERT INTO "track" ("Index", "Number", "Lat", "Long", "Height", "Date", "Time"))"
        R"( VALUES (?, ?, ?, ?, ?, ?, ?))",
        {Value(trackIndex_), Value(number), Value(point.latDeg), Value(point.longDeg),
         point.heightM ? Value(*point.heightM) : Value(), Value(formatIsoDate(pointDate(utcToday))),
         Value(point.time.toStdString())});
    trackPointCount_ = number;
    writtenPositionCount_ = point.positionCount;
}

} // namespace tv
