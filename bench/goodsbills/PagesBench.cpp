// Times what a person waits for on the goods-bill pages, on both sides, on
// the shop of GoodsBillBenchShop:
// - a 货品单据 page refreshed for a busy working day and for its month:
//   the count, the tiles and their deposits (goal < 50 ms);
// - a search over the whole five years from 确定 to the filled and sorted
//   list on the 货品单据报表 page: one company, one product name, an amount
//   range alone, and 所有 with no filter (goal < 200 ms).
//   pages_bench [--db FILE]

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <exception>
#include <functional>
#include <memory>

#include "BenchSupport.h"
#include "CDlgTabData_Provider.h"
#include "Database.h"
#include "GlobalFunctions.h"
#include "GoodsBillBenchSupport.h"
#include "GoodsBillListModel.h"
#include "GoodsBillPage.h"
#include "ProgramDatabase.h"
#include "UnattendedInteraction.h"

namespace {

constexpr double kPageGoalMs = 50.0;
constexpr double kSearchGoalMs = 200.0;

QString single(Database &db, const QString &sql)
{
    Statement query = db.prepare(sql.toUtf8().constData());
    return query.next() ? query.textAt(0) : QString();
}

} // namespace

int main(int argc, char **argv)
{
    UseOffscreenPlatform();
    QApplication app(argc, argv);
    InitAppResources();
    // Nobody is there: the search dialog is filled by the benchmark's
    // current filler and confirmed.
    std::function<void(QDialog *)> fill;
    UnattendedInteraction user;
    user.SetModalAnswer([&](QDialog *dialog) {
        if (fill)
            fill(dialog);
        if (auto *find = dialog->findChild<QPushButton *>(QStringLiteral("1399")))
            find->click();
        return dialog->result();
    });
    QTemporaryDir folder;
    try {
        Database db(GoodsBillBenchShop(app.arguments(), folder), Database::OpenMode::ReadWrite);
        g_pConnection = &db;
        const int pool = PagingGrid::PoolSizeFor(QSize(1920, 1080));

        for (const GoodsBillPage::Side side : {GoodsBillPage::Side::Sales, GoodsBillPage::Side::Purchase}) {
            const GoodsBillSide &bills
                = side == GoodsBillPage::Side::Sales ? GoodsBillSide::Sales() : GoodsBillSide::Purchase();
            const QString table = QLatin1String(bills.table);
            const QString busyDay = single(db,
                QStringLiteral("SELECT InputDate FROM %1 GROUP BY InputDate "
                               "ORDER BY COUNT(DISTINCT GUID) DESC LIMIT 1")
                    .arg(table));
            SetWorkingDate(QDate::fromString(busyDay, QStringLiteral("yyyy-MM-dd")));
            std::unique_ptr<GoodsBillPage> page;
            if (side == GoodsBillPage::Side::Sales)
                page = std::make_unique<CDlgTabGoods>(pool, nullptr);
            else
                page = std::make_unique<CDlgTabProviderGoods>(pool, nullptr);
            page->resize(1900, 950);
            page->show();
            QApplication::processEvents();
            auto *range = page->findChild<QComboBox *>(
                QString::fromLatin1(side == GoodsBillPage::Side::Sales ? "1092" : "1364"));
            for (int filter : {0, 1}) {
                range->setCurrentIndex(filter);
                const BenchTiming timing = MeasureRuns(40, [&](int) {
                    page->m_nCurPage = 0;
                    page->ChangeDate(busyDay);
                });
                PrintGoal(QStringLiteral("%1 page, %2 %3: %4 bills, %5 tiles")
                              .arg(bills.sideWord,
                                  filter == 0 ? QStringLiteral("busy day") : QStringLiteral("its month"), busyDay)
                              .arg(page->RecordCount())
                              .arg(page->ShownBills().size()),
                    timing, kPageGoalMs);
            }
            page.reset();

            CDlgTabData_Provider report;
            report.SetSide(side == GoodsBillPage::Side::Sales ? BillListClient : BillListProvider);
            report.resize(1900, 950);
            report.show();
            QApplication::processEvents();
            auto *find = report.findChild<QPushButton *>(QStringLiteral("1366"));
            const QString company = single(db,
                QStringLiteral("SELECT CompanyName FROM %1 GROUP BY CompanyName ORDER BY COUNT(*) DESC LIMIT 1")
                    .arg(table));
            const QString product = single(db,
                QStringLiteral("SELECT ProductName FROM %1 GROUP BY ProductName ORDER BY COUNT(*) DESC LIMIT 1")
                    .arg(table));
            struct Search
            {
                QString what;
                std::function<void(QDialog *)> fill;
            };
            const Search searches[] = {
                {QStringLiteral("one company (%1)").arg(company),
                    [&](QDialog *dialog) {
                        dialog->findChild<QComboBox *>(QStringLiteral("1393"))->setEditText(company);
                    }},
                {QStringLiteral("one product name (%1)").arg(product),
                    [&](QDialog *dialog) { dialog->findChild<QLineEdit *>(QStringLiteral("1397"))->setText(product); }},
                {QStringLiteral("amount range 1000 to 5000"),
                    [](QDialog *dialog) {
                        dialog->findChild<QCheckBox *>(QStringLiteral("1402"))->setChecked(true);
                        dialog->findChild<QLineEdit *>(QStringLiteral("1390"))->setText(QStringLiteral("1000"));
                        dialog->findChild<QLineEdit *>(QStringLiteral("1391"))->setText(QStringLiteral("5000"));
                    }},
                {QStringLiteral("所有, no filter"), nullptr},
            };
            for (const Search &search : searches) {
                fill = search.fill;
                const BenchTiming timing = MeasureRuns(15, [&](int) {
                    find->click();
                    // The list drawn as the person sees it.
                    QApplication::processEvents();
                });
                PrintGoal(QStringLiteral("%1 search, %2: %3 bills")
                              .arg(bills.sideWord, search.what)
                              .arg(report.List().rowCount()),
                    timing, kSearchGoalMs);
            }
            fill = nullptr;
        }
        g_pConnection = nullptr;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
