#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>

#include "CDlgNewProduct.h"
#include "CDlgPriceListDlg.h"
#include "CDlgTabData_Provider.h"
#include "CDlgTabStore.h"
#include "GoodsBillListModel.h"
#include "GoodsBillWriter.h"
#include "ShipmentEditorSupport.h"

// The goods bill editor as a person uses it: new bills saved with their
// stock, stored bills unlocked, changed and deleted, the checks and keys
// that save nothing, and a failed write that leaves everything as it was.

namespace {

// A page that owns goods-bill tiles as the goods-bill pages do: a tile's
// delete runs the writer.
class TilePage : public GoodsBillButtonOwner, public ProviderGoodsBillButtonOwner
{
public:
    void ResetCardFaces() override { }
    int OpenCardRecord(CBCGPGoodsBillButton&, int) override { return 0; }
    int OpenCardRecord(CBCGPProviderGoodsBillButton&, int) override { return 0; }
    bool DeleteCardRecord(const struct_button_goodsbill& record) override
    {
        return Delete(GoodsBillSide::Sales(), record.GUID);
    }
    bool DeleteCardRecord(const struct_button_provider_goodsbill& record) override
    {
        return Delete(GoodsBillSide::Purchase(), record.GUID);
    }

    QStringList deleted;
    bool refuses = false;

private:
    bool Delete(const GoodsBillSide& side, const QString& guid)
    {
        deleted << guid;
        if (refuses)
            return false;
        GoodsBillWriter(connection(), side).Delete(guid);
        return true;
    }
};

class EditorSides : public EditorSideTest
{
protected:
    QString SuccessMessage(const char* what) const
    {
        return QString::fromUtf8(what).arg(side.party == PartyClient ? QStringLiteral("销售") : QStringLiteral("采购"));
    }
};

} // namespace

TEST_P(EditorSides, ANewBillIsSavedWithItsStockAndOnlyThenAnnounced)
{
    CDlgNewShipment editor;
    editor.SetIntMember(side.newMode);
    ShowEditor(editor);
    EXPECT_EQ(editor.windowTitle(),
        side.party == PartyClient ? QStringLiteral("销售管理 － 新增产品出货单")
                                  : QStringLiteral("采购管理 － 新增产品进货单"));
    // A new bill offers neither delete, 修改, 打印 nor 新增单价.
    for (const char* hidden : {"1110", "1111", "1114", "1115"})
        EXPECT_FALSE(Button(&editor, hidden)->isVisible()) << hidden;
    Grid* grid = editor.Grid();
    TypeIntoCell(grid, Grid::HeadRow, Grid::CompanyColumn, Party(side));
    PickLine(user, grid, 2, screw, QStringLiteral("3"));
    PickLine(user, grid, 3, nut, QStringLiteral("2"));
    typeText(editor.findChild<QLineEdit*>(QStringLiteral("1124")), QStringLiteral("小王"));

    clickButton(&editor, "1112");
    EXPECT_EQ(editor.result(), 1);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(user.texts(), QStringList {SuccessMessage("新增%1单据成功。")});
    EXPECT_EQ(StockOf(db, screw.ProductCode), Moved(10, 3));
    EXPECT_EQ(StockOf(db, nut.ProductCode), Moved(5, 2));

    const QStringList guids = StoredColumn(db, side.party, "GUID");
    ASSERT_EQ(guids.size(), 2);
    EXPECT_EQ(guids[0], guids[1]);
    EXPECT_EQ(guids[0].size(), 36);
    EXPECT_EQ(
        StoredColumn(db, side.party, "ProductName"), QStringList({QStringLiteral("螺丝"), QStringLiteral("螺母")}));
    EXPECT_EQ(StoredColumn(db, side.party, "ProductAmount"), QStringList({QStringLiteral("3"), QStringLiteral("2")}));
    const QString total
        = DoubleToStr(3 * StrToDouble(screw.ShipmentUnitPrice) + 2 * StrToDouble(nut.ShipmentUnitPrice));
    const QString purchaseTotal
        = DoubleToStr(3 * StrToDouble(screw.StockUnitPrice) + 2 * StrToDouble(nut.StockUnitPrice));
    EXPECT_EQ(StoredColumn(db, side.party, "SumMoney").first(), side.party == PartyClient ? total : purchaseTotal);
    EXPECT_EQ(StoredColumn(db, side.party, "BillType").first(), QString::fromUtf8(side.billType));
    EXPECT_EQ(StoredColumn(db, side.party, "BillCode").first(),
        (side.party == PartyClient ? QStringLiteral("XS_CH_") : QStringLiteral("CG_JH_")) + QStringLiteral("20110503"));
    EXPECT_EQ(StoredColumn(db, side.party, "InputDate").first(), QStringLiteral("2011-05-03"));
    EXPECT_EQ(StoredColumn(db, side.party, "CompanyName").first(), Party(side));
    EXPECT_EQ(StoredColumn(db, side.party, "SellerName").first(), QStringLiteral("小王"));
    EXPECT_EQ(StoredColumn(db, side.party, "Imprest").first(), QStringLiteral("0"));
    EXPECT_EQ(StoredColumn(db, side.party, "EnableImprest").first(), QStringLiteral("禁用预付款"));
    EXPECT_FALSE(StoredColumn(db, side.party, "CapMoney").first().isEmpty());
}

