#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>

#include <memory>

#include "CDlgMainDlg.h"
#include "CDlgNewShipmentLauncher.h"
#include "CDlgPriceListDlg.h"
#include "CDlgTabData_Provider.h"
#include "CDlgTabStore.h"
#include "CapitalNumerals.h"
#include "CapturedReports.h"
#include "GoodsBillListModel.h"
#include "GoodsBillPage.h"
#include "GoodsBillQuery.h"
#include "GoodsBillStore.h"
#include "GoodsBillTestSupport.h"
#include "PriceListStore.h"
#include "ReportDocument.h"

// The goods bill editor as a person uses it, opened as its openers open it
// (the program's launcher, the side's page, the report page): what it
// writes, what it refuses, and what the pages show once a write committed.

namespace {

class EditorTest : public GoodsBillTest
{
protected:
    void SetUp() override
    {
        GoodsBillTest::SetUp();
        GoodsBillEditorLauncher::install(&launcher);
        if (kind().isSales())
            page.reset(salesPage = new CDlgTabGoods(4, nullptr));
        else
            page.reset(purchasePage = new CDlgTabProviderGoods(4, nullptr));
        page->resize(1000, 600);
        page->show();
        report.SetSide(kind().isSales() ? BillListClient : BillListProvider);
    }
    void TearDown() override
    {
        GoodsBillEditorLauncher::install(nullptr);
        GoodsBillTest::TearDown();
    }

    // An editor in the mode as the side's page and the report page open it.
    void Open(CDlgNewShipment &editor, int mode, const GoodsBillLines &lines = {})
    {
        editor.SetIntMember(mode);
        editor.SetBillRows(lines);
        editor.SetGoodsTab(salesPage);
        editor.SetProviderGoodsTab(purchasePage);
        editor.SetReportPage(&report);
        ShowEditor(editor);
    }
    QWidget *Tile() const
    {
        return salesPage ? static_cast<QWidget *>(salesPage->BillTile(0)) : purchasePage->BillTile(0);
    }
    struct_button_goodsbill TileRecord() const
    {
        return salesPage ? salesPage->BillTile(0)->record() : ToSalesLayout(purchasePage->BillTile(0)->record());
    }
    QStringList ShownGuids() const
    {
        QStringList guids;
        for (const struct_button_goodsbill &line : page->ShownBills())
            guids << line.GUID;
        return guids;
    }
    QString Said(const char *text) const { return QString::fromUtf8(text).arg(kind().side().sideWord); }

    CDlgNewShipmentLauncher launcher;
    CDlgTabGoods *salesPage = nullptr;
    CDlgTabProviderGoods *purchasePage = nullptr;
    std::unique_ptr<GoodsBillPage> page;
    CDlgTabData_Provider report;
};

} // namespace

