// Times, on a realistic shop (500 clients, 200 providers, 20 accounts and
// 20,000 finance bills over five years beside 5,000 products and 200,000
// goods-bill lines), what a person waits for on the accounts group: the
// accounts page's figures of all 20 accounts (goal < 50 ms), the 财务月结
// rows over one year (goal < 300 ms) and the export of a 20,000-bill list
// to .xls (goal < 1 s).
//   accounts_bench [--db FILE]
// Without --db the shop is generated into a temporary folder first.

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <exception>

#include "BenchSupport.h"
#include "BenchTiming.h"
#include "CDlgTabAccountMgr.h"
#include "CDlgTabData_Fina_Provider.h"
#include "Database.h"
#include "ExportFile.h"
#include "FinanceBillExport.h"
#include "FinanceBillQuery.h"
#include "FinanceSumRows.h"
#include "GlobalFunctions.h"
#include "GridReport.h"
#include "ProgramDatabase.h"
#include "UnattendedInteraction.h"

namespace {

// Goals are met by the median.
constexpr BenchLineLayout kLine{56, 8, 2, false, true, "  "};

void print(const char *what, const BenchTiming &t, double goal)
{
    PrintTiming(what, t, goal, kLine);
}

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenPlatform();
    QTemporaryDir folder;
    // Exports go to the user's cache folder: here, the temporary one.
    qputenv("XDG_CACHE_HOME", folder.path().toUtf8());
    QApplication app(argc, argv);
    InitAppResources();
    // Nobody is there to answer: the period dialog is answered with the
    // year 2011, every other dialog is cancelled and nothing is opened on
    // the desktop, though the export is told it was.
    UnattendedInteraction user;
    user.SetModalAnswer(
        [](QDialog *dialog) { return AnswerPeriodDialog(dialog, QDate(2011, 1, 1), QDate(2011, 12, 31)); });
    user.SetOpensFiles(true);

    try {
        ShopProfile profile = PartiesShopProfile();
        profile.accounts = 20;
        const QString path = BenchShopPath(app.arguments(), folder, profile, [](const ShopSummary &s, double seconds) {
            std::printf("generated %d clients, %d providers, %d accounts, %d finance bills, %d + %d goods-bill lines "
                        "in %.1f s\n",
                s.clients, s.providers, s.accounts, s.financeBills, s.salesLines, s.purchaseLines, seconds);
        });
        Database db(path, Database::OpenMode::ReadWrite);
        g_pConnection = &db;
        SetWorkingDate(QDate(2011, 6, 15));

        // All 20 accounts on one page: 5 columns of 4 rows.
        auto page = std::make_unique<CDlgTabAccountMgr>(20, nullptr);
        page->resize(115 + 5 * 230 + 20, 100 + 4 * 77 + 10);
        page->show();
        QApplication::processEvents();
        std::printf("accounts page: %d accounts, %d cards a page; %s\n", page->RecordCount(), page->PageCapacity(),
                    qPrintable(page->TotalText()));

        const QDate first(2007, 1, 15);
        print("working-date change: figures of 20 accounts and 总金额",
              MeasureRuns(60, [&](int i) { page->RefreshMonthTotals(DateText(first.addMonths(i))); }), 50);
        auto *nextButton = page->findChild<QPushButton *>(QStringLiteral("1200"));
        print("下一页 on the one page: accounts listed with their figures",
              MeasureRuns(60, [&](int) { QTest::mouseClick(nextButton, Qt::LeftButton); }), 50);

        QList<ProductFinaSumInfo> rows;
        print("财务月结 rows, one year",
              MeasureRuns(20,
                      [&](int) {
                          rows = BuildFinanceSumRows(db, QStringLiteral("2011-01-01"), QStringLiteral("2011-12-31"));
                      }),
              300);
        std::printf("财务月结 2011: %lld rows; 总合计 累计结余 %s, 时段收入 %s, 时段支出 %s, 当前结余 %s\n",
                    static_cast<long long>(rows.size()), qPrintable(rows.last().BalanceBefore),
                    qPrintable(rows.last().PeriodIncome), qPrintable(rows.last().PeriodPayout),
                    qPrintable(rows.last().BalanceNow));
        // What the person waits for after the period dialog: the rows and
        // the report laid out, ready for the preview.
        GridReport::SetPreviewHook([](const auto &, bool, QString *) { return true; });
        auto *monthBalance = page->findChild<QPushButton *>(QStringLiteral("1201"));
        print("财务月结 for 2011: rows and report laid out",
              MeasureRuns(10, [&](int) { QTest::mouseClick(monthBalance, Qt::LeftButton); }), 0);

        // The accounts group's report page with every finance bill.
        CDlgTabData_Fina_Provider report;
        report.SetSide(BillListBoth);
        report.resize(1200, 800);
        report.show();
        FinanceBillQuery everything;
        everything.tables = FinanceBillQuery::TablesOfSide(BillListBoth);
        print("list every finance bill (both tables)", MeasureRuns(5, [&](int) { report.ShowSearchResult(everything); }),
              0);
        auto *sort = report.findChild<QComboBox *>(QStringLiteral("1382"));
        print("sort the list by account (按帐户排)",
              MeasureRuns(5,
                      [&](int) {
                          sort->setCurrentIndex(1);
                          emit sort->activated(1);
                      }),
              0);
        auto *print_ = report.findChild<QPushButton *>(QStringLiteral("1380"));
        print("打印列表: the report laid out", MeasureRuns(3, [&](int) { QTest::mouseClick(print_, Qt::LeftButton); }), 0);
        GridReport::SetPreviewHook({});
        auto *exportButton = report.findChild<QPushButton *>(QStringLiteral("1379"));
        print("导出到Excel of the whole list",
              MeasureRuns(10, [&](int) { QTest::mouseClick(exportButton, Qt::LeftButton); }), 1000);
        const QString exported = ExportPath(FinanceBillExport::FileName());
        std::printf("exported %d bills into %lld bytes\n", report.ListModel().Count(),
                    static_cast<long long>(QFileInfo(exported).size()));

        page.reset();
        g_pConnection = nullptr;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
