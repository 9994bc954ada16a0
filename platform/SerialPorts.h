#pragma once

#include <cstdint>
#include <string>

namespace tv {

// The device behind COM port number `n` (1 to 20, the numbers the settings window offers):
// a link "dosdevices/comN" in the program folder wins when it exists (even when it leads
// nowhere); otherwise COM1-4 are /dev/ttyUSB0-3, COM5-8 /dev/ttyACM0-3, COM9-20 /dev/ttyS0-11.
// Empty for numbers outside 1..20.
std::string comPortPath(int n);

// 1 when COM port `n` exists, that is when comPortPath(n) is a character device (links
// followed); 0 otherwise, and for numbers outside 1..20. The port is not opened, so a port in
// use by another program still counts.
int ComPortExists(int16_t n);

} // namespace tv
