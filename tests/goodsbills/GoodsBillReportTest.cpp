#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <QTemporaryDir>

#include "CDlgBillFind_Provider_Goods.h"
#include "CDlgMainDlg.h"
#include "CDlgTabData_Provider.h"
#include "CapturedReports.h"
#include "ExportFile.h"
#include "GoodsBillListExport.h"
#include "GoodsBillListModel.h"
#include "GoodsBillModeInfo.h"
#include "GoodsBillTestSupport.h"
#include "GoodsBillWriter.h"
#include "ReportDocument.h"
#include "WorkbookReadBack.h"

// The 货品单据报表 page of both sides and its search dialog. Exports are
// read back with python3-xlrd, the printed list with pdftotext.

namespace {

using List = GoodsBillListModel;

class GoodsBillReportTest : public GoodsBillTest
{
protected:
    void SetUp() override
    {
        GoodsBillTest::SetUp();
        db.exec("PRAGMA synchronous = OFF");
        page.SetSide(kind().isSales() ? BillListClient : BillListProvider);
        page.resize(1000, 600);
        page.show();
    }

    // A bill of one line: count × 10 is its total.
    QString bill(
        const BillKind& of, const QString& company, const QString& date, const char* count, const QString& deposit = {})
    {
        return AddGoodsBillRows(db.db(), of.party, of.type(), company, date, {{"A1", "合页", "", count, "10"}}, deposit)
            .front()
            .GUID;
    }
    const List& list() const { return page.List(); }
    QStringList column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < list().rowCount(); ++row)
            texts << list().Text(row, column);
        return texts;
    }
    void sortBy(int key) { page.findChild<QComboBox*>("1370")->setCurrentIndex(key); }
    static void doubleClick(CDlgTabData_Provider& on, int row)
    {
        const QPoint at = on.ListView()->visualRect(on.List().index(row, List::ColumnCode)).center();
        QTest::mouseClick(on.ListView()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(on.ListView()->viewport(), Qt::LeftButton, {}, at);
    }
    void listAll() { page.ShowSearchResult(GoodsBillQuery()); }
    // Sales: shipments received, returns paid out. Purchase: stock-ins paid
    // out, returns received.
    QString signOf(const BillKind& of) const { return of.sign < 0 ? QString() : "-"; }

    ScriptedLauncher launcher;
    CDlgTabData_Provider page;
};

} // namespace

TEST_P(GoodsBillReportTest, OneRowPerBillWithAmountsSignedAsMoneyMovesSortedStably)
{
    const struct_button_financebill deposit
        = AddFinanceBillRow(db.db(), kind().party, "收入单", "甲", "现金", "2011-05-01", "30.00");
    const QString a = AddGoodsBillRows(db.db(), kind().party, kind().type(), "中", "2024-01-02",
        {{"A1", "合页", "", "1", "10"}, {"B1", "门吸", "", "2", "10"}}, deposit.GUID)[0]
                          .GUID; // 30
    bill(kind(), "阿", "2024-01-02", "1"); // 10
    bill(kind().other(), "北", "2024-01-01", "2", deposit.GUID); // 20
    bill(kind(), "中", "2023-12-31", "0"); // 0
    listAll();
    EXPECT_EQ(list().Titles().mid(0, 9),
        QStringList({"记录号", "单据编号", "单据类型", "录入时间", kind().isSales() ? "客户名称" : "供应商名称",
            "单据金额", "单据订金", "业务员", "单据备注"}));
    EXPECT_TRUE(page.ListView()->isColumnHidden(List::ColumnGuid));
    // By time, equal times in list order; a zero stays unsigned.
    const QString in = signOf(kind()), out = signOf(kind().other());
    const auto rows = [&] {
        QStringList texts;
        for (int row = 0; row < list().rowCount(); ++row)
            texts << QStringList({list().Text(row, List::ColumnNumber), list().Text(row, List::ColumnCompany),
                                     list().Text(row, List::ColumnAmount), list().Text(row, List::ColumnDeposit)})
                         .join(QLatin1Char(' '));
        return texts;
    };
    EXPECT_EQ(rows(),
        QStringList({"0 中 0.00 0", "1 北 " + out + "20.00 " + out + "30.00", "2 中 " + in + "30.00 " + in + "30.00",
            "3 阿 " + in + "10.00 0"}));
    EXPECT_EQ(column(List::ColumnGuid).value(2), a);
    EXPECT_EQ(column(List::ColumnType).value(1), kind().other().type());
    // By company in pinyin order (a, bei, zhong), not by code point.
    sortBy(List::SortByCompany);
    EXPECT_EQ(column(List::ColumnCompany).join(QString()), "阿北中中");
    EXPECT_EQ(column(List::ColumnNumber), QStringList({"0", "1", "2", "3"}));
    EXPECT_EQ(column(List::ColumnDate).mid(2), QStringList({"2023-12-31", "2024-01-02"}));
    // By the signed amount, ascending; equal amounts keep their order.
    sortBy(List::SortByAmount);
    EXPECT_EQ(column(List::ColumnAmount),
        kind().isSales() ? QStringList({"-20.00", "0.00", "10.00", "30.00"})
                         : QStringList({"-30.00", "-10.00", "0.00", "20.00"}));
    EXPECT_TRUE(user.texts().isEmpty());
}

