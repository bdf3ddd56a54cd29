#pragma once

#include <QString>

#include <optional>

// The one check of typed amounts, prices and counts. Stored texts stay as
// the person typed them (without the blanks around them); readers of old
// files stay lenient (StrToDouble), only new input is checked here.

struct NumberRule
{
    // A leading minus is allowed ("-12.50"); a plus never is.
    bool allowSign = false;
    // No decimal part ("12" but not "12.5").
    bool wholeNumber = false;
    // At most this many decimals ("0.12" but not "0.125" for 2); negative:
    // any number of them.
    int maxDecimals = -1;
};

// A count of goods, on a bill line and as a product's alarm count: stock is
// kept in cents, so a count takes at most two decimals (2.5 kg, 0.75 m) and
// is never negative.
inline constexpr NumberRule kGoodsCountRule{false, false, 2};

// The trimmed text when it is a plain decimal number under the rule: ASCII
// digits, at most one point with digits on both sides, no separators, no
// exponent. Nothing otherwise (an empty text included).
std::optional<QString> ParseTypedNumber(const QString &text, NumberRule rule = {});

// Why a typed text is refused, as a sentence naming the field:
// "“<field>”只能填写数字。" (in a field of whole numbers "“<field>”只能填写整数。")
// or "“<field>”最多两位小数。". Empty when the text is a number under the rule.
QString TypedNumberProblem(const QString &text, const QString &field, NumberRule rule = {});

// Checks a typed field. On success stores the trimmed text in *checked and
// answers true; otherwise shows TypedNumberProblem() and answers false.
bool CheckTypedNumber(const QString &text, const QString &field, NumberRule rule, QString *checked);
