#include "PartyReportEvents.h"

#include "PartyRows.h"
#include "PartyStatements.h"

namespace {

const QString kDashes = QStringLiteral("-----");

template <typename Row> using Texts8 = typename ProductReportEvent<Row, 8>::Texts;
template <typename Row> using Texts12 = typename ProductReportEvent<Row, 12>::Texts;

constexpr std::array<const char *, 7> kClientFinanceSumTitles
    = {"客户", "时段出货", "时段退货", "时段付款", "时段总欠款", "前累计欠款", "当今总欠款"};
constexpr std::array<const char *, 7> kProviderFinanceSumTitles
    = {"供应商", "时段进货", "时段退货", "时段付款", "时段总欠款", "前累计欠款", "当今总欠款"};
constexpr std::array<const char *, 8> kClientAddressTitles
    = {"客户名称", "省份地区", "联系人", "手机号码", "电话号码", "传真号码", "联系地址", "备注信息"};
constexpr std::array<const char *, 8> kProviderAddressTitles
    = {"供应商名称", "省份地区", "联系人", "手机号码", "电话号码", "传真号码", "联系地址", "备注信息"};
constexpr std::array<const char *, 8> kLineTitles
    = {"日期", "单据编号", "货品编号", "货品名称", "货品规格", "数量", "单价/元", "金额"};
constexpr std::array<const char *, 12> kDetailTitles = {"日期", "单据类型", "单据编号", "单位名称", "货品编号",
    "货品名称", "货品规格", "单位", "数量", "单价", "总额", "产品备注"};

ProductReportEvent<ClientFinanceSumInfo, 7>::Texts financeSumTexts(const ClientFinanceSumInfo &row)
{
    return {FirstColumnText(row.RowKind, row.Name), row.PeriodGoods, row.PeriodReturns, row.PeriodPayments,
        row.PeriodArrears, row.PriorArrears, row.TotalArrears};
}

// The address-list rows carry the area as its word already.
template <typename Party> typename ProductReportEvent<Party, 8>::Texts addressTexts(const Party &party)
{
    const struct_button_data p = AsParty(party);
    return {p.ClientName, p.ClientArea, p.ContactName, p.Mobile, p.Tel, p.Fax, p.Address, p.Remark};
}

template <typename Line> Texts8<Line> lineTexts(const Line &line)
{
    return {line.InputDate, line.BillCode, line.ProductCode, line.ProductName, line.ProductSpec, line.ProductAmount,
        line.ProductUnitPrice, line.ProductPrice};
}

Texts8<struct_button_goodsbill> monthTexts(const struct_button_goodsbill &row)
{
    if (row.BillType == kTotalsRowKind)
        return {
            QString(), QString(), QString(), QString(), QString(), QString(), row.ProductUnitPrice, row.ProductPrice};
    if (row.BillType == kTitleRowKind)
        return {row.InputDate, kDashes, kDashes, kDashes, kDashes, kDashes, kDashes, kDashes};
    return lineTexts(row);
}

template <typename Line> Texts8<Line> surveyTexts(const Line &row)
{
    if (row.BillType == kTotalsRowKind)
        return {QString(), QString(), QString(), QString(), row.ProductSpec, row.ProductAmount, QString(),
            row.ProductPrice};
    if (row.BillType == kTitleRowKind)
        return {row.InputDate, kDashes, kDashes, kDashes, kDashes, QString(), QString(), QString()};
    return lineTexts(row);
}

template <typename Line> Texts12<Line> detailTexts(const Line &row)
{
    if (row.BillType == kTotalsRowKind)
        return {kDashes, kDashes, kDashes, kDashes, kDashes, kDashes, kDashes, QStringLiteral("合计"),
            row.ProductAmount, QString(), row.ProductPrice, QString()};
    return {row.InputDate, row.BillType, row.BillCode, row.CompanyName, row.ProductCode, row.ProductName,
        row.ProductSpec, row.ProductUnit, row.ProductAmount, row.ProductUnitPrice, row.ProductPrice, row.ProductRemark};
}

} // namespace

CClientFinanceSumReportEvent::CClientFinanceSumReportEvent()
    : ProductReportEvent(kClientFinanceSumTitles, &financeSumTexts)
{
}

CProviderFinanceSumReportEvent::CProviderFinanceSumReportEvent()
    : ProductReportEvent(kProviderFinanceSumTitles, &financeSumTexts)
{
}

CClientAddressListReportEvent::CClientAddressListReportEvent()
    : ProductReportEvent(kClientAddressTitles, &addressTexts<struct_button_data>)
{
}

CProviderAddressListReportEvent::CProviderAddressListReportEvent()
    : ProductReportEvent(kProviderAddressTitles, &addressTexts<struct_button_provider>)
{
}

CClientMonthReportEvent::CClientMonthReportEvent()
    : ProductReportEvent(kLineTitles, &monthTexts)
{
}

CShipmentSurveyReportEvent::CShipmentSurveyReportEvent()
    : ProductReportEvent(kLineTitles, &surveyTexts<struct_button_goodsbill>)
{
}

CStockSurveyReportEvent::CStockSurveyReportEvent()
    : ProductReportEvent(kLineTitles, &surveyTexts<struct_button_provider_goodsbill>)
{
}

CProductShipmentDetailReportEvent::CProductShipmentDetailReportEvent()
    : ProductReportEvent(kDetailTitles, &detailTexts<struct_button_goodsbill>)
{
}

CProductStockDetailReportEvent::CProductStockDetailReportEvent()
    : ProductReportEvent(kDetailTitles, &detailTexts<struct_button_provider_goodsbill>)
{
}
