// The period sums and stock figures over the goods-bill lines of both
// sides, against bills worked out by hand.

#include <gtest/gtest.h>

#include "CDlgTabStore.h"
#include "ProductSums.h"
#include "ProductTestSupport.h"
#include "StoreTestSupport.h"

namespace {

ProductKey keyOf(const struct_button_storeproduct &product)
{
    return ProductKey{product.ProductCode, product.ProductName, product.ProductSpec};
}

QStringList purchaseTexts(const ProductStockShipmentSumInfo &row)
{
    return {row.StockCount,       row.StockAvgPrice,       row.StockAmount,
            row.StockReturnCount, row.StockReturnAvgPrice, row.StockReturnAmount};
}

QStringList salesTexts(const ProductStockShipmentSumInfo &row)
{
    return {row.SalesCount,       row.SalesAvgPrice,       row.SalesAmount,
            row.SalesReturnCount, row.SalesReturnAvgPrice, row.SalesReturnAmount};
}

const QStringList kZeroFigures(6, QStringLiteral("0.00"));

} // namespace

// Stock-ins, purchase returns, shipments and sales returns on both sides of
// the April/May and May/June month ends.
TEST(StockFigures, CountEveryLineOfBothSidesUpToTheMonthEnd)
{
    TestDatabase db;
    const auto screw = addProduct(db, QStringLiteral("P1"), QStringLiteral("螺丝"), QStringLiteral("M6"));
    const auto other = addProduct(db, QStringLiteral("P1"), QStringLiteral("螺丝"), QStringLiteral("M8"));
    const auto in = BillSide::Purchase;
    const auto out = BillSide::Sales;
    addLine(db, in, QStringLiteral("2009-12-31"), QStringLiteral("进货单"), screw, QStringLiteral("3"), QStringLiteral("15"));
    addLine(db, in, QStringLiteral("2011-04-30"), QStringLiteral("进货单"), screw, QStringLiteral("10"), QStringLiteral("50"));
    addLine(db, in, QStringLiteral("2011-05-01"), QStringLiteral("退货单"), screw, QStringLiteral("2"), QStringLiteral("10"));
    addLine(db, out, QStringLiteral("2011-05-15"), QStringLiteral("出货单"), screw, QStringLiteral("5"), QStringLiteral("40"));
    addLine(db, out, QStringLiteral("2011-05-31"), QStringLiteral("退货单"), screw, QStringLiteral("1"), QStringLiteral("8"));
    addLine(db, in, QStringLiteral("2011-05-31"), QStringLiteral("进货单"), screw, QStringLiteral("20.5"), QStringLiteral("100"));
    addLine(db, in, QStringLiteral("2011-06-01"), QStringLiteral("进货单"), screw, QStringLiteral("100"), QStringLiteral("500"));
    addLine(db, out, QStringLiteral("2011-06-01"), QStringLiteral("出货单"), screw, QStringLiteral("7"), QStringLiteral("56"));
    // Neither another variant nor another bill type counts.
    addLine(db, out, QStringLiteral("2011-05-02"), QStringLiteral("出货单"), other, QStringLiteral("4"), QStringLiteral("32"));
    addLine(db, in, QStringLiteral("2011-05-02"), QStringLiteral("盘点单"), screw, QStringLiteral("9"), QStringLiteral("0"));

    ProductSums sums(db.db());
    const std::vector<double> april = sums.StockFigures({keyOf(screw), keyOf(other)}, QStringLiteral("2011-04-30"));
    EXPECT_DOUBLE_EQ(april[0], 13.0);
    EXPECT_DOUBLE_EQ(april[1], 0.0);
    // 3 + 10 - 2 - 5 + 1 + 20.5
    EXPECT_DOUBLE_EQ(sums.StockFigures({keyOf(screw)}, QStringLiteral("2011-05-31"))[0], 27.5);
    EXPECT_DOUBLE_EQ(sums.StockFigures({keyOf(screw)}, QStringLiteral("2011-06-30"))[0], 120.5);
    EXPECT_DOUBLE_EQ(sums.StockFigures({keyOf(other)}, QStringLiteral("2011-06-30"))[0], -4.0);

    // The card shows the figure at the end of the working month, any day
    // of it; the stored count is not touched.
    SetWorkingDate(QDate(2011, 5, 3));
    CDlgTabStore page(6, nullptr);
    page.UpdateProductMonthFigures(QStringLiteral("2011-05-17"));
    EXPECT_EQ(page.ComputedDate(), QStringLiteral("2011-05-17"));
    EXPECT_EQ(page.ProductButton(0)->record().ProductStockCount, QStringLiteral("27.50"));
    EXPECT_EQ(page.ProductButton(1)->record().ProductStockCount, QStringLiteral("-4.00"));
    page.UpdateProductMonthFigures(QStringLiteral("2011-04-01"));
    EXPECT_EQ(page.ProductButton(0)->record().ProductStockCount, QStringLiteral("13.00"));
    EXPECT_EQ(db.scalar("SELECT group_concat(ProductStockCount) FROM tbl_StoreMgr"), QStringLiteral("0,0"));
}

