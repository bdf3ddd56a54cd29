// The period sums and stock figures over the goods-bill lines of both
// sides, against bills worked out by hand.

#include "ProductSums.h"
#include "ProductTestSupport.h"

namespace {

ProductKey keyOf(const struct_button_storeproduct& product)
{
    return ProductKey {product.ProductCode, product.ProductName, product.ProductSpec};
}

std::vector<double> numbers(const SideFigures& f)
{
    return {f.count, f.amount, f.average, f.returnCount, f.returnAmount, f.returnAverage};
}

// One side's figures of a sums row: count, average and amount, then the
// same of the returns.
QStringList sideTexts(const ProductStockShipmentSumInfo& r, BillSide side)
{
    if (side == Purchase)
        return {r.StockCount, r.StockAvgPrice, r.StockAmount, r.StockReturnCount, r.StockReturnAvgPrice,
            r.StockReturnAmount};
    return {
        r.SalesCount, r.SalesAvgPrice, r.SalesAmount, r.SalesReturnCount, r.SalesReturnAvgPrice, r.SalesReturnAmount};
}

const QStringList kZeroFigures(6, "0.00");
const SumPeriod kMay {"2011-05-01", "2011-05-31"};

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

using PeriodSums = ::testing::TestWithParam<BillSide>;

// The same body for both sides: main bills and returns summed apart,
// both ends of the period included, other bill types skipped.
TEST_P(PeriodSums, SumMainBillsAndReturnsWithinThePeriod)
{
    const BillSide side = GetParam();
    const GoodsBillSide& table = side == Sales ? GoodsBillSide::Sales() : GoodsBillSide::Purchase();
    const char* main = side == Sales ? "出货单" : "进货单";
    TestDatabase db;
    const auto bolt = addProduct(db, "B7", "O'Brien 螺栓", "M8x30");
    addLines(db, bolt,
        {{side, "2011-04-30", main, "100", "100"}, {side, "2011-05-01", main, "10", "50"},
            {side, "2011-05-20", main, "5", "30"}, {side, "2011-05-31", "退货单", "2", "12"},
            {side, "2011-05-31", "报损单", "1", "1"}, {side, "2011-06-01", "退货单", "7", "7"}});
    // Given away, and taken back for nothing: averages of 0, no division.
    const auto gift = addProduct(db, "G1", "赠品", "小");
    addLines(db, gift, {{side, "2011-05-02", main, "4", "0"}, {side, "2011-05-02", "退货单", "0", "9"}});

    ProductSums sums(db.db());
    EXPECT_EQ(numbers(sums.SumProduct(table, keyOf(bolt), kMay)), (std::vector<double> {15, 80, 80.0 / 15, 2, 12, 6}));
    EXPECT_EQ(numbers(sums.SumProduct(table, keyOf(gift), kMay)), (std::vector<double> {4, 0, 0, 0, 9, 0}));
    // One day only; an empty start reaches back to the first line.
    EXPECT_EQ(numbers(sums.SumProduct(table, keyOf(bolt), {"2011-05-31", "2011-05-31"})),
        (std::vector<double> {0, 0, 0, 2, 12, 6}));
    EXPECT_DOUBLE_EQ(sums.SumProduct(table, keyOf(bolt), {"", "2011-05-31"}).average, 180.0 / 115);

    const QList<ProductStockShipmentSumInfo> rows = sums.StockShipmentSumRows(kMay);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(sideTexts(rows[0], side), (QStringList {"15.00", "5.33", "80.00", "2.00", "6.00", "12.00"}));
    EXPECT_EQ(sideTexts(rows[0], side == Sales ? Purchase : Sales), kZeroFigures);
}

INSTANTIATE_TEST_SUITE_P(BothSides, PeriodSums, ::testing::Values(Sales, Purchase),
    [](const auto& info) { return info.param == Sales ? "sales" : "purchase"; });

TEST(SumsReport, ListsEveryProductInTableOrderAndTotalsTheWrittenFigures)
{
    TestDatabase db;
    ProductSums sums(db.db());
    EXPECT_EQ(sums.StockShipmentSumRows(kMay).size(), 1); // the totals row alone
    const auto b = addProduct(db, "B", "扳手", "10寸");
    const auto a = addProduct(db, "A", "阀门", "DN20");
    addProduct(db, "B", "扳手", "10寸");
    addProduct(db, "C", "胶带", "48mm");
    const auto e = addProduct(db, "E", "垫片", "M3");
    addLines(db, b,
        {{Purchase, "2011-05-03", "进货单", "3", "10"}, {Purchase, "2011-05-04", "退货单", "1", "3"},
            {Sales, "2011-05-05", "出货单", "2", "9.99"}});
    addLines(db, a, {{Sales, "2011-05-06", "出货单", "1", "0.004"}});
    addLines(db, e, {{Sales, "2011-05-07", "出货单", "1", "0.004"}});

    const QList<ProductStockShipmentSumInfo> rows = sums.StockShipmentSumRows(kMay);
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[0].ProductCode + rows[1].ProductName + rows[3].ProductCode, "B阀门C");
    EXPECT_EQ(sideTexts(rows[0], Purchase), (QStringList {"3.00", "3.33", "10.00", "1.00", "3.00", "3.00"}));
    EXPECT_EQ(sideTexts(rows[1], Sales), (QStringList {"1.00", "0.00", "0.00", "0.00", "0.00", "0.00"}));
    // A repeat of an earlier product keeps empty figures: its lines count once.
    EXPECT_EQ(sideTexts(rows[2], Sales), QStringList(6, ""));
    EXPECT_EQ(sideTexts(rows[3], Sales), kZeroFigures);
    // The totals add the texts as printed: 9.99 + 0.00 + 0.00, not 9.998.
    EXPECT_EQ(QStringList({rows[5].ProductCode, rows[5].ProductName}) + sideTexts(rows[5], Purchase)
            + sideTexts(rows[5], Sales),
        (QStringList {"总合计", "", "3.00", "", "10.00", "1.00", "", "3.00", "4.00", "", "9.99", "0.00", "", "0.00"}));