TEST_P(EditorTest, ANewBillIsWrittenWithItsStockThenAnnouncedAndShown)
{
    CDlgNewShipment editor;
    Open(editor, kind().newMode);
    EXPECT_EQ(editor.windowTitle(),
        kind().isSales() ? QStringLiteral("销售管理 － 新增产品出货单") : QStringLiteral("采购管理 － 新增产品进货单"));
    // A new bill offers neither 新增单价, delete, 修改 nor 打印.
    for (const char *hidden : {"1110", "1111", "1114", "1115"})
        EXPECT_FALSE(Button(&editor, hidden)->isVisible()) << hidden;
    Grid *grid = editor.Grid();
    TypeIntoCell(grid, Grid::HeadRow, Grid::CompanyColumn, kind().company());
    PickLine(user, grid, 2, screw, QStringLiteral("3"));
    PickLine(user, grid, 3, nut, QStringLiteral("2"));
    struct_button_storeproduct gone = screw;
    gone.ProductSpec = QStringLiteral("M9");
    TypeLine(grid, 4, gone, QStringLiteral("0.125"), QStringLiteral("2"));
    typeText(Field(&editor, "1124"), QStringLiteral("小王"));
    // Enter writes nothing; 设置订金 without a finance bill editor says so.
    QTest::keyClick(Field(&editor, "1117"), Qt::Key_Return);
    QTest::keyClick(&editor, Qt::Key_Enter);
    clickButton(&editor, "1429");
    EXPECT_TRUE(editor.isVisible());
    // A count beyond cents is refused, the cursor on it.
    grid->setCurrentCell(Grid::HeadRow, 0);
    clickButton(&editor, "1112");
    EXPECT_EQ(user.texts(),
        QStringList({QStringLiteral("现在不能打开财务单据窗口，订金没有记录。"),
            QStringLiteral("第 3 行的“数量”最多两位小数。")}));
    EXPECT_EQ(std::pair(grid->currentRow(), grid->currentColumn()), std::pair(4, int(Grid::CountCol)));
    TypeIntoCell(grid, 4, Grid::CountCol, QStringLiteral("1"));

    // A write that fails shows the error and writes nothing.
    user.clear();
    FailWrites(db, "tbl_StoreMgr", "UPDATE");
    clickButton(&editor, "1112");
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
    EXPECT_TRUE(user.lastText().startsWith(Said("保存%1单据失败。"))) << user.lastText().toStdString();
    EXPECT_FALSE(user.lastText().contains(QStringLiteral("disk")));
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(rowCount(db, kind().table()), 0);

    DropFailure(db);
    user.clear();
    clickButton(&editor, "1112");
    EXPECT_EQ(editor.result(), 1);
    EXPECT_EQ(user.texts(), QStringList {Said("新增%1单据成功。\n以下货品在仓库中没有记录，库存没有变动：螺丝（M9）。")});
    EXPECT_EQ(StockOf(db, screw.ProductCode), Moved(10, 3));
    EXPECT_EQ(StockOf(db, nut.ProductCode), Moved(5, 2));
    // One GUID, the lines in order, the bill's header in every line.
    const QStringList guids = StoredColumn(db, kind(), "GUID");
    ASSERT_EQ(guids.size(), 3);
    EXPECT_EQ(guids, QStringList(3, guids[0]));
    EXPECT_EQ(guids[0].size(), 36);
    EXPECT_EQ(StoredColumn(db, kind(), "ProductName || ProductAmount"), QStringList({"螺丝3", "螺母2", "螺丝1"}));
    const auto price = [&](const struct_button_storeproduct &p) {
        return StrToDouble(kind().isSales() ? p.ShipmentUnitPrice : p.StockUnitPrice);
    };
    const QString total = DoubleToStr(3 * price(screw) + 2 * price(nut) + 2);
    EXPECT_EQ(StoredColumn(db, kind(),
                  "BillType, InputDate, CompanyName, SumMoney, CapMoney, SellerName, Imprest, EnableImprest"),
        QStringList(3,
            QStringList({kind().type(), "2011-05-03", kind().company(), total, CapitalNumerals::Format(total), "小王",
                            "0", "禁用预付款"})
                .join(QLatin1Char('|'))));
    EXPECT_EQ(ShownGuids(), QStringList {guids[0]});
}

