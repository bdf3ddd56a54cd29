#pragma once

#include <cstdint>
#include <optional>

// RK values: the compact 32-bit number form of the RK and MULRK records.
// Bit 0 says the stored number is 100 times the value (readers divide by
// 100); bit 1 says bits 2..31 are a signed 30-bit integer, otherwise they are
// the upper 30 bits of an IEEE double whose lower 34 bits are zero.
//
// A number is only ever encoded as RK when decoding gives back the very same
// double; otherwise the writer uses a NUMBER record.

bool RkIsInteger(std::uint32_t rk);
// Decodes any RK value to the double a reader sees.
double RkToDouble(std::uint32_t rk);
// The integer form: the 30-bit payload, divided by 100 (truncating) when the
// x100 flag is set. Meaningful only when RkIsInteger.
std::int32_t RkToInteger(std::uint32_t rk);

// An RK value that decodes to exactly d, or nothing when there is none (too
// many significant bits, too large, not finite).
std::optional<std::uint32_t> RkFromDouble(double d);
// The integer form of i, or nothing outside the signed 30-bit range.
std::optional<std::uint32_t> RkFromInteger(std::int32_t i);
bool RkCanHoldDouble(double d);
