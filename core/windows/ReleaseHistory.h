#pragma once

#include <QStringList>

#include <cstdint>

namespace tv {

// The release history of the about window, one list entry per element, newest release first.
// Each release: "- Version x.y.z", for 1.0.8 and older a date entry, then feature entries
// ("- ") and continuation entries (two blanks); empty entries separate the releases.
// German (language 0) covers 1.1.2 back to 1.0.1, English (any other value) 1.1.0 back to 1.0.1.
QStringList releaseHistory(int16_t language);

} // namespace tv
