#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QRegularExpression>

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
    void Open(CDlgNewShipment& editor, int mode, const GoodsBillLines& lines = {})
    {
        editor.SetIntMember(mode);
        editor.SetBillRows(lines);
        editor.SetGoodsTab(salesPage);
        editor.SetProviderGoodsTab(purchasePage);
        editor.SetReportPage(&report);
        ShowEditor(editor);
    }
    QWidget* Tile() const
    {
        return salesPage ? static_cast<QWidget*>(salesPage->BillTile(0)) : purchasePage->BillTile(0);
    }
    QStringList ShownGuids() const
    {
        QStringList guids;
        for (const struct_button_goodsbill& line : page->ShownBills())
            guids << line.GUID;
        return guids;
    }
    static QStringList Line(Grid* grid, int row)
    {
        QStringList texts;
        for (int column = Grid::CodeCol; column <= Grid::AmountCol; ++column)
            texts << grid->CellText(row, column);
        return texts;
    }
    QString Said(const char* text) const { return QString::fromUtf8(text).arg(kind().side().sideWord); }
    // The finance editor's mode of a new deposit bill of the kind; +2 for
    // its existing one.
    int DepositMode() const { return kind().isSales() ? 20 : 17; }

    CDlgNewShipmentLauncher launcher;
    ScriptedDepositEditor finance {db.db()};
    CDlgTabGoods* salesPage = nullptr;
    CDlgTabProviderGoods* purchasePage = nullptr;
    std::unique_ptr<GoodsBillPage> page;
    CDlgTabData_Provider report;
};

} // namespace

