#include "RkNumber.h"

#include <bit>
#include <cmath>

namespace {

constexpr std::uint32_t kTimes100 = 0x01;
constexpr std::uint32_t kInteger = 0x02;
constexpr std::int32_t kMinRkInteger = -(1 << 29);
constexpr std::int32_t kMaxRkInteger = (1 << 29) - 1;

bool SameDouble(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// The float form of v when v's lower 34 bits are zero.
std::optional<std::uint32_t> FloatForm(double v)
{
    const auto bits = std::bit_cast<std::uint64_t>(v);
    if ((bits & 0x3FFFFFFFFull) != 0)
        return std::nullopt;
    return static_cast<std::uint32_t>(bits >> 32);
}

std::optional<std::uint32_t> Verified(std::optional<std::uint32_t> rk, double d)
{
    if (rk && SameDouble(RkToDouble(*rk), d))
        return rk;
    return std::nullopt;
}

} // namespace

bool RkIsInteger(std::uint32_t rk)
{
    return (rk & kInteger) != 0;
}

double RkToDouble(std::uint32_t rk)
{
    double value = 0.0;
    if (rk & kInteger)
        value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    else
        value = std::bit_cast<double>(static_cast<std::uint64_t>(rk & ~std::uint32_t {3}) << 32);
    // Readers divide by 100; multiplying by 0.01 would not give the same double.
    return (rk & kTimes100) ? value / 100.0 : value;
}

std::int32_t RkToInteger(std::uint32_t rk)
{
    const std::int32_t value = static_cast<std::int32_t>(rk) >> 2;
    return (rk & kTimes100) ? value / 100 : value;
}

std::optional<std::uint32_t> RkFromInteger(std::int32_t i)
{
    if (i < kMinRkInteger || i > kMaxRkInteger)
        return std::nullopt;
    return (static_cast<std::uint32_t>(i) << 2) | kInteger;
}

std::optional<std::uint32_t> RkFromDouble(double d)
{
    if (!std::isfinite(d))
        return std::nullopt;
    // The float forms first, scaled when d has a fraction of hundredths (the
    // traditional choice), then the other scaling, then the integer forms.
    // Every candidate is kept only when it decodes to d itself.
    const double scaled = d * 100.0;
    const bool preferScaled = std::fabs(d) < 2147483648.0 / 100.0 && std::trunc(d) * 100.0 != std::trunc(scaled);
    const auto plain = Verified(FloatForm(d), d);
    const auto times100 = [&]() -> std::optional<std::uint32_t> {
        if (!std::isfinite(scaled))
            return std::nullopt;
        const auto form = FloatForm(scaled);
        return Verified(form ? std::optional<std::uint32_t>(*form | kTimes100) : std::nullopt, d);
    }();
    if (preferScaled && times100)
        return times100;
    if (plain)
        return plain;
    if (times100)
        return times100;
    if (d == std::trunc(d) && d >= kMinRkInteger && d <= kMaxRkInteger) {
        if (auto rk = Verified(RkFromInteger(static_cast<std::int32_t>(d)), d))
            return rk;
    }
    const double hundredths = std::nearbyint(scaled);
    if (hundredths >= kMinRkInteger && hundredths <= kMaxRkInteger) {
        const auto rk = RkFromInteger(static_cast<std::int32_t>(hundredths));
        if (auto verified = Verified(rk ? std::optional<std::uint32_t>(*rk | kTimes100) : std::nullopt, d))
            return verified;
    }
    return std::nullopt;
}

bool RkCanHoldDouble(double d)
{
    return RkFromDouble(d).has_value();
}
