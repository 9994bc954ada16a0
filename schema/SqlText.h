#pragma once

// The texts of schema/data.sql, track.sql, Luftraum.sql and tvdata.sql, embedded at build time
// (see EmbedSql.cmake). Private to the schema library; callers use tv::schema::creationSql().
namespace tv::schema::sql {

extern const char kMainSql[];
extern const char kTrackSql[];
extern const char kAirspaceSql[];
extern const char kAirportSql[];

} // namespace tv::schema::sql
