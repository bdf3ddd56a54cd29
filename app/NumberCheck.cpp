#include "NumberCheck.h"

#include "GlobalFunctions.h"

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

std::optional<QString> ParseTypedNumber(const QString &text, NumberRule rule)
{
    const QString trimmed = text.trimmed();
    qsizetype i = 0;
    if (rule.allowSign && i < trimmed.size() && trimmed.at(i) == QLatin1Char('-'))
        ++i;
    const qsizetype integerStart = i;
    while (i < trimmed.size() && isAsciiDigit(trimmed.at(i)))
        ++i;
    if (i == integerStart)
        return std::nullopt;
    if (i < trimmed.size() && trimmed.at(i) == QLatin1Char('.')) {
        if (rule.wholeNumber)
            return std::nullopt;
        const qsizetype fractionStart = ++i;
        while (i < trimmed.size() && isAsciiDigit(trimmed.at(i)))
            ++i;
        if (i == fractionStart)
            return std::nullopt;
    }
    if (i != trimmed.size())
        return std::nullopt;
    return trimmed;
}

QString NumberFieldMessage(const QString &field)
{
    return QStringLiteral("“%1”只能填写数字。").arg(field);
}

bool CheckTypedNumber(const QString &text, const QString &field, NumberRule rule, QString *checked)
{
    const std::optional<QString> number = ParseTypedNumber(text, rule);
    if (!number) {
        ShowInfoMessage(NumberFieldMessage(field));
        return false;
    }
    if (checked)
        *checked = *number;
    return true;
}
