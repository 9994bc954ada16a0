#pragma once

#include <filesystem>

namespace tv {

class Connection;

// Copies the track file open on `from` to `backup` (track.bak beside it) with SQLite's online
// backup API, which gives a consistent copy also while another connection, the flight window's
// recorder, has the file open. The copy is written to a temporary file beside `backup`, synced
// to disk and then renamed over `backup`: a failed backup leaves the previous `backup` as it was
// and no temporary file. A replaced backup keeps its mode, a new one gets 0666 less the umask.
// Throws DbError naming what failed.
void backupTrackDb(Connection& from, const std::filesystem::path& backup);

} // namespace tv
