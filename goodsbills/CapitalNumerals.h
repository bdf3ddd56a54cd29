#pragma once

#include <QString>

// The bill total written in Chinese capital numerals, as the bill grid
// shows it and the printed bill carries it. Every digit of the total's
// cent text, zeros included, is written as its capital digit, the unit of
// its place and one blank: 1005.06 gives "壹仟 零佰 零拾 伍元 零角 陆分 ".
// The places run 分 角 元 拾 佰 仟 万 拾 佰 仟 亿 拾 佰 仟 万, so the largest
// amount written is just below 10^13 (ten thousand 亿).
namespace CapitalNumerals {

// A total of this size or more has no capital text; a bill that large is
// refused.
inline constexpr double kLimit = 1e13;

// True when the number text, rounded to cents, can be written.
bool IsWritable(const QString& amountText);

// The capital text of any number text (read as StrToDouble reads it and
// rounded to cents as DoubleToStr rounds it, so that it always matches the
// total shown beside it); a negative amount is "负" followed by the text of
// its absolute value. Empty when the amount cannot be written.
QString Format(const QString& amountText);

} // namespace CapitalNumerals
