#include "core/NameLength.h"

#include "platform/Field.h"

namespace tv {
namespace {

const char* whichName(NameKind kind, bool german)
{
    switch (kind) {
    case NameKind::Waypoint:
        return german ? "Der Name des Wegpunkts" : "The waypoint name";
    case NameKind::RoutePoint:
        return german ? "Der Name des Streckenpunkts" : "The route point name";
    case NameKind::Route:
        return german ? "Der Name der Strecke" : "The route name";
    case NameKind::Category:
        return german ? "Der Name der Kategorie" : "The category name";
    case NameKind::Chart:
        return german ? "Der Name der Karte" : "The map name";
    }
    return german ? "Der Name" : "The name";
}

} // namespace

bool nameFits(std::string_view utf8)
{
    return characterCount(utf8) <= kMaxNameCharacters;
}

std::string nameTooLongReason(int language)
{
    const std::string limit = std::to_string(kMaxNameCharacters);
    return language == 0 ? "zu lang (höchstens " + limit + " Zeichen)"
                         : "too long (at most " + limit + " characters)";
}

std::string nameTooLongMessage(NameKind kind, int language)
{
    const bool german = language == 0;
    return std::string(whichName(kind, german)) + (german ? " ist " : " is ") +
           nameTooLongReason(language) + ".";
}

std::optional<std::string> checkNameLength(NameKind kind, std::string_view utf8, int language)
{
    if (nameFits(utf8))
        return std::nullopt;
    return nameTooLongMessage(kind, language);
}

} // namespace tv
