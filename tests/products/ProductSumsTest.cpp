// The period sums and stock figures over the goods-bill lines of both
// sides, against bills worked out by hand.

#include <QDateEdit>

#include "ProductSums.h"
#include "ProductTestSupport.h"

namespace {

ProductKey keyOf(const struct_button_storeproduct& product)
{
    return ProductKey {product.ProductCode, product.ProductName, product.ProductSpec};
}

} // namespace

// Stock-ins, purchase returns, shipments and sales returns on both sides of
// the April/May and May/June month ends.
TEST(StockFigures, CountEveryLineOfBothSidesUpToTheMonthEnd)
{
    TestDatabase db;
    const auto screw = addProduct(db, "P1", "螺丝", "M6");
    const auto other = addProduct(db, "P1", "螺丝", "M8");
    addLines(db, screw,
        {{Purchase, "2009-12-31", "进货单", "3", "15"}, {Purchase, "2011-04-30", "进货单", "10", "50"},
            {Purchase, "2011-05-01", "退货单", "2", "10"}, {Sales, "2011-05-15", "出货单", "5", "40"},
            {Sales, "2011-05-31", "退货单", "1", "8"}, {Purchase, "2011-05-31", "进货单", "20.5", "100"},
            {Purchase, "2011-06-01", "进货单", "100", "500"}, {Sales, "2011-06-01", "出货单", "7", "56"},
            {Purchase, "2011-05-02", "盘点单", "9", "0"}}); // another bill type does not count
    addLines(db, other, {{Sales, "2011-05-02", "出货单", "4", "32"}});

    ProductSums sums(db.db());
    EXPECT_EQ(sums.StockFigures({keyOf(screw), keyOf(other)}, "2011-04-30"), (std::vector<double> {13, 0}));
    // 3 + 10 - 2 - 5 + 1 + 20.5
    EXPECT_EQ(sums.StockFigures({keyOf(screw), keyOf(other)}, "2011-05-31"), (std::vector<double> {27.5, -4}));
    EXPECT_EQ(sums.StockFigures({keyOf(screw)}, "2011-06-30"), std::vector<double> {120.5});

    // A change of the working date shows the figures at the end of its
    // month on the cards; the stored count is not touched.
    CDlgTabStore page(6, nullptr);
    page.UpdateProductMonthFigures("2011-05-17");
    EXPECT_EQ(page.ProductButton(0)->record().ProductStockCount + page.ProductButton(1)->record().ProductStockCount,
        "27.50-4.00");
    EXPECT_EQ(db.scalar("SELECT group_concat(ProductStockCount) FROM tbl_StoreMgr"), "0,0");
}

