#include "airspace/AirspaceStore.h"

#include "platform/DbError.h"
#include "platform/Log.h"

#include <algorithm>
#include <string>
#include <utility>

namespace tv {

void AirspaceStore::follow(const std::shared_ptr<Connection>& connection)
{
    if (connection_.lock() == connection)
        return;
    cache_.clear();
    index_.reset();
    connection_ = connection;
}

std::vector<int32_t> AirspaceStore::select(const std::shared_ptr<Connection>& connection,
                                           const AirspaceQuery& query)
{
    follow(connection);
    if (!connection)
        throw DbError("the airspace data file is not open");
    if (!index_)
        index_.emplace();
    index_->cover(*connection, query.box);
    return index_->select(query);
}

void AirspaceStore::prefetch(const std::shared_ptr<Connection>& connection,
                             const std::vector<int32_t>& indexes)
{
    follow(connection);
    if (!connection)
        return;
    // Several hundred numbers per query: one statement per airspace would cost more than the
    // drawing on the first redraw of a busy region.
    constexpr std::size_t kPerQuery = 500;
    std::vector<int32_t> missing;
    for (const int32_t index : indexes) {
        if (cache_.find(index) == cache_.end())
            missing.push_back(index);
    }
    for (std::size_t from = 0; from < missing.size(); from += kPerQuery) {
        const std::vector<int32_t> chunk(missing.begin() + static_cast<std::ptrdiff_t>(from),
                                         missing.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                               missing.size(), from + kPerQuery)));
        try {
            readAirspaceRows(*connection, chunk, [this](int32_t index, const AirspaceRows& rows) {
                keep(index, rows);
            });
        } catch (const DbError&) {
            // The airspaces not read are left to outline(), which reads each airspace alone,
            // so that one unreadable airspace does not take the others with it.
            continue;
        }
    }
}

const std::optional<AirspaceOutline>& AirspaceStore::keep(int32_t index, const AirspaceRows& rows)
{
    std::optional<AirspaceOutline> outline;
    try {
        outline = airspaceOutline(rows);
    } catch (const AirspaceDataError& e) {
        logIgnoredFault(e, "kept as an airspace that cannot be drawn; every redraw reports it");
    }
    return cache_.insert_or_assign(index, std::move(outline)).first->second;
}

const AirspaceOutline& AirspaceStore::outline(const std::shared_ptr<Connection>& connection,
                                              int32_t index)
{
    follow(connection);
    auto it = cache_.find(index);
    const std::optional<AirspaceOutline>* kept = it != cache_.end() ? &it->second : nullptr;
    if (!kept) {
        if (!connection)
            throw DbError("the airspace data file is not open");
        kept = &keep(index, readAirspaceRows(*connection, index));
    }
    if (!*kept)
        throw AirspaceDataError("airspace " + std::to_string(index) + " cannot be drawn");
    return **kept;
}

} // namespace tv
