#include "RkNumber.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace {

std::uint64_t Bits(double d)
{
    return std::bit_cast<std::uint64_t>(d);
}

TEST(RkNumber, IntegerFormRoundTripsAndRefusesValuesOutsideThirtyBits)
{
    EXPECT_EQ(RkFromInteger(5), 22u);
    EXPECT_EQ(RkFromInteger(-3), static_cast<std::uint32_t>(-10));
    EXPECT_TRUE(RkIsInteger(*RkFromInteger(5)));
    for (int i : {5, -536870912, 536870911})
        EXPECT_EQ(RkToInteger(RkFromInteger(i).value_or(0)), i);
    for (int i : {536870912, -536870913, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()})
        EXPECT_FALSE(RkFromInteger(i)) << i;
    // Both flags set, payload 250: 2.5 truncated.
    EXPECT_EQ(RkToInteger((250u << 2) | 3u), 2);
}

// Every number an RK form holds decodes to the very same double (readers
// divide by 100, and 35 * 0.01 is not 0.35); the others have no exact form,
// and no 32-bit conversion may overflow on the way to saying so.
TEST(RkNumber, EncodesExactlyOrRefuses)
{
    EXPECT_EQ(Bits(RkToDouble((35u << 2) | 3u)), Bits(0.35));
    EXPECT_NE(Bits(35 * 0.01), Bits(0.35));
    for (double d : {0.0, -0.0, 1.0, -1.0, 1.5, -2.25, 0.01, 0.07, 0.1, 0.29, 0.35, 3.14, 123.45, 12345.67, -12345.67,
             99999.99, 5368709.11, 536870911.0, -536870912.0, 536870912.0, 4294967296.0}) {
        const auto rk = RkFromDouble(d);
        ASSERT_TRUE(rk) << d;
        EXPECT_EQ(Bits(RkToDouble(*rk)), Bits(d)) << d;
    }
    for (double d : {1.005, 1.234, 1.0 / 3.0, 5368709.123, 1e10, 3e9, 1e300, -1e-300, 2.5e-5, 1234567.891, 214748.3648,
             1e15 + 0.5, -9.3e18 - 0.25, std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min(),
             std::numeric_limits<double>::infinity(), std::nan("")})
        EXPECT_FALSE(RkCanHoldDouble(d)) << d;
}

TEST(RkNumber, ChoosesTheCompactFormsReadersExpect)
{
    // 1.0 as the unscaled float form; 1.5 and -2.25 scaled by 100.
    EXPECT_EQ(*RkFromDouble(1.0), static_cast<std::uint32_t>(Bits(1.0) >> 32));
    EXPECT_EQ(*RkFromDouble(1.5), static_cast<std::uint32_t>(Bits(150.0) >> 32) | 1u);
    EXPECT_EQ(*RkFromDouble(-2.25), static_cast<std::uint32_t>(Bits(-225.0) >> 32) | 1u);
    // 12345.67 keeps too many bits for the float form; the integer form of
    // its hundredths gives it back exactly.
    const auto cents = RkFromDouble(12345.67);
    ASSERT_TRUE(cents);
    EXPECT_TRUE(RkIsInteger(*cents));
    EXPECT_EQ(*cents & 3u, 3u);
}

} // namespace
