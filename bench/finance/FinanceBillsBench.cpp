// Times, on a realistic shop (5,000 products, 200,000 goods-bill lines, 500
// clients, 200 providers, 20 accounts and 20,000 finance bills over five
// years), what a person waits for on the finance pages: the bills of a
// month listed as cards (goal < 50 ms) and a bill saved with its party's
// income total and its account's balance recomputed (goal < 20 ms).
//   financebills_bench [--db FILE]
// Without --db the shop is generated into a temporary folder first.

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>

#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <vector>

#include "BenchSupport.h"
#include "BenchTiming.h"
#include "Database.h"
#include "FinanceBillPage.h"
#include "FinanceBillStore.h"
#include "FinanceBillWriter.h"
#include "FinanceTotals.h"
#include "GlobalFunctions.h"
#include "ProgramDatabase.h"
#include "RecordCardPool.h"
#include "UnattendedInteraction.h"

namespace {

// Goals are met by the median.
constexpr BenchLineLayout kLine{58, 7, 2, false, true, "  "};

void print(const char *what, const BenchTiming &t, double goal)
{
    PrintTiming(what, t, goal, kLine);
}

// A figure without a goal, for comparison.
void printFigure(const char *what, const BenchTiming &t)
{
    PrintTiming(what, t, 0, kLine);
}

QStringList namesOf(Database &db, const char *sql)
{
    QStringList names;
    Statement query = db.prepare(sql);
    while (query.next())
        names << query.textAt(0);
    return names;
}

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenPlatform();
    QApplication app(argc, argv);
    InitAppResources();
    // Nobody is there to answer: dialogs are cancelled.
    UnattendedInteraction user;

    QTemporaryDir folder;
    try {
        ShopProfile profile = PartiesShopProfile();
        profile.accounts = 20;
        const QString path = BenchShopPath(app.arguments(), folder, profile, [](const ShopSummary &s, double seconds) {
            std::printf("generated %d clients, %d providers, %d accounts, %d + %d goods-bill lines, %d finance bills "
                        "in %.1f s\n",
                s.clients, s.providers, s.accounts, s.salesLines, s.purchaseLines, s.financeBills, seconds);
        });
        Database db(path, Database::OpenMode::ReadWrite);
        g_pConnection = &db;
        SetWorkingDate(QDate(2011, 6, 15));

        // The pages as on a 1920 x 1080 screen, showing 当月单据.
        const int pool = PagingGrid::PoolSizeFor(QSize(1920, 1080));
        auto sales = std::make_unique<CDlgTabFina>(pool, nullptr);
        auto purchase = std::make_unique<CDlgTabFina_Provider>(pool, nullptr);
        for (FinanceBillPage *page :
             {static_cast<FinanceBillPage *>(sales.get()), static_cast<FinanceBillPage *>(purchase.get())}) {
            page->resize(1900, 950);
            page->show();
            for (QComboBox *range : page->findChildren<QComboBox *>())
                range->setCurrentIndex(1);
        }
        QApplication::processEvents();
        std::printf("%d cards a page; June 2011: %d sales-side and %d purchase-side bills\n", sales->PageCapacity(),
                    sales->RecordCount(), purchase->RecordCount());

        const QDate first(2007, 1, 10);
        print("month page, sales side (count, page, cards)",
              MeasureRuns(60, [&](int i) { sales->RefreshByDate(DateText(first.addMonths(i))); }), 50);
        print("month page, purchase side (count, page, cards)",
              MeasureRuns(60, [&](int i) { purchase->RefreshByDate(DateText(first.addMonths(i))); }), 50);

        const QStringList clients = namesOf(db, "SELECT ClientName FROM tbl_clientmgr ORDER BY RowNo");
        const QStringList providers = namesOf(db, "SELECT ProviderName FROM tbl_ProviderMgr ORDER BY RowNo");
        const QStringList accounts = namesOf(db, "SELECT AccountName FROM tbl_AccountMgr ORDER BY RowNo");
        std::vector<struct_button_financebill> written[2];
        const auto newBill = [&](int i, PartySide side) {
            const QStringList &parties = side == PartyClient ? clients : providers;
            struct_button_financebill bill;
            bill.BillType = i % 3 == 0 ? QStringLiteral("支出单") : QStringLiteral("收入单");
            bill.BillCode = QStringLiteral("SR_XS_20110615");
            bill.AccountName = accounts[(i * 7) % accounts.size()];
            bill.InputDate = QStringLiteral("2011-06-15");
            bill.ClientName = parties[(i * 13) % parties.size()];
            bill.MoneyCount = QString::number(100 + i) + QStringLiteral(".50");
            bill.IncomeType = QStringLiteral("货款");
            bill.MoneyType = QStringLiteral("现金");
            bill.Voucher = QStringLiteral("收据");
            bill.GUID = GuidText();
            return bill;
        };
        const FinanceBillSide *sides[2] = {&FinanceBillSide::Sales(), &FinanceBillSide::Purchase()};
        print("save a new bill with its figures (write, totals, commit)",
              MeasureRuns(60,
                      [&](int i) {
                          const int s = i % 2;
                          const struct_button_financebill bill = newBill(i, sides[s]->party);
                          FinanceBillWriter(db, *sides[s]).Insert(bill);
                          written[s].push_back(bill);
                      }),
              20);
        print("save a changed bill, moved to another party and account",
              MeasureRuns(60,
                      [&](int i) {
                          const int s = i % 2;
                          struct_button_financebill bill = written[s][static_cast<std::size_t>(i / 2)];
                          const struct_button_financebill moved = newBill(i + 1, sides[s]->party);
                          bill.ClientName = moved.ClientName;
                          bill.AccountName = moved.AccountName;
                          bill.MoneyCount = moved.MoneyCount;
                          FinanceBillWriter(db, *sides[s]).Update(bill);
                      }),
              20);
        // The same write and figures rolled back instead of committed: what
        // a save costs apart from the disk's sync, which a busy disk
        // stretches.
        printFigure("  a change as above, rolled back (no disk sync)", MeasureRuns(60, [&](int i) {
                        const int s = i % 2;
                        struct_button_financebill bill = written[s][static_cast<std::size_t>(i / 2)];
                        const struct_button_financebill moved = newBill(i + 5, sides[s]->party);
                        const std::optional<struct_button_financebill> before =
                            FinanceBillStore(db, *sides[s]).BillByGuid(bill.GUID);
                        bill.ClientName = moved.ClientName;
                        bill.AccountName = moved.AccountName;
                        Transaction transaction(db);
                        FinanceBillStore(db, *sides[s]).UpdateBill(bill);
                        FinanceTotals(db).RecalcAfterWrite(*sides[s], before ? &*before : nullptr, &bill);
                    }));
        print("delete a bill with its figures",
              MeasureRuns(60,
                      [&](int i) {
                          const int s = i % 2;
                          FinanceBillWriter(db, *sides[s]).Delete(written[s][static_cast<std::size_t>(i / 2)].GUID);
                      }),
              20);

        sales.reset();
        purchase.reset();
        g_pConnection = nullptr;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
