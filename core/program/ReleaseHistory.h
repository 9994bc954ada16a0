#pragma once

#include <QStringList>

#include <cstdint>

namespace tv {

// The release history of the about window, one list entry per element, newest release first.
// Each release: "- Version x.y.z", for 1.0.8 and older a date entry, then feature entries
// ("- ") and continuation entries (two blanks); empty entries separate the releases.
// Both languages (German 0, English any other value) cover the running program's version back
// to 1.0.1; the newest heading is the program version itself.
QStringList releaseHistory(int16_t language);

} // namespace tv
