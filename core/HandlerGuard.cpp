#include "core/HandlerGuard.h"

#include <cstdio>

namespace tv {

void logHandlerFault(const char* handler, const char* what) noexcept
{
    std::fprintf(stderr, "Tramvik GPS: %s: %s\n", handler != nullptr ? handler : "?",
                 what != nullptr ? what : "");
}

} // namespace tv
