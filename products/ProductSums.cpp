#include "ProductSums.h"

#include <QByteArray>
#include <QSet>

#include "Database.h"
#include "GlobalFunctions.h"

namespace {


// The four sums of one side. Lines of any other bill type add nothing. A
// text that is no number adds 0, as StrToDouble reads it.
const char *const kSumColumns =
    "TOTAL(CASE WHEN BillType = ?1 THEN CAST(ProductAmount AS REAL) END) AS MainCount, "
    "TOTAL(CASE WHEN BillType = ?1 THEN CAST(ProductPrice AS REAL) END) AS MainAmount, "
    "TOTAL(CASE WHEN BillType = ?2 THEN CAST(ProductAmount AS REAL) END) AS ReturnCount, "
    "TOTAL(CASE WHEN BillType = ?2 THEN CAST(ProductPrice AS REAL) END) AS ReturnAmount";

QByteArray oneProductSql(const GoodsBillSide &side)
{
    return QByteArray("SELECT ") + kSumColumns + " FROM " + side.table
        + " WHERE ProductName = ?3 AND ProductCode = ?4 AND ProductSpec = ?5"
          " AND InputDate >= ?6 AND InputDate <= ?7";
}

double average(double amount, double count)
{
    return (amount != 0.0 && count != 0.0) ? amount / count : 0.0;
}

SideFigures figuresFrom(const Statement &row)
{
    SideFigures figures;
    figures.count = row.real(QStringLiteral("MainCount"));
    figures.amount = row.real(QStringLiteral("MainAmount"));
    figures.returnCount = row.real(QStringLiteral("ReturnCount"));
    figures.returnAmount = row.real(QStringLiteral("ReturnAmount"));
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

QHash<ProductKey, SideFigures> ProductSums::SumAllProducts(const GoodsBillSide &side, const SumPeriod &period)
{
    // The unary + keeps the date index out of the plan: walking the date
    // range would fetch every line from the table and sort the groups,
    // while the product index holds every column used here, already in
    // group order (twice as fast on five years of bills).
    const QByteArray sql = QByteArray("SELECT ProductCode, ProductName, ProductSpec, ") + kSumColumns + " FROM "
        + side.table + " WHERE +InputDate >= ?3 AND +InputDate <= ?4 GROUP BY ProductName, ProductCode, ProductSpec";
    Statement query = m_db.prepare(sql.constData());
    query.bindAll(side.mainBillType, side.returnBillType, period.start, period.end);
    QHash<ProductKey, SideFigures> sums;
    while (query.next()) {
        const ProductKey key{query.text(QStringLiteral("ProductCode")), query.text(QStringLiteral("ProductName")),
                             query.text(QStringLiteral("ProductSpec"))};
        sums.insert(key, figuresFrom(query));
    }
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
    {
        Statement products = m_db.prepare("SELECT ProductCode, ProductName, ProductSpec FROM tbl_StoreMgr ORDER BY RowNo");
        while (products.next()) {
            ProductStockShipmentSumInfo row;
            row.ProductCode = products.text(QStringLiteral("ProductCode"));
            row.ProductName = products.text(QStringLiteral("ProductName"));
            row.ProductSpec = products.text(QStringLiteral("ProductSpec"));
            rows << row;
        }
    }
    const QHash<ProductKey, SideFigures> purchase = SumAllProducts(GoodsBillSide::Purchase(), period);
    const QHash<ProductKey, SideFigures> sales = SumAllProducts(GoodsBillSide::Sales(), period);

    // The totals add the texts as written, so that they agree with the
    // rows printed above them.
    double stockCount = 0, stockAmount = 0, stockReturnCount = 0, stockReturnAmount = 0;
    double salesCount = 0, salesAmount = 0, salesReturnCount = 0, salesReturnAmount = 0;
    QSet<ProductKey> summed;
    for (ProductStockShipmentSumInfo &row : rows) {
        const ProductKey key{row.ProductCode, row.ProductName, row.ProductSpec};
        if (summed.contains(key))
            continue;
        summed.insert(key);
        SetPurchaseFigures(row, purchase.value(key));
        SetSalesFigures(row, sales.value(key));
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
