// Times, on a realistic shop (500 clients, 200 providers, 5,000 products,
// 200,000 goods-bill lines and 20,000 finance bills over five years), what
// a person waits for on the client page and in a client's detail window:
//   - a page of a region holding all 500 clients listed with every card's
//     figures up to the end of the working month (goal < 50 ms);
//   - the detail window of a client given 2,000 bills opened, and its
//     survey and product detail over the five years built (< 100 ms each);
//   - that client's busiest month statement with 500 register rows
//     (< 300 ms);
//   - the finance-sum rows of all 500 clients over one year (a figure).
//   partners_bench [--db FILE]
// Without --db the shop is generated into a temporary folder first. Either
// way every client is put into one region and the shop's last client gets
// 2,000 more bills and the register rows (so give it a copy).

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <exception>
#include <functional>
#include <vector>

#include "BenchSupport.h"
#include "BenchTiming.h"
#include "CDlgClientDetail.h"
#include "Database.h"
#include "GlobalFunctions.h"
#include "GridReport.h"
#include "PartyListReports.h"
#include "PartyPage.h"
#include "PartyStatements.h"
#include "ProgramDatabase.h"
#include "RecordColumns.h"
#include "UnattendedInteraction.h"

namespace {

// A goal is met when the slowest run is under it; the lines give no goal.
constexpr BenchLineLayout kLine{58, 8, 2, false, false, "  "};

void print(const char *what, const BenchTiming &t, double goal)
{
    PrintTiming(what, t, goal, kLine);
}

// The shop's last client, given 2,000 more goods bills of one to three
// lines over the shop's five years, one in twelve a return, with a payment
// for every fourth bill; answers its busiest month ("%04d-%02d-15").
QString giveBills(Database &db, const ShopProfile &profile, const QString &kBusyClient)
{
    Transaction transaction(db);

    std::vector<struct_button_storeproduct> products;
    {
        Statement query = db.prepare("SELECT * FROM tbl_StoreMgr ORDER BY RowNo LIMIT 60");
        while (query.next())
            products.push_back(RecordFromRow<struct_button_storeproduct>(query));
    }
    const int days = static_cast<int>(profile.firstDay.daysTo(profile.lastDay)) + 1;
    for (int bill = 0; bill < 2000; ++bill) {
        // Spread over the five years, with one month far busier than the
        // rest.
        const QDate date = bill % 5 == 0 ? QDate(2010, 11, 1 + bill % 30)
                                         : profile.firstDay.addDays((static_cast<long long>(bill) * 7919) % days);
        const QString dateText = DateText(date);
        const QString kind = bill % 12 == 0 ? QStringLiteral("退货单") : QStringLiteral("出货单");
        const int lineCount = 1 + bill % 3;
        struct_button_goodsbill line;
        line.GUID = GuidText();
        line.BillCode = QStringLiteral("XS_CH_%1%2").arg(date.toString(QStringLiteral("yyyyMMdd"))).arg(bill);
        line.CompanyName = kBusyClient;
        line.InputDate = dateText;
        line.BillType = kind;
        line.EnableImprest = QStringLiteral("禁用预付款");
        line.Imprest = QStringLiteral("0");
        double total = 0.0;
        std::vector<struct_button_goodsbill> lines;
        for (int k = 0; k < lineCount; ++k) {
            const struct_button_storeproduct &product = products[static_cast<std::size_t>((bill * 3 + k) % 60)];
            line.ProductCode = product.ProductCode;
            line.ProductName = product.ProductName;
            line.ProductSpec = product.ProductSpec;
            line.ProductUnit = product.ProductUnit;
            const int count = 1 + (bill + k) % 9;
            line.ProductAmount = QString::number(count);
            line.ProductUnitPrice = product.ShipmentUnitPrice;
            const double amount = count * StrToDouble(product.ShipmentUnitPrice);
            line.ProductPrice = DoubleToStr(amount);
            total += amount;
            lines.push_back(line);
        }
        for (struct_button_goodsbill &each : lines) {
            each.SumMoney = DoubleToStr(total);
            db.insertRow(QStringLiteral("tbl_GoodsBill_shipment"), InsertColumns(each));
        }
        if (bill % 4 == 0) {
            struct_button_financebill payment;
            payment.BillCode = QStringLiteral("SR_XS_%1").arg(date.toString(QStringLiteral("yyyyMMdd")));
            payment.AccountName = QStringLiteral("现金");
            payment.InputDate = dateText;
            payment.ClientName = kBusyClient;
            payment.MoneyCount = DoubleToStr(total * 0.9);
            payment.IncomeType = QStringLiteral("货款");
            payment.MoneyType = QStringLiteral("现金");
            payment.Voucher = QStringLiteral("收据");
            payment.GUID = GuidText();
            payment.BillType = bill % 40 == 0 ? QStringLiteral("支出单") : QStringLiteral("收入单");
            db.insertRow(QStringLiteral("tbl_FinanceBill_income"), InsertColumns(payment));
        }
    }

    QString busiest;
    {
        Statement query = db.prepare("SELECT substr(InputDate, 1, 7) AS month, COUNT(*) AS n FROM "
                                     "tbl_GoodsBill_shipment WHERE CompanyName = ? GROUP BY month ORDER BY n DESC "
                                     "LIMIT 1");
        query.bind(1, kBusyClient);
        if (query.next())
            busiest = query.text(QStringLiteral("month")) + QStringLiteral("-15");
    }
    // 500 register rows in that month, a payable now and then.
    Statement insert = db.prepare("INSERT INTO tbl_RevAccount (InputDate, ClientName, MoneyCount, Remark, GUID, "
                                  "RevPayType, StatusTag) VALUES (?, ?, ?, '', ?, ?, '')");
    for (int i = 0; i < 500; ++i) {
        insert.bindAll(busiest.left(8) + QString::asprintf("%02d", 1 + i % 28), kBusyClient, DoubleToStr(10.0 + i % 97),
            GuidText(), i % 7 == 0 ? QStringLiteral("应付记录") : QStringLiteral("应收记录"));
        insert.run();
        insert.reset();
    }
    transaction.commit();
    return busiest;
}

} // namespace