TEST_P(EditorTest, AStoredBillWaitsForThePasswordThenChangesByTheNetCount)
{
    // Stored header texts longer than a person may type stay whole.
    GoodsBillLines stored = StoreBill();
    const QString seller(240, QChar(0x738b));
    const QString remark(300, QChar(0x5907));
    for (struct_button_goodsbill &line : stored) {
        line.SellerName = seller;
        line.BillRemark = remark;
        line.Imprest = QStringLiteral("12345678901.50");
    }
    page->RelistCurrentPage();
    report.ShowSearchResult(GoodsBillQuery());
    CDlgNewShipment editor;
    editor.SetBillButton(salesPage ? salesPage->BillTile(0) : nullptr);
    editor.SetProviderBillButton(purchasePage ? purchasePage->BillTile(0) : nullptr);
    Open(editor, kind().changeMode, stored);
    Grid *grid = editor.Grid();
    EXPECT_EQ(editor.windowTitle(),
        kind().isSales() ? QStringLiteral("销售管理 － 新增产品出货单") : QStringLiteral("采购管理 － 修改产品进货单"));
    EXPECT_TRUE(grid->IsCompanyLocked());
    EXPECT_EQ(grid->CellText(Grid::HeadRow, Grid::CompanyColumn) + grid->CellText(3, Grid::NameCol)
            + grid->CellText(grid->TotalsRow(), Grid::TotalColumn) + Field(&editor, "1119")->text(),
        kind().company() + QStringLiteral("螺母9.50") + stored.front().Imprest);

    // 新增单价 opens the party's own price list, before the password too.
    user.onNextModal([&](QDialog *dialog) {
        EXPECT_EQ(dynamic_cast<CDlgPriceListDlg &>(*dialog).Side(), kind().party);
        EXPECT_EQ(dialog->findChild<QLabel *>(QStringLiteral("1282"))->text(), kind().company());
        return 0;
    });
    clickButton(&editor, "1110");
    EXPECT_EQ(user.modalDialogs, QStringList {QStringLiteral("CDlgPriceListDlg")});

    // 确定, 删除 and 设置订金 wait for the password.
    const auto unlocked = [&] {
        return QList<bool> {Button(&editor, "1112")->isVisible(), Button(&editor, "1111")->isVisible(),
            Button(&editor, "1429")->isEnabled()};
    };
    AnswerPassword(user, QStringLiteral("wrong"));
    clickButton(&editor, "1114");
    EXPECT_EQ(user.texts(), QStringList {QStringLiteral("密码输入错误，请重新输入。")});
    EXPECT_EQ(unlocked(), QList<bool>(3, false));
    // A cancelled prompt says nothing.
    clickButton(&editor, "1114");
    EXPECT_EQ(user.texts().size(), 1);
    Unlock(editor);
    EXPECT_EQ(unlocked(), QList<bool>(3, true));

    // 3 screws become 5; the nuts' line is cleared and typed one row down:
    // the gap is refused, not dropped.
    user.clear();
    TypeIntoCell(grid, 2, Grid::CountCol, QStringLiteral("5"));
    TypeLine(grid, 4, nut, QStringLiteral("4"), QStringLiteral("1"));
    TypeLine(grid, 3, {}, QString(), QString());
    clickButton(&editor, "1112");
    EXPECT_EQ(user.texts(), QStringList {QStringLiteral("请填写 ‘货品编号’。")});
    EXPECT_EQ(grid->currentRow(), 3);

    // The gap closed; a write that fails changes neither the bill nor its tile.
    TypeLine(grid, 3, nut, QStringLiteral("4"), QStringLiteral("1"));
    TypeLine(grid, 4, {}, QString(), QString());
    TypeIntoCell(grid, Grid::HeadRow, Grid::CodeColumn, QStringLiteral("NEW-CODE"));
    FailWrites(db, "tbl_StoreMgr", "UPDATE");
    clickButton(&editor, "1112");
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(StoredColumn(db, kind(), "ProductAmount"), QStringList({"3", "2"}));
    EXPECT_EQ(StockOf(db, screw.ProductCode), QStringLiteral("10"));
    EXPECT_EQ(TileRecord().ProductAmount, QStringLiteral("3"));

    DropFailure(db);
    user.clear();
    clickButton(&editor, "1112");
    EXPECT_EQ(editor.result(), 1);
    EXPECT_EQ(user.texts(), QStringList {Said("修改%1单据成功。")});
    const QString line = QStringList({stored.front().GUID, seller, remark, "16.50", ""}).join(QLatin1Char('|'));
    EXPECT_EQ(StoredColumn(db, kind(), "GUID, SellerName, BillRemark, SumMoney, ProductAmount"),
        QStringList({line + QLatin1Char('5'), line + QLatin1Char('4')}));
    // The fixture's stock knows nothing of the stored bill: only the net
    // change moves it.
    EXPECT_EQ(StockOf(db, screw.ProductCode), Moved(10, 2));
    EXPECT_EQ(StockOf(db, nut.ProductCode), Moved(5, 2));
    EXPECT_EQ(TileRecord().SumMoney, QStringLiteral("16.50"));
    EXPECT_EQ(report.List().Text(0, GoodsBillListModel::ColumnCode), QStringLiteral("NEW-CODE"));
    EXPECT_TRUE(report.List().Text(0, GoodsBillListModel::ColumnAmount).endsWith(QStringLiteral("16.50")));
}

