#include "CDlgTabData_Fina_Provider.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QStyleOptionComboBox>
#include <QTableView>

#include "CDlgMainDlg.h"
#include "CDlgNewIncomeBill.h"
#include "CDlgTabAccountMgr.h"
#include "CapturedReports.h"
#include "ExportFile.h"
#include "FinanceBillExport.h"
#include "FinanceTestSupport.h"
#include "RecordColumns.h"
#include "WorkbookReadBack.h"

// The finance-bill report page as a person uses it: what each side lists,
// the sorts, printing, the export read back with xlrd, rows rewritten and
// removed after the editor, and bills gone or queries failing.

namespace {

class ReportPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetWorkingDate(QDate(2024, 3, 15));
        ASSERT_TRUE(cache.isValid());
        previousCache = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
        client = AddFinanceBillRow(db.db(), PartyClient, kIncomeBill, u("甲"), u("现金"), u("2024-03-02"), u("100"));
        clientPayout
            = AddFinanceBillRow(db.db(), PartyClient, kPayoutBill, u("乙"), u("工行"), u("2024-03-01"), u("12.50"));
        provider
            = AddFinanceBillRow(db.db(), PartyProvider, kPayoutBill, u("丙"), u("现金"), u("2024-02-29"), u("99.5"));
    }
    void TearDown() override
    {
        page.reset();
        qputenv("XDG_CACHE_HOME", previousCache);
    }

    void open(int side)
    {
        page = std::make_unique<CDlgTabData_Fina_Provider>();
        page->SetSide(side);
        page->resize(900, 500);
        page->show();
    }
    // Lists everything of the page's side, as the search with nothing
    // chosen does.
    void listAll()
    {
        FinanceBillQuery query;
        query.tables = FinanceBillQuery::TablesOfSide(BillListBoth);
        page->ShowSearchResult(query);
    }
    QStringList column(int column) const
    {
        QStringList texts;
        const FinanceBillListModel &model = page->ListModel();
        for (int row = 0; row < model.rowCount(); ++row)
            texts << model.data(model.index(row, column)).toString();
        return texts;
    }
    QStringList guids() const { return column(FinanceBillListModel::ColumnGuid); }
    // The texts shown cut: codes wider than their column, sort choices wider
    // than the sort box's text.
    QStringList cutTexts() const
    {
        QStringList cut;
        const QTableView *list = page->ListView();
        const int code = FinanceBillListModel::ColumnBillCode;
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            const QModelIndex cell = list->model()->index(row, code);
            if (list->sizeHintForIndex(cell).width() > list->columnWidth(code))
                cut << cell.data().toString();
        }
        auto *sort = page->findChild<QComboBox *>(u("1382"));
        QStyleOptionComboBox box;
        box.initFrom(sort);
        const int field
            = sort->style()->subControlRect(QStyle::CC_ComboBox, &box, QStyle::SC_ComboBoxEditField, sort).width();
        for (int i = 0; i < sort->count(); ++i) {
            if (sort->fontMetrics().horizontalAdvance(sort->itemText(i)) > field)
                cut << sort->itemText(i);
        }
        return cut;
    }
    void doubleClick(int row)
    {
        QTableView *list = page->ListView();
        const QPoint at = list->visualRect(list->model()->index(row, 1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    // A person's choice in the sort box, the one shown included.
    void chooseSort(int index)
    {
        auto *sort = page->findChild<QComboBox *>(u("1382"));
        sort->setCurrentIndex(index);
        emit sort->activated(index);
    }
    QString exportPath() const
    {
        return QDir(cache.path()).filePath(u("tingcen-jxc/exports/") + FinanceBillExport::FileName());
    }

    TestDatabase db;
    ScriptedInteraction user;
    QTemporaryDir cache;
    QByteArray previousCache;
    std::unique_ptr<CDlgTabData_Fina_Provider> page;
    struct_button_financebill client;
    struct_button_financebill clientPayout;
    struct_button_financebill provider;
};

} // namespace

TEST_F(ReportPage, EachSideListsItsOwnTables)
{
    const struct
    {
        int side;
        const char *caption;
        QStringList guids;
    } cases[] = {
        {BillListProvider, "供应商名称", {provider.GUID}},
        {BillListClient, "客户名称", {client.GUID, clientPayout.GUID}},
        {BillListBoth, "单位名称", {provider.GUID, client.GUID, clientPayout.GUID}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.caption);
        open(c.side);
        listAll();
        EXPECT_EQ(guids(), c.guids);
        EXPECT_EQ(page->ListModel().headerData(FinanceBillListModel::ColumnParty, Qt::Horizontal).toString(),
                  u(c.caption));
        EXPECT_TRUE(page->ListView()->isColumnHidden(FinanceBillListModel::ColumnGuid));
    }
    // A party's bills of a month, and all of them.
    open(BillListClient);
    page->ShowPartyBills(u("乙"), u("2024-03-01"), u("2024-03-31"));
    EXPECT_EQ(guids(), QStringList {clientPayout.GUID});
    EXPECT_EQ(column(FinanceBillListModel::ColumnIncome), QStringList {u("0")});
    EXPECT_EQ(column(FinanceBillListModel::ColumnPayout), QStringList {u("12.50")});
    EXPECT_EQ(column(FinanceBillListModel::ColumnTotal), QStringList {u("-12.50")});
    page->ShowPartyBills(u("乙"), u("2024-02-01"), u("2024-02-29"));
    EXPECT_TRUE(guids().isEmpty());
    open(BillListProvider);
    page->ShowPartyBills(u("丙"), QString(), QString());
    EXPECT_EQ(guids(), QStringList {provider.GUID});
    // 查找单据 lists what the dialog asks for; cancelled, the list stays.
    open(BillListBoth);
    user.onNextModal([](QDialog *dialog) {
        dialog->findChild<QComboBox *>(u("1414"))->setEditText(u("乙"));
        clickButton(dialog, "1420");
        return dialog->result();
    });
    clickButton(page.get(), "1378");
    EXPECT_EQ(guids(), QStringList {clientPayout.GUID});
    clickButton(page.get(), "1378");
    EXPECT_EQ(user.modalDialogs, QStringList(2, u("CDlgBillFind_Provider_Fina")));
    EXPECT_EQ(guids(), QStringList {clientPayout.GUID});
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(ReportPage, TheSortBoxSortsAndASearchKeepsTheTablesOrder)
{
    db.exec("UPDATE tbl_FinanceBill_income SET BillCode = ? WHERE GUID = ?", {u("SR_XS_DJ_20261207"), client.GUID});
    open(BillListBoth);
    listAll();
    EXPECT_EQ(cutTexts(), QStringList {});
    auto *sort = page->findChild<QComboBox *>(u("1382"));
    ASSERT_EQ(sort->count(), 3);
    EXPECT_EQ(sort->currentText(), u("按时间排"));
    chooseSort(2); // 按金额排
    EXPECT_EQ(guids(), (QStringList {provider.GUID, clientPayout.GUID, client.GUID}));
    chooseSort(0);
    EXPECT_EQ(guids(), (QStringList {provider.GUID, clientPayout.GUID, client.GUID}));
    EXPECT_EQ(column(FinanceBillListModel::ColumnNumber), (QStringList {u("0"), u("1"), u("2")}));
    chooseSort(1); // 按帐户排: 工行 (gong) before 现金 (xian)
    EXPECT_EQ(guids(), (QStringList {clientPayout.GUID, provider.GUID, client.GUID}));
    // A search lists in table order whatever the sort box shows; choosing
    // the shown sort again sorts.
    listAll();
    EXPECT_EQ(guids(), (QStringList {provider.GUID, client.GUID, clientPayout.GUID}));
    chooseSort(1);
    EXPECT_EQ(guids(), (QStringList {clientPayout.GUID, provider.GUID, client.GUID}));
}

TEST_F(ReportPage, RowsAreRewrittenAndRemovedAfterTheEditor)
{
    // The same GUID in both tables: each form touches its own table's row.
    struct_button_financebill twin = client;
    twin.BillCode = u("TWIN");
    db.db().insertRow(u("tbl_FinanceBill_income_provider"), InsertColumns(ToPurchaseLayout(twin)));
    open(BillListBoth);
    listAll();
    ASSERT_EQ(guids(), (QStringList {provider.GUID, client.GUID, client.GUID, clientPayout.GUID}));

    struct_button_financebill saved = client;
    saved.MoneyCount = u("120");
    saved.BillCode = u("SR_XS_DJ_20261207_2");
    saved.ListRowIndex = 2;
    page->UpdateBillRow(saved);
    EXPECT_EQ(cutTexts(), QStringList {});
    EXPECT_EQ(column(FinanceBillListModel::ColumnTotal), (QStringList {u("-99.5"), u("100"), u("120"), u("-12.50")}));
    struct_button_financebill_provider savedProvider = ToPurchaseLayout(provider);
    savedProvider.AccountName = u("工行");
    page->UpdateBillRow(savedProvider);
    EXPECT_EQ(column(FinanceBillListModel::ColumnAccount), (QStringList {u("工行"), u("现金"), u("现金"), u("工行")}));

    page->RemoveBillRow(ToPurchaseLayout(client));
    EXPECT_EQ(column(FinanceBillListModel::ColumnBillCode).at(1), saved.BillCode);
    page->RemoveBillRow(clientPayout);
    // The numbers keep their gap; the row after the removed one is marked.
    EXPECT_EQ(column(FinanceBillListModel::ColumnNumber), (QStringList {u("0"), u("2")}));
    EXPECT_EQ(page->ListView()->currentIndex().row(), 1);
    // A GUID that no row holds changes nothing.
    page->RemoveBillRow(clientPayout);
    EXPECT_EQ(page->ListModel().Count(), 2);
}

TEST_F(ReportPage, ABillGoneSinceTheSearchIsSaidAndItsRowGoes)
{
    open(BillListClient);
    listAll();
    db.exec("DELETE FROM tbl_FinanceBill_income WHERE GUID = ?", {client.GUID});
    doubleClick(0);
    EXPECT_EQ(user.texts(), QStringList {u("该财务单据已不存在，可能已被删除。")});
    EXPECT_EQ(guids(), QStringList {clientPayout.GUID});
    EXPECT_TRUE(user.modalDialogs.isEmpty());
}

TEST_F(ReportPage, AFailedQueryIsSaidAndListsNothing)
{
    open(BillListBoth);
    listAll();
    db.exec("ALTER TABLE tbl_FinanceBill_income RENAME TO gone");
    listAll();
    EXPECT_TRUE(guids().isEmpty());
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
    EXPECT_TRUE(user.messages[0].text.startsWith(u("查找财务单据失败。")));
    EXPECT_FALSE(user.messages[0].text.contains(u("SELECT")));
}

TEST_F(ReportPage, PrintsTheListAsShown)
{
    CapturedReports reports;
    open(BillListBoth);
    clickButton(page.get(), "1380");
    ASSERT_EQ(reports.documents.size(), 1u);
    EXPECT_EQ(reports.documents[0]->recordCount(), 0);

    listAll();
    chooseSort(2);
    clickButton(page.get(), "1380");
    ASSERT_EQ(reports.documents.size(), 2u);
    const QList<QStringList> printed = reports.documents[1]->records();
    ASSERT_EQ(printed.size(), 3);
    EXPECT_EQ(printed[0],
              (QStringList {u("0"), u("2024-02-29"), provider.BillCode, kPayoutBill, u("现金"), u("丙"), u("0"),
                            u("99.5"), u("-99.5"), QString()}));
    EXPECT_EQ(printed[1].mid(6, 3), (QStringList {u("0"), u("12.50"), u("-12.50")}));
    EXPECT_EQ(printed[2].mid(6, 3), (QStringList {u("100"), u("0"), u("100")}));
    const QString text = reports.lastPdfText();
    for (const char *expected : {"财务单据列表", "单位名称", "合计", "丙", "-12.50", "2024-03-02"})
        EXPECT_TRUE(text.contains(u(expected))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains(u("总合计")));
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(ReportPage, ExportsTheListAndOpensItAfterTheSave)
{
    open(BillListClient);
    listAll();
    clickButton(page.get(), "1379");
    ASSERT_EQ(user.openedWithDesktop, QStringList {exportPath()});
    EXPECT_TRUE(user.messages.empty());
    // Only the owner may look into the export folder.
    EXPECT_EQ(QFile::permissions(QFileInfo(exportPath()).path()) & (QFile::ReadOther | QFile::ReadGroup), 0);

    const QList<QStringList> rows = ReadBackSheet(exportPath(), u("BillSearch"));
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[0], (QStringList {u("BillSearch"), u("Sheet2")}));
    EXPECT_EQ(rows[1][0], FinanceBillExport::DateLine(QDate::currentDate()));
    EXPECT_EQ(FinanceBillExport::DateLine(QDate(2024, 3, 5)), u("日期：2024年03月05日"));
    EXPECT_TRUE(rows[2].join(QString()).isEmpty());
    EXPECT_EQ(rows[3], FinanceBillExport::Headers(u("客户名称")));
    EXPECT_EQ(rows[4],
              (QStringList {u("0"), kIncomeBill, client.BillCode, u("2024-03-02"), u("现金"), u("甲"), u("100"), u("0"),
                            u("100"), QString(), u("现金"), QString(), u("货款"), QString()}));
    EXPECT_EQ(rows[5].mid(6, 3), (QStringList {u("0"), u("12.50"), u("-12.50")}));

    // The provider page's header; an empty list leaves the title and header.
    open(BillListProvider);
    clickButton(page.get(), "1379");
    const QList<QStringList> empty = ReadBackSheet(exportPath(), u("BillSearch"));
    ASSERT_EQ(empty.size(), 4);
    EXPECT_EQ(empty[3].at(5), u("供应商名称"));
}

TEST_F(ReportPage, AFailedSaveIsSaidAndOpensNothing)
{
    open(BillListClient);
    listAll();
    // A folder where the file should go: the new file cannot replace it.
    ASSERT_TRUE(QDir().mkpath(exportPath()));
    clickButton(page.get(), "1379");
    EXPECT_TRUE(user.openedWithDesktop.isEmpty());
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
    EXPECT_TRUE(user.messages[0].text.contains(FinanceBillExport::FileName())) << user.messages[0].text.toStdString();

    // No export folder at all (a file stands in its place).
    user.clear();
    ASSERT_TRUE(QDir(exportPath()).removeRecursively());
    ASSERT_TRUE(QDir(QFileInfo(exportPath()).path()).removeRecursively());
    QFile blocker(QFileInfo(exportPath()).path());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    clickButton(page.get(), "1379");
    EXPECT_TRUE(user.openedWithDesktop.isEmpty());
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
}

TEST(FinanceBillExport, AListLongerThanTheSheetIsCutThere)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u("long.xls"));
    QList<QStringList> rows;
    for (int i = 0; i < FinanceBillExport::kMaxRows + 2; ++i)
        rows << QStringList {QString::number(i)};
    int written = 0;
    ASSERT_TRUE(FinanceBillExport::Write(path, u("单位名称"), rows, QDate(2024, 3, 5), &written));
    EXPECT_EQ(written, 65533);
    const QList<QStringList> read = ReadBackSheet(path, u("BillSearch"));
    ASSERT_EQ(read.size(), 1 + 65536);
    EXPECT_EQ(read.last().at(0), QString::number(65532));
    EXPECT_EQ(ExportCutMessage(written, 65535, u("张单据")),
              u("共 65535 张单据，工作表只放得下前 65533 张单据，其余的没有导出。"));
}

