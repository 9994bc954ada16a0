#pragma once

// The German C locale, whose decimal mark is ",", for the tests that check that numbers in
// files and sentences keep their "." whatever the user's settings. scripts/install-deps.sh
// generates it. A test that cannot switch to it fails instead of skipping: a check that silently
// does not run is worse than none.

#include <clocale>
#include <string>

namespace tvtest {

inline constexpr const char* kGermanLocaleMissing =
    "the locale de_DE.UTF-8 is not installed: run scripts/install-deps.sh as root";

// Switches `category` of the C locale to German for its lifetime, then back.
class GermanCLocale
{
public:
    explicit GermanCLocale(int category = LC_ALL) : category_(category)
    {
        const char* before = std::setlocale(category_, nullptr);
        saved_ = before != nullptr ? before : "C";
        active_ = std::setlocale(category_, "de_DE.UTF-8") != nullptr &&
                  std::string(std::localeconv()->decimal_point) == ",";
    }
    ~GermanCLocale() { std::setlocale(category_, saved_.c_str()); }
    GermanCLocale(const GermanCLocale&) = delete;
    GermanCLocale& operator=(const GermanCLocale&) = delete;

    // True when numbers are now written with a decimal comma.
    bool active() const { return active_; }

private:
    int category_;
    std::string saved_;
    bool active_ = false;
};

} // namespace tvtest
