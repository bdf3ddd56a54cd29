#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <cstdint>
#include <vector>

#include "GoodsBillSide.h"

class Database;

// A product as the bill lines name it: lines count for a product when all
// three texts equal the product's, exactly.
struct ProductKey
{
    QString code;
    QString name;
    QString spec;

    bool operator==(const ProductKey &) const = default;
};
size_t qHash(const ProductKey &key, size_t seed = 0);

// A period of bill dates, both ends included. An empty start has no lower
// bound.
struct SumPeriod
{
    QString start;
    QString end;
};

// One product's figures on one side over a period: plain sums of the line
// texts (returns are not subtracted here) and the average prices, 0 where
// the count or the amount is 0.
struct SideFigures
{
    double count = 0.0;
    double amount = 0.0;
    double average = 0.0;
    double returnCount = 0.0;
    double returnAmount = 0.0;
    double returnAverage = 0.0;
};

// One row of the purchase and sales sums: every field a text, the figures
// written by DoubleToStr (two decimals, half a cent rounded away from
// zero). A row that no summing reached keeps its figures empty.
struct ProductStockShipmentSumInfo
{
    QString ProductCode;
    QString ProductName;
    QString ProductSpec;
    QString StockCount;
    QString StockAvgPrice;
    QString StockAmount;
    QString StockReturnCount;
    QString StockReturnAvgPrice;
    QString StockReturnAmount;
    QString SalesCount;
    QString SalesAvgPrice;
    QString SalesAmount;
    QString SalesReturnCount;
    QString SalesReturnAvgPrice;
    QString SalesReturnAmount;
    QString RowKind; // empty in every row the store page builds

    bool operator==(const ProductStockShipmentSumInfo &) const = default;
};

// One row of the sales gain report.
struct ProductShipmentGainInfo
{
    QString ProductCode;
    QString ProductName;
    QString ProductSpec;
    QString RefStockPrice;    // the period's stock-in average price, as written in the sums
    QString AvgShipmentPrice; // the period's sales average price, as written in the sums
    QString NetCount;         // sales less sales returns
    QString SalesCost;        // reference price x net count
    QString NetAmount;        // sales amount less sales-return amount
    QString Profit;
    QString RowKind;

    bool operator==(const ProductShipmentGainInfo &) const = default;
};

inline const QString kTotalsRowTitle = QStringLiteral("总合计");

// The period sums of products over the goods-bill lines of both sides, and
// the rows of the two product reports built from them. Every sum is one
// statement with bound values that lets SQLite add CAST(... AS REAL) of
// the stored texts; the product index of the line tables, which also holds
// the bill type, count and amount, serves them all without reading the
// tables. It opens no window; callers catch DbError.
class ProductSums
{
public:
    explicit ProductSums(Database &db)
        : m_db(db)
    {
    }

    SideFigures SumProduct(const GoodsBillSide &side, const ProductKey &product, const SumPeriod &period);
    // The figures of one row of the product table.
    struct RowFigures
    {
        std::int64_t rowNo = 0;
        SideFigures figures;
    };
    // Every row of the product table whose product has lines on the side
    // within the period, in the table's order (rows that repeat a product
    // each get its figures).
    std::vector<RowFigures> SumProductRows(const GoodsBillSide &side, const SumPeriod &period);

    // The stock figure of each product as at the end date: stock-ins less
    // purchase returns less sales plus sales returns over every line dated
    // up to and including it. Each of the four counts is taken to two
    // decimals first, as the sums report writes them. The figures are for
    // display; nothing is written.
    std::vector<double> StockFigures(const QList<ProductKey> &products, const QString &endDate);

    // The purchase and sales sums report: one row per product of the
    // product table, in table order, then the "总合计" row. A product that
    // repeats the code, name and variant of an earlier one keeps
    // empty figures, so its lines are counted once.
    QList<ProductStockShipmentSumInfo> StockShipmentSumRows(const SumPeriod &period);
    // The sales gain report from the sums rows (the last of which is their
    // totals row): one row per product, then the "总合计" row.
    static QList<ProductShipmentGainInfo> ShipmentGainRows(const QList<ProductStockShipmentSumInfo> &sums);

    // Writes one side's figures into a sums row.
    static void SetPurchaseFigures(ProductStockShipmentSumInfo &row, const SideFigures &figures);
    static void SetSalesFigures(ProductStockShipmentSumInfo &row, const SideFigures &figures);

private:
    Database &m_db;
};
