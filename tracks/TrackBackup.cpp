#include "tracks/TrackBackup.h"

#include "platform/AtomicFile.h"
#include "platform/Connection.h"
#include "platform/DbError.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tv {
namespace {

// The copy waits for a write of another connection to end in steps of this many ms, as long
// as the connection waits for a lock (Connection::BusyWaitMs).
constexpr int kBusyStepMs = 50;

std::string why(int error)
{
    return std::strerror(error);
}

// The temporary copy: removed with its journal unless it was renamed into place.
class TempCopy
{
public:
    explicit TempCopy(const std::filesystem::path& backup)
    {
        fd_ = createTemporaryFile(backup, path_);
        if (fd_ < 0) {
            const int error = errno;
            path_.clear();
            throw DbError("cannot create a temporary file beside " + backup.string() + ": " +
                          why(error));
        }
    }
    ~TempCopy()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!path_.empty()) {
            ::unlink(path_.c_str());
            ::unlink((path_ + "-journal").c_str());
        }
    }
    TempCopy(const TempCopy&) = delete;
    TempCopy& operator=(const TempCopy&) = delete;

    const std::string& path() const { return path_; }

    // Syncs the finished copy and renames it over `backup`. A replaced backup keeps its mode; a
    // new one keeps that of a new file (0666 less the umask), as every file the program saves.
    void commit(const std::filesystem::path& backup)
    {
        struct stat old = {};
        const bool replaces = ::stat(backup.c_str(), &old) == 0;
        if ((replaces && ::fchmod(fd_, old.st_mode & 07777) != 0) || ::fsync(fd_) != 0) {
            const int error = errno;
            throw DbError("cannot write " + path_ + ": " + why(error));
        }
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) {
            const int error = errno;
            throw DbError("cannot write " + path_ + ": " + why(error));
        }
        if (std::rename(path_.c_str(), backup.c_str()) != 0) {
            const int error = errno;
            throw DbError("cannot rename " + path_ + " to " + backup.string() + ": " + why(error));
        }
        path_.clear();
        // The rename itself is on disk once the folder is synced.
        const std::filesystem::path folder =
            backup.has_parent_path() ? backup.parent_path() : std::filesystem::path(".");
        const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }

private:
    std::string path_;
    int fd_ = -1;
};

// The destination database, closed on every path.
struct Destination
{
    sqlite3* db = nullptr;
    ~Destination() { sqlite3_close_v2(db); }
};

} // namespace

void backupTrackDb(Connection& from, const std::filesystem::path& backup)
{
    if (!from.IsOpen())
        throw DbError("the track file is not open");
    TempCopy copy(backup);
    {
        Destination dest;
        if (sqlite3_open_v2(copy.path().c_str(), &dest.db, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK)
            throw DbError("cannot open " + copy.path() + ": " +
                          (dest.db != nullptr ? sqlite3_errmsg(dest.db) : "out of memory"));
        sqlite3_backup* job = sqlite3_backup_init(dest.db, "main", from.handle(), "main");
        if (job == nullptr)
            throw DbError("cannot start the copy of " + from.path() + ": " +
                          sqlite3_errmsg(dest.db));
        int rc = SQLITE_OK;
        // The loop below is the only wait: the source's own busy wait would add to it.
        sqlite3_busy_timeout(from.handle(), 0);
        const int retries = Connection::BusyWaitMs() / kBusyStepMs;
        for (int attempt = 0; attempt <= retries; ++attempt) {
            rc = sqlite3_backup_step(job, -1);
            if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
                break;
            if (attempt < retries)
                sqlite3_sleep(kBusyStepMs);
        }
        sqlite3_backup_finish(job);
        sqlite3_busy_timeout(from.handle(), Connection::BusyWaitMs());
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
            throw DbError("cannot copy " + from.path() + ": " + sqlite3_errstr(rc), rc,
                          DataFault::Locked, from.path());
        if (rc != SQLITE_DONE)
            throw DbError("cannot copy " + from.path() + ": " + sqlite3_errstr(rc));
        if (sqlite3_errcode(dest.db) != SQLITE_OK)
            throw DbError("cannot copy " + from.path() + ": " + sqlite3_errmsg(dest.db));
        if (sqlite3_close(dest.db) != SQLITE_OK)
            throw DbError("cannot close " + copy.path() + ": " + sqlite3_errmsg(dest.db));
        dest.db = nullptr;
    }
    copy.commit(backup);
}

} // namespace tv
