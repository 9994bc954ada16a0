#include "calibration/QuickFind.h"

#include "platform/Recordset.h"
#include "platform/Value.h"

namespace tv {

std::string namePrefixPattern(std::string_view prefix)
{
    if (prefix.empty())
        return {};
    std::string pattern;
    pattern.reserve(prefix.size() + 1);
    for (const char c : prefix) {
        if (c == '%' || c == '_' || c == '\\')
            pattern.push_back('\\');
        pattern.push_back(c);
    }
    pattern.push_back('%');
    return pattern;
}

void openWaypointQuickFind(Recordset& rs, Connection& connection, std::string_view prefix)
{
    rs.Open("SELECT * FROM Waypoints WHERE Name LIKE ? ESCAPE '\\'", connection,
            {Value(namePrefixPattern(prefix))});
}

} // namespace tv
