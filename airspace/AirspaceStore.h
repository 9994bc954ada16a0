#pragma once

#include "airspace/AirspaceData.h"
#include "airspace/AirspaceOutline.h"
#include "airspace/AirspaceSelection.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace tv {

class Connection;

// What the layer has read of the airspace data file: the selection's index and the outlines of
// the airspaces drawn so far, worked out once from their rows and kept for the connection they
// came from; another connection (or none) starts afresh. The file does not change while the
// program runs.
class AirspaceStore
{
public:
    // The airspaces the query selects (AirspaceIndex::select); the index reads the rows about
    // the query's box on first use. Throws DbError when they cannot be read (and tries again
    // next time).
    std::vector<int32_t> select(const std::shared_ptr<Connection>& connection,
                                const AirspaceQuery& query);
    // Reads the rows of those of `indexes` not kept yet, many airspaces per query. Where such a
    // read fails, nothing is kept and outline() reads each of them on its own later.
    void prefetch(const std::shared_ptr<Connection>& connection,
                  const std::vector<int32_t>& indexes);
    // Throws DbError when the rows cannot be read; a failed read is not kept, so the next
    // redraw tries again. Throws AirspaceDataError for an airspace whose rows cannot be drawn,
    // every time (that is kept).
    const AirspaceOutline& outline(const std::shared_ptr<Connection>& connection, int32_t index);
    std::size_t size() const { return cache_.size(); }

private:
    void follow(const std::shared_ptr<Connection>& connection);
    // Keeps the outline of `rows`, or that they cannot be drawn.
    const std::optional<AirspaceOutline>& keep(int32_t index, const AirspaceRows& rows);

    std::weak_ptr<Connection> connection_;
    std::optional<AirspaceIndex> index_;
    // Empty: the rows cannot be drawn.
    std::unordered_map<int32_t, std::optional<AirspaceOutline>> cache_;
};

} // namespace tv
