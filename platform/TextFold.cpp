#include "platform/TextFold.h"

#include <algorithm>

namespace tv {

std::string foldCase(std::string_view utf8)
{
    std::string out(utf8);
    for (size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c + ('a' - 'A'));
        } else if (c == 0xC3 && i + 1 < out.size()) {
            // U+00C0..U+00DE are C3 80..C3 9E; their lower-case forms are C3 A0..C3 BE.
            // U+00D7 (multiplication sign) has no lower-case form.
            const auto d = static_cast<unsigned char>(out[i + 1]);
            if (d >= 0x80 && d <= 0x9E && d != 0x97)
                out[i + 1] = static_cast<char>(d + 0x20);
            ++i;
        }
    }
    return out;
}

int compareNoCase(std::string_view a, std::string_view b)
{
    const std::string fa = foldCase(a);
    const std::string fb = foldCase(b);
    const int c = fa.compare(fb);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (prefix.size() > text.size())
        return false;
    return foldCase(text.substr(0, prefix.size())) == foldCase(prefix);
}

} // namespace tv
