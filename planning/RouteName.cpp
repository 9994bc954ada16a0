#include "planning/RouteName.h"

namespace tv {

std::optional<RouteNameMessage> checkRouteName(const std::string& name, int16_t language,
                                               NameKind kind)
{
    const std::string title = language == 0 ? "Eingabefehler" : "Data error";
    if (name.find_first_not_of(" \t") == std::string::npos)
        return RouteNameMessage{language == 0 ? "Bitte eine Streckenbezeichnung eingeben !"
                                              : "Please enter a route name !",
                                title};
    if (auto tooLong = checkNameLength(kind, name, language))
        return RouteNameMessage{std::move(*tooLong), title};
    return std::nullopt;
}

} // namespace tv
