#include "platform/TextTrim.h"

namespace tv {

namespace {

template <typename IsPadding> std::string_view trimEnds(std::string_view text, IsPadding isPadding)
{
    while (!text.empty() && isPadding(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isPadding(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::string_view trimBlanks(std::string_view text)
{
    return trimEnds(text, [](char c) { return c == ' ' || c == '\t'; });
}

std::string_view trimSpaces(std::string_view text)
{
    return trimEnds(text, [](char c) { return c == ' '; });
}

} // namespace tv
