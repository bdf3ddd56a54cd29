#include "CDlgTabData_Provider.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <QTemporaryDir>

#include "CDlgMainDlg.h"
#include "CapturedReports.h"
#include "Database.h"
#include "ExportFile.h"
#include "GoodsBillListExport.h"
#include "GoodsBillListModel.h"
#include "GoodsBillModeInfo.h"
#include "GoodsBillPage.h"
#include "GoodsBillTestSupport.h"
#include "GoodsBillWriter.h"
#include "ReportDocument.h"
#include "ScriptedInteraction.h"
#include "WorkbookReadBack.h"

// The 货品单据报表 page on both sides: rows "sales" (side 1) and "purchase"
// (side 0) feed one body. Exports are read back with python3-xlrd, the
// printed list with pdftotext.

namespace {

class CDlgTabData_ProviderTest : public ::testing::TestWithParam<BillKind>
{
protected:
    void SetUp() override
    {
        db.exec("PRAGMA synchronous = OFF");
        page.SetSide(isSales() ? BillListClient : BillListProvider);
        page.resize(1000, 600);
        page.show();
    }

    bool isSales() const { return GetParam().party == PartyClient; }
    const BillKind &main() const { return GetParam(); }
    const BillKind &returns() const { return kBillKinds[isSales() ? 1 : 3]; }
    // A bill of one product line: count × unit price is its total.
    GoodsBillLines bill(const BillKind &kind, const QString &company, const QString &date, const char *count,
        const QString &deposit = QString())
    {
        return AddGoodsBillRows(db.db(), kind.party, kind.type(), company, date,
            {{QStringLiteral("A1"), QStringLiteral("合页"), QStringLiteral("4寸"), QString::fromLatin1(count),
                QStringLiteral("10")}},
            deposit);
    }
    const GoodsBillListModel &list() const { return page.List(); }
    QStringList column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < list().rowCount(); ++row)
            texts << list().Text(row, column);
        return texts;
    }
    void sortBy(int key) { page.findChild<QComboBox *>(QStringLiteral("1370"))->setCurrentIndex(key); }
    void doubleClick(int row)
    {
        QTableView *view = page.ListView();
        const QPoint at = view->visualRect(list().index(row, GoodsBillListModel::ColumnCode)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
    void listAll() { page.ShowSearchResult(GoodsBillQuery()); }

    TestDatabase db;
    ScriptedInteraction user;
    ScriptedLauncher launcher;
    CDlgTabData_Provider page;
};

} // namespace