TEST_P(EditorSides, AProductMissingFromTheStoreIsNamedAndMovesNoStock)
{
    CDlgNewShipment editor;
    editor.SetIntMember(side.newMode);
    ShowEditor(editor);
    Grid* grid = editor.Grid();
    TypeIntoCell(grid, Grid::HeadRow, Grid::CompanyColumn, Party(side));
    struct_button_storeproduct gone = screw;
    gone.ProductSpec = QStringLiteral("M9");
    TypeLine(grid, 2, gone, QStringLiteral("1"), QStringLiteral("2"));
    TypeLine(grid, 3, nut, QStringLiteral("1"), QStringLiteral("2"));
    clickButton(&editor, "1112");
    EXPECT_EQ(editor.result(), 1);
    ASSERT_EQ(user.texts().size(), 1);
    EXPECT_TRUE(user.lastText().startsWith(SuccessMessage("新增%1单据成功。")));
    EXPECT_TRUE(user.lastText().contains(QStringLiteral("螺丝（M9）")));
    EXPECT_EQ(StockOf(db, screw.ProductCode), QStringLiteral("10"));
    EXPECT_EQ(StockOf(db, nut.ProductCode), Moved(5, 1));
}

TEST_P(EditorSides, AStoredBillIsReadOnlyUntilThePasswordThenChangesByTheNetCount)
{
    // Stored header texts longer than a person may type stay whole.
    GoodsBillLines stored = StoreBill();
    const QString seller(240, QChar(0x738b));
    const QString remark(300, QChar(0x5907));
    for (struct_button_goodsbill& line : stored) {
        line.SellerName = seller;
        line.BillRemark = remark;
        line.Imprest = QStringLiteral("12345678901.50");
    }
    CDlgNewShipment editor;
    editor.SetIntMember(side.changeMode);
    editor.SetBillRows(stored);
    ShowEditor(editor);
    Grid* grid = editor.Grid();
    EXPECT_EQ(editor.windowTitle(),
        side.party == PartyClient ? QStringLiteral("销售管理 － 新增产品出货单")
                                  : QStringLiteral("采购管理 － 修改产品进货单"));
    EXPECT_EQ(grid->CellText(Grid::HeadRow, Grid::CompanyColumn), Party(side));
    EXPECT_TRUE(grid->IsCompanyLocked());
    EXPECT_EQ(grid->CellText(Grid::HeadRow, Grid::DateColumn), QStringLiteral("2011-05-03"));
    EXPECT_EQ(grid->CellText(3, Grid::NameCol), QStringLiteral("螺母"));
    EXPECT_EQ(grid->CellText(grid->TotalsRow(), Grid::TotalColumn), QStringLiteral("9.50"));
    EXPECT_EQ(editor.findChild<QLineEdit*>(QStringLiteral("1119"))->text(), stored.front().Imprest);
    EXPECT_FALSE(Button(&editor, "1112")->isVisible());
    EXPECT_FALSE(Button(&editor, "1111")->isVisible());
    EXPECT_FALSE(Button(&editor, "1429")->isEnabled());

    AnswerPassword(user, QStringLiteral("wrong"));
    clickButton(&editor, "1114");
    EXPECT_EQ(user.lastText(), QStringLiteral("密码输入错误，请重新输入。"));
    EXPECT_FALSE(Button(&editor, "1112")->isVisible());
    // A cancelled prompt says nothing.
    user.clear();
    clickButton(&editor, "1114");
    EXPECT_TRUE(user.texts().isEmpty());

    Unlock(editor);
    EXPECT_TRUE(Button(&editor, "1112")->isVisible());
    EXPECT_TRUE(Button(&editor, "1111")->isVisible());
    EXPECT_TRUE(Button(&editor, "1429")->isEnabled());

    // 3 screws become 5; the nuts' line goes and a new line of them takes
    // its place one row down.
    TypeIntoCell(grid, 2, Grid::CountCol, QStringLiteral("5"));
    TypeLine(grid, 4, nut, QStringLiteral("4"), QStringLiteral("1"));
    for (int column : {Grid::CodeCol, Grid::NameCol, Grid::SpecCol, Grid::UnitCol, Grid::CountCol, Grid::PriceCol}) {
        grid->setCurrentCell(3, column);
        QTest::keyClick(OpenEdit(grid), Qt::Key_Escape);
        QTest::keyClick(grid, Qt::Key_Delete);
    }
    // The gap left behind is refused, not dropped.
    user.clear();
    clickButton(&editor, "1112");
    EXPECT_EQ(user.texts(), QStringList {QStringLiteral("请填写 ‘货品编号’。")});
    EXPECT_EQ(grid->currentRow(), 3);
    EXPECT_EQ(StoredColumn(db, side.party, "ProductAmount"), QStringList({QStringLiteral("3"), QStringLiteral("2")}));

    TypeLine(grid, 3, nut, QStringLiteral("4"), QStringLiteral("1"));
    TypeIntoCell(grid, 4, Grid::CodeCol, QString());
    TypeIntoCell(grid, 4, Grid::NameCol, QString());
    TypeIntoCell(grid, 4, Grid::SpecCol, QString());
    TypeIntoCell(grid, 4, Grid::UnitCol, QString());
    TypeIntoCell(grid, 4, Grid::CountCol, QString());
    TypeIntoCell(grid, 4, Grid::PriceCol, QString());
    user.clear();
    clickButton(&editor, "1112");
    EXPECT_EQ(editor.result(), 1);
    EXPECT_EQ(user.texts(), QStringList {SuccessMessage("修改%1单据成功。")});
    EXPECT_EQ(StoredColumn(db, side.party, "GUID"), QStringList(2, stored.front().GUID));
    EXPECT_EQ(StoredColumn(db, side.party, "ProductAmount"), QStringList({QStringLiteral("5"), QStringLiteral("4")}));
    EXPECT_EQ(StoredColumn(db, side.party, "SumMoney").first(), QStringLiteral("16.50"));
    EXPECT_EQ(StoredColumn(db, side.party, "SellerName"), QStringList(2, seller));
    EXPECT_EQ(StoredColumn(db, side.party, "BillRemark"), QStringList(2, remark));
    // The fixture's stock knows nothing of the stored bill: only the net
    // change moves it.
    EXPECT_EQ(StockOf(db, screw.ProductCode), Moved(10, 2));
    EXPECT_EQ(StockOf(db, nut.ProductCode), Moved(5, 2));
}

