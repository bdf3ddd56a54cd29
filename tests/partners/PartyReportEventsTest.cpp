// The nine report sinks of the party pages and the detail window, each
// connected to its template: what every row kind prints, and the report
// rendered to PDF and read back.

#include "PartyReportEvents.h"

#include "CapturedReports.h"
#include "GridReport.h"
#include "PageWidgets.h"
#include "PartnersTestSupport.h"
#include "PartyStatements.h"
#include "ReportDocument.h"

namespace {

struct_button_goodsbill line(const QString &kind)
{
    struct_button_goodsbill row;
    row.InputDate = QStringLiteral("2011-05-03");
    row.BillType = kind;
    row.BillCode = QStringLiteral("XS_CH_20110503");
    row.CompanyName = QStringLiteral("宏达五金");
    row.ProductCode = QStringLiteral("LS-01");
    row.ProductName = QStringLiteral("螺栓");
    row.ProductSpec = QStringLiteral("M8");
    row.ProductUnit = QStringLiteral("个");
    row.ProductAmount = QStringLiteral("2");
    row.ProductUnitPrice = QStringLiteral("1.5");
    row.ProductPrice = QStringLiteral("3.00");
    row.ProductRemark = QStringLiteral("加急");
    return row;
}

struct_button_goodsbill title(const QString &heading)
{
    struct_button_goodsbill row = line(kTitleRowKind);
    row.InputDate = heading;
    return row;
}

// A totals row with its label and figures where the statements put them.
struct_button_goodsbill totals()
{
    struct_button_goodsbill row;
    row.BillType = kTotalsRowKind;
    row.ProductUnit = QStringLiteral("合计");
    row.ProductSpec = QStringLiteral("时段出货合计");
    row.ProductUnitPrice = QStringLiteral("货款合计");
    row.ProductAmount = QStringLiteral("2.00");
    row.ProductPrice = QStringLiteral("3.00");
    return row;
}

class PartyReportEventsTest : public ::testing::Test
{
protected:
    // Connects the sink to a report of the template, hands it the rows and
    // shows the report; answers the records printed.
    template <typename Sink, typename Rows>
    QList<QStringList> print(Sink &sink, const char *templateName, const Rows &rows)
    {
        report = LoadReportTemplate(templateName);
        EXPECT_TRUE(report->IsTemplateLoaded()) << templateName;
        EXPECT_TRUE(sink.ConnectTo(report.get()));
        sink.SetRecords(rows);
        EXPECT_TRUE(report->OutputReport(1)) << report->lastError().toStdString();
        return reports.documents.empty() ? QList<QStringList>() : reports.documents.back()->records();
    }
    void expectInPdf(const QStringList &texts)
    {
        const QString text = reports.lastPdfText();
        for (const QString &expected : texts)
            EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
    }

    CapturedReports reports;
    std::unique_ptr<GridReport> report;
};

} // namespace

TEST_F(PartyReportEventsTest, TheMonthStatementPrintsDashesUnderATitleAndOnlyTheLabelOfATotal)
{
    CClientMonthReportEvent sink;
    const auto printed = print(sink, "ClientMonthBalance.grf",
        std::vector{line(QStringLiteral("出货单")), title(QStringLiteral("退货")), totals()});
    EXPECT_EQ(printed,
        (QList<QStringList>{{"2011-05-03", "XS_CH_20110503", "LS-01", "螺栓", "M8", "2", "1.5", "3.00"},
            {"退货", "-----", "-----", "-----", "-----", "-----", "-----", "-----"},
            {"", "", "", "", "", "", "货款合计", "3.00"}}));
    expectInPdf({"月结统计", "单价/元", "货款合计", "XS_CH_20110503"});
}

TEST_F(PartyReportEventsTest, TheSurveysPrintTheTitleOverFourColumnsAndTheTotalsLabel)
{
    const std::vector rows = {title(QStringLiteral("时段出货记录")), line(QStringLiteral("出货单")), totals()};
    const QList<QStringList> expected = {{"时段出货记录", "-----", "-----", "-----", "-----", "", "", ""},
        {"2011-05-03", "XS_CH_20110503", "LS-01", "螺栓", "M8", "2", "1.5", "3.00"},
        {"", "", "", "", "时段出货合计", "2.00", "", "3.00"}};
    CShipmentSurveyReportEvent shipment;
    EXPECT_EQ(print(shipment, "ClientShipmentSurveyReport.grf", rows), expected);
    expectInPdf({"销售概况统计", "时段出货记录", "时段出货合计"});

    std::vector<struct_button_provider_goodsbill> purchaseRows;
    for (const auto &row : rows)
        purchaseRows.push_back(ToPurchaseLayout(row));
    CStockSurveyReportEvent stock;
    EXPECT_EQ(print(stock, "ProviderStockSurveyReport.grf", purchaseRows), expected);
    expectInPdf({"采购概况统计", "供应商"});
}