TEST_P(CDlgTabData_ProviderTest, OneRowPerBillWithAmountsSignedAsMoneyMoves)
{
    const struct_button_financebill deposit = AddFinanceBillRow(db.db(), main().party, QStringLiteral("收入单"),
        QStringLiteral("甲"), QStringLiteral("现金"), QStringLiteral("2011-05-01"), QStringLiteral("30.00"));
    const GoodsBillLines three
        = AddGoodsBillRows(db.db(), main().party, main().type(), QStringLiteral("甲"), QStringLiteral("2011-05-02"),
            {{QStringLiteral("A1"), QStringLiteral("合页"), QString(), QStringLiteral("1"), QStringLiteral("40")},
                {QStringLiteral("B1"), QStringLiteral("门吸"), QString(), QStringLiteral("2"), QStringLiteral("30")}},
            deposit.GUID);
    const GoodsBillLines back = bill(returns(), QStringLiteral("乙"), QStringLiteral("2011-05-03"), "5", deposit.GUID);
    bill(main(), QStringLiteral("丙"), QStringLiteral("2011-05-04"), "0");
    listAll();

    EXPECT_EQ(list().Titles().mid(0, 9),
        QStringList({QStringLiteral("记录号"), QStringLiteral("单据编号"), QStringLiteral("单据类型"),
            QStringLiteral("录入时间"), isSales() ? QStringLiteral("客户名称") : QStringLiteral("供应商名称"),
            QStringLiteral("单据金额"), QStringLiteral("单据订金"), QStringLiteral("业务员"),
            QStringLiteral("单据备注")}));
    EXPECT_EQ(column(GoodsBillListModel::ColumnNumber), QStringList({"0", "1", "2"}));
    EXPECT_EQ(column(GoodsBillListModel::ColumnGuid).first(), three[0].GUID);
    EXPECT_EQ(column(GoodsBillListModel::ColumnType), QStringList({main().type(), returns().type(), main().type()}));
    // Sales: shipments received, returns paid out. Purchase: stock-ins paid
    // out, returns received. A zero stays unsigned.
    const QString mainSign = isSales() ? QString() : QStringLiteral("-");
    const QString returnSign = isSales() ? QStringLiteral("-") : QString();
    EXPECT_EQ(column(GoodsBillListModel::ColumnAmount),
        QStringList(
            {mainSign + QStringLiteral("100.00"), returnSign + QStringLiteral("50.00"), QStringLiteral("0.00")}));
    EXPECT_EQ(column(GoodsBillListModel::ColumnDeposit),
        QStringList({mainSign + QStringLiteral("30.00"), returnSign + QStringLiteral("30.00"), QStringLiteral("0")}));
    EXPECT_EQ(column(GoodsBillListModel::ColumnCompany),
        QStringList({QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")}));
    EXPECT_TRUE(page.ListView()->isColumnHidden(GoodsBillListModel::ColumnGuid));
    EXPECT_EQ(back[0].GUID, list().Text(1, GoodsBillListModel::ColumnGuid));
    EXPECT_TRUE(user.texts().isEmpty());
}

TEST_P(CDlgTabData_ProviderTest, SortsStablyByTimeCompanyOrAmountAndNumbersAnew)
{
    // List order: a, b, c, d.
    bill(main(), QStringLiteral("中"), QStringLiteral("2024-01-02"), "3"); // a  30
    bill(main(), QStringLiteral("阿"), QStringLiteral("2024-01-02"), "1"); // b  10
    bill(returns(), QStringLiteral("北"), QStringLiteral("2024-01-01"), "2"); // c  20
    bill(main(), QStringLiteral("中"), QStringLiteral("2023-12-31"), "1"); // d  10
    listAll();
    // By time: d, c, then a and b in list order.
    EXPECT_EQ(
        column(GoodsBillListModel::ColumnDate), QStringList({"2023-12-31", "2024-01-01", "2024-01-02", "2024-01-02"}));
    EXPECT_EQ(column(GoodsBillListModel::ColumnCompany).join(QString()), QStringLiteral("中北中阿"));
    EXPECT_EQ(column(GoodsBillListModel::ColumnNumber), QStringList({"0", "1", "2", "3"}));

    // By company in pinyin order (a, bei, zhong), not by code point.
    sortBy(GoodsBillListModel::SortByCompany);
    EXPECT_EQ(column(GoodsBillListModel::ColumnCompany).join(QString()), QStringLiteral("阿北中中"));
    EXPECT_EQ(column(GoodsBillListModel::ColumnDate).mid(2), QStringList({"2023-12-31", "2024-01-02"}));
    EXPECT_EQ(column(GoodsBillListModel::ColumnNumber), QStringList({"0", "1", "2", "3"}));

    // By the signed amount, ascending; equal amounts keep their order.
    sortBy(GoodsBillListModel::SortByAmount);
    const QStringList expected = isSales() ? QStringList({"-20.00", "10.00", "10.00", "30.00"})
                                           : QStringList({"-30.00", "-10.00", "-10.00", "20.00"});
    EXPECT_EQ(column(GoodsBillListModel::ColumnAmount), expected);
    EXPECT_EQ(column(GoodsBillListModel::ColumnCompany).mid(1, 2).join(QString()),
        isSales() ? QStringLiteral("阿中") : QStringLiteral("阿中"));
    EXPECT_EQ(column(GoodsBillListModel::ColumnNumber), QStringList({"0", "1", "2", "3"}));
}

TEST_P(CDlgTabData_ProviderTest, TheEditorsCallsFindTheirRowByGuid)
{
    const GoodsBillLines first = bill(main(), QStringLiteral("甲"), QStringLiteral("2011-05-03"), "1");
    const GoodsBillLines second = bill(main(), QStringLiteral("乙"), QStringLiteral("2011-05-01"), "2");
    const GoodsBillLines third = bill(main(), QStringLiteral("丙"), QStringLiteral("2011-05-02"), "3");
    listAll(); // by time: second, third, first
    ASSERT_EQ(column(GoodsBillListModel::ColumnGuid), QStringList({second[0].GUID, third[0].GUID, first[0].GUID}));

    GoodsBillLines changed = first;
    changed[0].BillType = returns().type();
    changed[0].SumMoney = QStringLiteral("12.50");
    changed[0].Imprest = QStringLiteral("5");
    changed[0].CompanyName = QStringLiteral("甲改");
    changed[0].BillRemark = QStringLiteral("已改");
    changed[0].BillCode = MakeBillNumber(isSales() ? 1 : 11, QStringLiteral("2026-12-05"));
    EXPECT_EQ(page.UpdateBillRow(changed), 1);
    // The code shows whole.
    QCoreApplication::processEvents();
    QTableView *view = page.ListView();
    const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    EXPECT_GE(view->columnWidth(GoodsBillListModel::ColumnCode),
        view->fontMetrics().horizontalAdvance(changed[0].BillCode) + margins);
    const QString sign = isSales() ? QStringLiteral("-") : QString();
    EXPECT_EQ(list().Text(2, GoodsBillListModel::ColumnNumber), QStringLiteral("2"));
    EXPECT_EQ(list().Text(2, GoodsBillListModel::ColumnCompany), QStringLiteral("甲改"));
    EXPECT_EQ(list().Text(2, GoodsBillListModel::ColumnAmount), sign + QStringLiteral("12.50"));
    EXPECT_EQ(list().Text(2, GoodsBillListModel::ColumnDeposit), sign + QStringLiteral("5"));
    EXPECT_EQ(list().Text(2, GoodsBillListModel::ColumnRemark), QStringLiteral("已改"));
    EXPECT_EQ(list().Text(0, GoodsBillListModel::ColumnCompany), QStringLiteral("乙"));

    // The rows below keep their numbers; the next row takes the mark.
    page.RemoveBillRow(second[0].GUID);
    EXPECT_EQ(column(GoodsBillListModel::ColumnNumber), QStringList({"1", "2"}));
    EXPECT_EQ(page.ListView()->currentIndex().row(), 0);
    page.RemoveBillRow(GuidText());
    EXPECT_EQ(list().rowCount(), 2);

    // The sort box shows its longest item whole, even after the shown page
    // changed sides.
    page.SetSide(BillListProvider);
    QCoreApplication::processEvents();
    auto *sort = page.findChild<QComboBox *>(QStringLiteral("1370"));
    QStyleOptionComboBox option;
    option.initFrom(sort);
    EXPECT_GE(sort->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, sort).width(),
        sort->fontMetrics().horizontalAdvance(QStringLiteral("按供应商排")));
}

TEST_P(CDlgTabData_ProviderTest, ADoubleClickOpensTheBillOrSaysItIsGone)
{
    const GoodsBillLines shipped = bill(main(), QStringLiteral("甲"), QStringLiteral("2011-05-01"), "1");
    const GoodsBillLines back = bill(returns(), QStringLiteral("乙"), QStringLiteral("2011-05-02"), "1");
    const GoodsBillLines gone = bill(main(), QStringLiteral("丙"), QStringLiteral("2011-05-03"), "1");
    listAll();
    launcher.onRun = [&](const GoodsBillEditRequest &request) {
        // The editor deletes the bill, then tells the page.
        GoodsBillWriter(db.db(), main().side()).Delete(request.lines[0].GUID);
        request.reportPage->RemoveBillRow(request.lines[0].GUID);
        return 1;
    };
    doubleClick(1);
    ASSERT_EQ(launcher.requests.size(), 1u);
    EXPECT_EQ(launcher.requests[0].mode, isSales() ? 9 : 15);
    EXPECT_EQ(launcher.requests[0].lines.size(), 1u);
    EXPECT_EQ(launcher.requests[0].lines[0].GUID, back[0].GUID);
    EXPECT_EQ(launcher.requests[0].reportPage, &page);
    EXPECT_EQ(launcher.requests[0].salesTile, nullptr);
    EXPECT_EQ(launcher.requests[0].purchaseTile, nullptr);
    EXPECT_EQ(column(GoodsBillListModel::ColumnGuid), QStringList({shipped[0].GUID, gone[0].GUID}));
    EXPECT_EQ(page.ListView()->currentIndex().row(), 1);

    launcher.onRun = nullptr;
    doubleClick(0);
    ASSERT_EQ(launcher.requests.size(), 2u);
    EXPECT_EQ(launcher.requests[1].mode, isSales() ? 8 : 14);
    EXPECT_EQ(page.ListView()->currentIndex().row(), 0);

    // Deleted on a goods-bill page meanwhile: nothing opens, the row goes.
    GoodsBillWriter(db.db(), main().side()).Delete(gone[0].GUID);
    doubleClick(1);
    EXPECT_EQ(launcher.requests.size(), 2u);
    EXPECT_EQ(user.texts(), QStringList{QStringLiteral("该单据已不存在，可能已被删除。")});
    EXPECT_EQ(column(GoodsBillListModel::ColumnGuid), QStringList{shipped[0].GUID});

    // A row of neither of the side's kinds opens nothing.
    db.exec(QStringLiteral("UPDATE %1 SET BillType = '收入单'")
                .arg(QLatin1String(main().side().table))
                .toUtf8()
                .constData());
    listAll();
    doubleClick(0);
    EXPECT_EQ(launcher.requests.size(), 2u);
}

TEST_P(CDlgTabData_ProviderTest, SearchesThroughTheDialogAndListsAPartysBills)
{
    bill(main(), QStringLiteral("甲"), QStringLiteral("2011-04-30"), "1");
    const GoodsBillLines may = bill(main(), QStringLiteral("甲"), QStringLiteral("2011-05-31"), "1");
    bill(main(), QStringLiteral("乙"), QStringLiteral("2011-05-15"), "1");
    user.onNextModal([](QDialog *dialog) {
        dialog->findChild<QComboBox *>(QStringLiteral("1393"))->setEditText(QStringLiteral("乙"));
        clickButton(dialog, "1399");
        return dialog->result();
    });
    clickButton(&page, "1366");
    EXPECT_EQ(user.modalDialogs, QStringList{QStringLiteral("CDlgBillFind_Provider_Goods")});
    EXPECT_EQ(column(GoodsBillListModel::ColumnCompany), QStringList{QStringLiteral("乙")});
    // Cancelled: the list stays.
    clickButton(&page, "1366");
    EXPECT_EQ(list().rowCount(), 1);

    page.ShowPartyBills(QStringLiteral("甲"), QString(), QString());
    EXPECT_EQ(column(GoodsBillListModel::ColumnDate), QStringList({"2011-04-30", "2011-05-31"}));
    page.ShowPartyBills(QStringLiteral("甲"), QStringLiteral("2011-05-01"), QStringLiteral("2011-05-31"));
    EXPECT_EQ(column(GoodsBillListModel::ColumnGuid), QStringList{may[0].GUID});
    page.ShowPartyBills(QString(), QString(), QString());
    EXPECT_EQ(list().rowCount(), 0);
}

TEST_P(CDlgTabData_ProviderTest, ExportsTheListIntoTheUsersFolderAndOpensItAfterTheSave)
{
    QTemporaryDir cache;
    ASSERT_TRUE(cache.isValid());
    const QByteArray previous = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    const QString path = QDir(cache.path()).filePath(QStringLiteral("tingcen-jxc/exports/store_billsearch_temp.xls"));

    const QString longRemark = QString(700, QChar(0x5907)); // whole, past any 999-byte buffer
    const GoodsBillLines first = bill(main(), QStringLiteral("O'Neil 五金"), QStringLiteral("2011-05-01"), "2");
    db.exec(QStringLiteral("UPDATE %1 SET BillRemark = ?, SellerName = '王五'")
                .arg(QLatin1String(main().side().table))
                .toUtf8()
                .constData(),
        {longRemark});
    bill(returns(), QStringLiteral("乙"), QStringLiteral("2011-05-02"), "1");
    listAll();
    const QDate before = QDate::currentDate();
    clickButton(&page, "1367");
    const QDate after = QDate::currentDate();
    ASSERT_EQ(user.openedWithDesktop, QStringList{path});
    EXPECT_TRUE(user.texts().isEmpty()) << user.lastText().toStdString();
    EXPECT_EQ(QFile::permissions(QFileInfo(path).absolutePath()) & 0077, 0);

    const QList<QStringList> rows = ReadBackSheet(path, QStringLiteral("BillSearch"), SheetReadBack::CountAndRows);
    ASSERT_EQ(rows.size(), 7);
    EXPECT_EQ(rows[0], QStringList({QStringLiteral("BillSearch"), QStringLiteral("Sheet2")}));
    EXPECT_TRUE(
        rows[2][0] == GoodsBillListExport::DateLine(before) || rows[2][0] == GoodsBillListExport::DateLine(after));
    EXPECT_EQ(GoodsBillListExport::DateLine(QDate(2024, 3, 5)), QStringLiteral("日期：2024年03月05日"));
    EXPECT_TRUE(rows[3].join(QString()).isEmpty());
    EXPECT_EQ(rows[4], list().Titles().mid(0, 9));
    const QString mainSign = isSales() ? QString() : QStringLiteral("-");
    const QString returnSign = isSales() ? QStringLiteral("-") : QString();
    EXPECT_EQ(rows[5],
        QStringList({QStringLiteral("0"), first[0].BillCode, main().type(), QStringLiteral("2011-05-01"),
            QStringLiteral("O'Neil 五金"), mainSign + QStringLiteral("20.00"), QStringLiteral("0"),
            QStringLiteral("王五"), longRemark}));
    EXPECT_EQ(rows[6].mid(4, 3),
        QStringList({QStringLiteral("乙"), returnSign + QStringLiteral("10.00"), QStringLiteral("0")}));

    // A save that fails is reported and nothing opens.
    user.clear();
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkpath(path));
    clickButton(&page, "1367");
    EXPECT_TRUE(user.openedWithDesktop.isEmpty());
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
    EXPECT_TRUE(user.messages[0].text.contains(QStringLiteral("store_billsearch_temp.xls")));
    qputenv("XDG_CACHE_HOME", previous);
}

TEST_P(CDlgTabData_ProviderTest, PrintsTheListedRows)
{
    for (int i = 1; i <= 30; ++i)
        bill(i % 3 ? main() : returns(), QStringLiteral("公司%1").arg(i, 2, 10, QLatin1Char('0')),
            QStringLiteral("2011-05-%1").arg(i, 2, 10, QLatin1Char('0')), "1");
    listAll();
    page.RemoveBillRow(list().Text(0, GoodsBillListModel::ColumnGuid));

    CapturedReports reports;
    clickButton(&page, "1368");
    // Printing again gives the same records, not twice as many.
    clickButton(&page, "1368");
    ASSERT_TRUE(user.texts().isEmpty()) << user.lastText().toStdString();
    ASSERT_NE(reports.last(), nullptr);
    EXPECT_EQ(reports.last()->recordCount(), 29);

    const QString text = reports.lastPdfText();
    ASSERT_FALSE(text.isEmpty());
    for (const char *title : {"单据编号", "单据类型", "录入时间", "单位名称", "单据金额", "单据订金", "业务员"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(title))) << title;
    EXPECT_FALSE(text.contains(QStringLiteral("公司01")));
    qsizetype last = -1;
    for (int row = 0; row < list().rowCount(); ++row) {
        const QString pattern
            = QStringLiteral("%1\\s+%2\\s+%3\\s+%4\\s+%5\\s+%6")
                  .arg(QRegularExpression::escape(list().Text(row, GoodsBillListModel::ColumnType)),
                      list().Text(row, GoodsBillListModel::ColumnDate),
                      list().Text(row, GoodsBillListModel::ColumnCompany),
                      QRegularExpression::escape(list().Text(row, GoodsBillListModel::ColumnAmount)),
                      QRegularExpression::escape(list().Text(row, GoodsBillListModel::ColumnDeposit)), QString());
        const QRegularExpressionMatch match = QRegularExpression(pattern).match(text);
        ASSERT_TRUE(match.hasMatch()) << row;
        EXPECT_GT(match.capturedStart(), last) << row;
        last = match.capturedStart();
    }
}

INSTANTIATE_TEST_SUITE_P(Sides, CDlgTabData_ProviderTest, ::testing::ValuesIn(kBillSides),
    [](const auto &info) { return info.param.party == PartyClient ? "sales" : "purchase"; });

TEST(CDlgTabData_ProviderExportTest, AListLongerThanASheetExportsWhatFitsAndSaysSo)
{
    TestDatabase db;
    ScriptedInteraction user;
    QTemporaryDir cache;
    ASSERT_TRUE(cache.isValid());
    const QByteArray previous = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    const int bills = GoodsBillListExport::RowsThatFit() + 7;
    db.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < CAST(? AS INTEGER)) "
            "INSERT INTO tbl_GoodsBill_shipment (GUID, BillType, InputDate, CompanyName, SumMoney, BillCode) "
            "SELECT printf('G%06d', i), '出货单', '2011-05-01', '甲', '1.00', printf('C%06d', i) FROM n",
        {QString::number(bills)});
    CDlgTabData_Provider page;
    page.SetSide(BillListClient);
    page.ShowSearchResult(GoodsBillQuery());
    ASSERT_EQ(page.List().rowCount(), bills);
    clickButton(&page, "1367");
    EXPECT_EQ(user.texts(),
        QStringList{ExportCutMessage(GoodsBillListExport::RowsThatFit(), bills, QStringLiteral("张单据"))});
    const QString path = QDir(cache.path()).filePath(QStringLiteral("tingcen-jxc/exports/store_billsearch_temp.xls"));
    EXPECT_EQ(user.openedWithDesktop, QStringList{path});
    const QList<QStringList> rows = ReadBackSheet(path, QStringLiteral("BillSearch"), SheetReadBack::CountAndEdges);
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[1], QStringList{QStringLiteral("65536")});
    EXPECT_EQ(rows[5].mid(0, 2),
        QStringList({QString::number(GoodsBillListExport::RowsThatFit() - 1),
            QStringLiteral("C%1").arg(GoodsBillListExport::RowsThatFit(), 6, 10, QLatin1Char('0'))}));
    qputenv("XDG_CACHE_HOME", previous);
}

