#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <memory>

#include "CDlgSelBillDlg.h"
#include "GoodsBillPage.h"
#include "GoodsBillTestSupport.h"
#include "GoodsBillWriter.h"

// The 货品单据 pages of both sides, made with four tiles and sized so that
// all four fit.

namespace {

constexpr int kTiles = 4;

class GoodsBillPageTest : public GoodsBillTest
{
protected:
    void SetUp() override
    {
        GoodsBillTest::SetUp();
        SetWorkingDate(QDate(2011, 12, 31));
        db.exec("PRAGMA synchronous = OFF");
    }

    const char *id(const char *sales, const char *purchase) const { return kind().isSales() ? sales : purchase; }
    void open()
    {
        if (kind().isSales())
            page = std::make_unique<CDlgTabGoods>(kTiles, nullptr);
        else
            page = std::make_unique<CDlgTabProviderGoods>(kTiles, nullptr);
        page->resize(1000, 600);
        page->show();
    }
    QString bill(const QString &date, const BillKind *of = nullptr, const QString &depositGuid = QString())
    {
        return AddGoodsBillRows(db.db(), kind().party, (of ? *of : kind()).type(), kind().company(), date,
            {{"B1", "货品B1", "规格", "1", "10"}, {"A1", "货品A1", "规格", "1", "10"}}, depositGuid)[0]
            .GUID;
    }
    void chooseRange(int index)
    {
        page->findChild<QComboBox *>(QString::fromLatin1(id("1092", "1364")))->setCurrentIndex(index);
    }
    QString pageLine() const { return page->findChild<QLabel *>(QString::fromLatin1(id("1435", "1426")))->text(); }
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

    ScriptedLauncher launcher;
    std::unique_ptr<GoodsBillPage> page;
};

} // namespace

TEST_P(GoodsBillPageTest, StartsOnTheWorkingDateAndFiltersByDayOrMonthAcrossMonthAndYearEnds)
{
    const QString lastOfYear = bill(QStringLiteral("2011-12-31"));
    const QString firstOfDecember = bill(QStringLiteral("2011-12-01"));
    bill(QStringLiteral("2011-11-30"));
    bill(QStringLiteral("2012-01-01"));
    AddGoodsBillRows(db.db(), kind().isSales() ? PartyProvider : PartyClient, QStringLiteral("退货单"),
        kind().company(), QStringLiteral("2011-12-31"), {{"A1", "货品A1", "规格", "1", "10"}});
    open();
    EXPECT_EQ(shownGuids(), QStringList {lastOfYear});
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
    // A range change takes the working date.
    chooseRange(0);
    EXPECT_EQ(page->ListedDate(), QStringLiteral("2011-12-31"));
    page->ChangeDate(QStringLiteral("2011-12-30"));
    EXPECT_EQ(page->RecordCount(), 0);
    EXPECT_TRUE(emptyPictureShown());
    EXPECT_TRUE(user.texts().isEmpty());
}

TEST_P(GoodsBillPageTest, PagesAndThePageLineFollowTheBillsThereAre)
{
    const auto next = [&] { clickButton(page.get(), id("1108", "1362")); };
    open();
    EXPECT_EQ(page->PageCapacity(), kTiles);
    EXPECT_EQ(pageLine(), QStringLiteral("共 0 条记录，第 1 / 0 页。"));
    EXPECT_TRUE(shownTiles().empty());
    EXPECT_TRUE(emptyPictureShown());
    expectRangeAtTopRight();
    next();
    EXPECT_EQ(page->PageIndex(), 0);

    QStringList guids;
    for (int i = 0; i < kTiles; ++i)
        guids << bill(QStringLiteral("2011-12-31"));
    page->RelistCurrentPage();
    EXPECT_EQ(shownTiles().size(), 4u);
    EXPECT_FALSE(emptyPictureShown());
    expectRangeAtTopRight();
    // 下一页 on the only page lists it again.
    next();
    EXPECT_EQ(pageLine(), QStringLiteral("共 4 条记录，第 1 / 1 页。"));

    // The newest bill is on the last page; 下一页 stops there.
    guids << bill(QStringLiteral("2011-12-31"));
    page->RelistCurrentPage();
    EXPECT_EQ(pageLine(), QStringLiteral("共 5 条记录，第 1 / 2 页。"));
    EXPECT_EQ(shownGuids(), guids.mid(0, 4));
    next();
    next();
    EXPECT_EQ(pageLine(), QStringLiteral("共 5 条记录，第 2 / 2 页。"));
    EXPECT_EQ(shownGuids(), guids.mid(4));
    EXPECT_EQ(shownTiles()[0]->geometry().topLeft(), page->findChildren<RecordCard *>()[0]->geometry().topLeft());
    clickButton(page.get(), id("1106", "1360"));
    clickButton(page.get(), id("1106", "1360"));
    EXPECT_EQ(pageLine(), QStringLiteral("共 5 条记录，第 1 / 2 页。"));

    // The last page and a relist are clamped to the pages there are; a bill
    // outside the filter is not counted.
    for (int i = 5; i < 2 * kTiles + 1; ++i)
        guids << bill(QStringLiteral("2011-12-31"));
    bill(QStringLiteral("2011-12-30"));
    page->ShowLastPage();
    EXPECT_EQ(pageLine(), QStringLiteral("共 9 条记录，第 3 / 3 页。"));
    EXPECT_EQ(shownGuids(), guids.mid(8));
    for (int i = 6; i < 9; ++i)
        GoodsBillWriter(db.db(), kind().side()).Delete(guids[i]);
    page->RelistCurrentPage();
    EXPECT_EQ(pageLine(), QStringLiteral("共 6 条记录，第 2 / 2 页。"));
    EXPECT_EQ(shownGuids(), guids.mid(4, 2));

    // A page of another size lists its first page.
    page->resize(400, 300);
    EXPECT_LT(page->PageCapacity(), kTiles);
    EXPECT_EQ(page->PageIndex(), 0);
    EXPECT_EQ(page->ShownBills().size(), static_cast<std::size_t>(page->PageCapacity()));
    EXPECT_EQ(pageLine(), QStringLiteral("共 6 条记录，第 1 / %1 页。").arg(page->PageCount()));
}