TEST_P(GoodsBillReportTest, ADoubleClickOpensTheBillWhoseEditorFindsItsRowByGuid)
{
    const QString shipped = bill(kind(), "甲", "2011-05-01", "1");
    const QString back = bill(kind().other(), "乙", "2011-05-02", "1");
    const QString gone = bill(kind(), "丙", "2011-05-03", "1");
    listAll();
    ASSERT_EQ(column(List::ColumnGuid), QStringList({shipped, back, gone}));
    // A changed bill's row shows it where it was, its code whole.
    struct_button_goodsbill changed;
    changed.GUID = gone;
    changed.BillType = kind().other().type();
    changed.SumMoney = "12.50";
    changed.Imprest = "5";
    changed.CompanyName = "丙改";
    changed.BillRemark = "已改";
    changed.BillCode = MakeBillNumber(kind().other().newMode, "2026-12-05");
    EXPECT_EQ(page.UpdateBillRow({changed}), 1);
    const QString sign = signOf(kind().other());
    EXPECT_EQ(list().ShownTexts()[2],
        QStringList({"2", changed.BillCode, changed.BillType, "", "丙改", sign + "12.50", sign + "5", "", "已改"}));
    QCoreApplication::processEvents();
    QTableView* view = page.ListView();
    const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    EXPECT_GE(view->columnWidth(List::ColumnCode), view->fontMetrics().horizontalAdvance(changed.BillCode) + margins);

    // The editor deletes the bill, then tells the page: the rows keep their
    // numbers, the next row takes the mark.
    launcher.onRun = [&](const GoodsBillEditRequest& request) {
        GoodsBillWriter(db.db(), kind().side()).Delete(request.lines[0].GUID);
        request.reportPage->RemoveBillRow(request.lines[0].GUID);
        return 1;
    };
    doubleClick(page, 1);
    ASSERT_EQ(launcher.requests.size(), 1u);
    EXPECT_EQ(launcher.requests[0].mode, kind().reportMode + 1);
    EXPECT_EQ(launcher.requests[0].lines[0].GUID, back);
    EXPECT_EQ(launcher.requests[0].reportPage, &page);
    EXPECT_EQ(launcher.requests[0].salesTile, nullptr);
    EXPECT_EQ(launcher.requests[0].purchaseTile, nullptr);
    EXPECT_EQ(column(List::ColumnGuid), QStringList({shipped, gone}));
    EXPECT_EQ(column(List::ColumnNumber), QStringList({"0", "2"}));
    EXPECT_EQ(view->currentIndex().row(), 1);
    launcher.onRun = nullptr;
    doubleClick(page, 0);
    ASSERT_EQ(launcher.requests.size(), 2u);
    EXPECT_EQ(launcher.requests[1].mode, kind().reportMode);
    EXPECT_EQ(view->currentIndex().row(), 0);

    // Deleted on a goods-bill page meanwhile: nothing opens, the row goes.
    GoodsBillWriter(db.db(), kind().side()).Delete(gone);
    doubleClick(page, 1);
    EXPECT_EQ(user.texts(), QStringList {"该单据已不存在，可能已被删除。"});
    page.RemoveBillRow(GuidText());
    EXPECT_EQ(column(List::ColumnGuid), QStringList {shipped});
    // A row of neither of the side's kinds opens nothing.
    db.exec(QStringLiteral("UPDATE %1 SET BillType = '收入单'").arg(kind().table()).toUtf8().constData());
    listAll();
    doubleClick(page, 0);
    EXPECT_EQ(launcher.requests.size(), 2u);

    // The sort box shows its longest item whole, even after a change of side.
    page.SetSide(BillListProvider);
    QCoreApplication::processEvents();
    auto* sort = page.findChild<QComboBox*>("1370");
    QStyleOptionComboBox option;
    option.initFrom(sort);
    EXPECT_GE(sort->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, sort).width(),
        sort->fontMetrics().horizontalAdvance("按供应商排"));
}