TEST_P(EditorTest, ANewBillIsWrittenWithItsStockAndDepositThenAnnouncedAndShown)
{
    // Both sides' parties exist; the nut has a price of the bill's party
    // and another one of the other side's party of the same name.
    for (const char* name : {"张三商行", "阿里公司", "张三商行", ""}) {
        AddClientRow(db.db(), name);
        AddProviderRow(db.db(), QString::fromUtf8(name).prepend(*name ? "供" : ""));
    }
    PriceListStore(db.db(), kind().party).AddPrice(kind().company(), nut.GUID, "9.50");
    PriceListStore(db.db(), kind().isSales() ? PartyProvider : PartyClient).AddPrice(kind().company(), nut.GUID, "1");
    CDlgNewShipment editor;
    Open(editor, kind().newMode);
    Grid* grid = editor.Grid();
    EXPECT_EQ(editor.windowTitle(), kind().isSales() ? "销售管理 － 新增产品出货单" : "采购管理 － 新增产品进货单");
    // A new bill offers neither 新增单价, delete, 修改 nor 打印.
    for (const char* hidden : {"1110", "1111", "1114", "1115"})
        EXPECT_FALSE(Button(&editor, hidden)->isVisible()) << hidden;
    // Only the side's parties, once each, in Chinese order.
    EXPECT_EQ(grid->CompanyNames(),
        kind().isSales() ? QStringList({"阿里公司", "甲客户", "张三商行"})
                         : QStringList({"供阿里公司", "供张三商行", "乙供应商"}));
    EXPECT_EQ(grid->CellText(Grid::HeadRow, Grid::DateColumn) + grid->CellText(Grid::HeadRow, Grid::CodeColumn),
        QLatin1String(kind().isSales() ? "2011-05-03XS_CH_20110503" : "2011-05-03CG_JH_20110503"));
    EXPECT_FALSE(grid->item(2, Grid::AmountCol)->flags() & Qt::ItemIsEditable);

    // Without a name the variant button opens nothing; pickers closed
    // without a choice change nothing. No company yet: the screw at the
    // product's own price of the side, the line recomputed at once.
    PressPickerButton(grid, 2, Grid::SpecCol);
    EXPECT_TRUE(user.modalDialogs.isEmpty());
    TypeIntoCell(grid, 2, Grid::CountCol, "3");
    Choose<CDlgSelProductDlg>(user, screw.ProductName);
    PressPickerButton(grid, 2, Grid::NameCol);
    Choose<CDlgSelProductSpecDlg>(user, screw.ProductSpec);
    PressPickerButton(grid, 2, Grid::SpecCol);
    PressPickerButton(grid, 2, Grid::NameCol);
    PressPickerButton(grid, 2, Grid::SpecCol);
    const double own = StrToDouble(kind().isSales() ? screw.ShipmentUnitPrice : screw.StockUnitPrice);
    EXPECT_EQ(Line(grid, 2), QStringList({"LS-3", "螺丝", "M3", "个", "3", DoubleToStr(own), DoubleToStr(3 * own)}));
    // The company chosen from the list or typed: the nut at the party's price.
    QLineEdit* company = StartEditing(grid, Grid::HeadRow, Grid::CompanyColumn);
    EXPECT_EQ(qobject_cast<QComboBox*>(company->parentWidget())->count(), 3);
    typeText(company, kind().company());
    PressEnter(company);
    PickLine(user, grid, 3, nut, "2");
    EXPECT_EQ(grid->CellText(3, Grid::AmountCol), "19.00");
    struct_button_storeproduct gone = screw;
    gone.ProductSpec = "M9";
    TypeLine(grid, 4, gone, "0.125", "2");
    typeText(Field(&editor, "1124"), "小王");

    // Enter writes nothing; 设置订金 without a finance bill editor says so.
    QTest::keyClick(Field(&editor, "1117"), Qt::Key_Return);
    QTest::keyClick(&editor, Qt::Key_Enter);
    DepositEditor::install(nullptr);
    clickButton(&editor, "1429");
    DepositEditor::install(&finance);
    // A count beyond cents is refused, the cursor on it.
    grid->setCurrentCell(Grid::HeadRow, 0);
    clickButton(&editor, "1112");
    EXPECT_EQ(user.texts(), QStringList({"现在不能打开财务单据窗口，订金没有记录。", "第 3 行的“数量”最多两位小数。"}));
    EXPECT_EQ(std::pair(grid->currentRow(), grid->currentColumn()), std::pair(4, int(Grid::CountCol)));
    TypeIntoCell(grid, 4, Grid::CountCol, "1");

    // A new deposit bill for the party and this bill, then the same again.
    clickButton(&editor, "1429");
    finance.amount = "88.80";
    clickButton(&editor, "1429");
    ASSERT_EQ(finance.requests.size(), 2u);
    EXPECT_EQ(finance.requests[0].mode, DepositMode());
    EXPECT_EQ(finance.requests[0].companyName, kind().company());
    EXPECT_EQ(finance.requests[0].goodsBillCode, grid->CellText(Grid::HeadRow, Grid::CodeColumn));
    EXPECT_EQ(finance.requests[1].mode, DepositMode() + 2);
    EXPECT_EQ(finance.requests[1].depositGuid, editor.DepositGuid());
    EXPECT_EQ(Field(&editor, "1119")->text(), "88.80");

    // A write that fails shows the error and writes nothing.
    user.clear();
    FailWrites(db, "tbl_StoreMgr", "UPDATE");
    clickButton(&editor, "1112");
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
    EXPECT_TRUE(user.lastText().startsWith(Said("保存%1单据失败。"))) << user.lastText().toStdString();
    EXPECT_FALSE(user.lastText().contains("disk"));
    EXPECT_EQ(rowCount(db, kind().table()), 0);

    DropFailure(db);
    user.clear();
    clickButton(&editor, "1112");
    EXPECT_EQ(editor.result(), 1);
    EXPECT_EQ(
        user.texts(), QStringList {Said("新增%1单据成功。\n以下货品在仓库中没有记录，库存没有变动：螺丝（M9）。")});
    EXPECT_EQ(StockOf(db, screw.ProductCode), Moved(10, 3));
    EXPECT_EQ(StockOf(db, nut.ProductCode), Moved(5, 2));
    // One GUID, the lines in order, the bill's header in every line.
    const QStringList guids = StoredColumn(db, kind(), "GUID");
    ASSERT_EQ(guids.size(), 3);
    EXPECT_EQ(guids, QStringList(3, guids[0]));
    EXPECT_EQ(guids[0].size(), 36);
    EXPECT_EQ(StoredColumn(db, kind(), "ProductName, ProductAmount"), QStringList({"螺丝|3", "螺母|2", "螺丝|1"}));
    const QString total = DoubleToStr(3 * own + 19 + 2);
    EXPECT_EQ(StoredColumn(db, kind(),
                  "BillType, InputDate, CompanyName, SumMoney, CapMoney, SellerName, Imprest, ImprestBillGuid, "
                  "EnableImprest"),
        QStringList(3,
            QStringList({kind().type(), "2011-05-03", kind().company(), total, CapitalNumerals::Format(total), "小王",
                            "88.80", editor.DepositGuid(), "禁用预付款"})
                .join(QLatin1Char('|'))));
    EXPECT_EQ(ShownGuids(), QStringList {guids[0]});
}

