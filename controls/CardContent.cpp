#include "CardContent.h"

#include "GlobalFunctions.h"

namespace {

// The label column of every card with three rows.
const QRect kLabelRects[3] = {EdgeRect(50, 7, 100, 60), EdgeRect(50, 30, 100, 60), EdgeRect(50, 53, 100, 70)};

CardRow row(int index, const char *label, const QString &value, const QRect &valueRect)
{
    return CardRow{QString::fromUtf8(label), kLabelRects[index], value, valueRect};
}

// Both goods-bill sides draw the same card; the side only decides which bill
// kind is drawn in red.
template<typename Line>
CardContent goodsBillContent(const Line &line, const char *redKind)
{
    CardContent content;
    content.icon = kIconGoodsFolder;
    content.kindWord = line.BillType;
    content.isRed = line.BillType == QString::fromUtf8(redKind);
    content.rows = {row(0, "客户：", line.CompanyName, EdgeRect(90, 7, 190, 60)),
                    row(1, "金额：", AmountText(line.SumMoney), EdgeRect(90, 30, 210, 60)),
                    row(2, "订金：", AmountText(line.Imprest), EdgeRect(90, 53, 210, 90))};
    return content;
}

template<typename Bill>
CardContent financeBillContent(const Bill &bill)
{
    CardContent content;
    content.icon = kIconFinanceFolder;
    content.kindWord = bill.BillType;
    content.isRed = bill.BillType == QStringLiteral("支出单");
    content.rows = {row(0, "客户：", bill.ClientName, EdgeRect(90, 7, 190, 60)),
                    row(1, "类型：", bill.MoneyType + QStringLiteral(" || ") + bill.Voucher, EdgeRect(90, 30, 190, 60)),
                    row(2, "金额：", AmountText(bill.MoneyCount), EdgeRect(90, 53, 190, 90))};
    return content;
}

CardContent partyContent(const QString &name, const QString &area, const QString &goodsSum, const QString &arrears)
{
    CardContent content;
    content.kindWord = AreaWord(area);
    if (area == QLatin1String("1") || area == QLatin1String("2"))
        content.icon = kIconPartyFolder;
    else if (area == QLatin1String("3"))
        content.icon = kIconEmptyBox;
    content.isRed = StrToDouble(goodsSum) < 0;
    content.rows = {row(0, "名称：", name, EdgeRect(90, 7, 190, 60)),
                    row(1, "货款：", AmountText(goodsSum), EdgeRect(90, 30, 210, 60)),
                    row(2, "欠款：", AmountText(arrears), EdgeRect(90, 53, 210, 90))};
    return content;
}

CardContent pickerContent(const QString &text)
{
    CardContent content;
    content.icon = kIconPickerEntry;
    content.iconPos = QPoint(50, 35);
    content.title = text;
    content.titleRect = EdgeRect(17, 10, 110, 40);
    return content;
}

std::optional<int> modeByKind(const QString &billType, const char *firstKind, int firstMode, const char *secondKind,
                              int secondMode)
{
    if (billType == QString::fromUtf8(firstKind))
        return firstMode;
    if (billType == QString::fromUtf8(secondKind))
        return secondMode;
    return std::nullopt;
}

} // namespace

QString AmountText(const QString &stored)
{
    return (stored.isEmpty() ? QStringLiteral("0") : stored) + QStringLiteral(" 元");
}

QString CountText(const QString &stored)
{
    QString text = DoubleToStr(StrToDouble(stored));
    if (text.endsWith(QLatin1String(".00")))
        text.chop(3);
    return text;
}

QString AreaWord(const QString &areaCode)
{
    if (areaCode == QLatin1String("1"))
        return QStringLiteral("本地");
    if (areaCode == QLatin1String("2"))
        return QStringLiteral("省内");
    if (areaCode == QLatin1String("3"))
        return QStringLiteral("其它");
    return areaCode;
}

CardContent ContentOf(const struct_button_goodsbill &line)
{
    return goodsBillContent(line, "退货单");
}

CardContent ContentOf(const struct_button_provider_goodsbill &line)
{
    return goodsBillContent(line, "进货单");
}

CardContent ContentOf(const struct_button_financebill &bill)
{
    return financeBillContent(bill);
}

CardContent ContentOf(const struct_button_financebill_provider &bill)
{
    return financeBillContent(bill);
}

CardContent ContentOf(const struct_button_data &client)
{
    return partyContent(client.ClientName, client.ClientArea, client.ProductPriceSum, client.ClientSumArrears);
}

CardContent ContentOf(const struct_button_provider &provider)
{
    return partyContent(provider.ProviderName, provider.ProviderArea, provider.ProductPriceSum,
                        provider.ClientSumArrears);
}

CardContent ContentOf(const struct_button_account &account)
{
    CardContent content;
    const QString &balance = account.AccountBalance;
    content.icon = balance == QLatin1String("0") || balance == QLatin1String("0.00") ? kIconEmptyBox
                                                                                       : kIconAccountFolder;
    content.isRed = StrToDouble(balance) < 0;
    content.rows = {row(0, "名称：", account.AccountName, EdgeRect(90, 7, 210, 60)),
                    row(1, "金额：", AmountText(balance), EdgeRect(90, 30, 220, 60)),
                    row(2, "当月：", AmountText(account.MonthBalance), EdgeRect(90, 53, 210, 90))};
    return content;
}

CardContent ContentOf(const struct_button_storeproduct &product)
{
    CardContent content;
    // The stock figures are written with two decimals, so an empty stock
    // reads "0.00" as often as "0": the icon follows the number, not the text.
    content.icon = StrToDouble(product.ProductStockCount) == 0.0 ? kIconEmptyBox : kIconProductFolder;
    content.kindWord = CountText(product.ProductStockCount);
    content.isRed = content.kindWord.startsWith(QLatin1Char('-'));
    content.rows = {row(0, "名称：", product.ProductName, EdgeRect(90, 7, 210, 60)),
                    row(1, "型号：", product.ProductSpec, EdgeRect(90, 30, 210, 60)),
                    row(2, "单价：", AmountText(product.StockUnitPrice), EdgeRect(90, 53, 210, 90))};
    return content;
}

CardContent ProductPickerContent(const struct_button_storeproduct &product)
{
    return pickerContent(product.ProductName);
}

CardContent SpecPickerContent(const struct_button_storeproduct &product)
{
    return pickerContent(product.ProductSpec);
}

std::optional<int> EditModeFor(const struct_button_goodsbill &line)
{
    return modeByKind(line.BillType, "出货单", 2, "退货单", 3);
}

std::optional<int> EditModeFor(const struct_button_provider_goodsbill &line)
{
    return modeByKind(line.BillType, "进货单", 12, "退货单", 13);
}

std::optional<int> EditModeFor(const struct_button_financebill &bill)
{
    return modeByKind(bill.BillType, "收入单", 2, "支出单", 3);
}

std::optional<int> EditModeFor(const struct_button_financebill_provider &bill)
{
    return modeByKind(bill.BillType, "收入单", 12, "支出单", 13);
}

std::optional<int> EditModeFor(const struct_button_data &)
{
    return 0;
}

std::optional<int> EditModeFor(const struct_button_provider &)
{
    return 1;
}

std::optional<int> EditModeFor(const struct_button_storeproduct &)
{
    return 1;
}

std::optional<int> EditModeFor(const struct_button_account &)
{
    return 0;
}