TEST_P(EditorTest, DeletesGiveBackTheStoredLinesAndTakeTheBillOffThePages)
{
    const struct_button_financebill deposit = AddFinanceBillRow(db.db(), kind().party, QStringLiteral("收入单"),
        kind().company(), QStringLiteral("现金"), QStringLiteral("2011-05-01"), QStringLiteral("40.00"));
    const GoodsBillLines stored = StoreBill(deposit.GUID);
    const GoodsBillLines gone = StoreBill();
    const QString tiled = StoreBill(deposit.GUID)[0].GUID;
    page->RelistCurrentPage();
    report.ShowSearchResult(GoodsBillQuery());
    // One bill was deleted elsewhere, one product is no longer in the store.
    db.exec(QStringLiteral("DELETE FROM %1 WHERE GUID = ?").arg(kind().table()).toUtf8().constData(),
        {gone.front().GUID});
    db.exec("DELETE FROM tbl_StoreMgr WHERE ProductCode = ?", {nut.ProductCode});
    for (const GoodsBillLines *bill : {&stored, &gone}) {
        CDlgNewShipment editor;
        Open(editor, kind().reportMode, *bill);
        Unlock(editor);
        TypeIntoCell(editor.Grid(), 2, Grid::CountCol, QStringLiteral("30"));
        user.clear();
        if (bill == &gone) {
            // Deleted since it was opened: not written again.
            clickButton(&editor, "1112");
            EXPECT_EQ(user.texts(), QStringList {QStringLiteral("该单据已不存在，可能已被删除。")});
            EXPECT_EQ(editor.result(), 0);
            continue;
        }
        // 否 keeps everything; the question says that the deposit bill stays.
        clickButton(&editor, "1111");
        EXPECT_EQ(user.texts(),
            QStringList {QStringLiteral("确定要删除这个单据吗？\n订金单据 %1（40.00 元）已经记入财务单据，删除本单据不会删除它。")
                             .arg(deposit.BillCode)});
        EXPECT_EQ(report.List().rowCount(), 3);
        user.answerQuestion(true);
        clickButton(&editor, "1111");
        EXPECT_EQ(editor.result(), 1);
        EXPECT_EQ(user.lastText(), QStringLiteral("以下货品在仓库中没有记录，库存没有变动：螺母（M3）。"));
    }
    // The stored lines come back, not the grid's; the deposit bill stays.
    EXPECT_EQ(StockOf(db, screw.ProductCode), Moved(10, -3));
    EXPECT_EQ(rowCount(db, kind().side().depositTable), 1);
    EXPECT_EQ(StoredColumn(db, kind(), "GUID"), QStringList(2, tiled));
    ASSERT_EQ(report.List().rowCount(), 1);
    EXPECT_EQ(report.List().Text(0, GoodsBillListModel::ColumnGuid), tiled);
    ASSERT_EQ(ShownGuids(), QStringList {tiled});

    // A tile opens its bill, which is deleted through the tile's page; a
    // delete that fails keeps the bill, its tile and the editor.
    FailWrites(db, kind().table(), "DELETE");
    user.onNextModal([&](QDialog *dialog) {
        auto &editor = dynamic_cast<CDlgNewShipment &>(*dialog);
        EXPECT_EQ(editor.Mode(), kind().changeMode);
        EXPECT_EQ(editor.DepositGuid(), deposit.GUID);
        Unlock(editor);
        user.answerQuestion(true);
        clickButton(&editor, "1111");
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(ShownGuids(), QStringList {tiled});
        DropFailure(db);
        user.answerQuestion(true);
        clickButton(&editor, "1111");
        return editor.result();
    });
    user.clear();
    QTest::mouseClick(Tile(), Qt::LeftButton);
    ASSERT_EQ(user.texts().size(), 4);
    EXPECT_EQ(user.messages[1].kind, ScriptedInteraction::Message::Error);
    EXPECT_TRUE(user.texts()[1].startsWith(QStringLiteral("删除单据失败。")));
    EXPECT_EQ(rowCount(db, kind().table()), 0);
    EXPECT_TRUE(ShownGuids().isEmpty());
    EXPECT_FALSE(Tile()->isVisible());
    EXPECT_EQ(StockOf(db, screw.ProductCode), Moved(10, -6));
}

TEST_P(EditorTest, ABillOfAPartysWindowKeepsThePartyAndTheLauncherAnswersWhetherItSaved)
{
    GoodsBillEditRequest request;
    struct_button_goodsbill partyLine;
    partyLine.CompanyName = kind().company();
    request.lines = {partyLine};
    // 6 and 7 on the sales side, 16 and 17 on the purchase side: closed
    // without saving, then saved.
    for (const int mode : {kind().newMode + 6, kind().newMode + 7}) {
        request.mode = mode;
        EXPECT_EQ(launcher.Run(nullptr, request), 0);
        user.onNextModal([&](QDialog *dialog) {
            Grid *grid = dynamic_cast<CDlgNewShipment &>(*dialog).Grid();
            EXPECT_EQ(grid->CellText(Grid::HeadRow, Grid::CompanyColumn), kind().company());
            EXPECT_TRUE(grid->IsCompanyLocked());
            PickLine(user, grid, 2, screw, QStringLiteral("1"));
            clickButton(dialog, "1112");
            return dialog->result();
        });
        EXPECT_EQ(launcher.Run(nullptr, request), 1) << mode;
    }
    EXPECT_EQ(StoredColumn(db, kind(), "BillType"), QStringList({kind().type(), kind().other().type()}));
    // One of each kind: the stock is where it started.
    EXPECT_EQ(StockOf(db, screw.ProductCode), QStringLiteral("10.00"));
}

