#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tv {

// The device behind COM port number `n` (1 to 20, the numbers the settings window offers):
// a link "dosdevices/comN" in the program folder wins when it exists (even when it leads
// nowhere); otherwise COM1-4 are /dev/ttyUSB0-3, COM5-8 /dev/ttyACM0-3, COM9-20 /dev/ttyS0-11.
// Empty for numbers outside 1..20.
std::string comPortPath(int n);

// The serial devices of this computer that have hardware behind them, as the serial port
// library lists them ("/dev/ttyUSB0"). The kernel keeps /dev/ttyS0 to ttyS11 nodes whether or
// not a UART answers behind them; the library leaves those out.
std::vector<std::string> systemSerialPorts();

// 1 when COM port `n` exists, 0 otherwise and for numbers outside 1..20. A dosdevices link
// counts when it leads to a character device (a pseudo-terminal is no hardware but still a
// port); a device of the fixed mapping counts when it is a character device that
// `systemPorts` lists. The port is not opened, so a port in use by another program still
// counts.
int ComPortExists(int16_t n, const std::vector<std::string>& systemPorts);
int ComPortExists(int16_t n); // asks systemSerialPorts()

// Test hook: the folder that stands for /dev in the fixed mapping; empty restores /dev.
void setDeviceFolderForTesting(const std::filesystem::path& folder);

} // namespace tv
