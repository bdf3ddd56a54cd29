// A program the all-or-nothing test kills while it writes: it adds,
// changes and deletes goods bills of both sides through GoodsBillWriter,
// for ever, on the products of the shop FILE.
//
//   goodsbills_writer_loop FILE SEED   prints "ready", then for each write
//                                      "B" before it and "C" after its
//                                      commit
//
// Every bill it writes has the remark "行数=<lines>;合计=<total>", so a bill
// that lost or kept a line shows.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <random>

#include "Database.h"
#include "GlobalFunctions.h"
#include "GoodsBillWriter.h"
#include "RecordColumns.h"

namespace {

void say(const char* line)
{
    std::puts(line);
    std::fflush(stdout);
}

void run(Database& db, unsigned seed)
{
    std::mt19937 rng(seed);
    const auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    std::vector<struct_button_storeproduct> products;
    for (Statement rows = db.prepare("SELECT * FROM tbl_StoreMgr ORDER BY RowNo"); rows.next();)
        products.push_back(RecordFromRow<struct_button_storeproduct>(rows));
    say("ready");
    for (;;) {
        const GoodsBillSide& side = below(2) ? GoodsBillSide::Sales() : GoodsBillSide::Purchase();
        Statement pick = db.prepare(QStringLiteral("SELECT GUID FROM %1 ORDER BY random() LIMIT 1")
                                        .arg(QLatin1String(side.table))
                                        .toUtf8()
                                        .constData());
        const QString stored = pick.next() ? pick.textAt(0) : QString();
        const int what = stored.isEmpty() ? 0 : below(4);
        // 1 to 6 lines in quarters, so that sums stay exact; now and then
        // one product on two lines.
        const QString guid = what == 0 ? GuidText() : stored;
        const QString type = below(5) ? side.mainBillType : side.returnBillType;
        GoodsBillLines lines(std::size_t(1 + below(6)));
        double total = 0.0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const struct_button_storeproduct& product
                = i > 0 && below(6) == 0 ? products[0] : products[std::size_t(below(int(products.size())))];
            struct_button_goodsbill& line = lines[i];
            line.GUID = guid;
            line.BillType = type;
            line.ProductCode = product.ProductCode;
            line.ProductName = product.ProductName;
            line.ProductSpec = product.ProductSpec;
            line.ProductAmount = DoubleToStr((1 + below(40)) / 4.0);
            line.ProductPrice = DoubleToStr(StrToDouble(line.ProductAmount) * StrToDouble(product.ShipmentUnitPrice));
            total += StrToDouble(line.ProductPrice);
        }
        for (struct_button_goodsbill& line : lines)
            line.BillRemark = QStringLiteral("行数=%1;合计=%2").arg(lines.size()).arg(DoubleToStr(total));
        GoodsBillWriter writer(db, side);
        say("B");
        if (what == 0)
            writer.Add(lines);
        else if (what == 3)
            writer.Delete(stored);
        else
            writer.Change(lines);
        say("C");
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: goodsbills_writer_loop FILE SEED\n");
        return 1;
    }
    try {
        Database db(QString::fromLocal8Bit(argv[1]), Database::OpenMode::ReadWrite);
        run(db, unsigned(std::atoi(argv[2])));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    return 2;
}