TEST_P(EditorTest, AStoredBillKeepsEveryLineAndItsListTexts)
{
    // A file written elsewhere: eight lines, totals that do not add up, a
    // voucher no longer in its list.
    std::vector<FixtureLine> lines;
    for (int i = 1; i <= 8; ++i)
        lines.push_back({screw.ProductCode, screw.ProductName, screw.ProductSpec, QString::number(i), "1"});
    const QString guid = AddGoodsBillRows(
        db.db(), kind().party, kind().type(), kind().company(), QStringLiteral("2011-05-02"), lines)[0]
                             .GUID;
    db.exec(QStringLiteral("UPDATE %1 SET SumMoney = '1.00', CapMoney = '壹元 零角 零分 ', EnableImprest = '启用预付款', "
                           "voucher = '旧凭证', AccountName = '现金', IncomeType = '货款', FundType = '现金'")
                .arg(kind().table())
                .toUtf8()
                .constData());
    CDlgNewShipment editor;
    Open(editor, kind().changeMode, GoodsBillStore(db.db(), kind().side()).LoadBill(guid));
    EXPECT_EQ(editor.Grid()->LineRowCount(), 8);
    EXPECT_EQ(editor.Grid()->CellText(9, Grid::CountCol), QStringLiteral("8"));
    EXPECT_EQ(editor.Grid()->CellText(editor.Grid()->TotalsRow(), Grid::TotalColumn), QStringLiteral("1.00"));
    auto *voucher = editor.findChild<QComboBox *>(QStringLiteral("1123"));
    EXPECT_EQ(voucher->currentText(), QStringLiteral("旧凭证"));
    EXPECT_TRUE(voucher->isEnabled());
    Unlock(editor);
    clickButton(&editor, "1112");
    EXPECT_EQ(editor.result(), 1);
    QStringList expected;
    for (int i = 1; i <= 8; ++i)
        expected << QString::number(i) + QStringLiteral("|36.00|参拾 陆元 零角 零分 |旧凭证|启用预付款");
    EXPECT_EQ(StoredColumn(db, kind(), "ProductAmount, SumMoney, CapMoney, voucher, EnableImprest"),
        expected);
    EXPECT_EQ(StrToDouble(StockOf(db, screw.ProductCode)), 10.0);
}

TEST_P(EditorTest, EveryKeyOfACountOrPriceRecomputesAmountTotalAndCapitalText)
{
    CDlgNewShipment editor;
    Open(editor, kind().newMode);
    Grid *grid = editor.Grid();
    const auto cell = [&](int row, int column) { return grid->CellText(row, column); };
    const auto totals = [&] {
        return cell(grid->TotalsRow(), Grid::TotalColumn) + QLatin1Char('|')
            + cell(grid->TotalsRow(), Grid::CapitalColumn);
    };
    TypeIntoCell(grid, 2, Grid::CodeCol, QStringLiteral("A1"));
    TypeIntoCell(grid, 2, Grid::PriceCol, QStringLiteral("2.50"));
    QLineEdit *count = StartEditing(grid, 2, Grid::CountCol);
    ASSERT_NE(count, nullptr);
    // At once, while the cell is still being edited.
    typeText(count, QStringLiteral("3"));
    EXPECT_EQ(cell(2, Grid::AmountCol), QStringLiteral("7.50"));
    EXPECT_EQ(totals(), QStringLiteral("7.50|柒元 伍角 零分 "));
    typeText(count, QStringLiteral("0"));
    EXPECT_EQ(totals(), QStringLiteral("75.00|柒拾 伍元 零角 零分 "));
    // Delete inside the edit sends no character, and still counts; so does
    // a paste.
    QTest::keyClick(count, Qt::Key_Backspace);
    count->setCursorPosition(0);
    QTest::keyClick(count, Qt::Key_Delete);
    EXPECT_EQ(totals(), QStringLiteral("0.00|零元 零角 零分 "));
    QGuiApplication::clipboard()->setText(QStringLiteral("4"));
    QTest::keySequence(count, QKeySequence::Paste);
    EXPECT_EQ(totals(), QStringLiteral("10.00|壹拾 零元 零角 零分 "));
    PressEnter(count);
    EXPECT_EQ(cell(2, Grid::CountCol), QStringLiteral("4"));

    // A count or price holds twelve characters, typed or pasted; on a
    // selected cell Delete and a paste recompute too.
    TypeIntoCell(grid, 3, Grid::CountCol, QStringLiteral("1234567890123"));
    EXPECT_EQ(cell(3, Grid::CountCol), QStringLiteral("123456789012"));
    TypeIntoCell(grid, 3, Grid::PriceCol, QStringLiteral("100"));
    QTest::keyClick(StartEditing(grid, 3, Grid::CountCol), Qt::Key_Escape);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(cell(3, Grid::CountCol) + cell(3, Grid::AmountCol), QStringLiteral("0.00"));
    QGuiApplication::clipboard()->setText(QStringLiteral("2.00000000000000\nignored"));
    QTest::keySequence(grid, QKeySequence::Paste);
    EXPECT_EQ(cell(3, Grid::CountCol) + QLatin1Char('|') + cell(3, Grid::AmountCol),
        QStringLiteral("2.0000000000|200.00"));
    // A line without a code counts in the total once it gets one.
    EXPECT_EQ(totals(), QStringLiteral("10.00|壹拾 零元 零角 零分 "));
    TypeIntoCell(grid, 3, Grid::CodeCol, QStringLiteral("B1"));
    EXPECT_EQ(totals(), QStringLiteral("210.00|贰佰 壹拾 零元 零角 零分 "));
}

