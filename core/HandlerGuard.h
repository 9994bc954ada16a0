#pragma once

// The one guard around event handlers and the steps of a redraw: nothing a handler throws
// leaves it (an exception must never reach the event loop), and nothing is lost without a
// word: the fault is written to the log with the name of the function that ran the handler.

#include "platform/Log.h"

#include <exception>
#include <source_location>

namespace tv {

// Runs `handler`; true when it ended normally, false when it threw (and the fault was logged).
// `where` is the caller's place, so the log names the handler without the caller saying it.
template <class F>
bool guarded(F&& handler, std::source_location where = std::source_location::current()) noexcept
{
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        logHandlerFault(where.function_name(), e.what());
    } catch (...) {
        // Not derived from std::exception: still logged, never silently dropped.
        logHandlerFault(where.function_name(), "an exception of an unknown type");
    }
    return false;
}

} // namespace tv