class PeriodSums : public ::testing::TestWithParam<BillSide>
{
};

// The same body for both sides: main bills and returns summed apart,
// both ends of the period included, other bill types skipped.
TEST_P(PeriodSums, SumMainBillsAndReturnsWithinThePeriod)
{
    const BillSide side = GetParam();
    const GoodsBillSide &table = side == BillSide::Sales ? GoodsBillSide::Sales() : GoodsBillSide::Purchase();
    TestDatabase db;
    const auto bolt = addProduct(db, QStringLiteral("B7"), QStringLiteral("O'Brien 螺栓"), QStringLiteral("M8x30"));
    const QString main = mainBillType(side);
    const QString back = QStringLiteral("退货单");
    addLine(db, side, QStringLiteral("2011-04-30"), main, bolt, QStringLiteral("100"), QStringLiteral("100"));
    addLine(db, side, QStringLiteral("2011-05-01"), main, bolt, QStringLiteral("10"), QStringLiteral("50"));
    addLine(db, side, QStringLiteral("2011-05-20"), main, bolt, QStringLiteral("5"), QStringLiteral("30"));
    addLine(db, side, QStringLiteral("2011-05-31"), back, bolt, QStringLiteral("2"), QStringLiteral("12"));
    addLine(db, side, QStringLiteral("2011-05-31"), QStringLiteral("报损单"), bolt, QStringLiteral("1"), QStringLiteral("1"));
    addLine(db, side, QStringLiteral("2011-06-01"), back, bolt, QStringLiteral("7"), QStringLiteral("7"));

    ProductSums sums(db.db());
    const SumPeriod may{QStringLiteral("2011-05-01"), QStringLiteral("2011-05-31")};
    const SideFigures f = sums.SumProduct(table, keyOf(bolt), may);
    EXPECT_DOUBLE_EQ(f.count, 15.0);
    EXPECT_DOUBLE_EQ(f.amount, 80.0);
    EXPECT_DOUBLE_EQ(f.average, 80.0 / 15.0);
    EXPECT_DOUBLE_EQ(f.returnCount, 2.0);
    EXPECT_DOUBLE_EQ(f.returnAmount, 12.0);
    EXPECT_DOUBLE_EQ(f.returnAverage, 6.0);
    // The sums of every product row agree with the one-product sum.
    const std::vector<ProductSums::RowFigures> all = sums.SumProductRows(table, may);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_DOUBLE_EQ(all[0].figures.count, f.count);
    EXPECT_DOUBLE_EQ(all[0].figures.returnAmount, f.returnAmount);

    const QList<ProductStockShipmentSumInfo> rows = sums.StockShipmentSumRows(may);
    ASSERT_EQ(rows.size(), 2);
    const QStringList expected = {"15.00", "5.33", "80.00", "2.00", "6.00", "12.00"};
    EXPECT_EQ(side == BillSide::Sales ? salesTexts(rows[0]) : purchaseTexts(rows[0]), expected);
    EXPECT_EQ(side == BillSide::Sales ? purchaseTexts(rows[0]) : salesTexts(rows[0]), kZeroFigures);

    // One day only; an empty start reaches back to the first line.
    const SideFigures day = sums.SumProduct(table, keyOf(bolt), {QStringLiteral("2011-05-31"), QStringLiteral("2011-05-31")});
    EXPECT_DOUBLE_EQ(day.count, 0.0);
    EXPECT_DOUBLE_EQ(day.returnCount, 2.0);
    const SideFigures upToMay = sums.SumProduct(table, keyOf(bolt), {QString(), QStringLiteral("2011-05-31")});
    EXPECT_DOUBLE_EQ(upToMay.count, 115.0);
    EXPECT_DOUBLE_EQ(upToMay.average, 180.0 / 115.0);
}

INSTANTIATE_TEST_SUITE_P(BothSides, PeriodSums, ::testing::Values(BillSide::Sales, BillSide::Purchase),
                         [](const auto &info) { return std::string(sideName(info.param)); });

