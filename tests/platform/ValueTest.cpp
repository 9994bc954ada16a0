#include "platform/Value.h"
#include "platform/DbError.h"
#include "platform/Field.h"

#include <gtest/gtest.h>

using tv::FieldInfo;
using tv::FieldType;
using tv::Value;

TEST(ValueConversion, NumbersBecomeTextWithAPointAndFifteenDigits)
{
    EXPECT_EQ(Value(0.1 + 0.2).toString(), "0.3");
    EXPECT_EQ(Value(-48.5).toString(), "-48.5");
    EXPECT_EQ(Value(270).toString(), "270");
    EXPECT_EQ(Value(15.0).toString(), "15");
    EXPECT_EQ(Value().toString(), "");
    EXPECT_EQ(tv::formatDoubleExact(0.1 + 0.2), "0.30000000000000004");
}

TEST(ValueConversion, TextReadsAsNumberOnlyWhenItIsOne)
{
    EXPECT_EQ(Value(" 12.5 ").toDouble(), 12.5);
    EXPECT_EQ(Value("+3").toInt(), 3);
    EXPECT_EQ(Value("1e3").toDouble(), 1000.0);
    EXPECT_EQ(Value("12,5").toDouble(), 0.0);
    EXPECT_FALSE(Value("12abc").asNumber());
    EXPECT_FALSE(Value("nan").asNumber());
    EXPECT_FALSE(Value("").asNumber());
    EXPECT_EQ(Value("9007199254740993").toInt(), 9007199254740993); // beyond a double
}

TEST(ValueConversion, WholeNumbersRoundHalvesToEvenAsVbDoes)
{
    EXPECT_EQ(Value(2.5).toInt(), 2);
    EXPECT_EQ(Value(3.5).toInt(), 4);
    EXPECT_EQ(Value(-2.5).toInt(), -2);
    EXPECT_EQ(Value(1e300).toInt(), std::numeric_limits<std::int64_t>::max());
}

TEST(ValueConversion, BooleansAreAnythingButZero)
{
    EXPECT_TRUE(Value(-1).toBool());
    EXPECT_TRUE(Value(1).toBool());
    EXPECT_FALSE(Value(0).toBool());
    EXPECT_TRUE(Value("True").toBool());
    EXPECT_FALSE(Value("FALSE").toBool());
    EXPECT_FALSE(Value().toBool());
    EXPECT_EQ(Value(true), Value(1));
}

TEST(ValueComparison, EqualityIsExactButNumbersMeetAcrossKinds)
{
    EXPECT_EQ(Value(2), Value(2.0));
    EXPECT_NE(Value("2"), Value(2));
    EXPECT_NE(Value("abc"), Value("ABC"));
    EXPECT_EQ(Value(), Value(nullptr));
    EXPECT_NE(Value(), Value(""));
}

TEST(ValueComparison, SearchIgnoresCaseAndComparesNumbersAsNumbers)
{
    EXPECT_EQ(tv::compareForSearch("Öhringen", "öHRINGEN"), 0);
    EXPECT_LT(*tv::compareForSearch("alpha", "Bravo"), 0);
    EXPECT_GT(*tv::compareForSearch(10, "9"), 0); // not "10" < "9"
    EXPECT_EQ(tv::compareForSearch("demo.bmp   ", "demo.bmp", true), 0);
    EXPECT_NE(tv::compareForSearch("demo.bmp   ", "demo.bmp", false), 0);
    EXPECT_FALSE(tv::compareForSearch(Value(), Value()));
    EXPECT_LT(tv::compareForSort(Value(), 0), 0);
    EXPECT_LT(tv::compareForSort(99, "a"), 0);
}

TEST(FieldAssignment, ValuesAreConvertedForTheirField)
{
    const auto field = [](FieldType type, int size = 0) {
        FieldInfo f;
        f.name = "f";
        f.type = type;
        f.size = size;
        return f;
    };
    EXPECT_EQ(tv::valueForField(field(FieldType::Long), "42"), Value(42));
    EXPECT_EQ(tv::valueForField(field(FieldType::Long), 41.5), Value(42));
    EXPECT_THROW(tv::valueForField(field(FieldType::Long), 3e9), tv::DbError);
    EXPECT_THROW(tv::valueForField(field(FieldType::SmallInt), -32769), tv::DbError);
    EXPECT_EQ(tv::valueForField(field(FieldType::Single), 0.1), Value(double(0.1f)));
    EXPECT_EQ(tv::valueForField(field(FieldType::Double), "0.1"), Value(0.1));
    EXPECT_THROW(tv::valueForField(field(FieldType::Double), "zehn"), tv::DbError);
    EXPECT_EQ(tv::valueForField(field(FieldType::VarChar, 5), 12.5), Value("12.5"));
    EXPECT_EQ(tv::valueForField(field(FieldType::VarChar, 5), "Höhe!"), Value("Höhe!"));
    EXPECT_THROW(tv::valueForField(field(FieldType::VarChar, 4), "Höhe!"), tv::DbError);
    EXPECT_EQ(tv::valueForField(field(FieldType::Char, 4), "Öl"), Value("Öl  "));
    EXPECT_EQ(tv::valueForField(field(FieldType::Boolean), -1), Value(1));
    EXPECT_THROW(tv::valueForField(field(FieldType::Boolean), "ja"), tv::DbError);
    EXPECT_TRUE(tv::valueForField(field(FieldType::Long), Value()).isNull());
}

TEST(FieldAssignment, DeclaredTypesMapToFieldTypes)
{
    struct Case
    {
        const char* declared;
        FieldType type;
    };
    const Case cases[] = {
        {"VARCHAR(30)", FieldType::VarChar}, {"integer", FieldType::Long},
        {"SMALLINT", FieldType::SmallInt},   {"REAL", FieldType::Single},
        {"DOUBLE", FieldType::Double},       {"BOOLEAN", FieldType::Boolean},
        {"DATETIME", FieldType::DateTime},   {"TEXT", FieldType::Text},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.declared);
        FieldType t{};
        int size = 0;
        EXPECT_TRUE(tv::fieldTypeFromDeclared(c.declared, t, size));
        EXPECT_EQ(t, c.type);
    }
    FieldType t{};
    int size = 0;
    ASSERT_TRUE(tv::fieldTypeFromDeclared("VARCHAR(30)", t, size));
    EXPECT_EQ(size, 30);
    EXPECT_FALSE(tv::fieldTypeFromDeclared("", t, size));
}