TEST_P(EditorTest, TheHeadRowAndThePickersFollowTheSidesParty)
{
    // Both sides' parties exist; only the bill's side is offered, once
    // each, in Chinese order.
    for (const char *name : {"张三商行", "阿里公司", "张三商行", ""}) {
        AddClientRow(db.db(), QString::fromUtf8(name));
        AddProviderRow(db.db(), QString::fromUtf8(name).prepend(*name ? QStringLiteral("供") : QString()));
    }
    const QStringList offered = kind().isSales() ? QStringList({"阿里公司", "甲客户", "张三商行"})
                                                 : QStringList({"供阿里公司", "供张三商行", "乙供应商"});
    const struct_button_storeproduct m4
        = AddProductRow(db.db(), QStringLiteral("LS-4"), QStringLiteral("螺丝"), QStringLiteral("M4"));
    // The other side's party of the same name has a price of its own.
    PriceListStore(db.db(), kind().party).AddPrice(kind().company(), m4.GUID, QStringLiteral("9.50"));
    PriceListStore(db.db(), kind().other().isSales() ? PartyProvider : PartyClient)
        .AddPrice(kind().company(), m4.GUID, QStringLiteral("1.11"));
    const QString ownPrice = kind().isSales() ? m4.ShipmentUnitPrice : m4.StockUnitPrice;
    CDlgNewShipment editor;
    Open(editor, kind().newMode);
    Grid *grid = editor.Grid();
    EXPECT_EQ(grid->CompanyNames(), offered);
    EXPECT_EQ(grid->CellText(Grid::HeadRow, Grid::DateColumn), QStringLiteral("2011-05-03"));
    EXPECT_EQ(grid->CellText(Grid::HeadRow, Grid::CodeColumn),
        QLatin1String(kind().isSales() ? "XS_CH_" : "CG_JH_") + QStringLiteral("20110503"));
    EXPECT_FALSE(grid->item(2, Grid::AmountCol)->flags() & Qt::ItemIsEditable);

    // No company yet: the product's own price of the side, the line
    // recomputed at once. Without a name the variant button opens nothing;
    // a picker closed without a choice changes nothing.
    PressPickerButton(grid, 2, Grid::SpecCol);
    EXPECT_TRUE(user.modalDialogs.isEmpty());
    TypeIntoCell(grid, 2, Grid::CountCol, QStringLiteral("2"));
    Choose<CDlgSelProductDlg>(user, m4.ProductName);
    PressPickerButton(grid, 2, Grid::NameCol);
    Choose<CDlgSelProductSpecDlg>(user, m4.ProductSpec);
    PressPickerButton(grid, 2, Grid::SpecCol);
    PressPickerButton(grid, 2, Grid::NameCol);
    PressPickerButton(grid, 2, Grid::SpecCol);
    QCoreApplication::processEvents();
    QStringList line;
    for (int column = Grid::CodeCol; column <= Grid::AmountCol; ++column)
        line << grid->CellText(2, column);
    EXPECT_EQ(line, QStringList({"LS-4", "螺丝", "M4", "个", "2", ownPrice, DoubleToStr(2 * StrToDouble(ownPrice))}));

    // The company typed: lines picked from now on get the party's price.
    QLineEdit *company = StartEditing(grid, Grid::HeadRow, Grid::CompanyColumn);
    ASSERT_NE(company, nullptr);
    EXPECT_EQ(qobject_cast<QComboBox *>(company->parentWidget())->count(), offered.size());
    typeText(company, kind().company());
    PressEnter(company);
    PickLine(user, grid, 3, m4, QStringLiteral("2"));
    EXPECT_EQ(grid->CellText(3, Grid::AmountCol), QStringLiteral("19.00"));
    EXPECT_EQ(grid->CellText(2, Grid::PriceCol), ownPrice);
}

INSTANTIATE_TEST_SUITE_P(Sides, EditorTest, testing::ValuesIn(kBillSides), KindName);

namespace {

class DepositTest : public EditorTest
{
protected:
    // The finance editor's mode of a new deposit bill of the side's main
    // kind; +2 for the existing one.
    int NewMode() const { return kind().isSales() ? 20 : 17; }

    ScriptedDepositEditor finance {db.db()};
};

} // namespace

