#pragma once

// What the track manager reads from and does to the track file track.tvd (tables "List" and
// "track", schema/track.sql): the list of recorded tracks, the query for the points of the
// ticked tracks, the deletion of tracks, and the texts the window shows for them.
//
// Track numbers are "List"."Index" (never renumbered); "Index" is an SQL keyword and is always
// written quoted. Track numbers enter SQL only as bound values.

#include "core/NumberFormat.h"
#include "platform/Value.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace tv {

class Connection;
class Recordset;

// One recorded track as the two lists show it: number and name.
struct TrackEntry
{
    std::int64_t index = 0;
    QString name; // "" for an empty name
};

// An SQL text and the values bound to its "?" in order.
struct BoundSql
{
    std::string sql;
    std::vector<Value> params;
};

// Every track in ascending number, as the window's track recordset reads them.
inline constexpr const char* kTrackListSql = R"(SELECT * FROM "List" ORDER BY "Index" ASC)";

// The tracks of an open track recordset, first row to last; the set is left on its first row.
// Throws DbError.
std::vector<TrackEntry> trackEntries(Recordset& list);

// The points of the ticked tracks (numbers in list order) in ascending track, then point
// number. With nothing ticked, a query that returns no rows but has the fields of "track".
BoundSql pointQuery(const std::vector<std::int64_t>& ticked);

// Deletes the ticked tracks, their points first and then their "List" rows, in one
// transaction: either both go or neither. Nothing ticked deletes nothing. Throws DbError
// (the file is then as it was).
void deleteTracks(Connection& connection, const std::vector<std::int64_t>& ticked);

// A value of the points grid as the pilot reads it: latitude and longitude as the GPX export
// writes them, with the user's decimal mark ("48,1235", "8,"), the height in whole metres
// ("1067"), everything else (and a value that is no number) as stored.
QString pointCellText(const QString& field, const Value& value,
                      char decimalMark = userDecimalMark());

// --- Texts, by Language (0 German, any other value English) ---

// "17 Trackpunkte", "1 trackpoint", "0 trackpoints".
QString pointCountCaption(long count, int language);
// "Track: | 3 | 5 |  werden gelöscht ! " or, with nothing ticked, "No tracks selected".
QString deleteQuestion(const std::vector<std::int64_t>& ticked, int language);
// Title of the delete question: "Achtung" / "Attention".
QString deleteQuestionTitle(int language);

// Messages of the failures the window reports instead of going on.
QString trackFileFailedMessage(int language);
QString pointsFailedMessage(int language);
QString backupFailedMessage(int language);
QString deleteFailedMessage(int language);
// The deletion went through but the list could not be read again.
QString listRereadFailedMessage(int language);

} // namespace tv
