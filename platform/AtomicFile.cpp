#include "platform/AtomicFile.h"

#include "platform/Log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace tv {
namespace {

// Large enough that a long export costs few system calls, small enough to stay in the cache.
constexpr size_t kBufferBytes = 1 << 16;

constexpr std::string_view kTempMark = ".tvsave-";
constexpr size_t kTempRandomChars = 6;
constexpr std::string_view kTempAlphabet =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

bool isTemporaryName(const std::string& name)
{
    if (name.size() < 2 + kTempMark.size() + kTempRandomChars || name.front() != '.')
        return false;
    const size_t mark = name.size() - kTempRandomChars - kTempMark.size();
    if (name.compare(mark, kTempMark.size(), kTempMark) != 0)
        return false;
    for (size_t i = name.size() - kTempRandomChars; i < name.size(); ++i)
        if (kTempAlphabet.find(name[i]) == std::string_view::npos)
            return false;
    return true;
}

// The part of the file name that the temporary name repeats: enough to tell whose it is, and
// short, so that a file whose own name nearly fills the 255 bytes a name may have can still be
// saved. Cut at a whole UTF-8 character.
std::string temporaryStem(const std::string& fileName)
{
    constexpr size_t kStemBytes = 32;
    if (fileName.size() <= kStemBytes)
        return fileName;
    size_t end = kStemBytes;
    while (end > 0 && (static_cast<unsigned char>(fileName[end]) & 0xC0) == 0x80)
        --end;
    return fileName.substr(0, end);
}

std::filesystem::path folderOf(const std::filesystem::path& path)
{
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

// Removes the temporary files in `folder` older than `minimumAge` whose name repeats `stem`
// (every stem when it is empty).
int removeStale(const std::filesystem::path& folder, std::chrono::seconds minimumAge,
                const std::string& stem)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return 0;
    const auto now = fs::file_time_type::clock::now();
    int removed = 0;
    for (const fs::directory_entry& entry : it) {
        const std::string name = entry.path().filename().string();
        if (!isTemporaryName(name))
            continue;
        if (!stem.empty() &&
            name.substr(1, name.size() - 1 - kTempMark.size() - kTempRandomChars) != stem)
            continue;
        if (!entry.is_regular_file(ec) || entry.is_symlink(ec))
            continue;
        const auto written = entry.last_write_time(ec);
        if (ec || now - written < minimumAge)
            continue;
        if (fs::remove(entry.path(), ec))
            ++removed;
    }
    return removed;
}

// Creates a new temporary file beside `path`; -1 (errno set) when none can be created. The
// mode 0666 is reduced by the umask as for any new file. A save killed before its rename left
// its temporary file; those of this file's name that are old enough go first.
int createTemporary(const std::filesystem::path& path, std::string& tempPath)
{
    const std::filesystem::path folder = folderOf(path);
    removeStale(folder, kStaleTemporaryAge, temporaryStem(path.filename().string()));
    std::random_device rd;
    std::uniform_int_distribution<size_t> pick(0, kTempAlphabet.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = ".";
        name.append(temporaryStem(path.filename().string()));
        name.append(kTempMark);
        for (size_t i = 0; i < kTempRandomChars; ++i)
            name.push_back(kTempAlphabet[pick(rd)]);
        tempPath = (folder / name).string();
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// The rename itself reaches the disk only with its folder. Some file systems cannot flush a
// folder; the file is in place either way, so this is not reported.
void flushFolder(const std::filesystem::path& path)
{
    const std::filesystem::path folder = folderOf(path);
    const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd < 0)
        return;
    [[maybe_unused]] const int r = ::fsync(dfd);
    ::close(dfd);
}

} // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content)
{
    AtomicFileWriter writer;
    if (writer.open(path) && writer.write(content) && writer.commit())
        return true;
    const std::string why = "cannot write " + path.string() + ": " + std::strerror(writer.error());
    logHandlerFault("writeFileAtomically", why.c_str());
    return false;
}

AtomicFileWriter::~AtomicFileWriter()
{
    abort();
}

bool AtomicFileWriter::open(const std::filesystem::path& path)
{
    abort();
    error_ = 0;
    path_ = path;
    fd_ = createTemporary(path, tmp_);
    if (fd_ < 0) {
        error_ = errno != 0 ? errno : EIO;
        tmp_.clear();
        return false;
    }
    buffer_.clear();
    buffer_.reserve(kBufferBytes);
    return true;
}

void AtomicFileWriter::fail(int error)
{
    if (error_ == 0)
        error_ = error != 0 ? error : EIO;
}

bool AtomicFileWriter::flushBuffer()
{
    const char* p = buffer_.data();
    size_t left = buffer_.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    buffer_.clear();
    return true;
}

bool AtomicFileWriter::write(std::string_view text)
{
    if (!ok())
        return false;
    if (buffer_.size() + text.size() > kBufferBytes) {
        if (!flushBuffer())
            return false;
        if (text.size() > kBufferBytes) {
            buffer_.assign(text);
            return flushBuffer();
        }
    }
    buffer_.append(text);
    return true;
}

bool AtomicFileWriter::commit()
{
    if (!ok() || !flushBuffer()) {
        abort();
        return false;
    }
    // The replaced file keeps its permissions; a new one keeps those it was created with.
    struct stat old = {};
    if (::stat(path_.c_str(), &old) == 0 && ::fchmod(fd_, old.st_mode & 07777) != 0)
        fail(errno);
    if (error_ == 0 && ::fsync(fd_) != 0)
        fail(errno);
    if (::close(fd_) != 0)
        fail(errno);
    fd_ = -1;
    if (error_ == 0 && std::rename(tmp_.c_str(), path_.c_str()) != 0)
        fail(errno);
    if (error_ != 0) {
        ::unlink(tmp_.c_str());
        tmp_.clear();
        return false;
    }
    tmp_.clear();
    flushFolder(path_);
    return true;
}

void AtomicFileWriter::abort()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!tmp_.empty()) {
        ::unlink(tmp_.c_str());
        tmp_.clear();
    }
    buffer_.clear();
}

int createTemporaryFile(const std::filesystem::path& path, std::string& tempPath)
{
    return createTemporary(path, tempPath);
}

int removeStaleTemporaryFiles(const std::filesystem::path& folder, std::chrono::seconds minimumAge)
{
    return removeStale(folder, minimumAge, {});
}

} // namespace tv