TEST_P(GoodsBillReportTest, SearchesThroughTheDialogAndListsAPartysBills)
{
    bill(kind(), "甲", "2011-04-30", "1");
    const QString may = bill(kind(), "甲", "2011-05-31", "1");
    bill(kind(), "乙", "2011-05-15", "1");
    user.onNextModal([](QDialog* dialog) {
        dialog->findChild<QComboBox*>("1393")->setEditText("乙");
        clickButton(dialog, "1399");
        return dialog->result();
    });
    clickButton(&page, "1366");
    EXPECT_EQ(column(List::ColumnCompany), QStringList {"乙"});
    // Cancelled: the list stays.
    clickButton(&page, "1366");
    EXPECT_EQ(user.modalDialogs, QStringList(2, "CDlgBillFind_Provider_Goods"));
    EXPECT_EQ(list().rowCount(), 1);

    page.ShowPartyBills("甲", QString(), QString());
    EXPECT_EQ(column(List::ColumnDate), QStringList({"2011-04-30", "2011-05-31"}));
    page.ShowPartyBills("甲", "2011-05-01", QString());
    EXPECT_EQ(column(List::ColumnGuid), QStringList {may});
    page.ShowPartyBills(QString(), QString(), QString());
    EXPECT_EQ(list().rowCount(), 0);
}

TEST_P(GoodsBillReportTest, ExportsTheListIntoTheUsersFolderAndOpensItAfterTheSave)
{
    QTemporaryDir cache;
    const QByteArray previous = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    const QString path = QDir(cache.path()).filePath("tingcen-jxc/exports/store_billsearch_temp.xls");
    const QString longRemark = QString(700, QChar(0x5907)); // whole, past any 999-byte buffer
    bill(kind(), "O'Neil 五金", "2011-05-01", "2");
    db.exec(QStringLiteral("UPDATE %1 SET BillRemark = ?, SellerName = '王五', BillCode = 'C-1'")
                .arg(kind().table())
                .toUtf8()
                .constData(),
        {longRemark});
    bill(kind().other(), "乙", "2011-05-02", "1");
    listAll();
    const QDate before = QDate::currentDate();
    clickButton(&page, "1367");
    ASSERT_EQ(user.openedWithDesktop, QStringList {path});
    EXPECT_TRUE(user.texts().isEmpty()) << user.lastText().toStdString();
    EXPECT_EQ(QFile::permissions(QFileInfo(path).absolutePath()) & 0077, 0);
    const QList<QStringList> rows = ReadBackSheet(path, "BillSearch", SheetReadBack::CountAndRows);
    ASSERT_EQ(rows.size(), 7);
    EXPECT_EQ(rows[0], QStringList({"BillSearch", "Sheet2"}));
    EXPECT_TRUE(
        QStringList({GoodsBillListExport::DateLine(before), GoodsBillListExport::DateLine(QDate::currentDate())})
            .contains(rows[2][0]));
    EXPECT_EQ(GoodsBillListExport::DateLine(QDate(2024, 3, 5)), "日期：2024年03月05日");
    EXPECT_EQ(rows[4], list().Titles().mid(0, 9));
    EXPECT_EQ(rows[5],
        QStringList({"0", "C-1", kind().type(), "2011-05-01", "O'Neil 五金", signOf(kind()) + "20.00", "0", "王五",
            longRemark}));
    EXPECT_EQ(rows[6].mid(4, 3), QStringList({"乙", signOf(kind().other()) + "10.00", "0"}));

    // A save that fails is reported and nothing opens.
    user.openedWithDesktop.clear();
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkpath(path));
    clickButton(&page, "1367");
    EXPECT_TRUE(user.openedWithDesktop.isEmpty());
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
    EXPECT_TRUE(user.lastText().contains("store_billsearch_temp.xls"));

    // A list longer than a sheet exports what fits and says so.
    QDir().rmdir(path);
    const int bills = GoodsBillListExport::RowsThatFit() + 7;
    db.exec(
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < CAST(? AS INTEGER)) "
                       "INSERT INTO %1 (GUID, BillType, InputDate, CompanyName, SumMoney, BillCode) "
                       "SELECT printf('G%06d', i), ?, '2011-05-01', '甲', '1.00', printf('C%06d', i) FROM n")
            .arg(kind().table())
            .toUtf8()
            .constData(),
        {QString::number(bills - 2), kind().type()});
    listAll();
    user.clear();
    clickButton(&page, "1367");
    EXPECT_EQ(user.texts(), QStringList {ExportCutMessage(GoodsBillListExport::RowsThatFit(), bills, "张单据")});
    EXPECT_EQ(user.openedWithDesktop, QStringList {path});
    const QList<QStringList> edges = ReadBackSheet(path, "BillSearch", SheetReadBack::CountAndEdges);
    ASSERT_EQ(edges.size(), 6);
    EXPECT_EQ(edges[1], QStringList {"65536"});
    EXPECT_EQ(edges[5][0], QString::number(GoodsBillListExport::RowsThatFit() - 1));
    qputenv("XDG_CACHE_HOME", previous);
}

