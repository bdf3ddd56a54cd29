#include "NumberCheck.h"

#include "GlobalFunctions.h"

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

enum class Reading { Number, NotANumber, TooManyDecimals };

Reading readNumber(const QString &trimmed, NumberRule rule)
{
    qsizetype i = 0;
    if (rule.allowSign && i < trimmed.size() && trimmed.at(i) == QLatin1Char('-'))
        ++i;
    const qsizetype integerStart = i;
    while (i < trimmed.size() && isAsciiDigit(trimmed.at(i)))
        ++i;
    if (i == integerStart)
        return Reading::NotANumber;
    qsizetype decimals = 0;
    if (i < trimmed.size() && trimmed.at(i) == QLatin1Char('.')) {
        if (rule.wholeNumber)
            return Reading::NotANumber;
        const qsizetype fractionStart = ++i;
        while (i < trimmed.size() && isAsciiDigit(trimmed.at(i)))
            ++i;
        decimals = i - fractionStart;
        if (decimals == 0)
            return Reading::NotANumber;
    }
    if (i != trimmed.size())
        return Reading::NotANumber;
    if (rule.maxDecimals >= 0 && decimals > rule.maxDecimals)
        return Reading::TooManyDecimals;
    return Reading::Number;
}

QString decimalsInWords(int count)
{
    static const char16_t *const words[] = {u"零", u"一", u"两", u"三", u"四"};
    if (count >= 0 && count < int(std::size(words)))
        return QString::fromUtf16(words[count]);
    return QString::number(count);
}

} // namespace

std::optional<QString> ParseTypedNumber(const QString &text, NumberRule rule)
{
    const QString trimmed = text.trimmed();
    if (readNumber(trimmed, rule) != Reading::Number)
        return std::nullopt;
    return trimmed;
}

QString TypedNumberProblem(const QString &text, const QString &field, NumberRule rule)
{
    switch (readNumber(text.trimmed(), rule)) {
    case Reading::Number:
        break;
    case Reading::NotANumber:
        // A field of whole numbers says so: "2.5" is a number, but not one
        // it takes.
        return (rule.wholeNumber ? QStringLiteral("“%1”只能填写整数。") : QStringLiteral("“%1”只能填写数字。")).arg(field);
    case Reading::TooManyDecimals:
        return QStringLiteral("“%1”最多%2位小数。").arg(field, decimalsInWords(rule.maxDecimals));
    }
    return {};
}

bool CheckTypedNumber(const QString &text, const QString &field, NumberRule rule, QString *checked)
{
    const QString problem = TypedNumberProblem(text, field, rule);
    if (!problem.isEmpty()) {
        ShowInfoMessage(problem);
        return false;
    }
    if (checked)
        *checked = text.trimmed();
    return true;
}
