// Writes a database file holding a realistic shop, for benchmarks and for
// trying the program with a full database:
//   jxc_make_shop <file> [--products N] [--sales-lines N] [--purchase-lines N] [--seed N]

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <cstdio>
#include <exception>

#include "Database.h"
#include "ShopGenerator.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first().startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "usage: %s <file> [--products N] [--sales-lines N] [--purchase-lines N] [--seed N]\n",
                     argv[0]);
        return 2;
    }
    ShopProfile profile;
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        bool ok = false;
        const qulonglong value = args[i + 1].toULongLong(&ok);
        if (!ok) {
            std::fprintf(stderr, "not a number: %s\n", qPrintable(args[i + 1]));
            return 2;
        }
        if (args[i] == QLatin1String("--products"))
            profile.products = static_cast<int>(value);
        else if (args[i] == QLatin1String("--sales-lines"))
            profile.salesLines = static_cast<int>(value);
        else if (args[i] == QLatin1String("--purchase-lines"))
            profile.purchaseLines = static_cast<int>(value);
        else if (args[i] == QLatin1String("--seed"))
            profile.seed = value;
        else {
            std::fprintf(stderr, "unknown option: %s\n", qPrintable(args[i]));
            return 2;
        }
    }
    try {
        QElapsedTimer timer;
        timer.start();
        const ShopSummary s = WriteShopDatabase(args.first(), profile);
        std::printf("%s: %d clients, %d providers, %d products, %d sales bills (%d lines), %d purchase bills (%d lines),"
                    " %d finance bills, %d accounts, %d price-list entries; %.1f s\n",
                    qPrintable(args.first()), s.clients, s.providers, s.products, s.salesBills, s.salesLines,
                    s.purchaseBills, s.purchaseLines, s.financeBills, s.accounts, s.priceListEntries,
                    timer.elapsed() / 1000.0);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