TEST_P(EditorSides, ADeleteFromTheReportPageGivesBackTheStoredLinesAndSaysWhatItCouldNotDo)
{
    const GoodsBillLines stored = StoreBill();
    const GoodsBillLines gone = StoreBill();
    CDlgTabData_Provider reportPage;
    reportPage.SetSide(side.party == PartyClient ? BillListClient : BillListProvider);
    reportPage.ShowSearchResult(GoodsBillQuery());
    ASSERT_EQ(reportPage.List().rowCount(), 2);
    // One bill was deleted elsewhere, one product is no longer in the store.
    db.exec(
        QStringLiteral("DELETE FROM %1 WHERE GUID = ?").arg(QLatin1String(LineTable(side.party))).toUtf8().constData(),
        {gone.front().GUID});
    db.exec("DELETE FROM tbl_StoreMgr WHERE ProductCode = ?", {nut.ProductCode});

    QStringList said;
    for (const GoodsBillLines* bill : {&stored, &gone}) {
        CDlgNewShipment editor;
        editor.SetIntMember(side.reportMode);
        editor.SetBillRows(*bill);
        editor.SetReportPage(&reportPage);
        ShowEditor(editor);
        Unlock(editor);
        TypeIntoCell(editor.Grid(), 2, Grid::CountCol, QStringLiteral("30"));

        // 否 keeps everything.
        user.clear();
        clickButton(&editor, "1111");
        EXPECT_EQ(user.lastText(), QStringLiteral("确定要删除这个单据吗？"));
        EXPECT_TRUE(editor.isVisible());
        EXPECT_GE(reportPage.List().RowOf(bill->front().GUID), 0);

        user.answerQuestion(true);
        clickButton(&editor, "1111");
        EXPECT_FALSE(editor.isVisible());
        EXPECT_EQ(editor.result(), bill == &stored ? 1 : 0);
        said << user.lastText();
    }
    EXPECT_TRUE(said[0].contains(QStringLiteral("螺母（M3）"))) << said[0].toStdString();
    EXPECT_EQ(said[1], QStringLiteral("该单据已不存在，可能已被删除。"));
    EXPECT_EQ(reportPage.List().rowCount(), 0);
    EXPECT_EQ(RowCount(db, LineTable(side.party)), 0);
    EXPECT_EQ(StockOf(db, screw.ProductCode), Moved(10, -3));
}

