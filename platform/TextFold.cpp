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

namespace {
// Folds one byte of UTF-8 text exactly as foldCase does, without building a copy, so that
// comparisons allocate nothing. `afterLead` tells that the byte is the second of a C3 pair.
inline unsigned char foldByte(unsigned char c, bool afterLead)
{
    if (afterLead)
        return (c >= 0x80 && c <= 0x9E && c != 0x97) ? static_cast<unsigned char>(c + 0x20) : c;
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + ('a' - 'A'));
    return c;
}
} // namespace

int compareNoCase(std::string_view a, std::string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    bool pairA = false; // the next byte of a is the second byte of a C3 pair
    bool pairB = false;
    for (size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        const unsigned char fa = foldByte(ca, pairA);
        const unsigned char fb = foldByte(cb, pairB);
        if (fa != fb)
            return fa < fb ? -1 : 1;
        pairA = !pairA && ca == 0xC3;
        pairB = !pairB && cb == 0xC3;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (prefix.size() > text.size())
        return false;
    return compareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

} // namespace tv
