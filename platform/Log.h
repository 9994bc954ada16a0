#pragma once

// The program's log: one line per entry on standard error, "Tramvik GPS: <where>: <what>".
// A fault that ended a handler is logged by the guard around it (core/HandlerGuard.h); a fault
// the program passes over on purpose is logged at debug level, marked "debug:", with the
// reason its catch gives.

#include <exception>
#include <source_location>

namespace tv {

// Writes "Tramvik GPS: <handler>: <what>".
void logHandlerFault(const char* handler, const char* what) noexcept;

// For a catch that passes a fault over on purpose: `why` says in a few words what happens
// instead ("the rows read so far are shown"). Writes "Tramvik GPS: debug: <where>: <what>
// (<why>)", `where` being the function of the catch.
void logIgnoredFault(const std::exception& fault, const char* why,
                     std::source_location where = std::source_location::current()) noexcept;

// The same for a failure that is no exception (a write that returned false): writes
// "Tramvik GPS: debug: <where>: <what> (<why>)".
void logPassedOver(const char* what, const char* why,
                   std::source_location where = std::source_location::current()) noexcept;

} // namespace tv