TEST_P(EditorSides, ATilesBillIsDeletedThroughTheTilesPage)
{
    const GoodsBillLines stored = StoreBill();
    TilePage page;
    CBCGPGoodsBillButton salesTile;
    CBCGPProviderGoodsBillButton purchaseTile;
    CDlgNewShipment editor;
    editor.SetIntMember(side.changeMode);
    if (side.party == PartyClient) {
        salesTile.SetRecord(stored.front());
        salesTile.SetOwner(&page);
        salesTile.show();
        editor.SetBillRows(stored);
        editor.SetBillButton(&salesTile);
    } else {
        purchaseTile.SetRecord(ToPurchaseLayout(stored.front()));
        purchaseTile.SetOwner(&page);
        purchaseTile.show();
        std::vector<struct_button_provider_goodsbill> lines;
        for (const struct_button_goodsbill& line : stored)
            lines.push_back(ToPurchaseLayout(line));
        editor.SetProviderBillRows(lines);
        editor.SetProviderBillButton(&purchaseTile);
    }
    QWidget* tile = side.party == PartyClient ? static_cast<QWidget*>(&salesTile) : &purchaseTile;
    ShowEditor(editor);
    Unlock(editor);

    // A page that cannot delete keeps the tile and the editor.
    page.refuses = true;
    user.answerQuestion(true);
    clickButton(&editor, "1111");
    EXPECT_TRUE(editor.isVisible());
    EXPECT_TRUE(tile->isVisible());

    page.refuses = false;
    user.answerQuestion(true);
    clickButton(&editor, "1111");
    EXPECT_EQ(page.deleted, QStringList(2, stored.front().GUID));
    EXPECT_EQ(editor.result(), 1);
    EXPECT_FALSE(tile->isVisible());
    EXPECT_EQ(RowCount(db, LineTable(side.party)), 0);
    EXPECT_EQ(StockOf(db, screw.ProductCode), Moved(10, -3));
}

