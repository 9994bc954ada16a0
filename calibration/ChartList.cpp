#include "calibration/ChartList.h"

#include "core/FileHelpers.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "platform/TextFold.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace tv {

std::optional<std::vector<std::string>> listChartImages(const fs::path& folder)
{
    std::vector<std::string> bmp;
    std::vector<std::string> jpg;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return std::nullopt;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        const std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.')
            continue;
        const std::string ext = it->path().extension().string();
        if (equalsNoCase(ext, ".bmp"))
            bmp.push_back(name);
        else if (equalsNoCase(ext, ".jpg"))
            jpg.push_back(name);
    }
    if (ec)
        return std::nullopt;
    const auto byName = [](const std::string& a, const std::string& b) {
        const int c = compareNoCase(a, b);
        return c != 0 ? c < 0 : a < b;
    };
    std::sort(bmp.begin(), bmp.end(), byName);
    std::sort(jpg.begin(), jpg.end(), byName);
    bmp.insert(bmp.end(), jpg.begin(), jpg.end());
    return bmp;
}

ChartListRefill refillChartList(Connection& connection, const fs::path& folder)
{
    ChartListRefill out;
    auto names = listChartImages(folder);
    if (!names)
        return out;
    out.listed = true;
    out.names = std::move(*names);
    out.active.assign(out.names.size(), false);

    Connection::Transaction transaction(connection);
    Recordset maps;
    maps.Open("SELECT * From Maps Order by NAME ASC", connection);
    std::vector<std::string> deleted;
    for (maps.MoveFirst(); !maps.Eof(); maps.MoveNext()) {
        const std::string name = maps.Field("Name").toString();
        const int entry = SearchList(out.names, name, true);
        if (entry < 0) {
            maps.Delete();
            deleted.push_back(name);
        } else if (maps.Field("Active").toBool()) {
            out.active[static_cast<size_t>(entry)] = true;
        }
    }
    transaction.commit();
    out.deleted = std::move(deleted);
    return out;
}

} // namespace tv