TEST(PeriodSums, ZeroCountsOrAmountsGiveZeroAverages)
{
    TestDatabase db;
    const auto gift = addProduct(db, QStringLiteral("G1"), QStringLiteral("赠品"), QStringLiteral("小"));
    addLine(db, BillSide::Sales, QStringLiteral("2011-05-02"), QStringLiteral("出货单"), gift, QStringLiteral("4"), QStringLiteral("0"));
    addLine(db, BillSide::Sales, QStringLiteral("2011-05-02"), QStringLiteral("退货单"), gift, QStringLiteral("0"), QStringLiteral("9"));
    const SideFigures f = ProductSums(db.db()).SumProduct(GoodsBillSide::Sales(), keyOf(gift),
                                                         {QStringLiteral("2011-05-01"), QStringLiteral("2011-05-31")});
    EXPECT_DOUBLE_EQ(f.count, 4.0);
    EXPECT_DOUBLE_EQ(f.average, 0.0);
    EXPECT_DOUBLE_EQ(f.returnAmount, 9.0);
    EXPECT_DOUBLE_EQ(f.returnAverage, 0.0);
}

TEST(SumsReport, ListsEveryProductInTableOrderAndTotalsTheWrittenFigures)
{
    TestDatabase db;
    ProductSums sums(db.db());
    const SumPeriod may{QStringLiteral("2011-05-01"), QStringLiteral("2011-05-31")};
    // An empty product table: the totals row alone, its sums 0.00.
    QList<ProductStockShipmentSumInfo> rows = sums.StockShipmentSumRows(may);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].ProductCode, QStringLiteral("总合计"));
    EXPECT_EQ(rows[0].SalesAmount, QStringLiteral("0.00"));

    const auto b = addProduct(db, QStringLiteral("B"), QStringLiteral("扳手"), QStringLiteral("10寸"));
    const auto a = addProduct(db, QStringLiteral("A"), QStringLiteral("阀门"), QStringLiteral("DN20"));
    const auto twin = addProduct(db, QStringLiteral("B"), QStringLiteral("扳手"), QStringLiteral("10寸"));
    const auto idle = addProduct(db, QStringLiteral("C"), QStringLiteral("胶带"), QStringLiteral("48mm"));
    const auto e = addProduct(db, QStringLiteral("E"), QStringLiteral("垫片"), QStringLiteral("M3"));
    addLine(db, BillSide::Purchase, QStringLiteral("2011-05-03"), QStringLiteral("进货单"), b, QStringLiteral("3"), QStringLiteral("10"));
    addLine(db, BillSide::Purchase, QStringLiteral("2011-05-04"), QStringLiteral("退货单"), b, QStringLiteral("1"), QStringLiteral("3"));
    addLine(db, BillSide::Sales, QStringLiteral("2011-05-05"), QStringLiteral("出货单"), b, QStringLiteral("2"), QStringLiteral("9.99"));
    addLine(db, BillSide::Sales, QStringLiteral("2011-05-06"), QStringLiteral("出货单"), a, QStringLiteral("1"), QStringLiteral("0.004"));
    addLine(db, BillSide::Sales, QStringLiteral("2011-05-07"), QStringLiteral("出货单"), e, QStringLiteral("1"), QStringLiteral("0.004"));

    rows = sums.StockShipmentSumRows(may);
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[0].ProductCode, QStringLiteral("B"));
    EXPECT_EQ(rows[1].ProductName, QStringLiteral("阀门"));
    EXPECT_EQ(purchaseTexts(rows[0]), (QStringList{"3.00", "3.33", "10.00", "1.00", "3.00", "3.00"}));
    EXPECT_EQ(salesTexts(rows[1]), (QStringList{"1.00", "0.00", "0.00", "0.00", "0.00", "0.00"}));
    // A repeat of an earlier product keeps empty figures: its lines count once.
    EXPECT_EQ(rows[2].ProductSpec, twin.ProductSpec);
    EXPECT_EQ(salesTexts(rows[2]), QStringList(6, QString()));
    EXPECT_EQ(rows[3].ProductCode, idle.ProductCode);
    EXPECT_EQ(salesTexts(rows[3]), kZeroFigures);
    // The totals add the texts as printed: 9.99 + 0.00 + 0.00, not 9.998.
    const ProductStockShipmentSumInfo &totals = rows[5];
    EXPECT_EQ(totals.ProductCode, QStringLiteral("总合计"));
    EXPECT_EQ(totals.StockAmount, QStringLiteral("10.00"));
    EXPECT_EQ(totals.StockReturnAmount, QStringLiteral("3.00"));
    EXPECT_EQ(totals.SalesCount, QStringLiteral("4.00"));
    EXPECT_EQ(totals.SalesAmount, QStringLiteral("9.99"));
    EXPECT_TRUE(totals.ProductName.isEmpty());
    EXPECT_TRUE(totals.StockAvgPrice.isEmpty());
    EXPECT_TRUE(totals.SalesAvgPrice.isEmpty());

    // A period whose start is after its end selects nothing.
    rows = sums.StockShipmentSumRows({QStringLiteral("2011-05-31"), QStringLiteral("2011-05-01")});
    EXPECT_EQ(salesTexts(rows[0]), kZeroFigures);
    EXPECT_EQ(purchaseTexts(rows[0]), kZeroFigures);
}

