// Reading the rows of many airspaces in one query: each airspace handed over once, whole, in
// number order, its rows in their place along the boundary.
#include "AirspaceFixture.h"

#include "airspace/AirspaceData.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

using astest::AirspaceFile;
using astest::dp;

namespace {

class ManyAirspacesRows : public AirspaceFile
{
protected:
    // Each airspace handed over: its number and the latitudes of its rows, in order.
    std::vector<std::pair<int32_t, std::vector<double>>> read(const std::vector<int32_t>& numbers)
    {
        std::vector<std::pair<int32_t, std::vector<double>>> out;
        tv::readAirspaceRows(*db, numbers, [&out](int32_t index, const tv::AirspaceRows& rows) {
            std::vector<double> lats;
            for (const tv::AirspaceRow& r : rows)
                lats.push_back(r.lat.value_or(-1.0));
            out.emplace_back(index, lats);
        });
        return out;
    }
};

} // namespace

TEST_F(ManyAirspacesRows, EachAirspaceOnceWholeInNumberOrder)
{
    // Written out of order: airspace 12 first, 3's rows numbered backwards, 7 between them.
    add(12, {}, {dp(48.1, 9.0), dp(48.2, 9.0), dp(48.3, 9.0)});
    add(3, {}, {dp(47.3, 9.0), dp(47.2, 9.0), dp(47.1, 9.0)}, {3.0, 2.0, 1.0});
    add(7, {}, {dp(47.7, 9.0), dp(47.8, 9.0), dp(47.9, 9.0), dp(47.95, 9.0)});
    add(40000, {}, {dp(49.0, 9.0), dp(49.1, 9.0), dp(49.2, 9.0)});

    struct Case
    {
        const char* what;
        std::vector<int32_t> asked;
        std::vector<std::pair<int32_t, std::vector<double>>> handed;
    };
    const Case cases[] = {
        {"asked in any order",
         {12, 3, 7},
         {{3, {47.1, 47.2, 47.3}}, {7, {47.7, 47.8, 47.9, 47.95}}, {12, {48.1, 48.2, 48.3}}}},
        {"numbers without rows left out", {99, 7, 0}, {{7, {47.7, 47.8, 47.9, 47.95}}}},
        {"numbers beyond sixteen bits", {40000}, {{40000, {49.0, 49.1, 49.2}}}},
        {"nothing asked", {}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(read(c.asked), c.handed) << c.what;
}
