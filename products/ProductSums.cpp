#include "ProductSums.h"

#include <QByteArray>
#include <QSet>

#include <cstdint>

#include "Database.h"
#include "GlobalFunctions.h"

namespace {


// The four sums of one side. Lines of any other bill type add nothing. A
// text that is no number adds 0, as StrToDouble reads it. The names are in
// lower case: the statement looks a name up as written when it is, which
// matters for thousands of rows.
// The line table is "g" in every statement.
const char *const kSumColumns =
    "TOTAL(CASE WHEN g.BillType = ?1 THEN CAST(g.ProductAmount AS REAL) END) AS maincount, "
    "TOTAL(CASE WHEN g.BillType = ?1 THEN CAST(g.ProductPrice AS REAL) END) AS mainamount, "
    "TOTAL(CASE WHEN g.BillType = ?2 THEN CAST(g.ProductAmount AS REAL) END) AS returncount, "
    "TOTAL(CASE WHEN g.BillType = ?2 THEN CAST(g.ProductPrice AS REAL) END) AS returnamount";

QByteArray oneProductSql(const GoodsBillSide &side)
{
    return QByteArray("SELECT ") + kSumColumns + " FROM " + side.table
        + " g WHERE g.ProductName = ?3 AND g.ProductCode = ?4 AND g.ProductSpec = ?5"
          " AND g.InputDate >= ?6 AND g.InputDate <= ?7";
}

double average(double amount, double count)
{
    return (amount != 0.0 && count != 0.0) ? amount / count : 0.0;
}

SideFigures figuresFrom(const Statement &row)
{
    SideFigures figures;
    figures.count = row.real(QStringLiteral("maincount"));
    figures.amount = row.real(QStringLiteral("mainamount"));
    figures.returnCount = row.real(QStringLiteral("returncount"));
    figures.returnAmount = row.real(QStringLiteral("returnamount"));
    figures.average = average(figures.amount, figures.count);
    figures.returnAverage = average(figures.returnAmount, figures.returnCount);
    return figures;
}

// A figure as a reader of its written text gets it back.
double twoDecimals(double value)
{
    return StrToDouble(DoubleToStr(value));
}

} // namespace

size_t qHash(const ProductKey &key, size_t seed)
{
    return qHashMulti(seed, key.code, key.name, key.spec);
}

SideFigures ProductSums::SumProduct(const GoodsBillSide &side, const ProductKey &product, const SumPeriod &period)
{
    Statement query = m_db.prepare(oneProductSql(side).constData());
    query.bindAll(side.mainBillType, side.returnBillType, product.name, product.code, product.spec, period.start,
                  period.end);
    return query.next() ? figuresFrom(query) : SideFigures();
}

std::vector<ProductSums::RowFigures> ProductSums::SumProductRows(const GoodsBillSide &side, const SumPeriod &period)
{
    // Product by product, in the order of the product table, the line
    // table's product index is searched for the product's key and the
    // period: only the lines of the period are read, and from the index
    // alone, which holds every column used here.
    const QByteArray sql = QByteArray("SELECT s.RowNo AS rowno, ") + kSumColumns + " FROM tbl_StoreMgr s CROSS JOIN "
        + side.table
        + " g ON g.ProductName = s.ProductName AND g.ProductCode = s.ProductCode AND g.ProductSpec = s.ProductSpec"
          " AND g.InputDate >= ?3 AND g.InputDate <= ?4 GROUP BY s.RowNo ORDER BY s.RowNo";
    Statement query = m_db.prepare(sql.constData());
    query.bindAll(side.mainBillType, side.returnBillType, period.start, period.end);
    std::vector<RowFigures> sums;
    while (query.next())
        sums.push_back({query.integer(QStringLiteral("rowno")), figuresFrom(query)});
    return sums;
}

