#include "GoodsBillPage.h"

#include <QComboBox>
#include <QLabel>

#include <memory>

#include "CDlgSelBillDlg.h"
#include "Database.h"
#include "GoodsBillTestSupport.h"
#include "GoodsBillWriter.h"
#include "ScriptedInteraction.h"

// The 货品单据 pages on both sides: rows "sales" and "purchase" feed one
// body. Pages are made with four tiles and sized so that all four fit.

namespace {

constexpr int kTiles = 4;

class GoodsBillPageTest : public ::testing::TestWithParam<BillKind>
{
protected:
    void SetUp() override
    {
        SetWorkingDate(QDate(2011, 12, 31));
        db.exec("PRAGMA synchronous = OFF");
    }
    void TearDown() override { SetWorkingDateSource(nullptr); }

    const BillKind &kind() const { return GetParam(); }
    bool isSales() const { return kind().party == PartyClient; }
    const char *id(const char *sales, const char *purchase) const { return isSales() ? sales : purchase; }

    void open()
    {
        if (isSales())
            page = std::make_unique<CDlgTabGoods>(kTiles, nullptr);
        else
            page = std::make_unique<CDlgTabProviderGoods>(kTiles, nullptr);
        page->resize(1000, 600);
        page->show();
    }
    GoodsBillLines bill(const QString &date, const QStringList &codes = {QStringLiteral("A1")})
    {
        return AddBillRows(db, kind(), date, codes);
    }
    void chooseRange(int index)
    {
        page->findChild<QComboBox *>(QString::fromLatin1(id("1092", "1364")))->setCurrentIndex(index);
    }
    QString pageLine() const { return page->findChild<QLabel *>(QString::fromLatin1(id("1435", "1426")))->text(); }
    // The tiles that show, in order.
    std::vector<RecordCard *> shownTiles() const
    {
        std::vector<RecordCard *> shown;
        for (RecordCard *tile : page->findChildren<RecordCard *>(Qt::FindDirectChildrenOnly))
            if (tile->isVisible())
                shown.push_back(tile);
        return shown;
    }
    QStringList shownGuids() const
    {
        QStringList guids;
        for (const struct_button_goodsbill &line : page->ShownBills())
            guids << line.GUID;
        return guids;
    }
    // The range label and box stand in the top right corner, clear of the
    // tiles, with or without them.
    void expectRangeAtTopRight() const
    {
        QCoreApplication::processEvents();
        for (const char *control : {id("1345", "1363"), id("1092", "1364")}) {
            const QWidget *widget = page->findChild<QWidget *>(QString::fromLatin1(control));
            ASSERT_NE(widget, nullptr) << control;
            EXPECT_GE(widget->geometry().right(), page->width() - 10) << control;
            EXPECT_LE(widget->geometry().bottom(), 70) << control;
            for (const RecordCard *tile : shownTiles())
                EXPECT_FALSE(tile->geometry().intersects(widget->geometry())) << control;
        }
    }
    bool emptyPictureShown() const
    {
        return page->findChild<QLabel *>(QString::fromLatin1(id("1298", "1365")))->isVisible();
    }
    // As the tile's page removes it after the editor's delete.
    bool removeTile(int index)
    {
        if (isSales())
            return static_cast<CDlgTabGoods &>(*page).BillTile(index)->RemoveRecordButton();
        return static_cast<CDlgTabProviderGoods &>(*page).BillTile(index)->RemoveRecordButton();
    }

    TestDatabase db;
    ScriptedInteraction user;
    ScriptedLauncher launcher;
    std::unique_ptr<GoodsBillPage> page;
};

} // namespace

