#include "GoodsBillBenchSupport.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "ShopGenerator.h"

QString GoodsBillBenchShop(const QStringList &args, QTemporaryDir &folder)
{
    const qsizetype dbArg = args.indexOf(QStringLiteral("--db"));
    const bool named = dbArg > 0 && dbArg + 1 < args.size();
    const QString path = named ? args[dbArg + 1] : folder.filePath(QStringLiteral("shop.mdb"));
    if (named && QFileInfo::exists(path))
        return path;
    ShopProfile profile;
    profile.clients = 500;
    profile.providers = 200;
    profile.financeBills = 20000;
    QElapsedTimer timer;
    timer.start();
    const ShopSummary shop = WriteShopDatabase(path, profile);
    std::printf("generated a shop of %d products, %d sales bills (%d lines), %d purchase bills (%d lines), "
                "%d finance bills in %.1f s\n",
        shop.products, shop.salesBills, shop.salesLines, shop.purchaseBills, shop.purchaseLines, shop.financeBills,
        timer.elapsed() / 1000.0);
    return path;
}

BenchTiming MeasureRuns(int runs, const std::function<void(int)> &action)
{
    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(runs));
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        action(run);
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return BenchTiming{ms[ms.size() / 2], ms.back()};
}

void PrintGoal(const QString &what, const BenchTiming &timing, double goalMs)
{
    std::printf("%-60s median %8.2f ms  max %8.2f ms  goal < %g ms  %s\n", qPrintable(what), timing.median, timing.max,
        goalMs, timing.median < goalMs ? "(goal met)" : "(goal missed)");
    std::fflush(stdout);
}