TEST_P(EditorSides, AFailedWriteShowsTheErrorAndChangesNothing)
{
    const GoodsBillLines stored = StoreBill();
    db.exec("CREATE TRIGGER refuse_stock BEFORE UPDATE ON tbl_StoreMgr BEGIN SELECT RAISE(ABORT, 'disk full'); END");

    TilePage page;
    CBCGPGoodsBillButton salesTile;
    CBCGPProviderGoodsBillButton purchaseTile;
    salesTile.SetRecord(stored.front());
    purchaseTile.SetRecord(ToPurchaseLayout(stored.front()));
    CDlgNewShipment editor;
    editor.SetIntMember(side.changeMode);
    editor.SetBillRows(stored);
    if (side.party == PartyClient)
        editor.SetBillButton(&salesTile);
    else
        editor.SetProviderBillButton(&purchaseTile);
    ShowEditor(editor);
    Unlock(editor);
    TypeIntoCell(editor.Grid(), 2, Grid::CountCol, QStringLiteral("7"));
    user.clear();
    clickButton(&editor, "1112");

    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages.front().kind, ScriptedInteraction::Message::Error);
    EXPECT_TRUE(user.lastText().startsWith(SuccessMessage("保存%1单据失败。")));
    EXPECT_FALSE(user.lastText().contains(QStringLiteral("disk full")));
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(StoredColumn(db, side.party, "ProductAmount"), QStringList({QStringLiteral("3"), QStringLiteral("2")}));
    EXPECT_EQ(StockOf(db, screw.ProductCode), QStringLiteral("10"));
    EXPECT_EQ(salesTile.record().ProductAmount, QStringLiteral("3"));
    EXPECT_EQ(purchaseTile.record().ProductAmount, QStringLiteral("3"));

    // A new bill fails the same way and writes no row.
    CDlgNewShipment fresh;
    fresh.SetIntMember(side.newMode);
    ShowEditor(fresh);
    TypeIntoCell(fresh.Grid(), Grid::HeadRow, Grid::CompanyColumn, Party(side));
    TypeLine(fresh.Grid(), 2, screw, QStringLiteral("1"), QStringLiteral("1"));
    user.clear();
    clickButton(&fresh, "1112");
    EXPECT_TRUE(fresh.isVisible());
    EXPECT_EQ(user.messages.front().kind, ScriptedInteraction::Message::Error);
    EXPECT_EQ(RowCount(db, LineTable(side.party)), 2);
}

TEST_P(EditorSides, ABillDeletedSinceItWasOpenedIsNotWrittenAgain)
{
    const GoodsBillLines stored = StoreBill();
    CDlgNewShipment editor;
    editor.SetIntMember(side.changeMode);
    editor.SetBillRows(stored);
    ShowEditor(editor);
    Unlock(editor);
    db.exec(QStringLiteral("DELETE FROM %1").arg(QLatin1String(LineTable(side.party))).toUtf8().constData());
    user.clear();
    clickButton(&editor, "1112");
    EXPECT_EQ(user.texts(), QStringList {QStringLiteral("该单据已不存在，可能已被删除。")});
    EXPECT_EQ(editor.result(), 0);
    EXPECT_EQ(RowCount(db, LineTable(side.party)), 0);
    EXPECT_EQ(StockOf(db, screw.ProductCode), QStringLiteral("10"));
}

TEST_P(EditorSides, NewUnitPriceOpensTheBillPartysOwnPriceList)
{
    const GoodsBillLines stored = StoreBill();
    CDlgNewShipment editor;
    editor.SetIntMember(side.changeMode);
    editor.SetBillRows(stored);
    ShowEditor(editor);
    int listSide = -1;
    QString owner;
    user.onNextModal([&](QDialog* dialog) {
        auto* list = dynamic_cast<CDlgPriceListDlg*>(dialog);
        listSide = list ? list->Side() : -1;
        owner = dialog->findChild<QLabel*>(QStringLiteral("1282"))->text();
        dialog->reject();
        return dialog->result();
    });
    clickButton(&editor, "1110");
    EXPECT_EQ(listSide, side.party);
    EXPECT_EQ(owner, Party(side));
}

