#include "CDlgNewShipmentLauncher.h"
#include "CDlgMainDlg.h"
#include "CDlgTabStore.h"
#include "ShipmentEditorSupport.h"

// How the pages, the report pages and the parties' window open the goods
// bill editor: a request run by the launcher the main window installs.

TEST(GoodsBillLauncher, TheMainWindowInstallsItForItsLifeWithItsStorePage)
{
    TestDatabase db;
    ScriptedInteraction user;
    {
        CDlgMainDlg main;
        GoodsBillEditorLauncher* launcher = GoodsBillEditorLauncher::current();
        ASSERT_NE(dynamic_cast<CDlgNewShipmentLauncher*>(launcher), nullptr);
        // A product entered from the editor goes through the main window's
        // store page.
        user.onNextModal([&](QDialog* dialog) {
            user.onNextModal([](QDialog* product) {
                const QList<QLineEdit*> edits = product->findChildren<QLineEdit*>();
                const QStringList texts {QStringLiteral("XJ-1"), QStringLiteral("新件"), QStringLiteral("大号"),
                    QStringLiteral("件"), QStringLiteral("4"), QStringLiteral("6"), QStringLiteral("1")};
                for (int i = 0; i < texts.size(); ++i)
                    typeText(edits.at(i), texts.at(i));
                clickButton(product, "1");
                return product->result();
            });
            clickButton(dialog, "1109");
            dialog->reject();
            return dialog->result();
        });
        GoodsBillEditRequest request;
        EXPECT_EQ(launcher->Run(nullptr, request), 0);
        EXPECT_EQ(
            user.modalDialogs, QStringList({QStringLiteral("CDlgNewShipment"), QStringLiteral("CDlgNewProduct")}));
        EXPECT_EQ(main.m_pTabStore->RecordCount(), 1);
    }
    EXPECT_EQ(GoodsBillEditorLauncher::current(), nullptr);
}

TEST(GoodsBillLauncher, ANewBillForAPartyAnswersWhetherItWasSaved)
{
    TestDatabase db;
    ScriptedInteraction user;
    SetWorkingDate(QDate(2011, 5, 3));
    const struct_button_storeproduct screw = AddProductRow(
        db.db(), QStringLiteral("LS-3"), QStringLiteral("螺丝"), QStringLiteral("M3"), QStringLiteral("10"));
    CDlgNewShipmentLauncher launcher;
    GoodsBillEditRequest request;
    request.mode = 16;
    struct_button_goodsbill partyLine;
    partyLine.CompanyName = QStringLiteral("乙供应商");
    request.lines = {partyLine};

    // Closed without saving: 0.
    EXPECT_EQ(launcher.Run(nullptr, request), 0);

    user.onNextModal([&](QDialog* dialog) {
        auto* editor = dynamic_cast<CDlgNewShipment*>(dialog);
        EXPECT_EQ(editor->Mode(), 16);
        EXPECT_EQ(editor->windowTitle(), QStringLiteral("采购管理 － 新增产品进货单"));
        Grid* grid = editor->Grid();
        EXPECT_EQ(grid->CellText(Grid::HeadRow, Grid::CompanyColumn), QStringLiteral("乙供应商"));
        EXPECT_TRUE(grid->IsCompanyLocked());
        TypeLine(grid, 2, screw, QStringLiteral("4"), QStringLiteral("1"));
        clickButton(editor, "1112");
        return editor->result();
    });
    EXPECT_EQ(launcher.Run(nullptr, request), 1);
    EXPECT_EQ(db.scalar("SELECT BillType FROM tbl_goodsbill_shipment_provider"), QStringLiteral("进货单"));
    EXPECT_EQ(db.scalar("SELECT ProductStockCount FROM tbl_StoreMgr"), QStringLiteral("14.00"));
    SetWorkingDate(QDate());
}

TEST(GoodsBillLauncher, AStoredPurchaseBillReachesTheEditorWhole)
{
    TestDatabase db;
    ScriptedInteraction user;
    const GoodsBillLines stored = AddGoodsBillRows(db.db(), PartyProvider, QStringLiteral("退货单"),
        QStringLiteral("乙供应商"), QStringLiteral("2011-05-02"),
        {{"A1", "螺丝", "M3", "1", "5"}, {"B1", "螺母", "M4", "2", "3"}}, QStringLiteral("D-1"));
    CBCGPProviderGoodsBillButton tile;
    tile.SetRecord(ToPurchaseLayout(stored.front()));
    CDlgNewShipmentLauncher launcher;
    GoodsBillEditRequest request;
    request.mode = 13;
    request.lines = stored;
    request.purchaseTile = &tile;
    user.onNextModal([&](QDialog* dialog) {
        auto* editor = dynamic_cast<CDlgNewShipment*>(dialog);
        EXPECT_EQ(editor->windowTitle(), QStringLiteral("采购管理 － 修改产品退货单"));
        EXPECT_EQ(editor->Grid()->CellText(3, Grid::SpecCol), QStringLiteral("M4"));
        EXPECT_EQ(editor->DepositGuid(), QStringLiteral("D-1"));
        dialog->reject();
        return dialog->result();
    });
    EXPECT_EQ(launcher.Run(nullptr, request), 0);
    EXPECT_EQ(user.modalDialogs, QStringList {QStringLiteral("CDlgNewShipment")});
}
