#pragma once

#include <exception>

namespace tv {

// Runs a window handler so that nothing it throws leaves the event loop: a handler that fails
// ends silently at that point, as the flight window's handlers always did.
template <class F> void safely(F&& handler) noexcept
{
    try {
        handler();
    } catch (...) {
    }
}

} // namespace tv
