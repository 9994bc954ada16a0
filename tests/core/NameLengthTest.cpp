#include "core/NameLength.h"

#include <gtest/gtest.h>

TEST(NameLength, MoreThan255CharactersAreRefusedSayingWhichName)
{
    const char* const which[][2] = {{"des Wegpunkts", "waypoint"},
                                    {"des Streckenpunkts", "route point"},
                                    {"der Strecke", "route"},
                                    {"der Kategorie", "category"},
                                    {"der Karte", "map"}}; // in the order of NameKind
    std::string umlauts; // 255 characters in 510 bytes: the count is characters
    for (int i = 0; i < 255; ++i)
        umlauts += "ü";
    const std::string a255(255, 'A');
    for (int k = 0; k < 5; ++k) {
        for (const auto& name : {a255, umlauts, a255 + "A", umlauts + "ü", std::string(300, 'A')}) {
            const bool fits = name == a255 || name == umlauts;
            const auto kind = static_cast<tv::NameKind>(k);
            EXPECT_EQ(tv::checkNameLength(kind, name, 0).value_or(""),
                      fits ? ""
                           : "Der Name " + std::string(which[k][0]) +
                                 " ist zu lang (höchstens 255 Zeichen).");
            EXPECT_EQ(tv::checkNameLength(kind, name, 1).value_or(""),
                      fits ? ""
                           : "The " + std::string(which[k][1]) +
                                 " name is too long (at most 255 characters).");
        }
    }
}
