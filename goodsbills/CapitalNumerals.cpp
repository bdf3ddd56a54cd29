#include "CapitalNumerals.h"

#include <array>
#include <cmath>

#include "GlobalFunctions.h"

namespace {

constexpr std::array<const char*, 10> kDigits {"零", "壹", "贰", "参", "肆", "伍", "陆", "柒", "捌", "玖"};
// By place, counted from the last decimal digit.
constexpr std::array<const char*, 15> kUnits {
    "分", "角", "元", "拾", "佰", "仟", "万", "拾", "佰", "仟", "亿", "拾", "佰", "仟", "万"};

// The cent text of the amount, as the total cell holds it.
QString CentText(const QString& amountText)
{
    const double value = StrToDouble(amountText);
    if (!std::isfinite(value))
        return QString();
    return DoubleToStr(value);
}

} // namespace

namespace CapitalNumerals {

bool IsWritable(const QString& amountText)
{
    const QString cents = CentText(amountText);
    return !cents.isEmpty() && std::fabs(StrToDouble(cents)) < kLimit;
}

QString Format(const QString& amountText)
{
    if (!IsWritable(amountText))
        return QString();
    QString cents = CentText(amountText);
    QString text;
    if (cents.startsWith(QLatin1Char('-'))) {
        text = QStringLiteral("负");
        cents.remove(0, 1);
    }
    cents.remove(QLatin1Char('.'));
    const qsizetype places = cents.size();
    for (qsizetype i = 0; i < places; ++i) {
        const int digit = cents.at(i).digitValue();
        text += QString::fromUtf8(kDigits[static_cast<std::size_t>(digit < 0 ? 0 : digit)]);
        text += QString::fromUtf8(kUnits[static_cast<std::size_t>(places - i - 1)]);
        text += QLatin1Char(' ');
    }
    return text;
}

} // namespace CapitalNumerals
