#pragma once

// The name check of a new route and of the route grid's Name cells.

#include <cstdint>
#include <optional>
#include <string>

namespace tv {

// The message when the name is blank: "Bitte eine Streckenbezeichnung eingeben !" titled
// "Eingabefehler", in English "Please enter a route name !" titled "Data error".
struct RouteNameMessage
{
    std::string text;
    std::string title;
};
std::optional<RouteNameMessage> checkRouteName(const std::string& name, int16_t language);

} // namespace tv
