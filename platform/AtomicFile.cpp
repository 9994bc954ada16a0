#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tv {
namespace {

// Large enough that a long export costs few system calls, small enough to stay in the cache.
constexpr size_t kBufferBytes = 1 << 16;

} // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content)
{
    AtomicFileWriter writer;
    return writer.open(path) && writer.write(content) && writer.commit();
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
    const std::filesystem::path folder =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::string name = ".";
    name.append(path.filename().string());
    name.append(".XXXXXX");
    tmp_ = (folder / name).string();
    fd_ = ::mkstemp(tmp_.data());
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
    if (::fsync(fd_) != 0)
        fail(errno);
    // mkstemp creates 0600; settings files and exports are ordinary user files.
    if (error_ == 0 && ::fchmod(fd_, 0644) != 0)
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

} // namespace tv