    // A period whose start is after its end selects nothing.
    const auto reversed = sums.StockShipmentSumRows({"2011-05-31", "2011-05-01"});
    EXPECT_EQ(sideTexts(reversed[0], Purchase) + sideTexts(reversed[0], Sales), kZeroFigures + kZeroFigures);
}

TEST(GainReport, CostsTheNetSalesAtThePrintedStockInAverage)
{
    TestDatabase db;
    // Stock-ins of 3 for 10.00: reference price 3.33, so a net 3 costs 9.99.
    addLines(db, addProduct(db, "W1", "电线", "2.5"),
        {{Purchase, "2011-05-02", "进货单", "3", "10"}, {Purchase, "2011-05-02", "退货单", "1", "50"},
            {Sales, "2011-05-03", "出货单", "4", "20"}, {Sales, "2011-05-04", "退货单", "1", "5"}});
    // Sold without any stock-in in the period: no cost.
    addLines(db, addProduct(db, "L1", "灯泡", "9W"), {{Sales, "2011-05-05", "出货单", "2", "8"}});
    // More returned than sold: negative count, amount and cost.
    addLines(db, addProduct(db, "T1", "水管", "dn20"),
        {{Purchase, "2011-05-02", "进货单", "1", "4"}, {Sales, "2011-05-06", "出货单", "1", "6"},
            {Sales, "2011-05-07", "退货单", "3", "18"}});
    // 1.10 x 3 is a hair above 3.30 in binary: the profit prints as 0.00,
    // not "-0.00".
    addLines(db, addProduct(db, "H1", "合页", "4寸"),
        {{Purchase, "2011-05-02", "进货单", "3", "3.30"}, {Sales, "2011-05-03", "出货单", "3", "3.30"}});

    QList<QStringList> texts;
    for (const auto& r : ProductSums::ShipmentGainRows(ProductSums(db.db()).StockShipmentSumRows(kMay)))
        texts << QStringList {
            r.ProductCode, r.RefStockPrice, r.AvgShipmentPrice, r.NetCount, r.SalesCost, r.NetAmount, r.Profit};
    EXPECT_EQ(texts,
        (QList<QStringList> {{"W1", "3.33", "5.00", "3.00", "9.99", "15.00", "5.01"},
            {"L1", "0.00", "4.00", "2.00", "0.00", "8.00", "8.00"},
            {"T1", "4.00", "6.00", "-2.00", "-8.00", "-12.00", "-4.00"},
            {"H1", "1.10", "1.10", "3.00", "3.30", "3.30", "0.00"},
            {"总合计", "", "", "6.00", "5.29", "14.30", "9.01"}}));
}