TEST_P(EditorTest, AStoredBillWaitsForThePasswordThenChangesByTheNetCount)
{
    // Stored header texts longer than a person may type stay whole. The
    // deposit bill is deleted on the finance side after the bill was loaded.
    const QString deposit
        = AddFinanceBillRow(db.db(), kind().party, "收入单", kind().company(), "现金", "2011-05-01", "12345678901.50")
              .GUID;
    GoodsBillLines stored = GoodsBillStore(db.db(), kind().side()).LoadBill(StoreBill(deposit).front().GUID);
    db.exec(QStringLiteral("DELETE FROM %1").arg(kind().side().depositTable).toUtf8().constData());
    const QString seller(240, QChar(0x738b));
    const QString remark(300, QChar(0x5907));
    for (struct_button_goodsbill& line : stored) {
        line.SellerName = seller;
        line.BillRemark = remark;
    }
    page->RelistCurrentPage();
    report.ShowSearchResult(GoodsBillQuery());
    CDlgNewShipment editor;
    Open(editor, kind().changeMode, stored);
    Grid* grid = editor.Grid();
    EXPECT_EQ(editor.windowTitle(), kind().isSales() ? "销售管理 － 新增产品出货单" : "采购管理 － 修改产品进货单");
    EXPECT_TRUE(grid->IsCompanyLocked());
    EXPECT_EQ(grid->CellText(Grid::HeadRow, Grid::CompanyColumn) + grid->CellText(3, Grid::NameCol)
            + grid->CellText(grid->TotalsRow(), Grid::TotalColumn) + Field(&editor, "1119")->text(),
        kind().company() + "螺母9.5012345678901.50");

    // 新增单价 opens the party's own price list, before the password too.
    user.onNextModal([&](QDialog* dialog) {
        EXPECT_EQ(dynamic_cast<CDlgPriceListDlg&>(*dialog).Side(), kind().party);
        EXPECT_EQ(dialog->findChild<QLabel*>("1282")->text(), kind().company());
        return 0;
    });
    clickButton(&editor, "1110");
    EXPECT_EQ(user.modalDialogs, QStringList {"CDlgPriceListDlg"});

    // Before the password no key, paste or picker changes a cell or a head
    // field: 打印 prints the bill as stored.
    CapturedReports captured;
    QGuiApplication::clipboard()->setText("9");
    for (const int column : {Grid::CountCol, Grid::PriceCol, Grid::NameCol}) {
        grid->setCurrentCell(2, column);
        QTest::keyClick(grid, Qt::Key_F2);
        QLineEdit* edit = OpenEdit(grid);
        EXPECT_EQ(edit, nullptr);
        // Had one opened, the person types into it.
        if (edit) {
            typeText(edit, "9");
            PressEnter(edit);
        }
        QTest::keyClick(grid, Qt::Key_Delete);
        QTest::keySequence(grid, QKeySequence::Paste);
    }
    for (const char* id : {"1124", "1117"}) {
        Field(&editor, id)->selectAll();
        QTest::keyClick(Field(&editor, id), Qt::Key_Delete);
    }
    EXPECT_EQ(Field(&editor, "1124")->text() + Field(&editor, "1117")->text(), seller + remark);
    clickButton(&editor, "1115");
    ASSERT_NE(captured.last(), nullptr);
    for (int i = 0; i < 2; ++i) {
        const struct_button_goodsbill& l = stored[std::size_t(i)];
        const QStringList texts {l.ProductCode, l.ProductName, l.ProductSpec, l.ProductUnit, l.ProductAmount,
            l.ProductUnitPrice, l.ProductPrice};
        EXPECT_EQ(Line(grid, 2 + i), texts);
        EXPECT_EQ(captured.last()->records().value(i).mid(0, 7), texts);
    }
    EXPECT_EQ(captured.last()->parameterText("ProductSumPrice"), "9.50");

    // 确定, 删除 and 设置订金 wait for the password; no button moves when
    // they show.
    const auto unlocked = [&] {
        return QList<bool> {Button(&editor, "1112")->isVisible(), Button(&editor, "1111")->isVisible(),
            Button(&editor, "1429")->isEnabled()};
    };
    const auto places = [&] {
        QCoreApplication::processEvents();
        QList<QRect> rects;
        for (const char* id : {"1109", "1110", "1114", "1115", "1111", "1112", "1113"})
            rects << Button(&editor, id)->geometry();
        return rects;
    };
    const QList<QRect> before = places();
    EXPECT_FALSE(before[2].intersects(before[4])) << "删 除 where 修改 is";
    clickButton(&editor, "1429");
    AnswerPassword(user, "wrong");
    clickButton(&editor, "1114");
    EXPECT_EQ(user.texts(), QStringList {"密码输入错误，请重新输入。"});
    EXPECT_EQ(unlocked(), QList<bool>(3, false));
    // A cancelled prompt says nothing.
    clickButton(&editor, "1114");
    EXPECT_EQ(user.texts().size(), 1);
    Unlock(editor);
    EXPECT_EQ(unlocked(), QList<bool>(3, true));
    EXPECT_EQ(places(), before);
    // The link to the gone deposit bill is cleared: a closed finance editor
    // changes nothing else, then a new deposit bill is made.
    finance.saves = false;
    clickButton(&editor, "1429");
    finance.saves = true;
    finance.amount = "25.00";
    clickButton(&editor, "1429");
    ASSERT_EQ(finance.requests.size(), 2u);
    for (const DepositEditor::Request& request : finance.requests)
        EXPECT_EQ(QString::number(request.mode) + request.depositGuid, QString::number(DepositMode()));

    // 3 screws become 5; the nuts' line is cleared and typed one row down:
    // the gap is refused, not dropped.
    user.clear();
    TypeIntoCell(grid, 2, Grid::CountCol, "5");
    TypeLine(grid, 4, nut, "4", "1");
    TypeLine(grid, 3, {}, "", "");
    clickButton(&editor, "1112");
    EXPECT_EQ(user.texts(), QStringList {"请填写 ‘货品编号’。"});
    EXPECT_EQ(grid->currentRow(), 3);

    // The gap closed; a write that fails changes nothing.
    TypeLine(grid, 3, nut, "4", "1");
    TypeLine(grid, 4, {}, "", "");
    TypeIntoCell(grid, Grid::HeadRow, Grid::CodeColumn, "NEW-CODE");
    FailWrites(db, "tbl_StoreMgr", "UPDATE");
    clickButton(&editor, "1112");
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(StoredColumn(db, kind(), "ProductAmount"), QStringList({"3", "2"}));
    EXPECT_EQ(StockOf(db, screw.ProductCode), "10");

    DropFailure(db);
    user.clear();
    clickButton(&editor, "1112");
    EXPECT_EQ(editor.result(), 1);
    EXPECT_EQ(user.texts(), QStringList {Said("修改%1单据成功。")});
    const QString line = QStringList({stored[0].GUID, seller, remark, "16.50", editor.DepositGuid(), "25.00", ""})
                             .join(QLatin1Char('|'));
    EXPECT_EQ(
        StoredColumn(db, kind(), "GUID, SellerName, BillRemark, SumMoney, ImprestBillGuid, Imprest, ProductAmount"),
        QStringList({line + "5", line + "4"}));
    // The fixture's stock knows nothing of the stored bill: only the net
    // change moves it.
    EXPECT_EQ(StockOf(db, screw.ProductCode), Moved(10, 2));
    EXPECT_EQ(StockOf(db, nut.ProductCode), Moved(5, 2));
    EXPECT_EQ(page->ShownBills().front().SumMoney, "16.50");
    EXPECT_EQ(report.List().Text(0, GoodsBillListModel::ColumnCode), "NEW-CODE");
    EXPECT_TRUE(report.List().Text(0, GoodsBillListModel::ColumnAmount).endsWith("16.50"));
}