// Both reports of the period the person picks, printed from the store page: each side's main bills and returns
// apart, both ends of the period in, other kinds and days out; a repeat of an earlier product left empty; the totals
// add the texts as printed; the gain costs the net sales at the printed stock-in average.
TEST_F(StorePage, TheReportsPrintThePeriodsFiguresOfEveryProductInTableOrder)
{
    open();
    CapturedReports reports;
    const auto print = [&](const char* report, const char* start, const char* end, const char* button = "1294") {
        onNextDialog(user, button, [=](QDialog* d) {
            d->findChild<QDateEdit*>("1007")->setDate(QDate::fromString(start, Qt::ISODate));
            d->findChild<QDateEdit*>("1292")->setDate(QDate::fromString(end, Qt::ISODate));
        });
        clickButton(page.get(), report);
        QStringList rows;
        for (const QStringList& row : reports.last()->records())
            rows << row.join('|');
        return rows;
    };
    EXPECT_EQ(print("1181", "2011-05-01", "2011-05-31"),
        QStringList {"总合计|||0.00||0.00|0.00||0.00|0.00||0.00|0.00||0.00"});
    addLines(db, addProduct(db, "B", "O'Brien 扳手", "10寸"),
        {{Purchase, "2011-04-30", "进货单", "99", "99"}, {Purchase, "2011-05-01", "进货单", "3", "10"},
            {Purchase, "2011-05-02", "报损单", "1", "1"}, {Purchase, "2011-05-31", "退货单", "1", "3"},
            {Sales, "2011-05-05", "出货单", "4", "20"}, {Sales, "2011-05-31", "退货单", "1", "5"},
            {Sales, "2011-06-01", "出货单", "7", "7"}});
    addLines(db, addProduct(db, "A", "阀门", "DN20"), {{Sales, "2011-05-06", "出货单", "1", "0.004"}});
    addProduct(db, "B", "O'Brien 扳手", "10寸");
    addProduct(db, "C", "胶带", "48mm");
    addLines(db, addProduct(db, "E", "垫片", "M3"), {{Sales, "2011-05-07", "出货单", "1", "0.004"}});
    // Sold without any stock-in: no cost. More returned than sold: negative figures.
    addLines(db, addProduct(db, "L1", "灯泡", "9W"), {{Sales, "2011-05-05", "出货单", "2", "8"}});
    addLines(db, addProduct(db, "T1", "水管", "dn20"),
        {{Purchase, "2011-05-02", "进货单", "1", "4"}, {Sales, "2011-05-06", "出货单", "1", "6"},
            {Sales, "2011-05-07", "退货单", "3", "18"}});
    // 1.10 x 3 is a hair above 3.30 in binary: the profit prints as 0.00, not "-0.00".
    addLines(db, addProduct(db, "H1", "合页", "4寸"),
        {{Purchase, "2011-05-02", "进货单", "3", "3.30"}, {Sales, "2011-05-03", "出货单", "3", "3.30"}});
    // Given away, and taken back for nothing: averages of 0, no division.
    addLines(db, addProduct(db, "G1", "赠品", "小"),
        {{Purchase, "2011-05-02", "进货单", "4", "0"}, {Purchase, "2011-05-02", "退货单", "0", "9"},
            {Sales, "2011-05-02", "出货单", "4", "0"}, {Sales, "2011-05-02", "退货单", "0", "9"}});

    // 3 stocked in for 10.00: reference 3.33; the net 3 sold cost 9.99.
    const QString none = "0.00|0.00|0.00|0.00|0.00|0.00";
    const struct
    {
        const char* button;
        QStringList rows;
        const char* inPdf[2];
    } printed[] = {{"1181",
                       {"B|O'Brien 扳手|10寸|3.00|3.33|10.00|1.00|3.00|3.00|4.00|5.00|20.00|1.00|5.00|5.00",
                           "A|阀门|DN20|" + none + "|1.00|0.00|0.00|0.00|0.00|0.00", "B|O'Brien 扳手|10寸||||||||||||",
                           "C|胶带|48mm|" + none + "|" + none, "E|垫片|M3|" + none + "|1.00|0.00|0.00|0.00|0.00|0.00",
                           "L1|灯泡|9W|" + none + "|2.00|4.00|8.00|0.00|0.00|0.00",
                           "T1|水管|dn20|1.00|4.00|4.00|0.00|0.00|0.00|1.00|6.00|6.00|3.00|6.00|18.00",
                           "H1|合页|4寸|3.00|1.10|3.30|0.00|0.00|0.00|3.00|1.10|3.30|0.00|0.00|0.00",
                           "G1|赠品|小|4.00|0.00|0.00|0.00|0.00|9.00|4.00|0.00|0.00|0.00|0.00|9.00",
                           "总合计|||11.00||17.30|1.00||12.00|16.00||37.30|4.00||32.00"},
                       {"商品进出汇总表", "37.30"}},
        {"1182",
            {"B|O'Brien 扳手|10寸|3.33|5.00|3.00|9.99|15.00|5.01", "A|阀门|DN20|0.00|0.00|1.00|0.00|0.00|0.00",
                "B|O'Brien 扳手|10寸|||0.00|0.00|0.00|0.00", "C|胶带|48mm|" + none,
                "E|垫片|M3|0.00|0.00|1.00|0.00|0.00|0.00", "L1|灯泡|9W|0.00|4.00|2.00|0.00|8.00|8.00",
                "T1|水管|dn20|4.00|6.00|-2.00|-8.00|-12.00|-4.00", "H1|合页|4寸|1.10|1.10|3.00|3.30|3.30|0.00",
                "G1|赠品|小|0.00|0.00|4.00|0.00|-9.00|-9.00", "总合计|||||12.00|5.29|5.30|0.01"},
            {"商品销售利润表", "5.01"}}};
    for (const auto& report : printed) {
        EXPECT_EQ(print(report.button, "2011-05-01", "2011-05-31"), report.rows);
        const QString pdf = reports.lastPdfText();
        for (const char* expected : {report.inPdf[0], report.inPdf[1], "2011-05-01 到 2011-05-31", "O'Brien 扳手"})
            EXPECT_TRUE(pdf.contains(expected)) << expected << "\n" << pdf.toStdString();
    }
    // A period whose start is after its end selects nothing; cancelling shows nothing and keeps the rows.
    EXPECT_EQ(print("1181", "2011-05-31", "2011-05-01").last(), "总合计|||0.00||0.00|0.00||0.00|0.00||0.00|0.00||0.00");
    const auto rows = page->SumRows();
    print("1181", "2011-01-01", "2011-01-31", "1295");
    EXPECT_EQ(reports.documents.size(), 4u);
    EXPECT_EQ(page->SumRows(), rows);
}
