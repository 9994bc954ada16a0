#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace tv {

// Writes `content` to a temporary file beside `path`, flushes it to disk, renames it over `path`
// and flushes the folder, so that after a power loss the file holds either the old or the new
// content. The file keeps the permissions of the file it replaces; a new file gets the usual
// ones (0666 less the umask). Returns false when any step up to the rename fails; the old file
// at `path` is then left untouched and the temporary file removed. Used for every settings file,
// rowset file and export. A failure is logged with its reason; telling the pilot is the caller's
// part.
[[nodiscard]] bool writeFileAtomically(const std::filesystem::path& path, std::string_view content);

// The same for a file written piece by piece (a large export that is never held whole in
// memory): open() creates the temporary file beside `path`, write() appends through a buffer,
// commit() flushes, syncs and renames it over `path`. A writer destroyed without a successful
// commit() removes its temporary file and leaves `path` as it was. After a failed step every
// further call fails too; the first failure's errno is kept in error().
class AtomicFileWriter
{
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool open(const std::filesystem::path& path);
    bool write(std::string_view text);
    bool commit();
    // Drops the temporary file; `path` stays as it was.
    void abort();

    bool ok() const { return fd_ >= 0 && error_ == 0; }
    int error() const { return error_; }

private:
    bool flushBuffer();
    void fail(int error);

    std::filesystem::path path_;
    std::string tmp_;
    std::string buffer_;
    int fd_ = -1;
    int error_ = 0;
};

// Creates a new, empty temporary file beside `path`, named like the writers' temporary files,
// with the mode of any new file (0666 less the umask), for a writer of its own (a database
// copy). Returns its descriptor, open for writing, with its name in `tempPath`; -1 with errno
// set when none can be created.
int createTemporaryFile(const std::filesystem::path& path, std::string& tempPath);

// The temporary files of the writers above are named ".<name>.tvsave-XXXXXX" (<name> cut to
// its first 32 bytes, then six letters or digits). A program killed during a save leaves one
// behind; this removes those in `folder` that are older than `minimumAge` (younger ones may
// belong to a save still running in another copy of the program). Other files are never
// touched. Returns how many were removed. Every save of a file first removes the stale
// temporary files of that file's name (kStaleTemporaryAge), so a leftover goes at the latest
// with the next save of its file.
inline constexpr std::chrono::seconds kStaleTemporaryAge{60};
int removeStaleTemporaryFiles(const std::filesystem::path& folder,
                              std::chrono::seconds minimumAge = kStaleTemporaryAge);

} // namespace tv