std::vector<double> ProductSums::StockFigures(const QList<ProductKey> &products, const QString &endDate)
{
    Statement purchase = m_db.prepare(oneProductSql(GoodsBillSide::Purchase()).constData());
    Statement sales = m_db.prepare(oneProductSql(GoodsBillSide::Sales()).constData());
    auto sum = [&endDate](Statement &query, const GoodsBillSide &side, const ProductKey &product) {
        query.reset();
        // An empty start: every line up to the end date, however old.
        query.bindAll(side.mainBillType, side.returnBillType, product.name, product.code, product.spec, QString(),
                      endDate);
        return query.next() ? figuresFrom(query) : SideFigures();
    };

    std::vector<double> figures;
    figures.reserve(static_cast<std::size_t>(products.size()));
    for (const ProductKey &product : products) {
        const SideFigures in = sum(purchase, GoodsBillSide::Purchase(), product);
        const SideFigures out = sum(sales, GoodsBillSide::Sales(), product);
        const double purchaseNet = twoDecimals(in.count) - twoDecimals(in.returnCount);
        const double salesNet = twoDecimals(out.count) - twoDecimals(out.returnCount);
        figures.push_back(purchaseNet - salesNet);
    }
    return figures;
}

void ProductSums::SetPurchaseFigures(ProductStockShipmentSumInfo &row, const SideFigures &figures)
{
    row.StockCount = DoubleToStr(figures.count);
    row.StockAvgPrice = DoubleToStr(figures.average);
    row.StockAmount = DoubleToStr(figures.amount);
    row.StockReturnCount = DoubleToStr(figures.returnCount);
    row.StockReturnAvgPrice = DoubleToStr(figures.returnAverage);
    row.StockReturnAmount = DoubleToStr(figures.returnAmount);
}

void ProductSums::SetSalesFigures(ProductStockShipmentSumInfo &row, const SideFigures &figures)
{
    row.SalesCount = DoubleToStr(figures.count);
    row.SalesAvgPrice = DoubleToStr(figures.average);
    row.SalesAmount = DoubleToStr(figures.amount);
    row.SalesReturnCount = DoubleToStr(figures.returnCount);
    row.SalesReturnAvgPrice = DoubleToStr(figures.returnAverage);
    row.SalesReturnAmount = DoubleToStr(figures.returnAmount);
}

