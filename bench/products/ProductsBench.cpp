// Times, on a realistic shop (5,000 products, 200,000 goods-bill lines over
// five years), what a person waits for on the store page: a change of the
// working date, a name filter and the next page (goal < 50 ms each), and
// the rows of the purchase and sales sums and sales gain reports over one
// year (goal < 100 ms each). A goal is met when the slowest run is under it.
//   products_bench [--db FILE]
// Without --db the shop is generated into a temporary folder first.

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>
#include <vector>

#include "CDlgTabStore.h"
#include "Database.h"
#include "GlobalFunctions.h"
#include "GridReport.h"
#include "Interaction.h"
#include "ProductSums.h"
#include "ProgramDatabase.h"
#include "RecordCardPool.h"
#include "ShopGenerator.h"

namespace {

// Nobody is there to answer: messages go to stderr; the period dialog is
// answered with the year 2011, every other dialog cancelled.
class UnattendedInteraction : public Interaction
{
public:
    void information(QWidget *, const QString &, const QString &text) override { report(text); }
    bool question(QWidget *, const QString &, const QString &text) override
    {
        report(text);
        return false;
    }
    void error(QWidget *, const QString &, const QString &text) override { report(text); }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    int runModal(QDialog *dialog) override
    {
        auto *start = dialog->findChild<QDateEdit *>(QStringLiteral("1007"));
        auto *end = dialog->findChild<QDateEdit *>(QStringLiteral("1292"));
        if (!start || !end)
            return 0;
        start->setDate(QDate(2011, 1, 1));
        end->setDate(QDate(2011, 12, 31));
        dialog->accept();
        return dialog->result();
    }
    bool openWithDesktop(const QString &) override { return false; }

private:
    static void report(const QString &text) { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
};

struct Timing
{
    double median = 0;
    double min = 0;
    double max = 0;
};

Timing measure(int runs, const std::function<void(int)> &run)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run(i);
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return Timing{ms[ms.size() / 2], ms.front(), ms.back()};
}

// One line per figure; a line with a goal ends in "(goal met)" or "(goal
// missed)".
void print(const char *what, const Timing &t, double goal)
{
    std::printf("%-52s median %7.2f ms  min %7.2f  max %7.2f", what, t.median, t.min, t.max);
    if (goal > 0)
        std::printf("  goal < %.0f ms  %s", goal, t.max < goal ? "(goal met)" : "(goal missed)");
    std::printf("\n");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InitAppResources();
    UnattendedInteraction user;
    Interaction::install(&user);

    QString path;
    const QStringList args = app.arguments();
    const qsizetype dbArg = args.indexOf(QStringLiteral("--db"));
    if (dbArg > 0 && dbArg + 1 < args.size())
        path = args[dbArg + 1];
    QTemporaryDir folder;
    try {
        if (path.isEmpty()) {
            path = folder.filePath(QStringLiteral("shop.mdb"));
            QElapsedTimer timer;
            timer.start();
            const ShopSummary s = WriteShopDatabase(path, ShopProfile());
            std::printf("generated %d products, %d + %d goods-bill lines, %d finance bills in %.1f s\n", s.products,
                        s.salesLines, s.purchaseLines, s.financeBills, timer.elapsed() / 1000.0);
        }
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
              measure(60, [&](int i) { page->UpdateProductMonthFigures(DateText(first.addMonths(i))); }), 50);

        QString commonName;
        {
            Statement query = db.prepare(
                "SELECT ProductName, COUNT(*) AS n FROM tbl_StoreMgr GROUP BY ProductName ORDER BY n DESC LIMIT 1");
            if (query.next())
                commonName = query.text(QStringLiteral("ProductName"));
        }
        auto *nameCombo = page->findChild<QComboBox *>(QStringLiteral("1303"));
        auto *filterButton = page->findChild<QPushButton *>(QStringLiteral("1180"));
        const Timing filter = measure(20, [&](int) {
            nameCombo->setEditText(commonName);
            QTest::mouseClick(filterButton, Qt::LeftButton);
        });
        std::printf("name filter \"%s\": %d products\n", qPrintable(commonName), page->RecordCount());
        print("name filter: list and figures (产品筛选)", filter, 50);
        nameCombo->setEditText(QString());
        QTest::mouseClick(filterButton, Qt::LeftButton);
        auto *nextButton = page->findChild<QPushButton *>(QStringLiteral("1174"));
        print("next page of the full list (下一页)",
              measure(20, [&](int) { QTest::mouseClick(nextButton, Qt::LeftButton); }), 50);

        const SumPeriod year{QStringLiteral("2011-01-01"), QStringLiteral("2011-12-31")};
        ProductSums sums(db);
        QList<ProductStockShipmentSumInfo> sumRows;
        print("purchase and sales sums rows, one year", measure(10, [&](int) { sumRows = sums.StockShipmentSumRows(year); }),
              100);
        QList<ProductShipmentGainInfo> gainRows;
        print("sales gain rows, one year", measure(10, [&](int) {
                  gainRows = ProductSums::ShipmentGainRows(sums.StockShipmentSumRows(year));
              }), 100);
        // What the person waits for after the period dialog: the rows and
        // the report laid out, ready for the preview.
        GridReport::SetPreviewHook([](const auto &, bool, QString *) { return true; });
        auto *sumButton = page->findChild<QPushButton *>(QStringLiteral("1181"));
        auto *gainButton = page->findChild<QPushButton *>(QStringLiteral("1182"));
        print("进出汇总 for 2011: rows and report laid out",
              measure(5, [&](int) { QTest::mouseClick(sumButton, Qt::LeftButton); }), 0);
        print("销售利润 for 2011: rows and report laid out",
              measure(5, [&](int) { QTest::mouseClick(gainButton, Qt::LeftButton); }), 0);
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
    Interaction::install(nullptr);
    return 0;
}