TEST_P(EditorTest, DeletesGiveBackTheStoredLinesAndTakeTheBillOffThePages)
{
    const struct_button_financebill deposit
        = AddFinanceBillRow(db.db(), kind().party, "收入单", kind().company(), "现金", "2011-05-01", "40.00");
    const GoodsBillLines stored = StoreBill(deposit.GUID);
    const GoodsBillLines gone = StoreBill();
    const GoodsBillLines goneToo = StoreBill();
    const QString tiled = StoreBill(deposit.GUID)[0].GUID;
    page->RelistCurrentPage();
    report.ShowSearchResult(GoodsBillQuery());
    // Two bills were deleted elsewhere, one product is no longer in the store.
    for (const GoodsBillLines* bill : {&gone, &goneToo})
        db.exec(QStringLiteral("DELETE FROM %1 WHERE GUID = ?").arg(kind().table()).toUtf8().constData(),
            {(*bill)[0].GUID});
    db.exec("DELETE FROM tbl_StoreMgr WHERE ProductCode = ?", {nut.ProductCode});
    for (const GoodsBillLines* bill : {&stored, &gone, &goneToo}) {
        CDlgNewShipment editor;
        Open(editor, kind().reportMode, *bill);
        Unlock(editor);
        TypeIntoCell(editor.Grid(), 2, Grid::CountCol, "30");
        user.clear();
        if (bill != &stored) {
            // Deleted since it was opened: not written again, nor deleted
            // again; its row goes.
            QStringList said {"该单据已不存在，可能已被删除。"};
            if (bill == &goneToo) {
                said.prepend("确定要删除这个单据吗？");
                user.answerQuestion(true);
            }
            clickButton(&editor, bill == &gone ? "1112" : "1111");
            EXPECT_EQ(user.texts(), said);
            EXPECT_EQ(editor.result(), 0);
            EXPECT_EQ(report.List().rowCount(), bill == &gone ? 2 : 1);
            continue;
        }
        // 否 keeps everything; the question says that the deposit bill stays.
        clickButton(&editor, "1111");
        EXPECT_EQ(user.texts(),
            QStringList {QStringLiteral(
                "确定要删除这个单据吗？\n订金单据 %1（40.00 元）已经记入财务单据，删除本单据不会删除它。")
                             .arg(deposit.BillCode)});
        EXPECT_EQ(report.List().rowCount(), 4);
        user.answerQuestion(true);
        clickButton(&editor, "1111");
        EXPECT_EQ(editor.result(), 1);
        EXPECT_EQ(user.lastText(), "以下货品在仓库中没有记录，库存没有变动：螺母（M3）。");
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
    db.exec("DELETE FROM tbl_StoreMgr");
    user.onNextModal([&](QDialog* dialog) {
        auto& editor = dynamic_cast<CDlgNewShipment&>(*dialog);
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
    EXPECT_TRUE(user.texts()[1].startsWith("删除单据失败。"));
    EXPECT_EQ(rowCount(db, kind().table()), 0);
    EXPECT_TRUE(ShownGuids().isEmpty());
    EXPECT_FALSE(Tile()->isVisible());
    EXPECT_EQ(user.texts()[3], "以下货品在仓库中没有记录，库存没有变动：螺丝（M3）、螺母（M3）。");
}

TEST_P(EditorTest, ABillOfAPartysWindowKeepsThePartyAndTheLauncherAnswersWhetherItSaved)
{
    GoodsBillEditRequest request;
    request.lines = {struct_button_goodsbill()};
    request.lines[0].CompanyName = kind().company();
    finance.amount = "66.60";
    // 6 and 7 on the sales side, 16 and 17 on the purchase side: left with
    // 取消 or Esc after a deposit bill was written, then saved.
    for (const int mode : {kind().newMode + 6, kind().newMode + 7}) {
        request.mode = mode;
        user.onNextModal([&](QDialog* dialog) {
            clickButton(dialog, "1429");
            if (mode % 2 == 0)
                clickButton(dialog, "1113");
            else
                QTest::keyClick(dialog, Qt::Key_Escape);
            EXPECT_EQ(dialog->result(), mode % 2 == 0 ? 0 : 2);
            return dialog->result();
        });
        EXPECT_EQ(launcher.Run(nullptr, request), 0);
        EXPECT_EQ(user.lastText(), "订金单据（66.60 元）已经记入财务单据，取消本单据不会删除它。");
        user.onNextModal([&](QDialog* dialog) {
            Grid* grid = dynamic_cast<CDlgNewShipment&>(*dialog).Grid();
            EXPECT_EQ(grid->CellText(Grid::HeadRow, Grid::CompanyColumn), kind().company());
            EXPECT_TRUE(grid->IsCompanyLocked());
            PickLine(user, grid, 2, screw, "1");
            clickButton(dialog, "1112");
            return dialog->result();
        });
        EXPECT_EQ(launcher.Run(nullptr, request), 1) << mode;
    }
    EXPECT_EQ(rowCount(db, kind().side().depositTable), 2);
    EXPECT_EQ(StoredColumn(db, kind(), "BillType"), QStringList({kind().type(), kind().other().type()}));
    // One of each kind: the stock is where it started.
    EXPECT_EQ(StockOf(db, screw.ProductCode), "10.00");
}

TEST_P(EditorTest, AStoredBillKeepsEveryLineAndItsListTexts)
{
    // A file written elsewhere: eight lines, totals that do not add up, a
    // voucher no longer in its list.
    std::vector<FixtureLine> lines;
    for (int i = 1; i <= 8; ++i)
        lines.push_back({screw.ProductCode, screw.ProductName, screw.ProductSpec, QString::number(i), "1"});
    const QString guid
        = AddGoodsBillRows(db.db(), kind().party, kind().type(), kind().company(), "2011-05-02", lines)[0].GUID;
    db.exec(
        QStringLiteral("UPDATE %1 SET SumMoney = '1.00', CapMoney = '壹元 零角 零分 ', EnableImprest = '启用预付款', "
                       "voucher = '旧凭证', AccountName = '现金', IncomeType = '货款', FundType = '现金'")
            .arg(kind().table())
            .toUtf8()
            .constData());
    CDlgNewShipment editor;
    Open(editor, kind().changeMode, GoodsBillStore(db.db(), kind().side()).LoadBill(guid));
    Grid* grid = editor.Grid();
    EXPECT_EQ(grid->LineRowCount(), 8);
    EXPECT_EQ(grid->CellText(9, Grid::CountCol) + grid->CellText(grid->TotalsRow(), Grid::TotalColumn), "81.00");
    auto* voucher = editor.findChild<QComboBox*>("1123");
    EXPECT_EQ(voucher->currentText(), "旧凭证");
    EXPECT_TRUE(voucher->isEnabled());
    Unlock(editor);
    clickButton(&editor, "1112");
    EXPECT_EQ(editor.result(), 1);
    QStringList expected;
    for (int i = 1; i <= 8; ++i)
        expected << QString::number(i) + "|36.00|参拾 陆元 零角 零分 |旧凭证|启用预付款";
    EXPECT_EQ(StoredColumn(db, kind(), "ProductAmount, SumMoney, CapMoney, voucher, EnableImprest"), expected);
    EXPECT_EQ(StrToDouble(StockOf(db, screw.ProductCode)), 10.0);
}

TEST_P(EditorTest, EveryKeyOfACountOrPriceRecomputesAmountTotalAndCapitalText)
{
    CDlgNewShipment editor;
    Open(editor, kind().newMode);
    Grid* grid = editor.Grid();
    const auto totals = [&] {
        return grid->CellText(grid->TotalsRow(), Grid::TotalColumn) + '|'
            + grid->CellText(grid->TotalsRow(), Grid::CapitalColumn);
    };
    TypeIntoCell(grid, 2, Grid::CodeCol, "A1");
    TypeIntoCell(grid, 2, Grid::PriceCol, "2.50");
    QLineEdit* count = StartEditing(grid, 2, Grid::CountCol);
    // At once, while the cell is still being edited.
    typeText(count, "3");
    EXPECT_EQ(grid->CellText(2, Grid::AmountCol), "7.50");
    EXPECT_EQ(totals(), "7.50|柒元 伍角 零分 ");
    typeText(count, "0");
    EXPECT_EQ(totals(), "75.00|柒拾 伍元 零角 零分 ");
    // Delete inside the edit sends no character, and still counts; so does
    // a paste.
    QTest::keyClick(count, Qt::Key_Backspace);
    count->setCursorPosition(0);
    QTest::keyClick(count, Qt::Key_Delete);
    EXPECT_EQ(totals(), "0.00|零元 零角 零分 ");
    QGuiApplication::clipboard()->setText("4");
    QTest::keySequence(count, QKeySequence::Paste);
    EXPECT_EQ(totals(), "10.00|壹拾 零元 零角 零分 ");
    PressEnter(count);
    EXPECT_EQ(grid->CellText(2, Grid::CountCol), "4");
    // Esc gives back the cell, and with it the figures it decides.
    for (const int column : {Grid::CountCol, Grid::PriceCol}) {
        QLineEdit* edit = StartEditing(grid, 2, column);
        edit->selectAll();
        typeText(edit, "9");
        QTest::keyClick(edit, Qt::Key_Escape);
        EXPECT_EQ(Line(grid, 2), QStringList({"A1", "", "", "", "4", "2.50", "10.00"})) << column;
        EXPECT_EQ(totals(), "10.00|壹拾 零元 零角 零分 ") << column;
    }

    // A count or price holds twelve characters, typed or pasted; on a
    // selected cell Delete and a paste recompute too.
    TypeIntoCell(grid, 3, Grid::CountCol, "1234567890123");
    EXPECT_EQ(grid->CellText(3, Grid::CountCol), "123456789012");
    TypeIntoCell(grid, 3, Grid::PriceCol, "100");
    QTest::keyClick(StartEditing(grid, 3, Grid::CountCol), Qt::Key_Escape);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(Line(grid, 3), QStringList({"", "", "", "", "", "100", "0.00"}));
    QGuiApplication::clipboard()->setText("2.00000000000000\nignored");
    QTest::keySequence(grid, QKeySequence::Paste);
    EXPECT_EQ(Line(grid, 3), QStringList({"", "", "", "", "2.0000000000", "100", "200.00"}));
    // A line without a code counts in the total once it gets one.
    EXPECT_EQ(totals(), "10.00|壹拾 零元 零角 零分 ");
    TypeIntoCell(grid, 3, Grid::CodeCol, "B1");
    EXPECT_EQ(totals(), "210.00|贰佰 壹拾 零元 零角 零分 ");
}

TEST_P(EditorTest, ADeleteShowsTheFirstPage)
{
    // Seven bills: four on the first page, three on the last.
    for (int i = 0; i < 7; ++i)
        StoreBill();
    const auto deleteOnTheLastPage = [&](auto open) {
        page->ShowLastPage();
        ASSERT_EQ(page->PageIndex(), 1);
        user.onNextModal([&](QDialog* dialog) {
            Unlock(dynamic_cast<CDlgNewShipment&>(*dialog));
            user.answerQuestion(true);
            clickButton(dialog, "1111");
            return dialog->result();
        });
        open(page->ShownBills().front().GUID);
    };
    // From the report page, through the editor.
    deleteOnTheLastPage([&](const QString& guid) {
        CDlgNewShipment editor;
        editor.SetIntMember(kind().reportMode);
        editor.SetBillRows(GoodsBillStore(db.db(), kind().side()).LoadBill(guid));
        editor.SetGoodsTab(salesPage);
        editor.SetProviderGoodsTab(purchasePage);
        editor.SetReportPage(&report);
        Interaction::current().runModal(&editor);
    });
    EXPECT_EQ(page->PageLine(), "共 6 条记录，第 1 / 2 页。");
    // From its tile, through the page.
    deleteOnTheLastPage([&](const QString&) { QTest::mouseClick(Tile(), Qt::LeftButton); });
    EXPECT_EQ(page->PageLine(), "共 5 条记录，第 1 / 2 页。");
    EXPECT_EQ(page->ShownBills().size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(Sides, EditorTest, testing::ValuesIn(kBillSides), KindName);

// The editor as the running program opens it: the main window installs
// its launcher for its life, whose editor enters products through the
// main window's store page and deposits through its finance bill editor.
TEST_P(GoodsBillTest, TheMainWindowsEditorReachesItsStorePageAndFinanceBillEditor)
{
    {
        CDlgMainDlg main;
        GoodsBillEditorLauncher* launcher = GoodsBillEditorLauncher::current();
        ASSERT_NE(dynamic_cast<CDlgNewShipmentLauncher*>(launcher), nullptr);
        user.onNextModal([&](QDialog* dialog) {
            TypeIntoCell(
                dynamic_cast<CDlgNewShipment&>(*dialog).Grid(), Grid::HeadRow, Grid::CompanyColumn, kind().company());
            user.onNextModal([](QDialog* product) {
                const QStringList texts {"XJ-1", "新件", "大号", "件", "4", "6", "1"};
                for (int i = 0; i < texts.size(); ++i)
                    typeText(product->findChildren<QLineEdit*>().at(i), texts[i]);
                clickButton(product, "1");
                return product->result();
            });
            clickButton(dialog, "1109");
            user.onNextModal([](QDialog* finance) {
                Field(finance, "1138")->selectAll();
                typeText(Field(finance, "1138"), "50");
                clickButton(finance, "1141");
                return finance->result();
            });
            clickButton(dialog, "1429");
            EXPECT_EQ(Field(dialog, "1119")->text(), "50");
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
            "50 1");
    }
    EXPECT_EQ(GoodsBillEditorLauncher::current(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Sides, GoodsBillTest, testing::ValuesIn(kBillSides), KindName);

// The printed bill, written as a PDF and read back: the title by the
// bill's kind, the header and totals, six detail rows, and the deposit
// only when the print option says so.
TEST(PrintedBill, TitleHeaderSixRowsAndTheDepositByTheOption)
{
    for (const auto& [mode, billType, title, withDeposit] : {std::tuple {2, "出货单", "产品出货单", true},
             std::tuple {3, "退货单", "产品退货单", false}, std::tuple {12, "进货单", "产品进货单", false}}) {
        SCOPED_TRACE(mode);
        TestDatabase db;
        ScriptedInteraction user;
        CapturedReports captured;
        const GoodsBillSide& side = GoodsBillSide::ForMode(mode);
        db.exec("UPDATE tbl_MiscOption SET OptionValue = ? WHERE OptionName = '退货单打印格式设置'",
            {withDeposit ? "含订金" : "不含订金"});
        const QString deposit
            = AddFinanceBillRow(db.db(), side.party, "收入单", "甲公司", "现金", "2011-05-02", "7.50").GUID;
        const QString guid = AddGoodsBillRows(db.db(), side.party, billType, "甲公司", "2011-05-02",
            {{"LS-3", "螺丝钉", "M3", "3", "2.50"}, {"LM-3", "螺母件", "M3", "2", "10"}}, deposit)[0]
                                 .GUID;
        CDlgNewShipment editor;
        editor.SetIntMember(mode);
        editor.SetBillRows(GoodsBillStore(db.db(), side).LoadBill(guid));
        ShowEditor(editor);
        clickButton(&editor, "1115");
        ASSERT_NE(captured.last(), nullptr);
        EXPECT_EQ(captured.last()->recordCount(), 6);
        EXPECT_EQ(captured.last()->parameterText("LoanMoney"), "20.00");
        const QString text = captured.lastPdfText();
        for (const char* expected : {title, "甲公司", "2011-05-02", "27.50", "欠款："})
            EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
        // Each line's cells in their columns: code, name, variant, count, unit price, amount.
        EXPECT_TRUE(text.contains(QRegularExpression("LS-3\\s+螺丝钉\\s+M3\\s+(\\S+\\s+)?3\\s+2.50\\s+7.50")));
        EXPECT_TRUE(text.contains(QRegularExpression("LM-3\\s+螺母件\\s+M3\\s+(\\S+\\s+)?2\\s+10\\s+20.00")))
            << text.toStdString();
        EXPECT_TRUE(QString(text).remove(' ').contains("贰拾柒元伍角零分"));
        EXPECT_EQ(text.contains("订金："), withDeposit) << text.toStdString();
    }
}