QList<ProductStockShipmentSumInfo> ProductSums::StockShipmentSumRows(const SumPeriod &period)
{
    QList<ProductStockShipmentSumInfo> rows;
    std::vector<std::int64_t> rowNumbers;
    {
        Statement products = m_db.prepare("SELECT RowNo AS rowno, ProductCode AS code, ProductName AS name, "
                                          "ProductSpec AS spec FROM tbl_StoreMgr ORDER BY RowNo");
        while (products.next()) {
            ProductStockShipmentSumInfo row;
            row.ProductCode = products.text(QStringLiteral("code"));
            row.ProductName = products.text(QStringLiteral("name"));
            row.ProductSpec = products.text(QStringLiteral("spec"));
            rows << row;
            rowNumbers.push_back(products.integer(QStringLiteral("rowno")));
        }
    }
    const std::vector<RowFigures> purchase = SumProductRows(GoodsBillSide::Purchase(), period);
    const std::vector<RowFigures> sales = SumProductRows(GoodsBillSide::Sales(), period);
    // Both lists are in row order, like the products: each is walked once.
    auto nextPurchase = purchase.cbegin();
    auto nextSales = sales.cbegin();
    const auto figuresOf = [](std::vector<RowFigures>::const_iterator &next,
                              const std::vector<RowFigures> &list, std::int64_t rowNo) {
        while (next != list.cend() && next->rowNo < rowNo)
            ++next;
        return next != list.cend() && next->rowNo == rowNo ? next->figures : SideFigures();
    };

    // The totals add the texts as written, so that they agree with the
    // rows printed above them.
    double stockCount = 0, stockAmount = 0, stockReturnCount = 0, stockReturnAmount = 0;
    double salesCount = 0, salesAmount = 0, salesReturnCount = 0, salesReturnAmount = 0;
    QSet<ProductKey> summed;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        ProductStockShipmentSumInfo &row = rows[i];
        const std::int64_t rowNo = rowNumbers[static_cast<std::size_t>(i)];
        const SideFigures purchaseFigures = figuresOf(nextPurchase, purchase, rowNo);
        const SideFigures salesFigures = figuresOf(nextSales, sales, rowNo);
        const ProductKey key{row.ProductCode, row.ProductName, row.ProductSpec};
        if (summed.contains(key))
            continue;
        summed.insert(key);
        SetPurchaseFigures(row, purchaseFigures);
        SetSalesFigures(row, salesFigures);
        stockCount += StrToDouble(row.StockCount);
        stockAmount += StrToDouble(row.StockAmount);
        stockReturnCount += StrToDouble(row.StockReturnCount);
        stockReturnAmount += StrToDouble(row.StockReturnAmount);
        salesCount += StrToDouble(row.SalesCount);
        salesAmount += StrToDouble(row.SalesAmount);
        salesReturnCount += StrToDouble(row.SalesReturnCount);
        salesReturnAmount += StrToDouble(row.SalesReturnAmount);
    }

    ProductStockShipmentSumInfo totals;
    totals.ProductCode = kTotalsRowTitle;
    totals.StockCount = DoubleToStr(stockCount);
    totals.StockAmount = DoubleToStr(stockAmount);
    totals.StockReturnCount = DoubleToStr(stockReturnCount);
    totals.StockReturnAmount = DoubleToStr(stockReturnAmount);
    totals.SalesCount = DoubleToStr(salesCount);
    totals.SalesAmount = DoubleToStr(salesAmount);
    totals.SalesReturnCount = DoubleToStr(salesReturnCount);
    totals.SalesReturnAmount = DoubleToStr(salesReturnAmount);
    rows << totals;
    return rows;
}

QList<ProductShipmentGainInfo> ProductSums::ShipmentGainRows(const QList<ProductStockShipmentSumInfo> &sums)
{
    QList<ProductShipmentGainInfo> rows;
    double netCountTotal = 0, costTotal = 0, netAmountTotal = 0, profitTotal = 0;
    // The last sums row is their totals row.
    for (qsizetype i = 0; i + 1 < sums.size(); ++i) {
        const ProductStockShipmentSumInfo &sum = sums[i];
        ProductShipmentGainInfo row;
        row.ProductCode = sum.ProductCode;
        row.ProductName = sum.ProductName;
        row.ProductSpec = sum.ProductSpec;
        row.RefStockPrice = sum.StockAvgPrice;
        row.AvgShipmentPrice = sum.SalesAvgPrice;
        const double netCount = StrToDouble(sum.SalesCount) - StrToDouble(sum.SalesReturnCount);
        // The cost uses the reference price as printed (two decimals).
        const double cost = StrToDouble(row.RefStockPrice) * netCount;
        const double netAmount = StrToDouble(sum.SalesAmount) - StrToDouble(sum.SalesReturnAmount);
        const double profit = netAmount - cost;
        row.NetCount = DoubleToStr(netCount);
        row.SalesCost = DoubleToStr(cost);
        row.NetAmount = DoubleToStr(netAmount);
        row.Profit = DoubleToStr(profit);
        netCountTotal += netCount;
        costTotal += cost;
        netAmountTotal += netAmount;
        profitTotal += profit;
        rows << row;
    }
    ProductShipmentGainInfo totals;
    totals.ProductCode = kTotalsRowTitle;
    totals.NetCount = DoubleToStr(netCountTotal);
    totals.SalesCost = DoubleToStr(costTotal);
    totals.NetAmount = DoubleToStr(netAmountTotal);
    totals.Profit = DoubleToStr(profitTotal);
    rows << totals;
    return rows;
}
