// Variant conversions and comparison.
#include <gtest/gtest.h>

#include <cmath>

#include "classlib/core/TVariant.h"

namespace {

TEST(Variant, EmptyConvertsToZeroValues) {
    TVariant v;
    EXPECT_TRUE(v.IsEmpty());
    EXPECT_EQ(v.AsInteger(), 0);
    EXPECT_EQ(v.AsDouble(), 0.0);
    EXPECT_FALSE(v.AsBoolean());
    EXPECT_EQ(v.AsString(), "");
    v = 5;
    EXPECT_EQ(v.VarType(), varInteger);
    v.Clear();
    EXPECT_EQ(v.VarType(), varEmpty);
}

TEST(Variant, NumbersConvertWithCheckedRanges) {
    EXPECT_EQ(TVariant(std::int64_t(2147483647)).AsInteger(), 2147483647);
    EXPECT_THROW(TVariant(std::int64_t(2147483648LL)).AsInteger(), ERangeError);
    EXPECT_THROW(TVariant(std::int64_t(-2147483649LL)).AsInteger(), ERangeError);
    EXPECT_EQ(TVariant(2.5).AsInteger(), 2);
    EXPECT_EQ(TVariant(3.5).AsInteger(), 4);
    EXPECT_EQ(TVariant(-2.5).AsInteger(), -2);
    EXPECT_THROW(TVariant(3e9).AsInteger(), ERangeError);
    EXPECT_THROW(TVariant(1e300).AsInt64(), ERangeError);
    EXPECT_THROW(TVariant(std::nan("")).AsInt64(), ERangeError);
    EXPECT_EQ(TVariant(true).AsInteger(), -1);
    EXPECT_EQ(TVariant(std::int32_t(7)).AsDouble(), 7.0);
    EXPECT_TRUE(TVariant(0.25).AsBoolean());
}

TEST(Variant, TextParsesOrRaises) {
    EXPECT_EQ(TVariant("  -12").AsInteger(), -12);
    EXPECT_EQ(TVariant("$1F").AsInteger(), 31);
    EXPECT_EQ(TVariant("2.5").AsDouble(), 2.5);
    EXPECT_THROW(TVariant("2,5").AsDouble(), EConvertError);
    EXPECT_THROW(TVariant("twelve").AsInteger(), EConvertError);
    EXPECT_THROW(TVariant("99999999999").AsInteger(), ERangeError);
    EXPECT_TRUE(TVariant("true").AsBoolean());
    EXPECT_FALSE(TVariant("False").AsBoolean());
    EXPECT_TRUE(TVariant("1").AsBoolean());
    EXPECT_THROW(TVariant("yes").AsBoolean(), EConvertError);
    EXPECT_EQ(TVariant(u"42").AsInteger(), 42);
}

TEST(Variant, ToText) {
    EXPECT_EQ(TVariant(std::int32_t(-5)).AsString(), "-5");
    EXPECT_EQ(TVariant(std::int64_t(1) << 40).AsString(), "1099511627776");
    EXPECT_EQ(TVariant(0.5).AsString(), "0.5");
    EXPECT_EQ(TVariant(true).AsString(), "True");
    EXPECT_EQ(TVariant("abc").AsWideString(), u"abc");
    EXPECT_EQ(TVariant(u"abc").AsString(), "abc");
}

TEST(Variant, EqualityAcrossKinds) {
    EXPECT_EQ(TVariant(std::int32_t(5)), TVariant(std::int64_t(5)));
    EXPECT_EQ(TVariant(std::int32_t(5)), TVariant(5.0));
    EXPECT_NE(TVariant(std::int32_t(5)), TVariant(5.5));
    EXPECT_EQ(TVariant("abc"), TVariant(u"abc"));
    EXPECT_NE(TVariant("5"), TVariant(std::int32_t(5)));
    EXPECT_EQ(TVariant(), TVariant());
    EXPECT_NE(TVariant(), TVariant(std::int32_t(0)));
    EXPECT_EQ(TVariant(true), TVariant(std::int32_t(-1)));
}

}  // namespace
