#include "PartySideInfo.h"

#include "GlobalFunctions.h"

QString PartySideInfo::DuplicateNameMessage() const
{
    return QStringLiteral("该%1名称已存在，请重新输入。").arg(partyWord);
}

QString PartySideInfo::GoneMessage() const
{
    return QStringLiteral("该%1已不存在，可能已被删除。").arg(partyWord);
}

double PartySideInfo::SignedFinanceAmount(const QString &billType, const QString &moneyCount) const
{
    if (billType == settlingFinanceType)
        return StrToDouble(moneyCount);
    if (billType == reducingFinanceType)
        return -StrToDouble(moneyCount);
    return 0.0;
}

QString PartySideInfo::SignedFinanceText(const QString &billType, const QString &moneyCount) const
{
    if (billType == settlingFinanceType)
        return moneyCount;
    if (billType == reducingFinanceType)
        return NegatedAmountText(moneyCount);
    return QString();
}

const PartySideInfo &PartySideInfo::Client()
{
    static const PartySideInfo side{PartyClient, "tbl_clientmgr", "ClientName", "ClientArea", GoodsBillSide::Sales(),
        "tbl_FinanceBill_income", QStringLiteral("收入单"), QStringLiteral("支出单"), QStringLiteral("客户")};
    return side;
}

const PartySideInfo &PartySideInfo::Provider()
{
    static const PartySideInfo side{PartyProvider, "tbl_ProviderMgr", "ProviderName", "ProviderArea",
        GoodsBillSide::Purchase(), "tbl_FinanceBill_income_provider", QStringLiteral("支出单"),
        QStringLiteral("收入单"), QStringLiteral("供应商")};
    return side;
}

const PartySideInfo &PartySideInfo::For(PartySide party)
{
    return party == PartyProvider ? Provider() : Client();
}

const PartySideInfo &PartySideInfo::Other() const
{
    return party == PartyProvider ? Client() : Provider();
}

QString NegatedAmountText(const QString &amount)
{
    // A "-" put before a stored "-30" would read as no number at all, and
    // the bill would silently count 0.
    const QString trimmed = amount.trimmed();
    if (trimmed.startsWith(QLatin1Char('-')))
        return trimmed.mid(1);
    if (trimmed.startsWith(QLatin1Char('+')))
        return QLatin1Char('-') + trimmed.mid(1);
    return QLatin1Char('-') + trimmed;
}
