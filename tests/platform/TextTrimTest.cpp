#include "platform/TextTrim.h"

#include <gtest/gtest.h>

using tv::trimBlanks;
using tv::trimSpaces;

TEST(TextTrim, TypedValuesLoseBlanksAndTabsAtBothEndsOnly)
{
    EXPECT_EQ(trimBlanks(" \t1013 5\t "), "1013 5");
    EXPECT_EQ(trimBlanks("\t \t"), "");
    EXPECT_EQ(trimBlanks(""), "");
}

TEST(TextTrim, ReceiverLinesKeepTabsAsContent)
{
    EXPECT_EQ(trimSpaces("  $GPRMC,1\t  "), "$GPRMC,1\t");
    EXPECT_EQ(trimSpaces("\t$GPGGA "), "\t$GPGGA");
    EXPECT_EQ(trimSpaces("   "), "");
}