TEST_P(GoodsBillReportTest, PrintsTheListedRows)
{
    for (int i = 1; i <= 30; ++i)
        bill(i % 3 ? kind() : kind().other(), QStringLiteral("公司%1").arg(i, 2, 10, QLatin1Char('0')),
            QStringLiteral("2011-05-%1").arg(i, 2, 10, QLatin1Char('0')), "1");
    listAll();
    page.RemoveBillRow(list().Text(0, List::ColumnGuid));
    CapturedReports reports;
    // Printing again gives the same records, not twice as many.
    clickButton(&page, "1368");
    clickButton(&page, "1368");
    ASSERT_TRUE(user.texts().isEmpty()) << user.lastText().toStdString();
    ASSERT_NE(reports.last(), nullptr);
    EXPECT_EQ(reports.last()->recordCount(), 29);
    const QString text = reports.lastPdfText();
    for (const char* title : {"单据编号", "单据类型", "录入时间", "单位名称", "单据金额", "单据订金", "业务员"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(title))) << title;
    EXPECT_FALSE(text.contains("公司01"));
    qsizetype last = -1;
    for (int row = 0; row < list().rowCount(); ++row) {
        QStringList cells;
        for (int column :
            {List::ColumnType, List::ColumnDate, List::ColumnCompany, List::ColumnAmount, List::ColumnDeposit})
            cells << QRegularExpression::escape(list().Text(row, column));
        const QRegularExpressionMatch match = QRegularExpression(cells.join("\\s+")).match(text);
        ASSERT_TRUE(match.hasMatch()) << row;
        EXPECT_GT(match.capturedStart(), last) << row;
        last = match.capturedStart();
    }
}

// The main window's report page of a side tells the editor the main
// window's goods-bill page of that side.
TEST_P(GoodsBillReportTest, TheMainWindowsPageNamesTheMainWindowsGoodsBillPage)
{
    CDlgMainDlg main;
    bill(kind(), "甲", "2011-05-01", "1");
    CDlgTabData_Provider* report = kind().isSales() ? main.m_pTabGoodsReportClient : main.m_pTabGoodsReportProvider;
    report->ShowSearchResult(GoodsBillQuery());
    const int group = kind().isSales() ? CDlgMainDlg::GroupClient : CDlgMainDlg::GroupProvider;
    main.ShowTabGroup(group);
    main.ActivateTab(group, 2);
    main.show();
    doubleClick(*report, 0);
    ASSERT_EQ(launcher.requests.size(), 1u);
    EXPECT_EQ(launcher.requests[0].salesPage, kind().isSales() ? main.m_pTabGoods : nullptr);
    EXPECT_EQ(launcher.requests[0].purchasePage, kind().isSales() ? nullptr : main.m_pTabProviderGoods);
}

namespace {

class FindDialogTest : public GoodsBillTest
{
protected:
    void SetUp() override
    {
        GoodsBillTest::SetUp();
        SetWorkingDate(QDate(2012, 2, 10));
        AddClientRow(db.db(), "客户乙");
        // Made once the working date is set: it opens on the working month.
        dialog = std::make_unique<CDlgBillFind_Provider_Goods>();
        dialog->SetSide(kind().isSales() ? BillListClient : BillListProvider);
        dialog->show();
    }

    template <typename T> T* control(const char* id) { return dialog->findChild<T*>(QString::fromLatin1(id)); }
    void type(const char* id, const QString& text) { typeText(control<QLineEdit>(id), text); }
    static QStringList items(const QComboBox* box)
    {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }
    // Clicks 确定: the criteria handed back, or none while it stays open.
    std::optional<GoodsBillQuery> find()
    {
        clickButton(dialog.get(), "1399");
        GoodsBillQuery query;
        dialog->GetSearchResult(query);
        return dialog->isVisible() ? std::nullopt : std::optional(query);
    }

    std::unique_ptr<CDlgBillFind_Provider_Goods> dialog;
};

} // namespace