TEST_P(GoodsBillPageTest, StartsOnTheWorkingDateAndFiltersByDayOrMonthAcrossMonthAndYearEnds)
{
    const QString lastOfYear = bill(QStringLiteral("2011-12-31"))[0].GUID;
    const QString firstOfDecember = bill(QStringLiteral("2011-12-01"))[0].GUID;
    bill(QStringLiteral("2011-11-30"));
    bill(QStringLiteral("2012-01-01"));
    AddBillRows(db, kBillKinds[isSales() ? 2 : 0], QStringLiteral("2011-12-31")); // the other side
    open();
    EXPECT_EQ(shownGuids(), QStringList{lastOfYear});
    EXPECT_EQ(pageLine(), QStringLiteral("共 1 条记录，第 1 / 1 页。"));
    // Listing at opening is no recompute for the main window.
    EXPECT_TRUE(page->ComputedDate().isEmpty());

    chooseRange(1);
    EXPECT_EQ(shownGuids(), QStringList({lastOfYear, firstOfDecember}));
    page->ChangeDate(QStringLiteral("2012-01-01"));
    EXPECT_EQ(page->RecordCount(), 1);
    EXPECT_EQ(page->ComputedDate(), QStringLiteral("2012-01-01"));
    page->ChangeDate(QStringLiteral("2011-11-01"));
    EXPECT_EQ(page->RecordCount(), 1);
    chooseRange(0);
    // A range change takes the working date.
    EXPECT_EQ(page->ListedDate(), QStringLiteral("2011-12-31"));
    page->ChangeDate(QStringLiteral("2011-12-30"));
    EXPECT_EQ(page->RecordCount(), 0);
    EXPECT_TRUE(emptyPictureShown());
    EXPECT_TRUE(user.texts().isEmpty());
}

TEST_P(GoodsBillPageTest, PagesAndPageLineAtNoneOnePageAndOneMore)
{
    open();
    EXPECT_EQ(page->PageCapacity(), kTiles);
    EXPECT_EQ(pageLine(), QStringLiteral("共 0 条记录，第 1 / 0 页。"));
    EXPECT_TRUE(shownTiles().empty());
    EXPECT_TRUE(emptyPictureShown());
    expectRangeAtTopRight();
    clickButton(page.get(), id("1108", "1362"));
    EXPECT_EQ(page->PageIndex(), 0);

    QStringList guids;
    for (int i = 0; i < kTiles; ++i)
        guids << bill(QStringLiteral("2011-12-31"))[0].GUID;
    page->RelistCurrentPage();
    EXPECT_EQ(pageLine(), QStringLiteral("共 4 条记录，第 1 / 1 页。"));
    EXPECT_EQ(shownTiles().size(), 4u);
    EXPECT_FALSE(emptyPictureShown());
    expectRangeAtTopRight();
    clickButton(page.get(), id("1108", "1362"));
    EXPECT_EQ(pageLine(), QStringLiteral("共 4 条记录，第 1 / 1 页。"));

    // The newest bill is on the last page.
    guids << bill(QStringLiteral("2011-12-31"))[0].GUID;
    page->RelistCurrentPage();
    EXPECT_EQ(pageLine(), QStringLiteral("共 5 条记录，第 1 / 2 页。"));
    EXPECT_EQ(shownGuids(), guids.mid(0, 4));
    clickButton(page.get(), id("1108", "1362"));
    EXPECT_EQ(pageLine(), QStringLiteral("共 5 条记录，第 2 / 2 页。"));
    EXPECT_EQ(shownGuids(), guids.mid(4));
    EXPECT_EQ(shownTiles().size(), 1u);
    EXPECT_EQ(shownTiles()[0]->geometry().topLeft(), page->findChildren<RecordCard *>()[0]->geometry().topLeft());
    clickButton(page.get(), id("1108", "1362"));
    EXPECT_EQ(page->PageIndex(), 1);
    clickButton(page.get(), id("1106", "1360"));
    clickButton(page.get(), id("1106", "1360"));
    EXPECT_EQ(pageLine(), QStringLiteral("共 5 条记录，第 1 / 2 页。"));
}