int main(int argc, char **argv)
{
    QuietOffscreenHints();
    UseOffscreenPlatform();
    QApplication app(argc, argv);
    InitAppResources();
    // Nobody is there to answer: a modal dialog is shown, handed to the
    // bench's hook and closed.
    std::function<void(QDialog *)> onModal;
    UnattendedInteraction user;
    user.SetModalAnswer([&](QDialog *dialog) {
        dialog->show();
        QApplication::processEvents();
        if (onModal)
            onModal(dialog);
        if (dialog->isVisible())
            dialog->reject();
        return dialog->result();
    });
    // Reports are laid out as for the preview, which stays closed.
    GridReport::SetPreviewHook([](const auto &, bool, QString *) { return true; });

    const ShopProfile profile = PartiesShopProfile();
    QTemporaryDir folder;
    try {
        const QString path = BenchShopPath(app.arguments(), folder, profile, [](const ShopSummary &s, double seconds) {
            std::printf("generated %d clients, %d providers, %d + %d goods-bill lines, %d finance bills in %.1f s\n",
                s.clients, s.providers, s.salesLines, s.purchaseLines, s.financeBills, seconds);
        });
        Database db(path, Database::OpenMode::ReadWrite);
        g_pConnection = &db;
        // The region the page is filtered to holds every client.
        db.executeScript(QStringLiteral("UPDATE tbl_clientmgr SET ClientArea = '1'"));
        QString busyName;
        {
            Statement last = db.prepare("SELECT ClientName FROM tbl_clientmgr ORDER BY RowNo DESC LIMIT 1");
            if (last.next())
                busyName = last.text(QStringLiteral("ClientName"));
        }
        const QString busiestMonth = giveBills(db, profile, busyName);
        const QString &kBusyClient = busyName;
        SetWorkingDate(QDate(2011, 6, 15));

        // The page as on a 1920 x 1080 screen.
        const int pool = PagingGrid::PoolSizeFor(QSize(1920, 1080));
        auto page = std::make_unique<CDlgTabClient>(pool, nullptr);
        page->resize(1900, 950);
        page->show();
        QApplication::processEvents();
        page->findChild<QComboBox *>(QStringLiteral("1299"))->setCurrentIndex(1);
        std::printf("client page, region 本地: %d clients, %d cards a page, %d pages\n", page->RecordCount(),
            page->PageCapacity(), page->LastPageIndex() + 1);
        const int pages = page->LastPageIndex() + 1;
        print("client page of the region listed with its figures",
            MeasureRuns(42, [&](int i) { page->ListPage(i % pages); }), 50);
        print("working-date change: the figures of a page",
            MeasureRuns(40, [&](int i) { page->RefreshClientTotals(DateText(QDate(2007, 1, 15).addMonths(i))); }), 50);

        // The busy client's card: the last page holds it.
        page->ListPage(page->LastPageIndex());
        int busyCard = -1;
        for (int k = 0; k < page->PoolSize(); ++k) {
            if (page->IsCardShown(k) && page->CardParty(k).ClientName == kBusyClient)
                busyCard = k;
        }
        if (busyCard < 0)
            throw std::runtime_error("the busy client has no card");
        const struct_button_data busy = page->CardParty(busyCard);
        std::printf("busy client: 2,000 bills, figures to 2011-06-30: 货款 %s, 欠款 %s\n",
            qPrintable(busy.ProductPriceSum), qPrintable(busy.ClientSumArrears));

        // Opening: the click until the window is on screen.
        QElapsedTimer opening;
        std::vector<double> openTimes;
        onModal = [&](QDialog *) { openTimes.push_back(opening.nsecsElapsed() / 1e6); };
        for (int i = 0; i < 20; ++i) {
            opening.start();
            QTest::mouseClick(page->CardAt(busyCard), Qt::LeftButton, {}, QPoint(20, 20));
        }
        onModal = nullptr;
        print("detail window of the busy client opened (card click)", TimingOf(openTimes), 100);

        const PeriodRange fiveYears{DateText(profile.firstDay), DateText(profile.lastDay), 0};
        PartyStatements statements(db, PartySideInfo::Client());
        std::vector<struct_button_goodsbill> rows;
        print("survey over five years built",
            MeasureRuns(10, [&](int) { rows = statements.Survey(kBusyClient, busy.BeginArrears, fiveYears); }), 100);
        std::printf("  survey: %zu rows, %s %s\n", rows.size(), qPrintable(rows.back().ProductSpec),
            qPrintable(rows.back().ProductPrice));
        print("product detail over five years built",
            MeasureRuns(10, [&](int) { rows = statements.ProductDetail(kBusyClient, fiveYears); }), 100);
        std::printf("  product detail: %zu rows\n", rows.size());
        print("busiest month statement, 500 register rows",
            MeasureRuns(10, [&](int) { rows = statements.MonthStatement(kBusyClient, busy.BeginArrears, busiestMonth); }),
            300);
        std::printf("  month %s: %zu rows, %s %s\n", qPrintable(busiestMonth.left(7)), rows.size(),
            qPrintable(rows.back().ProductUnitPrice), qPrintable(rows.back().ProductPrice));

        // With the report laid out, from the window's buttons (figures only).
        CDlgClientDetail window;
        window.SetClientRecord(busy);
        window.SetMode(PartyClient);
        window.SetClientTab(page.get());
        onModal = [](QDialog *dialog) { AnswerPeriodDialog(dialog, QDate(2007, 1, 1), QDate(2011, 12, 31)); };
        print(
            "销售概况统计, five years: rows and report laid out", MeasureRuns(5, [&](int) { window.OnSurveyReport(); }), 0);
        print("货品销售明细, five years: rows and report laid out",
            MeasureRuns(5, [&](int) { window.OnProductDetailReport(); }), 0);
        onModal = nullptr;

        const PeriodRange year{QStringLiteral("2011-01-01"), QStringLiteral("2011-12-31"), 0};
        PartyListReports listReports(db, PartySideInfo::Client());
        QList<ClientFinanceSumInfo> sums;
        print("finance-sum rows of all clients, one year",
            MeasureRuns(10, [&](int) { sums = listReports.FinanceSumRows(year); }), 0);
        std::printf("  %lld rows, 当今总欠款 in all %s\n", static_cast<long long>(sums.size()),
            qPrintable(sums.last().TotalArrears));

        page.reset();
        g_pConnection = nullptr;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    GridReport::SetPreviewHook({});
    return 0;
}
