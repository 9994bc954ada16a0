#include "platform/SerialPorts.h"

#include "platform/ProgramFolder.h"

#include <filesystem>
#include <system_error>

namespace tv {

std::string comPortPath(int n)
{
    if (n < 1 || n > 20)
        return {};
    std::error_code ec;
    const std::filesystem::path link = programFolder() / "dosdevices" / ("com" + std::to_string(n));
    if (std::filesystem::symlink_status(link, ec).type() != std::filesystem::file_type::not_found &&
        !ec)
        return link.string();
    if (n <= 4)
        return "/dev/ttyUSB" + std::to_string(n - 1);
    if (n <= 8)
        return "/dev/ttyACM" + std::to_string(n - 5);
    return "/dev/ttyS" + std::to_string(n - 9);
}

int ComPortExists(int16_t n)
{
    const std::string path = comPortPath(n);
    if (path.empty())
        return 0;
    std::error_code ec;
    return std::filesystem::is_character_file(path, ec) ? 1 : 0;
}

} // namespace tv
