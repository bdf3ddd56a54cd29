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
    EXPECT_EQ(RkToInteger(*RkFromInteger(5)), 5);
    EXPECT_EQ(RkToInteger(*RkFromInteger(-536870912)), -536870912);
    EXPECT_EQ(RkToInteger(*RkFromInteger(536870911)), 536870911);
    EXPECT_FALSE(RkFromInteger(536870912));
    EXPECT_FALSE(RkFromInteger(-536870913));
    EXPECT_FALSE(RkFromInteger(std::numeric_limits<int>::max()));
    EXPECT_FALSE(RkFromInteger(std::numeric_limits<int>::min()));
    // Both flags set, payload 250: 2.5 truncated.
    EXPECT_EQ(RkToInteger((250u << 2) | 3u), 2);
}

TEST(RkNumber, DecodingDividesByOneHundred)
{
    // 35 * 0.01 is not 0.35 in binary: a reader divides and so must the writer.
    const std::uint32_t rk = (35u << 2) | 3u;
    EXPECT_EQ(Bits(RkToDouble(rk)), Bits(0.35));
    EXPECT_NE(Bits(35 * 0.01), Bits(0.35));
    EXPECT_EQ(Bits(RkToDouble(*RkFromDouble(0.35))), Bits(0.35));
}

TEST(RkNumber, EveryEncodingDecodesToTheSameDouble)
{
    const double values[]
        = {0.0, -0.0, 1.0, -1.0, 1.5, -2.25, 0.01, 0.07, 0.1, 0.29, 1.005, 3.14, 123.45, 12345.67, -12345.67, 99999.99,
            5368709.11, 536870911.0, -536870912.0, 536870912.0, 1e10, 1e300, -1e-300, 2.5e-5, 1234567.891, 214748.3648,
            3e9, 1.0 / 3.0, 4294967296.0, std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min(),
            std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
    int encoded = 0;
    for (double d : values) {
        const auto rk = RkFromDouble(d);
        EXPECT_EQ(RkCanHoldDouble(d), rk.has_value()) << d;
        if (rk) {
            ++encoded;
            EXPECT_EQ(Bits(RkToDouble(*rk)), Bits(d)) << d;
        }
    }
    // Most of the shop's numbers (prices with cents) must still fit.
    EXPECT_GE(encoded, 15);
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

TEST(RkNumber, NumbersWithoutAnExactFormAreRefused)
{
    EXPECT_FALSE(RkCanHoldDouble(1.234));
    EXPECT_FALSE(RkCanHoldDouble(1.0 / 3.0));
    EXPECT_FALSE(RkCanHoldDouble(5368709.123));
    EXPECT_FALSE(RkCanHoldDouble(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(RkCanHoldDouble(std::nan("")));
    // Large values: no 32-bit conversion may overflow on the way.
    EXPECT_FALSE(RkCanHoldDouble(1e15 + 0.5));
    EXPECT_FALSE(RkCanHoldDouble(-9.3e18 - 0.25));
}

} // namespace
