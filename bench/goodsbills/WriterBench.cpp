// Times what the goods bill editor's save and delete wait for: a new
// six-line bill, a change of three of its lines and its delete, each with
// its stock changes in one transaction through GoodsBillWriter (goal
// < 10 ms each, both sides).
//   writer_bench [--db FILE]
// Without --db the shop is generated into a temporary folder first; a
// given file is left as it was (every bill written is deleted again).

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <exception>
#include <vector>

#include "Database.h"
#include "GlobalFunctions.h"
#include "GoodsBillBenchSupport.h"
#include "GoodsBillWriter.h"
#include "RecordColumns.h"

namespace {

constexpr int kRuns = 60;
constexpr double kGoalMs = 10.0;

// Six products spread over the catalogue.
std::vector<struct_button_storeproduct> someProducts(Database &db)
{
    std::vector<struct_button_storeproduct> products;
    Statement query = db.prepare("SELECT * FROM tbl_StoreMgr WHERE RowNo % 733 = 1 ORDER BY RowNo LIMIT 6");
    while (query.next())
        products.push_back(RecordFromRow<struct_button_storeproduct>(query));
    return products;
}

GoodsBillLines sixLineBill(const GoodsBillSide &side, const std::vector<struct_button_storeproduct> &products)
{
    GoodsBillLines lines;
    const QString guid = GuidText();
    double total = 0.0;
    for (const struct_button_storeproduct &product : products) {
        struct_button_goodsbill line;
        line.GUID = guid;
        line.BillType = side.mainBillType;
        line.CompanyName = QStringLiteral("基准测试公司");
        line.BillCode = QStringLiteral("BENCH");
        line.InputDate = QStringLiteral("2011-06-15");
        line.EnableImprest = QStringLiteral("禁用预付款");
        line.Imprest = QStringLiteral("0");
        line.ProductCode = product.ProductCode;
        line.ProductName = product.ProductName;
        line.ProductSpec = product.ProductSpec;
        line.ProductUnit = product.ProductUnit;
        line.ProductAmount = QStringLiteral("3");
        line.ProductUnitPrice = product.ShipmentUnitPrice;
        line.ProductPrice = DoubleToStr(3 * StrToDouble(product.ShipmentUnitPrice));
        total += StrToDouble(line.ProductPrice);
        lines.push_back(line);
    }
    for (struct_button_goodsbill &line : lines)
        line.SumMoney = DoubleToStr(total);
    return lines;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    try {
        Database db(GoodsBillBenchShop(app.arguments(), folder), Database::OpenMode::ReadWrite);
        const std::vector<struct_button_storeproduct> products = someProducts(db);
        if (products.size() != 6)
            throw std::runtime_error("the shop has too few products");
        for (const GoodsBillSide *side : {&GoodsBillSide::Sales(), &GoodsBillSide::Purchase()}) {
            GoodsBillWriter writer(db, *side);
            std::vector<GoodsBillLines> bills(kRuns);
            const BenchTiming add = MeasureRuns(kRuns, [&](int run) {
                bills[static_cast<std::size_t>(run)] = sixLineBill(*side, products);
                writer.Add(bills[static_cast<std::size_t>(run)]);
            });
            const BenchTiming change = MeasureRuns(kRuns, [&](int run) {
                GoodsBillLines &lines = bills[static_cast<std::size_t>(run)];
                for (std::size_t i : {0u, 2u, 5u})
                    lines[i].ProductAmount = QStringLiteral("5");
                writer.Change(lines);
            });
            const BenchTiming remove = MeasureRuns(
                kRuns, [&](int run) { writer.Delete(bills[static_cast<std::size_t>(run)].front().GUID); });
            const QString sideName = side->sideWord;
            PrintGoal(QStringLiteral("%1: save a new six-line bill").arg(sideName), add, kGoalMs);
            PrintGoal(QStringLiteral("%1: change three of its lines").arg(sideName), change, kGoalMs);
            PrintGoal(QStringLiteral("%1: delete it").arg(sideName), remove, kGoalMs);
        }
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