TEST_P(FindDialogTest, OffersTheSidesKindsAndCompaniesAndStartsOnTheWorkingMonth)
{
    EXPECT_EQ(items(control<QComboBox>("1387")),
        kind().isSales() ? QStringList({"所有", "销售退货单", "销售出货单"})
                         : QStringList({"所有", "采购退货单", "采购进货单"}));
    EXPECT_EQ(items(control<QComboBox>("1393")),
        kind().isSales() ? QStringList({"甲客户", "客户乙", "所有"}) : QStringList({"乙供应商", "所有"}));
    EXPECT_EQ(control<QComboBox>("1393")->currentText(), "所有");
    EXPECT_EQ(control<QLabel>("1403")->text(), kind().isSales() ? "客户名称" : "供应商名称");
    EXPECT_EQ(control<QDateEdit>("1388")->date(), QDate(2012, 2, 1));
    EXPECT_EQ(control<QDateEdit>("1389")->date(), QDate(2012, 2, 29));
    EXPECT_FALSE(control<QDateEdit>("1388")->isEnabled());
    EXPECT_FALSE(control<QLineEdit>("1390")->isEnabled());
    // Untouched, the criteria are the defaults: every bill of the side.
    EXPECT_EQ(find(), GoodsBillQuery());
}

TEST_P(FindDialogTest, HandsBackEveryFilterAsTypedOrRunsNoSearch)
{
    control<QComboBox>("1387")->setCurrentIndex(2);
    QTest::mouseClick(control<QCheckBox>("1401"), Qt::LeftButton);
    control<QDateEdit>("1388")->setDate(QDate(2011, 12, 31));
    control<QDateEdit>("1389")->setDate(QDate(2012, 1, 1));
    // An empty or non-numeric amount or an empty company runs no search.
    QTest::mouseClick(control<QCheckBox>("1402"), Qt::LeftButton);
    type("1390", " 99.5");
    EXPECT_EQ(find(), std::nullopt);
    type("1391", "1万");
    EXPECT_EQ(find(), std::nullopt);
    control<QLineEdit>("1391")->clear();
    type("1391", "100");
    control<QComboBox>("1393")->setEditText(QString());
    EXPECT_EQ(find(), std::nullopt);
    EXPECT_EQ(user.texts(),
        QStringList({"请填写　“金额范围” 。", "“金额范围”只能填写数字。",
            kind().isSales() ? "请填写　“客户名称” 。" : "请填写　“供应商名称” 。"}));
    // Enter searches nothing.
    QTest::keyClick(control<QLineEdit>("1391"), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());

    const char* typed[][2] = {{"1392", "XS_CH_20120101"}, {"1394", "王五"}, {"1395", "月结"}, {"1396", "A1"},
        {"1397", "合页"}, {"1398", "4寸"}};
    for (const auto& [id, text] : typed)
        type(id, QString::fromUtf8(text));
    control<QComboBox>("1393")->setEditText("O'Neil 五金");
    EXPECT_EQ(find(),
        GoodsBillQuery({GoodsBillQuery::MainBills, "O'Neil 五金", true, "2011-12-31", "2012-01-01", true, 99.5, 100,
            "月结", "王五", "XS_CH_20120101", "A1", "合页", "4寸"}));
}

// The search dialog's days and the bill's date cell show the stored form
// and a Chinese calendar, whatever the desktop's language.
TEST_P(FindDialogTest, DatesShowAsStoredWhateverTheDesktopsLanguage)
{
    const QLocale previous;
    for (const QLocale& desktop :
        {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::Arabic, QLocale::Egypt)}) {
        QLocale::setDefault(desktop);
        CDlgNewShipment editor;
        editor.SetIntMember(kind().newMode);
        ShowEditor(editor);
        QLineEdit* cell = StartEditing(editor.Grid(), Grid::HeadRow, Grid::DateColumn);
        CDlgBillFind_Provider_Goods search;
        const std::pair<QDateEdit*, const char*> fields[] = {
            {cell ? qobject_cast<QDateEdit*>(cell->parentWidget()) : nullptr, "2012-02-10"},
            {search.findChild<QDateEdit*>("1388"), "2012-02-01"}, {search.findChild<QDateEdit*>("1389"), "2012-02-29"}};
        for (const auto& [field, shown] : fields) {
            ASSERT_NE(field, nullptr) << shown;
            EXPECT_EQ(field->text(), QString::fromLatin1(shown)) << desktop.name().toStdString();
            EXPECT_EQ(field->locale(), QLocale(QLocale::Chinese, QLocale::China)) << shown;
        }
    }
    QLocale::setDefault(previous);
}

INSTANTIATE_TEST_SUITE_P(Sides, GoodsBillReportTest, testing::ValuesIn(kBillSides), KindName);
INSTANTIATE_TEST_SUITE_P(Sides, FindDialogTest, testing::ValuesIn(kBillSides), KindName);
