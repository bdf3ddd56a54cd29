// The store page's reports: the period asked for, the rows built, and
// the report as printed (read back from its PDF).

#include <QDateEdit>

#include <gtest/gtest.h>

#include "CDlgTabStore.h"
#include "CProductTradeDetailReportEvent.h"
#include "ProductTestSupport.h"
#include "StoreTestSupport.h"

namespace {

class ProductReports : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetWorkingDate(QDate(2011, 5, 17));
        bolt = addProduct(db, QStringLiteral("LS-01"), QStringLiteral("螺栓"), QStringLiteral("M8"));
        nut = addProduct(db, QStringLiteral("LM-01"), QStringLiteral("螺母"), QStringLiteral("M8"));
        addLine(db, BillSide::Purchase, QStringLiteral("2011-04-30"), QStringLiteral("进货单"), bolt, QStringLiteral("99"), QStringLiteral("99"));
        addLine(db, BillSide::Purchase, QStringLiteral("2011-05-01"), QStringLiteral("进货单"), bolt, QStringLiteral("3"), QStringLiteral("10"));
        addLine(db, BillSide::Purchase, QStringLiteral("2011-05-09"), QStringLiteral("退货单"), bolt, QStringLiteral("1"), QStringLiteral("3"));
        addLine(db, BillSide::Sales, QStringLiteral("2011-05-20"), QStringLiteral("出货单"), bolt, QStringLiteral("4"), QStringLiteral("20"));
        addLine(db, BillSide::Sales, QStringLiteral("2011-05-31"), QStringLiteral("退货单"), bolt, QStringLiteral("1"), QStringLiteral("5"));
        addLine(db, BillSide::Sales, QStringLiteral("2011-05-31"), QStringLiteral("出货单"), nut, QStringLiteral("10"), QStringLiteral("7.5"));
        page = std::make_unique<CDlgTabStore>(4, nullptr);
    }
    void TearDown() override { page.reset(); }

    // The person picks the period in the period dialog and confirms, or
    // cancels it.
    void choosePeriod(const QDate &start, const QDate &end, bool confirm = true)
    {
        user.onNextModal([=](QDialog *dialog) {
            dialog->findChild<QDateEdit *>(QStringLiteral("1007"))->setDate(start);
            dialog->findChild<QDateEdit *>(QStringLiteral("1292"))->setDate(end);
            clickButton(dialog, confirm ? "1294" : "1295");
            return dialog->result();
        });
    }

    TestDatabase db;
    ScriptedInteraction user;
    CapturedReports reports;
    std::unique_ptr<CDlgTabStore> page;
    struct_button_storeproduct bolt;
    struct_button_storeproduct nut;
};

} // namespace

TEST_F(ProductReports, TheSumsReportPrintsEveryProductAndTheTotals)
{
    choosePeriod(QDate(2011, 5, 1), QDate(2011, 5, 31));
    clickButton(page.get(), "1181");
    ASSERT_EQ(reports.documents.size(), 1u);
    const QList<QStringList> printed = reports.documents[0]->records();
    ASSERT_EQ(printed.size(), 3);
    EXPECT_EQ(printed[0], (QStringList{"LS-01", "螺栓", "M8", "3.00", "3.33", "10.00", "1.00", "3.00", "3.00", "4.00",
                                       "5.00", "20.00", "1.00", "5.00", "5.00"}));
    EXPECT_EQ(printed[1].mid(9, 3), (QStringList{"10.00", "0.75", "7.50"}));
    EXPECT_EQ(printed[2], (QStringList{"总合计", "", "", "3.00", "", "10.00", "1.00", "", "3.00", "14.00", "", "27.50",
                                       "1.00", "", "5.00"}));
    EXPECT_EQ(reports.documents[0]->parameterText(QStringLiteral("TitleMonth")), QStringLiteral("2011-05-01 到 2011-05-31"));

    const QString text = reports.lastPdfText();
    for (const char *expected : {"商品进出汇总表", "2011-05-01 到 2011-05-31", "采购退额", "螺栓", "LM-01", "总合计", "27.50"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(ProductReports, CancellingThePeriodShowsNothingAndKeepsTheRows)
{
    choosePeriod(QDate(2011, 5, 1), QDate(2011, 5, 31));
    clickButton(page.get(), "1181");
    const auto rowsBefore = page->SumRows();
    choosePeriod(QDate(2011, 1, 1), QDate(2011, 12, 31), false);
    clickButton(page.get(), "1181");
    choosePeriod(QDate(2011, 1, 1), QDate(2011, 12, 31), false);
    clickButton(page.get(), "1182");
    EXPECT_EQ(reports.documents.size(), 1u);
    EXPECT_EQ(page->SumRows(), rowsBefore);
    EXPECT_EQ(page->Period().start, QStringLiteral("2011-05-01"));
}

TEST_F(ProductReports, TheGainReportPrintsNetSalesCostAndProfit)
{
    choosePeriod(QDate(2011, 5, 1), QDate(2011, 5, 31));
    clickButton(page.get(), "1182");
    ASSERT_EQ(reports.documents.size(), 1u);
    const QList<QStringList> printed = reports.documents[0]->records();
    ASSERT_EQ(printed.size(), 3);
    // 3 stocked in for 10.00: reference 3.33; net 3 sold cost 9.99.
    EXPECT_EQ(printed[0], (QStringList{"LS-01", "螺栓", "M8", "3.33", "5.00", "3.00", "9.99", "15.00", "5.01"}));
    EXPECT_EQ(printed[1], (QStringList{"LM-01", "螺母", "M8", "0.00", "0.75", "10.00", "0.00", "7.50", "7.50"}));
    EXPECT_EQ(printed[2], (QStringList{"总合计", "", "", "", "", "13.00", "9.99", "22.50", "12.51"}));

    const QString text = reports.lastPdfText();
    for (const char *expected : {"商品销售利润表", "2011-05-01 到 2011-05-31", "进货参考价", "销售利润", "12.51"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
}

TEST_F(ProductReports, TheTwoUnfilledReportsHaveNoRowsAndPrintTotalsRowsByName)
{
    const auto monthBalance = page->MonthBalanceReport()->Generate();
    ASSERT_TRUE(monthBalance) << page->MonthBalanceReport()->lastError().toStdString();
    EXPECT_EQ(monthBalance->recordCount(), 0);
    const auto tradeDetail = page->TradeDetailReport()->Generate();
    ASSERT_TRUE(tradeDetail) << page->TradeDetailReport()->lastError().toStdString();
    EXPECT_EQ(tradeDetail->recordCount(), 0);

    GridReport report;
    ASSERT_TRUE(report.LoadTemplateFile(GetAppDirectory() + QStringLiteral("/ProductTradeDetailReport.grf")));
    CProductTradeDetailReportEvent sink;
    ASSERT_TRUE(sink.ConnectTo(&report));
    ProductTradeDetailInfo line{"LS-01", "螺栓", "M8", "2011-05-01", "CG_JH_20110501", "3", "", ""};
    ProductTradeDetailInfo totals{"", "", "", "", "", "3", "0", "总计行"};
    sink.SetRecords(QList<ProductTradeDetailInfo>{line, totals});
    const auto document = report.Generate();
    ASSERT_TRUE(document);
    ASSERT_EQ(document->recordCount(), 2);
    EXPECT_EQ(document->records()[0][4], QStringLiteral("CG_JH_20110501"));
    EXPECT_EQ(document->records()[1], (QStringList{"总合计", "", "", "", "", "3", "0"}));
}
