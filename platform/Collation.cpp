#include "platform/Collation.h"

#include "platform/TextFold.h"

#include <sqlite3.h>
#include <string_view>

namespace tv {
namespace {
int noCaseCompare(void*, int lenA, const void* a, int lenB, const void* b)
{
    return compareNoCase(std::string_view(static_cast<const char*>(a), static_cast<size_t>(lenA)),
                         std::string_view(static_cast<const char*>(b), static_cast<size_t>(lenB)));
}
} // namespace

bool registerNoCaseCollation(sqlite3* db)
{
    return sqlite3_create_collation(db, kNoCaseCollation, SQLITE_UTF8, nullptr, &noCaseCompare) ==
           SQLITE_OK;
}

} // namespace tv
