// A program the all-or-nothing test kills while it writes: it adds,
// changes and deletes goods bills of both sides through GoodsBillWriter,
// for ever, on a small generated shop.
//
//   goodsbills_writer_loop create FILE      writes the shop, prints "created"
//   goodsbills_writer_loop loop FILE SEED   prints "ready", then for each
//                                            write "B <n>" before it and
//                                            "C <n>" after its commit
//
// Every bill it writes has the remark "行数=<lines>;合计=<total>", so a bill
// that lost or kept a line shows.

#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <random>
#include <vector>

#include "Database.h"
#include "GlobalFunctions.h"
#include "GoodsBillStore.h"
#include "GoodsBillWriter.h"
#include "RecordColumns.h"
#include "ShopGenerator.h"

namespace {

void say(const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

class WriterLoop
{
public:
    WriterLoop(Database &db, unsigned seed)
        : m_db(db)
        , m_rng(seed)
    {
        Statement products = db.prepare("SELECT * FROM tbl_StoreMgr ORDER BY RowNo");
        while (products.next())
            m_products.push_back(RecordFromRow<struct_button_storeproduct>(products));
    }

    void run()
    {
        for (int n = 0;; ++n) {
            const GoodsBillSide &side = chance(0.5) ? GoodsBillSide::Sales() : GoodsBillSide::Purchase();
            const double what = uniform();
            if (what < 0.4) {
                const GoodsBillLines bill = newBill(side);
                write(n, [&] { GoodsBillWriter(m_db, side).Add(bill); });
                continue;
            }
            const QString guid = anyBill(side);
            if (guid.isEmpty())
                continue;
            if (what < 0.75) {
                const GoodsBillLines bill = edited(side, GoodsBillStore(m_db, side).LoadStoredLines(guid));
                write(n, [&] { GoodsBillWriter(m_db, side).Change(bill); });
            } else {
                write(n, [&] { GoodsBillWriter(m_db, side).Delete(guid); });
            }
        }
    }

private:
    template<typename Write> void write(int n, Write &&writeBill)
    {
        say(QStringLiteral("B %1").arg(n));
        writeBill();
        say(QStringLiteral("C %1").arg(n));
    }

    double uniform() { return std::uniform_real_distribution<double>(0.0, 1.0)(m_rng); }
    bool chance(double p) { return uniform() < p; }
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }

    QString anyBill(const GoodsBillSide &side)
    {
        Statement pick = m_db.prepare(QStringLiteral("SELECT GUID FROM %1 ORDER BY random() LIMIT 1")
                                          .arg(QLatin1String(side.table))
                                          .toUtf8()
                                          .constData());
        return pick.next() ? pick.text(QStringLiteral("GUID")) : QString();
    }

    // Counts in quarters, so that sums stay exact.
    QString count() { return DoubleToStr((1 + below(40)) / 4.0); }

    struct_button_goodsbill productLine(const struct_button_goodsbill &header)
    {
        const struct_button_storeproduct &product = m_products[static_cast<std::size_t>(below(int(m_products.size())))];
        struct_button_goodsbill line = header;
        line.ProductCode = product.ProductCode;
        line.ProductName = product.ProductName;
        line.ProductSpec = product.ProductSpec;
        line.ProductUnit = product.ProductUnit;
        line.ProductAmount = count();
        line.ProductUnitPrice = product.ShipmentUnitPrice;
        return line;
    }

    GoodsBillLines newBill(const GoodsBillSide &side)
    {
        struct_button_goodsbill header;
        header.GUID = GuidText();
        header.BillType = chance(0.8) ? side.mainBillType : side.returnBillType;
        header.CompanyName = QStringLiteral("循环测试");
        header.InputDate = QStringLiteral("2011-06-15");
        header.BillCode = QStringLiteral("LOOP");
        header.EnableImprest = QStringLiteral("禁用预付款");
        header.Imprest = QStringLiteral("0");
        GoodsBillLines lines;
        const int size = 1 + below(6);
        for (int i = 0; i < size; ++i) {
            // Now and then one product on two lines.
            if (i > 0 && chance(0.15)) {
                lines.push_back(lines.back());
                lines.back().ProductAmount = count();
            } else {
                lines.push_back(productLine(header));
            }
        }
        return finished(lines);
    }

    // Counts changed, a product replaced, a line dropped or added.
    GoodsBillLines edited(const GoodsBillSide &side, GoodsBillLines lines)
    {
        if (lines.empty())
            return newBill(side);
        for (struct_button_goodsbill &line : lines) {
            if (chance(0.5))
                line.ProductAmount = count();
        }
        if (chance(0.3)) {
            struct_button_goodsbill &replaced = lines[static_cast<std::size_t>(below(int(lines.size())))];
            replaced = productLine(replaced);
        }
        if (lines.size() > 1 && chance(0.3))
            lines.erase(lines.begin() + below(int(lines.size())));
        if (lines.size() < 6 && chance(0.3))
            lines.push_back(productLine(lines.front()));
        return finished(lines);
    }

    static GoodsBillLines finished(GoodsBillLines lines)
    {
        double total = 0.0;
        for (struct_button_goodsbill &line : lines) {
            line.ProductPrice = DoubleToStr(StrToDouble(line.ProductAmount) * StrToDouble(line.ProductUnitPrice));
            total += StrToDouble(line.ProductPrice);
        }
        const QString remark = QStringLiteral("行数=%1;合计=%2").arg(lines.size()).arg(DoubleToStr(total));
        for (struct_button_goodsbill &line : lines) {
            line.BillRemark = remark;
            line.SumMoney = DoubleToStr(total);
        }
        return lines;
    }

    Database &m_db;
    std::mt19937 m_rng;
    std::vector<struct_button_storeproduct> m_products;
};

} // namespace

int main(int argc, char **argv)
{
    const QStringList args = [&] {
        QStringList list;
        for (int i = 1; i < argc; ++i)
            list << QString::fromLocal8Bit(argv[i]);
        return list;
    }();
    try {
        if (args.size() == 2 && args[0] == QLatin1String("create")) {
            ShopProfile profile;
            profile.clients = 6;
            profile.providers = 4;
            profile.products = 40;
            profile.salesLines = 240;
            profile.purchaseLines = 160;
            profile.financeBills = 20;
            profile.accounts = 2;
            profile.priceListEntries = 10;
            profile.firstDay = QDate(2011, 1, 1);
            WriteShopDatabase(args[1], profile);
            say(QStringLiteral("created"));
            return 0;
        }
        if (args.size() == 3 && args[0] == QLatin1String("loop")) {
            Database db(args[1], Database::OpenMode::ReadWrite);
            WriterLoop loop(db, args[2].toUInt());
            say(QStringLiteral("ready"));
            loop.run();
        }
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 2;
    }
    std::fprintf(stderr, "usage: goodsbills_writer_loop create FILE | loop FILE SEED\n");
    return 1;
}