TEST_P(GoodsBillPageTest, ATileShowsItsBillsFirstLineAndDepositAndOpensOnlyABillOfTheSide)
{
    const struct_button_financebill deposit = AddFinanceBillRow(db.db(), kind().party, QStringLiteral("收入单"),
        kind().company(), QStringLiteral("现金"), QStringLiteral("2011-12-30"), QStringLiteral("80.00"));
    const QString first = bill(QStringLiteral("2011-12-31"), nullptr, deposit.GUID);
    const QString gone = bill(QStringLiteral("2011-12-31"), nullptr, GuidText());
    const QString foreign = bill(QStringLiteral("2011-12-31"));
    db.exec(QStringLiteral("UPDATE %1 SET BillType = '收入单' WHERE GUID = ?").arg(kind().table()).toUtf8().constData(),
        {foreign});
    open();
    ASSERT_EQ(shownGuids(), QStringList({first, gone, foreign}));
    EXPECT_EQ(page->ShownBills()[0].ProductCode, QStringLiteral("B1"));
    const CardContent content = shownTiles()[0]->content();
    ASSERT_EQ(content.rows.size(), 3u);
    EXPECT_EQ(content.rows[0].value, kind().company());
    EXPECT_TRUE(content.rows[2].value.startsWith(QStringLiteral("80.00")));
    // A deposit bill that is gone shows "0".
    EXPECT_EQ(page->ShownBills()[1].Imprest + page->ShownBills()[1].ImprestBillGuid, QStringLiteral("0"));

    // A tile of another kind opens nothing; one of the other kind of the
    // side opens in its own mode.
    QTest::mouseClick(shownTiles()[2], Qt::LeftButton);
    EXPECT_TRUE(launcher.requests.empty());
    db.exec(QStringLiteral("UPDATE %1 SET BillType = ? WHERE GUID = ?").arg(kind().table()).toUtf8().constData(),
        {kind().other().type(), foreign});
    page->RelistCurrentPage();
    QTest::mouseClick(shownTiles()[2], Qt::LeftButton);
    ASSERT_EQ(launcher.requests.size(), 1u);
    EXPECT_EQ(launcher.requests[0].mode, kind().changeMode + 1);
    EXPECT_EQ(launcher.requests[0].lines.size(), 2u);

    // A bill deleted elsewhere opens nothing, says so, and the page relists.
    GoodsBillWriter(db.db(), kind().side()).Delete(first);
    QTest::mouseClick(shownTiles()[0], Qt::LeftButton);
    EXPECT_EQ(launcher.requests.size(), 1u);
    EXPECT_EQ(user.texts().last(), QStringLiteral("该单据已不存在，可能已被删除。"));
    EXPECT_EQ(shownGuids(), QStringList({gone, foreign}));
}

TEST_P(GoodsBillPageTest, NewBillOpensTheChooserWhoseButtonsOpenTheEditorInTheirMode)
{
    open();
    const QStringList captions = kind().isSales() ? QStringList({QStringLiteral("销售出货单"), QStringLiteral("销售退货单")})
                                                  : QStringList({QStringLiteral("采购退货单"), QStringLiteral("采购进货单")});
    const std::vector<int> modes = kind().isSales() ? std::vector<int> {0, 1} : std::vector<int> {11, 10};
    for (int button = 0; button < 2; ++button) {
        user.onNextModal([&](QDialog *dialog) {
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("选择单据类型"));
            auto *chosen = dialog->findChild<QPushButton *>(QString::fromLatin1(button ? "1096" : "1095"));
            EXPECT_EQ(chosen->text(), captions[button]);
            // Enter opens nothing.
            chosen->setFocus();
            QTest::keyClick(dialog, Qt::Key_Return);
            EXPECT_EQ(launcher.requests.size(), std::size_t(button));
            QTest::mouseClick(chosen, Qt::LeftButton);
            EXPECT_FALSE(dialog->isVisible());
            return dialog->result();
        });
        clickButton(page.get(), id("1107", "1361"));
        ASSERT_EQ(launcher.requests.size(), std::size_t(button + 1));
        const GoodsBillEditRequest &request = launcher.requests.back();
        EXPECT_EQ(request.mode, modes[button]);
        EXPECT_TRUE(request.lines.empty());
        EXPECT_EQ(kind().isSales() ? static_cast<QWidget *>(request.salesPage) : request.purchasePage, page.get());
        EXPECT_EQ(kind().isSales() ? static_cast<QWidget *>(request.purchasePage) : request.salesPage, nullptr);
    }
    EXPECT_EQ(user.modalDialogs, QStringList(2, QStringLiteral("CDlgSelBillDlg")));
}

INSTANTIATE_TEST_SUITE_P(Sides, GoodsBillPageTest, testing::ValuesIn(kBillSides), KindName);
