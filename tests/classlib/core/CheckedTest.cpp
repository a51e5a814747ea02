#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "classlib/core/Checked.h"

TEST(Checked, AdditionAndMultiplicationRaiseInsteadOfWrapping) {
    EXPECT_EQ(CheckedAdd<std::int32_t>(2147483646, 1), 2147483647);
    EXPECT_THROW(CheckedAdd<std::int32_t>(2147483647, 1), EIntOverflow);
    EXPECT_THROW(CheckedSub<std::int32_t>(-2147483647 - 1, 1), EIntOverflow);
    EXPECT_EQ(CheckedMul<std::int32_t>(46340, 46340), 2147395600);
    EXPECT_THROW(CheckedMul<std::int32_t>(46341, 46341), EIntOverflow);
    EXPECT_THROW(CheckedMul<std::int64_t>(std::int64_t(1) << 32, std::int64_t(1) << 31), EIntOverflow);
    EXPECT_THROW(CheckedCast<std::int32_t>(std::int64_t(1) << 31), EIntOverflow);
    EXPECT_THROW(CheckedCast<std::uint32_t>(-1), EIntOverflow);
    // An overflow is an integer error, catchable as its base.
    EXPECT_THROW(CheckedAdd<std::int64_t>(std::numeric_limits<std::int64_t>::max(), 1), EIntError);
}

TEST(Checked, IndexOutsideItsBoundsRaises) {
    EXPECT_EQ(CheckedIndex(0, 1), 0);
    EXPECT_THROW(CheckedIndex(1, 1), ERangeError);
    EXPECT_THROW(CheckedIndex(-1, 5), ERangeError);
    EXPECT_THROW(CheckedIndex(0, 0), ERangeError);
}

TEST(Checked, MulDivRoundsHalfAwayFromZeroLikeTheSystem) {
    EXPECT_EQ(MulDivRound(10, 3, 4), 8);    // 7.5 -> 8
    EXPECT_EQ(MulDivRound(-10, 3, 4), -8);  // -7.5 -> -8
    EXPECT_EQ(MulDivRound(10, -3, -4), 8);
    EXPECT_EQ(MulDivRound(7, 1, 2), 4);
    EXPECT_EQ(MulDivRound(5, 1, 3), 2);  // 1.67 -> 2
    EXPECT_EQ(MulDivRound(4, 1, 3), 1);  // 1.33 -> 1
    EXPECT_EQ(MulDivRound(1, 1, 0), -1);
    // The product is taken in 64 bits; only a quotient outside int32 gives -1.
    EXPECT_EQ(MulDivRound(2000000000, 2000000000, 2000000000), 2000000000);
    EXPECT_EQ(MulDivRound(2000000000, 2, 1), -1);
}

TEST(Checked, RoundEvenTiesToEvenAndRejectsWhatIsNotAnInteger) {
    EXPECT_EQ(RoundEven(0.5), 0);
    EXPECT_EQ(RoundEven(1.5), 2);
    EXPECT_EQ(RoundEven(2.5), 2);
    EXPECT_EQ(RoundEven(-2.5), -2);
    EXPECT_EQ(RoundEven(-3.5), -4);
    EXPECT_EQ(RoundEven(2.4999999), 2);
    EXPECT_EQ(RoundEven(2147483647.0), 2147483647);
    EXPECT_THROW(RoundEven(2147483648.0), ERangeError);
    EXPECT_THROW(RoundEven(std::nan("")), ERangeError);
    EXPECT_THROW(RoundEven(-std::numeric_limits<double>::infinity()), ERangeError);
}

TEST(Exceptions, CreateFmtBuildsTheMessageThroughTheCheckedFormat) {
    const EListError e = CreateFmt<EListError>("List index out of bounds (%d)", {7});
    EXPECT_EQ(e.Message(), "List index out of bounds (7)");
    // A message text whose specifier finds no argument fails as a format error, not as a wild read.
    EXPECT_THROW(CreateFmt<EListError>("List index out of bounds (%d) of %s", {7}), EConvertError);
}
