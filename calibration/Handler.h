#pragma once

#include <QtGlobal>

#include <exception>

namespace tv {

// Runs a window's event handler so that nothing it throws leaves the event loop. The handlers
// catch the faults they expect (a data file that refuses a change) and tell the pilot; anything
// else ends the handler at that point and is written to the log with the handler's name.
template <class F> void runHandler(const char* name, F&& handler) noexcept
{
    try {
        handler();
    } catch (const std::exception& e) {
        qWarning("%s: %s", name, e.what());
    }
}

} // namespace tv