TEST_P(GoodsBillPageTest, TheLastPageAndRelistsAreClampedToThePagesThereAre)
{
    QStringList guids;
    for (int i = 0; i < 2 * kTiles + 1; ++i)
        guids << bill(QStringLiteral("2011-12-31"))[0].GUID;
    open();
    page->ShowLastPage();
    EXPECT_EQ(pageLine(), QStringLiteral("共 9 条记录，第 3 / 3 页。"));

    // A bill saved outside the filter: the last page is still page 3.
    GoodsBillWriter(db.db(), kind().side())
        .Add(MakeBill(kind(), QStringLiteral("乙"), QStringLiteral("2011-12-30"),
            {{QStringLiteral("A1"), QStringLiteral("货品A1"), QStringLiteral("规格"), QStringLiteral("1"),
                QStringLiteral("1")}}));
    page->ShowLastPage();
    EXPECT_EQ(pageLine(), QStringLiteral("共 9 条记录，第 3 / 3 页。"));
    EXPECT_EQ(shownGuids(), guids.mid(8));

    // Bills deleted elsewhere: the page relists its clamped page.
    for (int i = 6; i < 9; ++i)
        GoodsBillWriter(db.db(), kind().side()).Delete(guids[i]);
    page->RelistCurrentPage();
    EXPECT_EQ(pageLine(), QStringLiteral("共 6 条记录，第 2 / 2 页。"));
    EXPECT_EQ(shownGuids(), guids.mid(4, 2));

    // A resize to a page of other size lists the first page in it.
    page->resize(400, 300);
    EXPECT_LT(page->PageCapacity(), kTiles);
    EXPECT_EQ(page->PageIndex(), 0);
    EXPECT_EQ(page->ShownBills().size(), static_cast<std::size_t>(page->PageCapacity()));
    EXPECT_EQ(pageLine(), QStringLiteral("共 6 条记录，第 1 / %1 页。").arg(page->PageCount()));
}

TEST_P(GoodsBillPageTest, AThreeLineBillIsOneTileWithItsFirstLineAndItsDeposit)
{
    const struct_button_financebill deposit = AddFinanceBillRow(db.db(), kind().party, QStringLiteral("收入单"),
        QStringLiteral("甲公司"), QStringLiteral("现金"), QStringLiteral("2011-12-30"), QStringLiteral("80.00"));
    const GoodsBillLines lines = AddBillRows(db, kind(), QStringLiteral("2011-12-31"),
        {QStringLiteral("B1"), QStringLiteral("A1"), QStringLiteral("C1")}, QStringLiteral("甲公司"), deposit.GUID);
    const GoodsBillLines gone = AddBillRows(
        db, kind(), QStringLiteral("2011-12-31"), {QStringLiteral("A1")}, QStringLiteral("乙公司"), GuidText());
    open();
    EXPECT_EQ(pageLine(), QStringLiteral("共 2 条记录，第 1 / 1 页。"));
    ASSERT_EQ(page->ShownBills().size(), 2u);
    const struct_button_goodsbill &first = page->ShownBills()[0];
    EXPECT_EQ(first.GUID, lines[0].GUID);
    EXPECT_EQ(first.ProductCode, QStringLiteral("B1"));
    EXPECT_EQ(first.Imprest, QStringLiteral("80.00"));
    // A deposit bill that is gone shows "0".
    EXPECT_EQ(page->ShownBills()[1].Imprest, QStringLiteral("0"));
    EXPECT_TRUE(page->ShownBills()[1].ImprestBillGuid.isEmpty());
    ASSERT_EQ(shownTiles().size(), 2u);
    const CardContent content = shownTiles()[0]->content();
    ASSERT_EQ(content.rows.size(), 3u);
    EXPECT_EQ(content.rows[0].value, QStringLiteral("甲公司"));
    EXPECT_TRUE(content.rows[2].value.startsWith(QStringLiteral("80.00")));
}

