#include "platform/SerialPorts.h"

#include "platform/ProgramFolder.h"

#include <QSerialPortInfo>

#include <algorithm>
#include <system_error>

namespace tv {
namespace {

std::filesystem::path& deviceFolder()
{
    static std::filesystem::path folder = "/dev";
    return folder;
}

std::filesystem::path linkOf(int n)
{
    return programFolder() / "dosdevices" / ("com" + std::to_string(n));
}

bool linkExists(const std::filesystem::path& link)
{
    std::error_code ec;
    return std::filesystem::symlink_status(link, ec).type() !=
               std::filesystem::file_type::not_found &&
           !ec;
}

} // namespace

void setDeviceFolderForTesting(const std::filesystem::path& folder)
{
    deviceFolder() = folder.empty() ? std::filesystem::path("/dev") : folder;
}

std::string comPortPath(int n)
{
    if (n < 1 || n > 20)
        return {};
    if (const std::filesystem::path link = linkOf(n); linkExists(link))
        return link.string();
    const std::filesystem::path& dev = deviceFolder();
    if (n <= 4)
        return (dev / ("ttyUSB" + std::to_string(n - 1))).string();
    if (n <= 8)
        return (dev / ("ttyACM" + std::to_string(n - 5))).string();
    return (dev / ("ttyS" + std::to_string(n - 9))).string();
}

std::vector<std::string> systemSerialPorts()
{
    std::vector<std::string> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.push_back(info.systemLocation().toStdString());
    return ports;
}

int ComPortExists(int16_t n, const std::vector<std::string>& systemPorts)
{
    const std::string path = comPortPath(n);
    if (path.empty())
        return 0;
    std::error_code ec;
    if (!std::filesystem::is_character_file(path, ec))
        return 0;
    if (linkExists(linkOf(n)))
        return 1;
    return std::find(systemPorts.begin(), systemPorts.end(), path) != systemPorts.end() ? 1 : 0;
}

int ComPortExists(int16_t n)
{
    return ComPortExists(n, systemSerialPorts());
}

} // namespace tv
