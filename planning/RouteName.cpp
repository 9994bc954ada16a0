#include "planning/RouteName.h"

namespace tv {

std::optional<RouteNameMessage> checkRouteName(const std::string& name, int16_t language)
{
    if (name.find_first_not_of(" \t") != std::string::npos)
        return std::nullopt;
    if (language == 0)
        return RouteNameMessage{"Bitte eine Streckenbezeichnung eingeben !", "Eingabefehler"};
    return RouteNameMessage{"Please enter a route name !", "Data error"};
}

} // namespace tv
