#pragma once

struct sqlite3;

namespace tv {

// Name of the collation that text columns of our data files declare (COLLATE TVNOCASE): text
// compared and ordered ignoring case, umlauts included (see TextFold.h). Every connection that
// opens one of our files must register it first, or queries on those columns fail.
inline constexpr const char* kNoCaseCollation = "TVNOCASE";

// Registers kNoCaseCollation on `db`. Returns false when SQLite refuses.
bool registerNoCaseCollation(sqlite3* db);

} // namespace tv
