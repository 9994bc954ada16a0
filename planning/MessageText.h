#pragma once

#include <string>

namespace tv {

// The caption and text of one message box, chosen by the logic so that tests can read them.
struct MessageText
{
    std::string title;
    std::string text;
};

} // namespace tv
