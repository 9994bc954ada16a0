#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tv {
namespace {

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

// Creates a new temporary file beside `path`; -1 when none can be created. The mode 0666 is
// reduced by the umask as for any new file.
int createTemporary(const std::filesystem::path& folder, const std::filesystem::path& path,
                    std::string& tempPath)
{
    std::random_device rd;
    std::uniform_int_distribution<size_t> pick(0, kTempAlphabet.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = ".";
        name.append(path.filename().string());
        name.append(kTempMark);
        for (size_t i = 0; i < kTempRandomChars; ++i)
            name.push_back(kTempAlphabet[pick(rd)]);
        tempPath = (folder / name).string();
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, std::string_view content)
{
    const char* p = content.data();
    size_t left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// The rename itself reaches the disk only with its folder. Some file systems cannot flush a
// folder; the file is in place either way, so this is not reported.
void flushFolder(const std::filesystem::path& folder)
{
    const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd < 0)
        return;
    [[maybe_unused]] const int r = ::fsync(dfd);
    ::close(dfd);
}

} // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content)
{
    const std::filesystem::path folder =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::string tmp;
    const int fd = createTemporary(folder, path, tmp);
    if (fd < 0)
        return false;

    bool ok = writeAll(fd, content);
    struct stat old{};
    if (ok && ::stat(path.c_str(), &old) == 0 && ::fchmod(fd, old.st_mode & 07777) != 0)
        ok = false;
    if (ok && ::fsync(fd) != 0)
        ok = false;
    if (::close(fd) != 0)
        ok = false;
    if (ok && std::rename(tmp.c_str(), path.c_str()) != 0)
        ok = false;
    if (!ok) {
        ::unlink(tmp.c_str());
        return false;
    }
    flushFolder(folder);
    return true;
}

int removeStaleTemporaryFiles(const std::filesystem::path& folder, std::chrono::seconds minimumAge)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return 0;
    const auto now = fs::file_time_type::clock::now();
    int removed = 0;
    for (const fs::directory_entry& entry : it) {
        if (!isTemporaryName(entry.path().filename().string()))
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

} // namespace tv