TEST(GainReport, CostsTheNetSalesAtThePrintedStockInAverage)
{
    TestDatabase db;
    const auto cable = addProduct(db, QStringLiteral("W1"), QStringLiteral("电线"), QStringLiteral("2.5"));
    const auto lamp = addProduct(db, QStringLiteral("L1"), QStringLiteral("灯泡"), QStringLiteral("9W"));
    const auto pipe = addProduct(db, QStringLiteral("T1"), QStringLiteral("水管"), QStringLiteral("dn20"));
    // Stock-ins of 3 for 10.00: reference price 3.33, so a net 3 costs 9.99.
    addLine(db, BillSide::Purchase, QStringLiteral("2011-05-02"), QStringLiteral("进货单"), cable, QStringLiteral("3"), QStringLiteral("10"));
    addLine(db, BillSide::Purchase, QStringLiteral("2011-05-02"), QStringLiteral("退货单"), cable, QStringLiteral("1"), QStringLiteral("50"));
    addLine(db, BillSide::Sales, QStringLiteral("2011-05-03"), QStringLiteral("出货单"), cable, QStringLiteral("4"), QStringLiteral("20"));
    addLine(db, BillSide::Sales, QStringLiteral("2011-05-04"), QStringLiteral("退货单"), cable, QStringLiteral("1"), QStringLiteral("5"));
    // Sold without any stock-in in the period: no cost.
    addLine(db, BillSide::Sales, QStringLiteral("2011-05-05"), QStringLiteral("出货单"), lamp, QStringLiteral("2"), QStringLiteral("8"));
    // More returned than sold: negative count, amount and cost.
    addLine(db, BillSide::Purchase, QStringLiteral("2011-05-02"), QStringLiteral("进货单"), pipe, QStringLiteral("1"), QStringLiteral("4"));
    addLine(db, BillSide::Sales, QStringLiteral("2011-05-06"), QStringLiteral("出货单"), pipe, QStringLiteral("1"), QStringLiteral("6"));
    addLine(db, BillSide::Sales, QStringLiteral("2011-05-07"), QStringLiteral("退货单"), pipe, QStringLiteral("3"), QStringLiteral("18"));

    const QList<ProductShipmentGainInfo> rows = ProductSums::ShipmentGainRows(
        ProductSums(db.db()).StockShipmentSumRows({QStringLiteral("2011-05-01"), QStringLiteral("2011-05-31")}));
    ASSERT_EQ(rows.size(), 4);
    auto texts = [](const ProductShipmentGainInfo &r) {
        return QStringList{r.RefStockPrice, r.AvgShipmentPrice, r.NetCount, r.SalesCost, r.NetAmount, r.Profit};
    };
    EXPECT_EQ(texts(rows[0]), (QStringList{"3.33", "5.00", "3.00", "9.99", "15.00", "5.01"}));
    EXPECT_EQ(texts(rows[1]), (QStringList{"0.00", "4.00", "2.00", "0.00", "8.00", "8.00"}));
    EXPECT_EQ(texts(rows[2]), (QStringList{"4.00", "6.00", "-2.00", "-8.00", "-12.00", "-4.00"}));
    EXPECT_EQ(rows[3].ProductCode, QStringLiteral("总合计"));
    EXPECT_EQ(texts(rows[3]), (QStringList{"", "", "3.00", "1.99", "11.00", "9.01"}));
}

TEST(GainReport, ABreakEvenSaleShowsAPlainZeroProfit)
{
    TestDatabase db;
    const auto hinge = addProduct(db, QStringLiteral("H1"), QStringLiteral("合页"), QStringLiteral("4寸"));
    // 1.10 x 3 is a hair above 3.30 in binary: the profit must not print
    // as "-0.00", nor may the totals.
    addLine(db, BillSide::Purchase, QStringLiteral("2011-05-02"), QStringLiteral("进货单"), hinge, QStringLiteral("3"), QStringLiteral("3.30"));
    addLine(db, BillSide::Sales, QStringLiteral("2011-05-03"), QStringLiteral("出货单"), hinge, QStringLiteral("3"), QStringLiteral("3.30"));

    const QList<ProductShipmentGainInfo> rows = ProductSums::ShipmentGainRows(
        ProductSums(db.db()).StockShipmentSumRows({QStringLiteral("2011-05-01"), QStringLiteral("2011-05-31")}));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].RefStockPrice, QStringLiteral("1.10"));
    EXPECT_EQ(rows[0].SalesCost, QStringLiteral("3.30"));
    EXPECT_EQ(rows[0].Profit, QStringLiteral("0.00"));
    EXPECT_EQ(rows[1].Profit, QStringLiteral("0.00"));
}