TEST_P(EditorSides, ABillOfAPartysWindowKeepsThePartysName)
{
    // 6 and 7 on the sales side, 16 and 17 on the purchase side.
    for (const int opened : {side.newMode + 6, side.newMode + 7}) {
        struct_button_goodsbill partyLine;
        partyLine.CompanyName = Party(side);
        CDlgNewShipment editor;
        editor.SetIntMember(opened);
        editor.SetBillRows({partyLine});
        ShowEditor(editor);
        Grid* grid = editor.Grid();
        EXPECT_EQ(grid->CellText(Grid::HeadRow, Grid::CompanyColumn), Party(side));
        EXPECT_TRUE(grid->IsCompanyLocked());
        PickLine(user, grid, 2, screw, QStringLiteral("1"));
        clickButton(&editor, "1112");
        EXPECT_EQ(editor.result(), 1) << opened;
    }
    const QString returnKind = QStringLiteral("退货单");
    const QStringList kinds = StoredColumn(db, side.party, "BillType");
    EXPECT_EQ(kinds.size(), 2);
    EXPECT_TRUE(kinds.contains(returnKind));
    EXPECT_TRUE(kinds.contains(QString::fromUtf8(side.billType)));
    // One of each kind: the stock is where it started.
    EXPECT_EQ(StockOf(db, screw.ProductCode), QStringLiteral("10.00"));
}

INSTANTIATE_TEST_SUITE_P(Sides, EditorSides, testing::Values(kSalesSide, kPurchaseSide), SideName);

namespace {

class EditorKeys : public testing::Test
{
protected:
    void SetUp() override
    {
        SetWorkingDate(QDate(2011, 5, 3));
        screw = AddProductRow(db.db(), QStringLiteral("LS-3"), QStringLiteral("螺丝"), QStringLiteral("M3"));
        editor = std::make_unique<CDlgNewShipment>();
        editor->SetIntMember(0);
        ShowEditor(*editor);
        TypeIntoCell(editor->Grid(), Grid::HeadRow, Grid::CompanyColumn, QStringLiteral("甲客户"));
        TypeLine(editor->Grid(), 2, screw, QStringLiteral("3"), QStringLiteral("2.50"));
    }
    void TearDown() override { SetWorkingDate(QDate()); }

    TestDatabase db;
    ScriptedInteraction user;
    struct_button_storeproduct screw;
    std::unique_ptr<CDlgNewShipment> editor;
};

} // namespace