TEST_F(PartyReportEventsTest, TheProductDetailsPrintTheCompanyAndATitleRowAsALine)
{
    const std::vector rows = {line(QStringLiteral("出货单")), title(QStringLiteral("标题")), totals()};
    const QList<QStringList> expected = {
        {"2011-05-03", "出货单", "XS_CH_20110503", "宏达五金", "LS-01", "螺栓", "M8", "个", "2", "1.5", "3.00", "加急"},
        {"标题", "标题行", "XS_CH_20110503", "宏达五金", "LS-01", "螺栓", "M8", "个", "2", "1.5", "3.00", "加急"},
        {"-----", "-----", "-----", "-----", "-----", "-----", "-----", "合计", "2.00", "", "3.00", ""}};
    CProductShipmentDetailReportEvent shipment;
    EXPECT_EQ(print(shipment, "ProviderShipmentDetailReport.grf", rows), expected);
    expectInPdf({"货品销售明细", "单位名称", "宏达五金", "合计"});

    std::vector<struct_button_provider_goodsbill> purchaseRows;
    for (const auto &row : rows)
        purchaseRows.push_back(ToPurchaseLayout(row));
    CProductStockDetailReportEvent stock;
    EXPECT_EQ(print(stock, "ProviderStockDetailReport.grf", purchaseRows), expected);
    expectInPdf({"货品采购明细"});

    // The rows of the last SetRecords only; none gives no record.
    stock.SetRecords(std::vector<struct_button_provider_goodsbill>{});
    ASSERT_TRUE(report->OutputReport(1));
    EXPECT_TRUE(reports.documents.back()->records().isEmpty());
}

TEST_F(PartyReportEventsTest, TheFinanceSumsAndAddressListsOfBothSides)
{
    const QList<ClientFinanceSumInfo> sums = {{"甲", "1.00", "2.00", "3.00", "4.00", "5.00", "6.00", ""},
        {"", "1.00", "2.00", "3.00", "4.00", "5.00", "6.00", "总计行"}};
    const QList<QStringList> printedSums = {{"甲", "1.00", "2.00", "3.00", "4.00", "5.00", "6.00"},
        {"总合计", "1.00", "2.00", "3.00", "4.00", "5.00", "6.00"}};
    CClientFinanceSumReportEvent clientSums;
    EXPECT_EQ(print(clientSums, "ClientFinanceSumReport.grf", sums), printedSums);
    expectInPdf({"客户财务统计表", "时段出货", "总合计"});
    CProviderFinanceSumReportEvent providerSums;
    EXPECT_EQ(print(providerSums, "ProviderFinanceSumReport.grf", sums), printedSums);
    expectInPdf({"供应商财务统计表", "时段进货"});

    struct_button_data party;
    party.ClientName = QStringLiteral("甲");
    party.ClientArea = QStringLiteral("省内");
    party.ContactName = QStringLiteral("王五");
    party.Mobile = QStringLiteral("139");
    party.Tel = QStringLiteral("0512");
    party.Fax = QStringLiteral("0513");
    party.Address = QStringLiteral("苏州");
    party.Remark = QStringLiteral("备注");
    const QList<QStringList> printedParty = {{"甲", "省内", "王五", "139", "0512", "0513", "苏州", "备注"}};
    CClientAddressListReportEvent clients;
    EXPECT_EQ(print(clients, "ClientAddressListReport.grf", QList<struct_button_data>{party}), printedParty);
    expectInPdf({"客户列表", "省份地区", "王五"});
    CProviderAddressListReportEvent providers;
    EXPECT_EQ(print(providers, "ProviderAddressListReport.grf", QList<struct_button_provider>{ToProviderLayout(party)}),
        printedParty);
    expectInPdf({"供应商列表", "供应商名称"});
}
