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
#include <QDateEdit>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>
#include <vector>

#include "CDlgTabAccountMgr.h"
#include "CDlgTabData_Fina_Provider.h"
#include "Database.h"
#include "ExportFile.h"
#include "FinanceBillExport.h"
#include "FinanceBillQuery.h"
#include "FinanceSumRows.h"
#include "GlobalFunctions.h"
#include "GridReport.h"
#include "Interaction.h"
#include "ProgramDatabase.h"
#include "ShopGenerator.h"

namespace {

// Nobody is there to answer: messages go to stderr, the period dialog is
// answered with the year 2011, every other dialog is cancelled and nothing
// is opened on the desktop.
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
    bool openWithDesktop(const QString &) override { return true; }

private:
    static void report(const QString &text) { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
};

struct Timing
{
    double median = 0;
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
    return Timing {ms[ms.size() / 2], ms.back()};
}

// Goals are met by the median.
void print(const char *what, const Timing &t, double goal)
{
    if (goal <= 0) {
        std::printf("%-56s median %8.2f ms  max %8.2f ms\n", what, t.median, t.max);
        return;
    }
    std::printf("%-56s median %8.2f ms  max %8.2f ms  goal < %.0f ms  (%s)\n", what, t.median, t.max, goal,
                t.median < goal ? "goal met" : "goal missed");
}

ShopProfile accountsShop()
{
    ShopProfile profile;
    profile.clients = 500;
    profile.providers = 200;
    profile.accounts = 20;
    profile.financeBills = 20000;
    return profile;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir folder;
    // Exports go to the user's cache folder: here, the temporary one.
    qputenv("XDG_CACHE_HOME", folder.path().toUtf8());
    QApplication app(argc, argv);
    InitAppResources();
    UnattendedInteraction user;
    Interaction::install(&user);

    QString path;
    const QStringList args = app.arguments();
    const qsizetype dbArg = args.indexOf(QStringLiteral("--db"));
    if (dbArg > 0 && dbArg + 1 < args.size())
        path = args[dbArg + 1];
    try {
        if (path.isEmpty()) {
            path = folder.filePath(QStringLiteral("shop.mdb"));
            QElapsedTimer timer;
            timer.start();
            const ShopSummary s = WriteShopDatabase(path, accountsShop());
            std::printf("generated %d clients, %d providers, %d accounts, %d finance bills, %d + %d goods-bill lines "
                        "in %.1f s\n",
                        s.clients, s.providers, s.accounts, s.financeBills, s.salesLines, s.purchaseLines,
                        timer.elapsed() / 1000.0);
        }
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
              measure(60, [&](int i) { page->RefreshMonthTotals(DateText(first.addMonths(i))); }), 50);
        auto *nextButton = page->findChild<QPushButton *>(QStringLiteral("1200"));
        print("下一页 on the one page: accounts listed with their figures",
              measure(60, [&](int) { QTest::mouseClick(nextButton, Qt::LeftButton); }), 50);

        QList<ProductFinaSumInfo> rows;
        print("财务月结 rows, one year",
              measure(20,
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
              measure(10, [&](int) { QTest::mouseClick(monthBalance, Qt::LeftButton); }), 0);

        // The accounts group's report page with every finance bill.
        CDlgTabData_Fina_Provider report;
        report.SetSide(BillListBoth);
        report.resize(1200, 800);
        report.show();
        FinanceBillQuery everything;
        everything.tables = FinanceBillQuery::TablesOfSide(BillListBoth);
        print("list every finance bill (both tables)", measure(5, [&](int) { report.ShowSearchResult(everything); }),
              0);
        auto *sort = report.findChild<QComboBox *>(QStringLiteral("1382"));
        print("sort the list by account (按帐户排)",
              measure(5,
                      [&](int) {
                          sort->setCurrentIndex(1);
                          emit sort->activated(1);
                      }),
              0);
        auto *print_ = report.findChild<QPushButton *>(QStringLiteral("1380"));
        print("打印列表: the report laid out", measure(3, [&](int) { QTest::mouseClick(print_, Qt::LeftButton); }), 0);
        GridReport::SetPreviewHook({});
        auto *exportButton = report.findChild<QPushButton *>(QStringLiteral("1379"));
        print("导出到Excel of the whole list",
              measure(10, [&](int) { QTest::mouseClick(exportButton, Qt::LeftButton); }), 1000);
        const QString exported = ExportPath(FinanceBillExport::FileName());
        std::printf("exported %d bills into %lld bytes\n", report.ListModel().Count(),
                    static_cast<long long>(QFileInfo(exported).size()));

        page.reset();
        g_pConnection = nullptr;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    Interaction::install(nullptr);
    return 0;
}