TEST(ReportPageEndToEnd, ABillOpenedFromTheAccountsTabIsChangedThenDeleted)
{
    TestDatabase db;
    ScriptedInteraction user;
    auto mainDlg = std::make_unique<CDlgMainDlg>();
    mainDlg->findChild<QDateEdit *>(u("1007"))->setDate(QDate(2024, 3, 15));
    AddClientRow(db.db(), u("甲"));
    AddProviderRow(db.db(), u("丙"));
    const struct_button_financebill income
        = AddFinanceBillRow(db.db(), PartyClient, kIncomeBill, u("甲"), u("现金"), u("2024-03-02"), u("100"));
    const struct_button_financebill payout
        = AddFinanceBillRow(db.db(), PartyProvider, kPayoutBill, u("丙"), u("现金"), u("2024-03-05"), u("30"));
    // Bills as the editor writes them, every field filled in.
    db.exec("UPDATE tbl_FinanceBill_income SET Voucher = ?", {u("收据")});
    db.exec("UPDATE tbl_FinanceBill_income_provider SET Voucher = ?", {u("收据")});
    CDlgTabAccountMgr *accounts = mainDlg->m_pTabAccountMgr;
    accounts->RefreshMonthTotals(GetCurDateString());

    // 所有记录 of 现金 lists its bills on the accounts group's report page.
    user.onNextModal([](QDialog *detail) {
        clickButton(detail, "1209");
        return detail->result();
    });
    QTest::mouseClick(accounts->AccountButton(0), Qt::LeftButton, {}, QPoint(20, 20));
    CDlgTabData_Fina_Provider *page = mainDlg->m_pTabFinaReportBoth;
    ASSERT_EQ(page->ListModel().Count(), 2);
    QTableView *list = page->ListView();
    const auto doubleClick = [list](int row) {
        const QPoint at = list->visualRect(list->model()->index(row, 1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    };
    const auto rowTexts = [page](int row) { return page->ListModel().RowTexts(row); };

    // The client's income bill opens in mode 8 and is changed.
    int mode = -1;
    user.onNextModal([&mode](QDialog *dialog) {
        mode = static_cast<CDlgNewIncomeBill *>(dialog)->Mode();
        EditorControls(dialog).typeAmount(u("120"));
        EditorControls(dialog).ok();
        return dialog->result();
    });
    doubleClick(0);
    EXPECT_EQ(mode, 8);
    EXPECT_EQ(rowTexts(0).mid(FinanceBillListModel::ColumnIncome, 3), (QStringList {u("120"), u("0"), u("120")}));
    EXPECT_EQ(rowTexts(0).at(FinanceBillListModel::ColumnGuid), income.GUID);
    EXPECT_EQ(storedColumn(db, FinanceBillSide::Sales(), "MoneyCount", income.GUID), u("120"));
    EXPECT_EQ(storedBalance(db, u("现金")), u("90.00"));
    EXPECT_EQ(storedSumIncome(db, FinanceBillSide::Sales(), u("甲")), u("120.00"));

    // The provider's payout opens in mode 15 and is deleted.
    user.answerQuestion(true);
    user.onNextModal([&mode](QDialog *dialog) {
        mode = static_cast<CDlgNewIncomeBill *>(dialog)->Mode();
        EditorControls(dialog).remove();
        return dialog->result();
    });
    doubleClick(1);
    EXPECT_EQ(mode, 15);
    ASSERT_EQ(page->ListModel().Count(), 1);
    EXPECT_EQ(rowTexts(0).at(FinanceBillListModel::ColumnGuid), income.GUID);
    EXPECT_EQ(rowCount(db, "tbl_FinanceBill_income_provider"), 0);
    EXPECT_EQ(storedBalance(db, u("现金")), u("120.00"));
    EXPECT_EQ(user.modalDialogs,
              (QStringList {u("CDlgAccountDetail"), u("CDlgNewIncomeBill"), u("CDlgNewIncomeBill")}));
    EXPECT_TRUE(user.texts().contains(u("确定要删除这个单据吗？")));
    EXPECT_EQ(page->ListModel().FindRow(PartyProvider, payout.GUID), -1);
    mainDlg.reset();
    SetWorkingDateSource(nullptr);
}
