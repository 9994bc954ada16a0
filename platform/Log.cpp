#include "platform/Log.h"

#include <cstdio>

namespace tv {

void logHandlerFault(const char* handler, const char* what) noexcept
{
    std::fprintf(stderr, "Tramvik GPS: %s: %s\n", handler != nullptr ? handler : "?",
                 what != nullptr ? what : "");
}

void logIgnoredFault(const std::exception& fault, const char* why,
                     std::source_location where) noexcept
{
    std::fprintf(stderr, "Tramvik GPS: debug: %s: %s (%s)\n", where.function_name(), fault.what(),
                 why != nullptr ? why : "");
}

void logPassedOver(const char* what, const char* why, std::source_location where) noexcept
{
    std::fprintf(stderr, "Tramvik GPS: debug: %s: %s (%s)\n", where.function_name(),
                 what != nullptr ? what : "", why != nullptr ? why : "");
}

} // namespace tv
