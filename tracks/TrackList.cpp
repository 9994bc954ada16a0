#include "tracks/TrackList.h"

#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "tracks/GpxDocument.h"

#include <optional>

namespace tv {
namespace {

// "(?, ?, ?)" for `n` values, n >= 1.
std::string placeholders(size_t n)
{
    std::string text = "(?";
    for (size_t i = 1; i < n; ++i)
        text += ", ?";
    text += ')';
    return text;
}

std::vector<Value> boundNumbers(const std::vector<std::int64_t>& numbers)
{
    return {numbers.begin(), numbers.end()};
}

} // namespace

std::vector<TrackEntry> trackEntries(Recordset& list)
{
    std::vector<TrackEntry> entries;
    if (list.RecordCount() == 0)
        return entries;
    entries.reserve(static_cast<size_t>(list.RecordCount()));
    for (list.MoveFirst(); !list.Eof(); list.MoveNext())
        entries.push_back(
            {list.Field("Index").toInt(), QString::fromStdString(list.Field("Name").toString())});
    list.MoveFirst();
    return entries;
}

BoundSql pointQuery(const std::vector<std::int64_t>& ticked)
{
    if (ticked.empty())
        return {R"(SELECT * FROM "track" WHERE "Index" = -2)", {}};
    return {R"(SELECT * FROM "track" WHERE "Index" IN )" + placeholders(ticked.size()) +
                R"( ORDER BY "Index" ASC, "Number" ASC)",
            boundNumbers(ticked)};
}

void deleteTracks(Connection& connection, const std::vector<std::int64_t>& ticked)
{
    if (ticked.empty())
        return;
    const std::string in = placeholders(ticked.size());
    const std::vector<Value> params = boundNumbers(ticked);
    Connection::Transaction transaction(connection);
    connection.Execute(R"(DELETE FROM "track" WHERE "Index" IN )" + in, params);
    connection.Execute(R"(DELETE FROM "List" WHERE "Index" IN )" + in, params);
    transaction.commit();
}

QString pointCellText(const QString& field, const Value& value, char decimalMark)
{
    const std::optional<double> number = value.asNumber();
    if (number && (field == QLatin1String("Lat") || field == QLatin1String("Long")))
        return QString::fromStdString(gpxCoordinate(*number, decimalMark));
    if (number && field == QLatin1String("Height"))
        return QString::fromStdString(gpxElevation(value).value_or(value.toString()));
    return QString::fromStdString(value.toString());
}

QString pointCountCaption(long count, int language)
{
    const char* unit = language == 0 ? (count == 1 ? " Trackpunkt" : " Trackpunkte")
                                     : (count == 1 ? " trackpoint" : " trackpoints");
    return QString::number(count) + QLatin1String(unit);
}

QString deleteQuestion(const std::vector<std::int64_t>& ticked, int language)
{
    if (ticked.empty())
        return language == 0 ? QStringLiteral("Es wurden keine Tracks ausgewählt")
                             : QStringLiteral("No tracks selected");
    QString text = QStringLiteral("Track: | ");
    for (const std::int64_t index : ticked)
        text += QString::number(index) + QStringLiteral(" | ");
    // Two blanks between the last bar and the words: the bar's own and the sentence's.
    text += language == 0 ? QStringLiteral(" werden gelöscht ! ")
                          : QStringLiteral(" will be deleted ! ");
    return text;
}

QString deleteQuestionTitle(int language)
{
    return language == 0 ? QStringLiteral("Achtung") : QStringLiteral("Attention");
}

QString trackFileFailedMessage(int language)
{
    return language == 0 ? QStringLiteral("Die Trackdatei track.tvd konnte nicht geöffnet "
                                          "werden. Es werden keine Tracks angezeigt.")
                         : QStringLiteral("The track file track.tvd could not be opened. No "
                                          "tracks are shown.");
}

QString pointsFailedMessage(int language)
{
    return language == 0
               ? QStringLiteral("Die Trackpunkte konnten nicht aus track.tvd gelesen werden.")
               : QStringLiteral("The track points could not be read from track.tvd.");
}

QString backupFailedMessage(int language)
{
    return language == 0 ? QStringLiteral("Die Sicherungskopie track.bak konnte nicht "
                                          "geschrieben werden. Es wurde nichts gelöscht.")
                         : QStringLiteral("The backup copy track.bak could not be written. "
                                          "Nothing was deleted.");
}

QString deleteFailedMessage(int language)
{
    return language == 0 ? QStringLiteral("Die Tracks konnten nicht aus track.tvd gelöscht "
                                          "werden. Es wurde nichts gelöscht.")
                         : QStringLiteral("The tracks could not be deleted from track.tvd. "
                                          "Nothing was deleted.");
}

QString listRereadFailedMessage(int language)
{
    return language == 0 ? QStringLiteral("Die Tracks wurden gelöscht; die Liste konnte nicht neu "
                                          "aus track.tvd gelesen werden.")
                         : QStringLiteral("The tracks were deleted; the list could not be read "
                                          "again from track.tvd.");
}

} // namespace tv
