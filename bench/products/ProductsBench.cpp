// Times, on a realistic shop (5,000 products, 200,000 goods-bill lines over
// five years), what a person waits for on the store page: a change of the
// working date, a name filter and the next page (goal < 50 ms each), and
// the rows of the purchase and sales sums and sales gain reports over one
// year (goal < 100 ms each). A goal is met when the slowest run is under it.
//   products_bench [--db FILE]
// Without --db the shop is generated into a temporary folder first.

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <exception>

#include "BenchSupport.h"
#include "BenchTiming.h"
#include "CDlgTabStore.h"
#include "Database.h"
#include "GlobalFunctions.h"
#include "GridReport.h"
#include "ProductSums.h"
#include "ProgramDatabase.h"
#include "RecordCardPool.h"
#include "UnattendedInteraction.h"

namespace {

// A goal is met when the slowest run is under it.
constexpr BenchLineLayout kLine{52, 7, 2, true, true, "  "};

void print(const char *what, const BenchTiming &t, double goal)
{
    PrintTiming(what, t, goal, kLine);
}

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenPlatform();
    QApplication app(argc, argv);
    InitAppResources();
    // Nobody is there to answer: the period dialog is answered with the
    // year 2011, every other dialog cancelled.
    UnattendedInteraction user;
    user.SetModalAnswer(
        [](QDialog *dialog) { return AnswerPeriodDialog(dialog, QDate(2011, 1, 1), QDate(2011, 12, 31)); });

    QTemporaryDir folder;
    try {
        const QString path
            = BenchShopPath(app.arguments(), folder, ShopProfile(), [](const ShopSummary &s, double seconds) {
                  std::printf("generated %d products, %d + %d goods-bill lines, %d finance bills in %.1f s\n",
                      s.products, s.salesLines, s.purchaseLines, s.financeBills, seconds);
              });
        Database db(path, Database::OpenMode::ReadWrite);
        g_pConnection = &db;
        SetWorkingDate(QDate(2011, 6, 15));

        // The page as on a 1920 x 1080 screen.
        const int pool = PagingGrid::PoolSizeFor(QSize(1920, 1080));
        QElapsedTimer opening;
        opening.start();
        auto page = std::make_unique<CDlgTabStore>(pool, nullptr);
        page->resize(1900, 950);
        page->show();
        QApplication::processEvents();
        std::printf("store page opened and laid out in %.1f ms: %d products, %d cards a page, %d pages\n",
                    opening.nsecsElapsed() / 1e6, page->RecordCount(), page->PageCapacity(), page->LastPageIndex() + 1);

        page->FilterProducts(page->LastPageIndex() / 2);
        const QDate first(2007, 1, 15);
        print("working-date change (UpdateProductMonthFigures)",
              MeasureRuns(60, [&](int i) { page->UpdateProductMonthFigures(DateText(first.addMonths(i))); }), 50);

        QString commonName;
        {
            Statement query = db.prepare(
                "SELECT ProductName, COUNT(*) AS n FROM tbl_StoreMgr GROUP BY ProductName ORDER BY n DESC LIMIT 1");
            if (query.next())
                commonName = query.text(QStringLiteral("ProductName"));
        }
        auto *nameCombo = page->findChild<QComboBox *>(QStringLiteral("1303"));
        auto *filterButton = page->findChild<QPushButton *>(QStringLiteral("1180"));
        const BenchTiming filter = MeasureRuns(20, [&](int) {
            nameCombo->setEditText(commonName);
            QTest::mouseClick(filterButton, Qt::LeftButton);
        });
        std::printf("name filter \"%s\": %d products\n", qPrintable(commonName), page->RecordCount());
        print("name filter: list and figures (产品筛选)", filter, 50);
        nameCombo->setEditText(QString());
        QTest::mouseClick(filterButton, Qt::LeftButton);
        auto *nextButton = page->findChild<QPushButton *>(QStringLiteral("1174"));
        print("next page of the full list (下一页)",
              MeasureRuns(20, [&](int) { QTest::mouseClick(nextButton, Qt::LeftButton); }), 50);

        const SumPeriod year{QStringLiteral("2011-01-01"), QStringLiteral("2011-12-31")};
        ProductSums sums(db);
        QList<ProductStockShipmentSumInfo> sumRows;
        print("purchase and sales sums rows, one year", MeasureRuns(10, [&](int) { sumRows = sums.StockShipmentSumRows(year); }),
              100);
        QList<ProductShipmentGainInfo> gainRows;
        print("sales gain rows, one year", MeasureRuns(10, [&](int) {
                  gainRows = ProductSums::ShipmentGainRows(sums.StockShipmentSumRows(year));
              }), 100);
        // What the person waits for after the period dialog: the rows and
        // the report laid out, ready for the preview.
        GridReport::SetPreviewHook([](const auto &, bool, QString *) { return true; });
        auto *sumButton = page->findChild<QPushButton *>(QStringLiteral("1181"));
        auto *gainButton = page->findChild<QPushButton *>(QStringLiteral("1182"));
        print("进出汇总 for 2011: rows and report laid out",
              MeasureRuns(5, [&](int) { QTest::mouseClick(sumButton, Qt::LeftButton); }), 0);
        print("销售利润 for 2011: rows and report laid out",
              MeasureRuns(5, [&](int) { QTest::mouseClick(gainButton, Qt::LeftButton); }), 0);
        GridReport::SetPreviewHook({});
        std::printf("one year: %lld sums rows, totals: 采购总额 %s, 销售总额 %s; gain totals: 销售利润 %s\n",
                    static_cast<long long>(sumRows.size()), qPrintable(sumRows.last().StockAmount),
                    qPrintable(sumRows.last().SalesAmount), qPrintable(gainRows.last().Profit));
        page.reset();
        g_pConnection = nullptr;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
