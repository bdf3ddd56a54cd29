#include "CDlgTabData_Provider.h"
#include "GoodsBillListModel.h"
#include "GoodsBillPage.h"
#include "GoodsBillQuery.h"
#include "ShipmentEditorSupport.h"

// What the editor's writes show on the windows that opened it, only after
// they committed: the page of the side, the bill's tile and its row on the
// goods-bill report page.

namespace {

class EditorOnPages : public EditorSideTest
{
protected:
    void SetUp() override
    {
        EditorSideTest::SetUp();
        if (side.party == PartyClient) {
            salesPage = std::make_unique<CDlgTabGoods>(4, nullptr);
            page = salesPage.get();
        } else {
            purchasePage = std::make_unique<CDlgTabProviderGoods>(4, nullptr);
            page = purchasePage.get();
        }
        page->resize(1000, 600);
        page->show();
        report.SetSide(side.party == PartyClient ? BillListClient : BillListProvider);
    }

    // An editor as the page of the side opens it.
    void Address(CDlgNewShipment& editor, int mode)
    {
        editor.SetIntMember(mode);
        if (salesPage)
            editor.SetGoodsTab(salesPage.get());
        else
            editor.SetProviderGoodsTab(purchasePage.get());
    }
    QStringList ShownGuids() const
    {
        QStringList guids;
        for (const struct_button_goodsbill& line : page->ShownBills())
            guids << line.GUID;
        return guids;
    }
    QString ReportCell(int row, int column) const { return report.List().index(row, column).data().toString(); }
    struct_button_goodsbill FirstTileRecord() const
    {
        if (salesPage)
            return salesPage->BillTile(0)->record();
        return ToSalesLayout(purchasePage->BillTile(0)->record());
    }

    std::unique_ptr<CDlgTabGoods> salesPage;
    std::unique_ptr<CDlgTabProviderGoods> purchasePage;
    GoodsBillPage* page = nullptr;
    CDlgTabData_Provider report;
};

} // namespace

TEST_P(EditorOnPages, ANewBillShowsOnThePageOnlyOnceItIsWritten)
{
    ASSERT_EQ(page->RecordCount(), 0);
    db.exec("CREATE TRIGGER refuse_stock BEFORE UPDATE ON tbl_StoreMgr BEGIN SELECT RAISE(ABORT, 'full'); END");
    CDlgNewShipment editor;
    Address(editor, side.newMode);
    ShowEditor(editor);
    TypeIntoCell(editor.Grid(), Grid::HeadRow, Grid::CompanyColumn, Party(side));
    TypeLine(editor.Grid(), 2, screw, QStringLiteral("2"), QStringLiteral("4"));
    clickButton(&editor, "1112");
    EXPECT_TRUE(editor.isVisible());
    page->RelistCurrentPage();
    EXPECT_EQ(page->RecordCount(), 0);

    db.exec("DROP TRIGGER refuse_stock");
    user.clear();
    clickButton(&editor, "1112");
    EXPECT_EQ(editor.result(), 1);
    EXPECT_EQ(page->RecordCount(), 1);
    EXPECT_EQ(ShownGuids(), StoredColumn(db, side.party, "GUID"));
}

TEST_P(EditorOnPages, AChangedBillUpdatesItsTileAndItsReportRow)
{
    const GoodsBillLines stored = StoreBill();
    page->RelistCurrentPage();
    report.ShowSearchResult(GoodsBillQuery());
    ASSERT_EQ(report.List().rowCount(), 1);
    ASSERT_EQ(ShownGuids(), QStringList {stored.front().GUID});

    CDlgNewShipment editor;
    Address(editor, side.changeMode);
    editor.SetBillRows(stored);
    if (salesPage)
        editor.SetBillButton(salesPage->BillTile(0));
    else
        editor.SetProviderBillButton(purchasePage->BillTile(0));
    editor.SetReportPage(&report);
    ShowEditor(editor);
    Unlock(editor);
    TypeIntoCell(editor.Grid(), 2, Grid::CountCol, QStringLiteral("4"));
    TypeIntoCell(editor.Grid(), Grid::HeadRow, Grid::CodeColumn, QStringLiteral("NEW-CODE"));
    clickButton(&editor, "1112");
    EXPECT_EQ(editor.result(), 1);

    EXPECT_EQ(FirstTileRecord().ProductAmount, QStringLiteral("4"));
    EXPECT_EQ(FirstTileRecord().SumMoney, QStringLiteral("12.00"));
    EXPECT_EQ(ShownGuids(), QStringList {stored.front().GUID});
    ASSERT_EQ(report.List().rowCount(), 1);
    EXPECT_EQ(ReportCell(0, GoodsBillListModel::ColumnCode), QStringLiteral("NEW-CODE"));
    EXPECT_TRUE(ReportCell(0, GoodsBillListModel::ColumnAmount).contains(QStringLiteral("12.00")));
}

TEST_P(EditorOnPages, ADeleteFromTheReportPageRemovesItsRowAndRelistsThePage)
{
    const GoodsBillLines stored = StoreBill();
    const GoodsBillLines other = StoreBill();
    page->RelistCurrentPage();
    report.ShowSearchResult(GoodsBillQuery());
    ASSERT_EQ(report.List().rowCount(), 2);
    ASSERT_EQ(page->RecordCount(), 2);

    CDlgNewShipment editor;
    Address(editor, side.reportMode);
    editor.SetBillRows(stored);
    editor.SetReportPage(&report);
    ShowEditor(editor);
    Unlock(editor);
    user.answerQuestion(true);
    clickButton(&editor, "1111");
    EXPECT_EQ(editor.result(), 1);
    ASSERT_EQ(report.List().rowCount(), 1);
    EXPECT_EQ(ReportCell(0, GoodsBillListModel::ColumnGuid), other.front().GUID);
    EXPECT_EQ(page->RecordCount(), 1);
    EXPECT_EQ(ShownGuids(), QStringList {other.front().GUID});
}

INSTANTIATE_TEST_SUITE_P(Sides, EditorOnPages, testing::Values(kSalesSide, kPurchaseSide), SideName);