TEST_F(EditorKeys, EnterNeverClosesTheEditor)
{
    QLineEdit* remark = editor->findChild<QLineEdit*>(QStringLiteral("1117"));
    remark->setFocus();
    QTest::keyClick(remark, Qt::Key_Return);
    QTest::keyClick(editor.get(), Qt::Key_Enter);
    QTest::keyClick(editor->Grid(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(RowCount(db, LineTable(PartyClient)), 0);
    EXPECT_TRUE(user.texts().isEmpty());
}

TEST_F(EditorKeys, EscTheCloseBoxAndCancelSaveNothing)
{
    QTest::keyClick(editor.get(), Qt::Key_Escape);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(editor->result(), 2);

    ShowEditor(*editor);
    editor->close();
    EXPECT_EQ(editor->result(), 2);

    ShowEditor(*editor);
    clickButton(editor.get(), "1113");
    EXPECT_EQ(editor->result(), 0);
    EXPECT_EQ(RowCount(db, LineTable(PartyClient)), 0);
    EXPECT_EQ(db.scalar("SELECT ProductStockCount FROM tbl_StoreMgr"), QStringLiteral("0"));
    EXPECT_TRUE(user.texts().isEmpty());
}

TEST_F(EditorKeys, ANonNumberOrACountBeyondCentsIsRefusedNamingItsLineAndField)
{
    // Stock is kept in cents: a third decimal would make it drift.
    for (const auto& [count, problem] : {std::pair {"2a", "只能填写数字"}, std::pair {"0.125", "最多两位小数"}}) {
        user.clear();
        editor->Grid()->setCurrentCell(Grid::HeadRow, 0);
        TypeLine(editor->Grid(), 3, screw, QString::fromLatin1(count), QStringLiteral("1"));
        clickButton(editor.get(), "1112");
        EXPECT_EQ(user.texts(), QStringList {QStringLiteral("第 2 行的“数量”%1。").arg(QString::fromUtf8(problem))});
        EXPECT_EQ(editor->Grid()->currentRow(), 3);
        EXPECT_EQ(editor->Grid()->currentColumn(), Grid::CountCol);
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(RowCount(db, LineTable(PartyClient)), 0);
    }
}

TEST_F(EditorKeys, ATotalTooLargeForItsCapitalTextIsRefused)
{
    TypeIntoCell(editor->Grid(), 2, Grid::CountCol, QStringLiteral("999999999999"));
    TypeIntoCell(editor->Grid(), 2, Grid::PriceCol, QStringLiteral("100"));
    EXPECT_TRUE(editor->Grid()->CellText(8, Grid::CapitalColumn).isEmpty());
    clickButton(editor.get(), "1112");
    EXPECT_EQ(user.texts(), QStringList {QStringLiteral("‘合计’金额太大，须小于 10 万亿元。")});
    EXPECT_EQ(RowCount(db, LineTable(PartyClient)), 0);
}

TEST(EditorLists, EmptyListsStopOnlyAPrepaidBill)
{
    TestDatabase db;
    ScriptedInteraction user;
    db.exec("DELETE FROM tbl_Voucher");
    const struct_button_storeproduct screw
        = AddProductRow(db.db(), QStringLiteral("LS-3"), QStringLiteral("螺丝"), QStringLiteral("M3"));
    CDlgNewShipment editor;
    editor.SetIntMember(10);
    ShowEditor(editor);
    TypeIntoCell(editor.Grid(), Grid::HeadRow, Grid::CompanyColumn, QStringLiteral("乙供应商"));
    TypeLine(editor.Grid(), 2, screw, QStringLiteral("1"), QStringLiteral("8"));
    clickButton(&editor, "1112");
    EXPECT_EQ(editor.result(), 1);
    EXPECT_EQ(RowCount(db, LineTable(PartyProvider)), 1);
    EXPECT_EQ(db.scalar("SELECT voucher FROM tbl_goodsbill_shipment_provider"), QString());
}

TEST(EditorLists, AStoredListTextMissingFromItsListIsOfferedAndKept)
{
    TestDatabase db;
    ScriptedInteraction user;
    db.exec("UPDATE tbl_AccessTypePassword SET AccessPassword = ''");
    const struct_button_storeproduct screw
        = AddProductRow(db.db(), QStringLiteral("LS-3"), QStringLiteral("螺丝"), QStringLiteral("M3"));
    GoodsBillLines stored = AddGoodsBillRows(db.db(), PartyClient, QStringLiteral("出货单"), QStringLiteral("甲客户"),
        QStringLiteral("2011-05-02"), {{screw.ProductCode, screw.ProductName, screw.ProductSpec, "1", "1"}});
    db.exec("UPDATE tbl_GoodsBill_shipment SET EnableImprest = '启用预付款', voucher = '旧凭证', AccountName = '现金', "
            "IncomeType = '货款', FundType = '现金', Imprest = '0'");
    for (struct_button_goodsbill& line : stored) {
        line.EnableImprest = QStringLiteral("启用预付款");
        line.voucher = QStringLiteral("旧凭证");
        line.AccountName = QStringLiteral("现金");
        line.IncomeType = QStringLiteral("货款");
        line.FundType = QStringLiteral("现金");
    }
    CDlgNewShipment editor;
    editor.SetIntMember(2);
    editor.SetBillRows(stored);
    ShowEditor(editor);
    auto* voucher = editor.findChild<QComboBox*>(QStringLiteral("1123"));
    EXPECT_EQ(voucher->currentText(), QStringLiteral("旧凭证"));
    EXPECT_TRUE(voucher->isEnabled());
    EXPECT_TRUE(editor.findChild<QCheckBox*>(QStringLiteral("1118"))->isChecked());
    AnswerPassword(user, QString());
    clickButton(&editor, "1114");
    clickButton(&editor, "1112");
    EXPECT_EQ(editor.result(), 1);
    EXPECT_EQ(db.scalar("SELECT voucher FROM tbl_GoodsBill_shipment"), QStringLiteral("旧凭证"));
    EXPECT_EQ(db.scalar("SELECT EnableImprest FROM tbl_GoodsBill_shipment"), QStringLiteral("启用预付款"));
}

TEST(EditorLines, AStoredBillOfMoreThanSixLinesKeepsEveryLine)
{
    TestDatabase db;
    ScriptedInteraction user;
    const struct_button_storeproduct screw = AddProductRow(
        db.db(), QStringLiteral("LS-3"), QStringLiteral("螺丝"), QStringLiteral("M3"), QStringLiteral("100"));
    std::vector<FixtureLine> lines;
    for (int i = 1; i <= 8; ++i)
        lines.push_back({screw.ProductCode, screw.ProductName, screw.ProductSpec, QString::number(i), "1"});
    GoodsBillLines stored = AddGoodsBillRows(
        db.db(), PartyClient, QStringLiteral("出货单"), QStringLiteral("甲客户"), QStringLiteral("2011-05-02"), lines);
    // A file written elsewhere, whose totals do not add up: the save
    // writes what the lines make.
    for (struct_button_goodsbill& line : stored) {
        line.SumMoney = QStringLiteral("1.00");
        line.CapMoney = QStringLiteral("壹元 零角 零分 ");
    }
    CDlgNewShipment editor;
    editor.SetIntMember(2);
    editor.SetBillRows(stored);
    ShowEditor(editor);
    EXPECT_EQ(editor.Grid()->LineRowCount(), 8);
    EXPECT_EQ(editor.Grid()->CellText(9, Grid::CountCol), QStringLiteral("8"));
    // Shown as stored until the bill is built.
    EXPECT_EQ(editor.Grid()->CellText(editor.Grid()->TotalsRow(), Grid::TotalColumn), QStringLiteral("1.00"));
    AnswerPassword(user, QString());
    clickButton(&editor, "1114");
    clickButton(&editor, "1112");
    EXPECT_EQ(editor.result(), 1);
    EXPECT_EQ(RowCount(db, LineTable(PartyClient)), 8);
    EXPECT_EQ(db.scalar("SELECT DISTINCT SumMoney FROM tbl_GoodsBill_shipment"), QStringLiteral("36.00"));
    EXPECT_EQ(
        db.scalar("SELECT DISTINCT CapMoney FROM tbl_GoodsBill_shipment"), QStringLiteral("参拾 陆元 零角 零分 "));
    EXPECT_EQ(StrToDouble(db.scalar("SELECT ProductStockCount FROM tbl_StoreMgr")), 100.0);
}

TEST(EditorProducts, NewProductEntersAProductThatCanThenBePicked)
{
    TestDatabase db;
    ScriptedInteraction user;
    CDlgTabStore storePage(4, nullptr);
    CDlgNewShipment editor;
    editor.SetIntMember(0);
    editor.SetStorePage(&storePage);
    ShowEditor(editor);
    user.onNextModal([](QDialog* dialog) {
        EXPECT_EQ(dynamic_cast<CDlgNewProduct*>(dialog)->Mode(), ProductEditNew);
        const QStringList texts {QStringLiteral("XJ-1"), QStringLiteral("新件"), QStringLiteral("大号"),
            QStringLiteral("件"), QStringLiteral("4"), QStringLiteral("6"), QStringLiteral("1"), QString()};
        const QList<QLineEdit*> edits = dialog->findChildren<QLineEdit*>();
        for (int i = 0; i < texts.size() && i < edits.size(); ++i)
            typeText(edits[i], texts[i]);
        QTest::mouseClick(dialog->findChild<QAbstractButton*>(QStringLiteral("1")), Qt::LeftButton);
        return dialog->result();
    });
    clickButton(&editor, "1109");
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM tbl_StoreMgr WHERE ProductName = '新件'"), QStringLiteral("1"));
    struct_button_storeproduct added;
    added.ProductName = QStringLiteral("新件");
    added.ProductSpec = QStringLiteral("大号");
    PickLine(user, editor.Grid(), 2, added, QStringLiteral("2"));
    EXPECT_EQ(editor.Grid()->CellText(2, Grid::PriceCol), QStringLiteral("6"));
    EXPECT_EQ(editor.Grid()->CellText(2, Grid::AmountCol), QStringLiteral("12.00"));
}
