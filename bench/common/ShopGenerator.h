#pragma once

#include <QDate>
#include <QString>

#include <cstdint>

class Database;

// How large a shop to make. The defaults are the realistic shop the
// benchmarks are measured on: 5,000 products and 200,000 goods-bill lines
// over five years, with the clients, providers, finance bills, accounts
// and price lists that go with them.
struct ShopProfile
{
    int clients = 400;
    int providers = 120;
    int products = 5000;
    int salesLines = 130000;    // lines of 出货单 and 退货单
    int purchaseLines = 70000;  // lines of 进货单 and 退货单
    int financeBills = 24000;   // both sides together
    int accounts = 6;           // the schema's 现金 included
    int priceListEntries = 8000; // both sides together
    QDate firstDay{2007, 1, 1};
    QDate lastDay{2011, 12, 31};
    double salesReturnShare = 0.06;
    double purchaseReturnShare = 0.05;
    std::uint64_t seed = 20111231;
};

// What was written.
struct ShopSummary
{
    int clients = 0;
    int providers = 0;
    int products = 0;
    int salesBills = 0;
    int salesLines = 0;
    int purchaseBills = 0;
    int purchaseLines = 0;
    int financeBills = 0;
    int accounts = 0;
    int priceListEntries = 0;
};

// Fills a database that holds the program's schema (and nothing else but
// the schema's first rows) with a shop: realistic Chinese names, codes,
// variants, dates and amounts on both sides of the business, every
// value stored as the program stores it (texts, DoubleToStr amounts,
// "%04d-%02d-%02d" dates, bill lines sharing their bill's GUID). The same
// profile and seed always give the same shop. Stored stock counts follow
// the goods bills; the parties' and accounts' stored totals are plain sums
// of their bills, good enough to list and page, not the program's own
// recomputation. One transaction; throws DbError.
ShopSummary GenerateShop(Database &db, const ShopProfile &profile);

// Creates the file (replacing nothing: it must not exist) with the schema
// and fills it.
ShopSummary WriteShopDatabase(const QString &path, const ShopProfile &profile);
