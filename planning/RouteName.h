#pragma once

// The name check of a new route and of the route grid's and the route point grid's Name cells.

#include "core/NameLength.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tv {

// The message when the name is blank: "Bitte eine Streckenbezeichnung eingeben !" titled
// "Eingabefehler", in English "Please enter a route name !" titled "Data error". A name longer
// than the data file holds gets the message of core/NameLength.h for `kind` (a route, or a
// route point in the point grid) under the same titles.
struct RouteNameMessage
{
    std::string text;
    std::string title;
};
std::optional<RouteNameMessage> checkRouteName(const std::string& name, int16_t language,
                                               NameKind kind = NameKind::Route);

} // namespace tv