TEST_P(DepositTest, ANewDepositBillThenTheSameAgainGoIntoEveryLineAtTheSave)
{
    CDlgNewShipment editor;
    Open(editor, kind().newMode);
    Grid *grid = editor.Grid();
    TypeIntoCell(grid, Grid::HeadRow, Grid::CompanyColumn, kind().company());
    TypeLine(grid, 2, screw, QStringLiteral("1"), QStringLiteral("50"));
    TypeLine(grid, 3, nut, QStringLiteral("2"), QStringLiteral("30"));
    clickButton(&editor, "1429");
    ASSERT_EQ(finance.requests.size(), 1u);
    EXPECT_EQ(finance.requests[0].mode, NewMode());
    EXPECT_EQ(finance.requests[0].companyName, kind().company());
    EXPECT_EQ(finance.requests[0].goodsBillCode, grid->CellText(Grid::HeadRow, Grid::CodeColumn));
    finance.amount = QStringLiteral("88.80");
    clickButton(&editor, "1429");
    ASSERT_EQ(finance.requests.size(), 2u);
    EXPECT_EQ(finance.requests[1].mode, NewMode() + 2);
    EXPECT_EQ(finance.requests[1].depositGuid, editor.DepositGuid());
    EXPECT_EQ(Field(&editor, "1119")->text(), QStringLiteral("88.80"));
    clickButton(&editor, "1112");
    EXPECT_EQ(editor.result(), 1);
    EXPECT_EQ(StoredColumn(db, kind(), "ImprestBillGuid, Imprest"),
        QStringList(2, editor.DepositGuid() + QStringLiteral("|88.80")));
    EXPECT_EQ(rowCount(db, kind().side().depositTable), 1);
}

TEST_P(DepositTest, AStoredBillsDepositWaitsForThePasswordAndALinkToAGoneBillIsCleared)
{
    const struct_button_financebill old = AddFinanceBillRow(db.db(), kind().party, QStringLiteral("收入单"),
        kind().company(), QStringLiteral("现金"), QStringLiteral("2011-05-01"), QStringLiteral("40.00"));
    const GoodsBillLines stored = GoodsBillStore(db.db(), kind().side()).LoadBill(StoreBill(old.GUID)[0].GUID);
    // Deleted on the finance side after the bill was loaded.
    db.exec(QStringLiteral("DELETE FROM %1").arg(kind().side().depositTable).toUtf8().constData());
    CDlgNewShipment editor;
    Open(editor, kind().changeMode, stored);
    EXPECT_FALSE(Button(&editor, "1429")->isEnabled());
    clickButton(&editor, "1429");
    EXPECT_TRUE(finance.requests.empty());
    Unlock(editor);
    // Closed without saving: nothing changes but the link to the gone bill.
    finance.saves = false;
    clickButton(&editor, "1429");
    finance.saves = true;
    finance.amount = QStringLiteral("25.00");
    clickButton(&editor, "1429");
    ASSERT_EQ(finance.requests.size(), 2u);
    for (const DepositEditor::Request &request : finance.requests)
        EXPECT_EQ(QString::number(request.mode) + request.depositGuid, QString::number(NewMode()));
    clickButton(&editor, "1112");
    EXPECT_EQ(editor.result(), 1);
    EXPECT_NE(editor.DepositGuid(), old.GUID);
    EXPECT_EQ(StoredColumn(db, kind(), "ImprestBillGuid, Imprest"),
        QStringList(2, editor.DepositGuid() + QStringLiteral("|25.00")));
}

TEST_P(DepositTest, LeavingAfterWritingADepositBillSaysItStaysWithItsAmount)
{
    for (const bool cancel : {true, false}) {
        user.clear();
        CDlgNewShipment editor;
        Open(editor, kind().newMode);
        TypeIntoCell(editor.Grid(), Grid::HeadRow, Grid::CompanyColumn, kind().company());
        finance.amount = QStringLiteral("66.60");
        clickButton(&editor, "1429");
        if (cancel)
            clickButton(&editor, "1113");
        else
            QTest::keyClick(&editor, Qt::Key_Escape);
        EXPECT_EQ(editor.result(), cancel ? 0 : 2);
        EXPECT_EQ(user.texts(), QStringList {QStringLiteral("订金单据（66.60 元）已经记入财务单据，取消本单据不会删除它。")});
    }
    EXPECT_EQ(rowCount(db, kind().side().depositTable), 2);
    EXPECT_EQ(rowCount(db, kind().table()), 0);
}

INSTANTIATE_TEST_SUITE_P(Sides, DepositTest, testing::ValuesIn(kBillSides), KindName);

