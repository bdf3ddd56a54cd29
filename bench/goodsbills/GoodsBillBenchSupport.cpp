#include "GoodsBillBenchSupport.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

#include "BenchSupport.h"

QString GoodsBillBenchShop(const QStringList &args, const QTemporaryDir &folder)
{
    const QString named = OptionValue(args, QStringLiteral("--db"));
    const QString path = named.isEmpty() ? folder.filePath(QStringLiteral("shop.mdb")) : named;
    if (!named.isEmpty() && QFileInfo::exists(path))
        return path;
    GenerateBenchShop(path, PartiesShopProfile(), [](const ShopSummary &shop, double seconds) {
        std::printf("generated a shop of %d products, %d sales bills (%d lines), %d purchase bills (%d lines), "
                    "%d finance bills in %.1f s\n",
            shop.products, shop.salesBills, shop.salesLines, shop.purchaseBills, shop.purchaseLines,
            shop.financeBills, seconds);
    });
    return path;
}

void PrintGoal(const QString &what, const BenchTiming &timing, double goalMs)
{
    static constexpr BenchLineLayout kLine{60, 8, 2, false, true, "  "};
    PrintTiming(qPrintable(what), timing, goalMs, kLine);
}