TEST_P(GoodsBillPageTest, ATileOpensItsBillAndItsDeleteRelists)
{
    const GoodsBillLines lines = bill(QStringLiteral("2011-12-31"), {QStringLiteral("A1"), QStringLiteral("B1")});
    const GoodsBillLines other = bill(QStringLiteral("2011-12-31"));
    AddProductRow(
        db.db(), QStringLiteral("A1"), QStringLiteral("货品A1"), QStringLiteral("规格"), QStringLiteral("10"));
    open();
    QTest::mouseClick(shownTiles()[0], Qt::LeftButton);
    ASSERT_EQ(launcher.requests.size(), 1u);
    const GoodsBillEditRequest &request = launcher.requests[0];
    EXPECT_EQ(request.mode, (isSales() ? 2 : 12) + (kind().sign == (isSales() ? 1 : -1) ? 1 : 0));
    EXPECT_EQ(request.lines.size(), 2u);
    EXPECT_EQ(request.lines[0].GUID, lines[0].GUID);
    EXPECT_EQ(request.reportPage, nullptr);
    if (isSales()) {
        EXPECT_EQ(request.salesPage, page.get());
        EXPECT_EQ(request.salesTile, static_cast<CDlgTabGoods &>(*page).BillTile(0));
    } else {
        EXPECT_EQ(request.purchasePage, page.get());
        EXPECT_EQ(request.purchaseTile, static_cast<CDlgTabProviderGoods &>(*page).BillTile(0));
    }

    // The editor deleted the bill through the tile: the stock comes back
    // and the page relists.
    EXPECT_TRUE(removeTile(0));
    EXPECT_TRUE(StoredLines(db, kind().side(), lines[0].GUID).isEmpty());
    EXPECT_EQ(StockOf(db, QStringLiteral("A1")), DoubleToStr(10 - kind().sign));
    EXPECT_EQ(shownGuids(), QStringList{other[0].GUID});
    EXPECT_EQ(pageLine(), QStringLiteral("共 1 条记录，第 1 / 1 页。"));
    // The missing product B1 is named.
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_TRUE(user.messages[0].text.contains(QStringLiteral("货品B1（规格）")));

    // A bill deleted elsewhere opens nothing, says so, and the page
    // relists.
    user.clear();
    GoodsBillWriter(db.db(), kind().side()).Delete(other[0].GUID);
    QTest::mouseClick(shownTiles()[0], Qt::LeftButton);
    EXPECT_EQ(launcher.requests.size(), 1u);
    EXPECT_EQ(user.texts(), QStringList{QStringLiteral("该单据已不存在，可能已被删除。")});
    EXPECT_TRUE(shownTiles().empty());
    EXPECT_EQ(pageLine(), QStringLiteral("共 0 条记录，第 1 / 0 页。"));
}

TEST_P(GoodsBillPageTest, ATileOfAnotherKindOpensNothing)
{
    const GoodsBillLines lines = bill(QStringLiteral("2011-12-31"));
    db.exec(QStringLiteral("UPDATE %1 SET BillType = '收入单'")
                .arg(QLatin1String(kind().side().table))
                .toUtf8()
                .constData());
    open();
    ASSERT_EQ(shownTiles().size(), 1u);
    QTest::mouseClick(shownTiles()[0], Qt::LeftButton);
    EXPECT_TRUE(launcher.requests.empty());
    EXPECT_TRUE(user.texts().isEmpty());
}

TEST_P(GoodsBillPageTest, ANewBillOpensTheChooserAndThenTheEditorAndShowsTheLastPage)
{
    for (int i = 0; i < kTiles; ++i)
        bill(QStringLiteral("2011-12-31"));
    open();
    GoodsBillLines saved;
    launcher.onRun = [&](const GoodsBillEditRequest &request) {
        // The editor writes the bill, then tells its page.
        saved = MakeBill(kind(), QStringLiteral("丙"), QStringLiteral("2011-12-31"),
            {{QStringLiteral("A1"), QStringLiteral("货品A1"), QStringLiteral("规格"), QStringLiteral("1"),
                QStringLiteral("1")}});
        GoodsBillWriter(db.db(), kind().side()).Add(saved);
        if (request.salesPage)
            request.salesPage->ShowLastPage();
        if (request.purchasePage)
            request.purchasePage->ShowLastPage();
        return 1;
    };
    user.onNextModal([&](QDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("选择单据类型"));
        clickButton(dialog, "1095");
        return dialog->result();
    });
    clickButton(page.get(), id("1107", "1361"));
    EXPECT_EQ(user.modalDialogs, QStringList{QStringLiteral("CDlgSelBillDlg")});
    ASSERT_EQ(launcher.requests.size(), 1u);
    EXPECT_EQ(launcher.requests[0].mode, isSales() ? 0 : 11);
    EXPECT_TRUE(launcher.requests[0].lines.empty());
    EXPECT_EQ(isSales() ? static_cast<QWidget *>(launcher.requests[0].salesPage)
                        : static_cast<QWidget *>(launcher.requests[0].purchasePage),
        page.get());
    EXPECT_EQ(pageLine(), QStringLiteral("共 5 条记录，第 2 / 2 页。"));
    EXPECT_EQ(shownGuids(), QStringList{saved[0].GUID});
}

INSTANTIATE_TEST_SUITE_P(Sides, GoodsBillPageTest, ::testing::ValuesIn(kBillSides),
    [](const auto &info) { return info.param.party == PartyClient ? "sales" : "purchase"; });
