// The number rules of the spin edit: reading its text, holding the value in its range, stepping.
#include <gtest/gtest.h>

#include <limits>

#include "classlib/core/SpinValue.h"

TEST(SpinValue, ParsesWholeNumbersOnly) {
    EXPECT_EQ(ParseSpinValue("42"), 42);
    EXPECT_EQ(ParseSpinValue("  -17\t"), -17);
    EXPECT_EQ(ParseSpinValue("+5"), 5);
    EXPECT_EQ(ParseSpinValue("-2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ(ParseSpinValue("2147483647"), std::numeric_limits<int>::max());
    for (const char* bad :
         {"", "   ", "-", "+", "12a", "1 2", "0x10", "2147483648", "-2147483649", "99999999999999999999", "3.5"})
        EXPECT_FALSE(ParseSpinValue(bad).has_value()) << bad;
}

TEST(SpinValue, UnreadableTextIsTheMinimumAndTheRangeHoldsOnlyWhenNotEmpty) {
    EXPECT_EQ(SpinValueOf("", 8, 400), 8);
    EXPECT_EQ(SpinValueOf("abc", 8, 400), 8);
    EXPECT_EQ(SpinValueOf("1000", 8, 400), 400);
    EXPECT_EQ(SpinValueOf("3", 8, 400), 8);
    EXPECT_EQ(SpinValueOf("120", 8, 400), 120);
    // Minimum equal to maximum: no range at all.
    EXPECT_EQ(SpinValueOf("-5000", 0, 0), -5000);
    EXPECT_EQ(SpinValueOf("x", 7, 7), 7);
    // A range given the wrong way round still holds.
    EXPECT_EQ(ClampSpinValue(50, 100, -100), 50);
    EXPECT_EQ(ClampSpinValue(500, 100, -100), 100);
}

TEST(SpinValue, StepsSaturateAndStayInRange) {
    EXPECT_EQ(StepSpinValue(398, 4, 8, 400), 400);
    EXPECT_EQ(StepSpinValue(9, -4, 8, 400), 8);
    EXPECT_EQ(StepSpinValue(std::numeric_limits<int>::max(), 1, 0, 0), std::numeric_limits<int>::max());
    EXPECT_EQ(StepSpinValue(std::numeric_limits<int>::min(), -1, 0, 0), std::numeric_limits<int>::min());
    EXPECT_EQ(StepSpinValue(10, 2, 0, 0), 12);
}
