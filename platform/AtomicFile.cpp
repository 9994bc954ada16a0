#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <string>
#include <unistd.h>

namespace tv {

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content)
{
    const std::filesystem::path folder =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::string name = ".";
    name.append(path.filename().string());
    name.append(".XXXXXX");
    std::string tmpl = (folder / name).string();
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        return false;

    bool ok = true;
    const char* p = content.data();
    size_t left = content.size();
    while (ok && left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
        } else {
            p += n;
            left -= static_cast<size_t>(n);
        }
    }
    if (ok && ::fsync(fd) != 0)
        ok = false;
    // mkstemp creates 0600; settings files are ordinary user files.
    if (ok && ::fchmod(fd, 0644) != 0)
        ok = false;
    if (::close(fd) != 0)
        ok = false;
    if (ok && std::rename(tmpl.c_str(), path.c_str()) != 0)
        ok = false;
    if (!ok)
        ::unlink(tmpl.c_str());
    return ok;
}

} // namespace tv