TEST(CDlgTabData_ProviderMainWindowTest, TheEditorIsToldTheMainWindowsGoodsBillPageOfTheSide)
{
    TestDatabase db;
    ScriptedInteraction user;
    ScriptedLauncher launcher;
    CDlgMainDlg main;
    for (const BillKind &kind : kBillSides) {
        AddBillRows(db, kind, QStringLiteral("2011-05-01"));
        CDlgTabData_Provider *page
            = kind.party == PartyClient ? main.m_pTabGoodsReportClient : main.m_pTabGoodsReportProvider;
        page->ShowSearchResult(GoodsBillQuery());
        const int group = kind.party == PartyClient ? CDlgMainDlg::GroupClient : CDlgMainDlg::GroupProvider;
        main.ShowTabGroup(group);
        main.ActivateTab(group, 2);
        main.show();
        ASSERT_EQ(page->List().rowCount(), 1);
        ASSERT_TRUE(page->ListView()->isVisible());
        const QPoint at = page->ListView()->visualRect(page->List().index(0, GoodsBillListModel::ColumnCode)).center();
        QTest::mouseClick(page->ListView()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(page->ListView()->viewport(), Qt::LeftButton, {}, at);
    }
    ASSERT_EQ(launcher.requests.size(), 2u);
    EXPECT_EQ(launcher.requests[0].salesPage, main.m_pTabGoods);
    EXPECT_EQ(launcher.requests[0].purchasePage, nullptr);
    EXPECT_EQ(launcher.requests[1].purchasePage, main.m_pTabProviderGoods);
    EXPECT_EQ(launcher.requests[1].salesPage, nullptr);
}
