#pragma once

#include "schema/Schema.h"

#include <functional>
#include <string>

struct sqlite3;

// Private to the schema library.
namespace tv::schema::detail {

// createDataFile(), with `fill` run on the new database inside the same transaction as the
// tables, so a failure of `fill` also leaves no file behind. `fill` throws std::runtime_error.
void createDataFile(const std::filesystem::path& file, DataFile which,
                    const std::function<void(sqlite3*)>& fill);

// Runs one statement with `text` bound to its single parameter. Throws std::runtime_error
// naming `what` when SQLite refuses.
void runWithText(sqlite3* db, const char* sql, const std::string& text, const std::string& what);

} // namespace tv::schema::detail