// The editor as the running program opens it: the main window installs
// its launcher for its life, whose editor enters products through the
// main window's store page and deposits through its finance bill editor.
TEST_P(GoodsBillTest, TheMainWindowsEditorReachesItsStorePageAndFinanceBillEditor)
{
    {
        CDlgMainDlg main;
        GoodsBillEditorLauncher *launcher = GoodsBillEditorLauncher::current();
        ASSERT_NE(dynamic_cast<CDlgNewShipmentLauncher *>(launcher), nullptr);
        const auto fill = [](QWidget *dialog, const QStringList &texts) {
            const QList<QLineEdit *> edits = dialog->findChildren<QLineEdit *>();
            for (int i = 0; i < texts.size(); ++i)
                typeText(edits.at(i), texts.at(i));
        };
        user.onNextModal([&](QDialog *dialog) {
            TypeIntoCell(dynamic_cast<CDlgNewShipment &>(*dialog).Grid(), Grid::HeadRow, Grid::CompanyColumn,
                kind().company());
            user.onNextModal([&](QDialog *product) {
                fill(product, {"XJ-1", "新件", "大号", "件", "4", "6", "1"});
                clickButton(product, "1");
                return product->result();
            });
            clickButton(dialog, "1109");
            user.onNextModal([](QDialog *finance) {
                Field(finance, "1138")->selectAll();
                typeText(Field(finance, "1138"), QStringLiteral("50"));
                clickButton(finance, "1141");
                return finance->result();
            });
            clickButton(dialog, "1429");
            EXPECT_EQ(Field(dialog, "1119")->text(), QStringLiteral("50"));
            return 0;
        });
        GoodsBillEditRequest request;
        request.mode = kind().newMode;
        EXPECT_EQ(launcher->Run(nullptr, request), 0);
        EXPECT_EQ(user.modalDialogs, QStringList({"CDlgNewShipment", "CDlgNewProduct", "CDlgNewIncomeBill"}));
        EXPECT_EQ(main.m_pTabStore->RecordCount(), 3);
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT MoneyCount || ' ' || (instr(BillCode, 'DJ_') > 0) FROM %1")
                                .arg(kind().side().depositTable)
                                .toUtf8()
                                .constData()),
            QStringLiteral("50 1"));
    }
    EXPECT_EQ(GoodsBillEditorLauncher::current(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Sides, GoodsBillTest, testing::ValuesIn(kBillSides), KindName);

// The printed bill, written as a PDF and read back: the title by the
// bill's kind, the header and totals, six detail rows, and the deposit
// only when the print option says so.
TEST(PrintedBill, TitleHeaderSixRowsAndTheDepositByTheOption)
{
    for (const auto &[mode, billType, title, withDeposit] :
        {std::tuple {2, "出货单", "产品出货单", true}, std::tuple {3, "退货单", "产品退货单", false},
            std::tuple {12, "进货单", "产品进货单", false}}) {
        SCOPED_TRACE(mode);
        TestDatabase db;
        ScriptedInteraction user;
        CapturedReports captured;
        const GoodsBillSide &side = GoodsBillSide::ForMode(mode);
        db.exec("UPDATE tbl_MiscOption SET OptionValue = ? WHERE OptionName = '退货单打印格式设置'",
            {withDeposit ? QStringLiteral("含订金") : QStringLiteral("不含订金")});
        const QString deposit = AddFinanceBillRow(db.db(), side.party, QStringLiteral("收入单"), QStringLiteral("甲公司"),
            QStringLiteral("现金"), QStringLiteral("2011-05-02"), QStringLiteral("7.50"))
                                    .GUID;
        const QString guid = AddGoodsBillRows(db.db(), side.party, QString::fromUtf8(billType), QStringLiteral("甲公司"),
            QStringLiteral("2011-05-02"), {{"LS-3", "螺丝钉", "M3", "3", "2.50"}, {"LM-3", "螺母件", "M3", "2", "10"}},
            deposit)[0]
                                 .GUID;
        CDlgNewShipment editor;
        editor.SetIntMember(mode);
        editor.SetBillRows(GoodsBillStore(db.db(), side).LoadBill(guid));
        ShowEditor(editor);
        clickButton(&editor, "1115");
        ASSERT_NE(captured.last(), nullptr);
        EXPECT_EQ(captured.last()->recordCount(), 6);
        EXPECT_EQ(captured.last()->parameterText(QStringLiteral("LoanMoney")), QStringLiteral("20.00"));
        const QString text = captured.lastPdfText();
        for (const char *expected :
            {title, "甲公司", "2011-05-02", "螺丝钉", "螺母件", "7.50", "20.00", "27.50", "欠款："})
            EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
        EXPECT_TRUE(QString(text).remove(QLatin1Char(' ')).contains(QStringLiteral("贰拾柒元伍角零分")));
        EXPECT_EQ(text.contains(QStringLiteral("订金：")), withDeposit) << text.toStdString();
    }
}
