#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tv {

// Writes `content` to a temporary file beside `path`, flushes it to disk and renames it over
// `path`. Returns false when any step fails; the old file at `path` is then left untouched and
// the temporary file removed. Used for every settings file, rowset file and export.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view content);

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

} // namespace tv
