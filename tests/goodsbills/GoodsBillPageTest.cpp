#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <memory>

#include "CDlgSelBillDlg.h"
#include "CardResources.h"
#include "GoodsBillPage.h"
#include "GoodsBillTestSupport.h"
#include "GoodsBillWriter.h"

// The 货品单据 pages of both sides, made with four tiles and sized so that
// all four fit.

namespace {

class GoodsBillPageTest : public GoodsBillTest
{
protected:
    void SetUp() override
    {
        GoodsBillTest::SetUp();
        SetWorkingDate(QDate(2011, 12, 31));
        db.exec("PRAGMA synchronous = OFF");
    }

    // The control of that id on the sales page, of the other on the purchase page.
    template <typename T = QWidget> T* control(const char* sales, const char* purchase) const
    {
        return page->findChild<T*>(kind().isSales() ? sales : purchase);
    }
    void open()
    {
        if (kind().isSales())
            page = std::make_unique<CDlgTabGoods>(4, nullptr);
        else
            page = std::make_unique<CDlgTabProviderGoods>(4, nullptr);
        page->resize(1000, 600);
        page->show();
    }
    QString bill(const QString& date, const QString& depositGuid = {})
    {
        return AddGoodsBillRows(db.db(), kind().party, kind().type(), kind().company(), date,
            {{"B1", "货品B1", "规格", "1", "10"}, {"A1", "货品A1", "规格", "1", "10"}}, depositGuid)[0]
            .GUID;
    }
    QString pageLine() const { return control<QLabel>("1435", "1426")->text(); }
    std::vector<RecordCard*> shownTiles() const
    {
        std::vector<RecordCard*> shown;
        for (RecordCard* tile : page->findChildren<RecordCard*>(Qt::FindDirectChildrenOnly))
            if (tile->isVisible())
                shown.push_back(tile);
        return shown;
    }
    QStringList shownGuids() const
    {
        QStringList guids;
        for (const struct_button_goodsbill& line : page->ShownBills())
            guids << line.GUID;
        return guids;
    }
    // The range label and box stand in the top right corner, clear of the
    // tiles, with or without them; the empty page shows its picture.
    void expectRangeAtTopRightAndPictureIfEmpty() const
    {
        QCoreApplication::processEvents();
        for (const QWidget* widget : {control("1345", "1363"), control("1092", "1364")}) {
            EXPECT_GE(widget->geometry().right(), page->width() - 10);
            EXPECT_LE(widget->geometry().bottom(), 70);
            for (const RecordCard* tile : shownTiles())
                EXPECT_FALSE(tile->geometry().intersects(widget->geometry()));
        }
        // The picture is the 350 × 150 speech bubble over 新增货品单据.
        const auto* picture = control<QLabel>("1298", "1365");
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->isVisible(), shownTiles().empty());
        EXPECT_EQ(picture->pixmap().deviceIndependentSize().toSize(), QSize(350, 150));
        // Its tail, the lowest thing drawn, ends just above the button's
        // middle.
        const QRect button = control("1107", "1361")->geometry();
        const QPoint tail = picture->geometry().topLeft() + lowestPointDrawn(picture->pixmap().toImage());
        EXPECT_NEAR(tail.x(), button.x() + button.width() / 2.0, 2);
        EXPECT_LT(picture->geometry().bottom(), button.top());
        EXPECT_LT(button.top() - tail.y(), 60);
    }
    // The middle of the lowest row of pixels that are not transparent.
    static QPoint lowestPointDrawn(const QImage& image)
    {
        for (int y = image.height() - 1; y >= 0; --y) {
            int left = image.width();
            int right = -1;
            for (int x = 0; x < image.width(); ++x) {
                if (qAlpha(image.pixel(x, y)) > 0) {
                    left = std::min(left, x);
                    right = x;
                }
            }
            if (right >= 0)
                return {(left + right) / 2, y};
        }
        return {-1000, -1000};
    }

    ScriptedLauncher launcher;
    std::unique_ptr<GoodsBillPage> page;
};

} // namespace

TEST_P(GoodsBillPageTest, StartsOnTheWorkingDateAndFiltersByDayOrMonthAcrossMonthAndYearEnds)
{
    const QString lastOfYear = bill("2011-12-31");
    const QString firstOfDecember = bill("2011-12-01");
    bill("2011-11-30");
    bill("2012-01-01");
    AddGoodsBillRows(db.db(), kind().isSales() ? PartyProvider : PartyClient, "退货单", kind().company(), "2011-12-31",
        {{"A1", "货品A1", "规格", "1", "10"}});
    open();
    EXPECT_EQ(shownGuids(), QStringList {lastOfYear});
    EXPECT_EQ(pageLine(), "共 1 条记录，第 1 / 1 页。");
    // Listing at opening is no recompute for the main window.
    EXPECT_TRUE(page->ComputedDate().isEmpty());

    auto* range = control<QComboBox>("1092", "1364");
    range->setCurrentIndex(1);
    EXPECT_EQ(shownGuids(), QStringList({lastOfYear, firstOfDecember}));
    page->ChangeDate("2012-01-01");
    EXPECT_EQ(page->RecordCount(), 1);
    EXPECT_EQ(page->ComputedDate(), "2012-01-01");
    page->ChangeDate("2011-11-01");
    EXPECT_EQ(page->RecordCount(), 1);
    // A range change takes the working date.
    range->setCurrentIndex(0);
    EXPECT_EQ(page->ListedDate(), "2011-12-31");
    page->ChangeDate("2011-12-30");
    EXPECT_EQ(page->RecordCount(), 0);
    expectRangeAtTopRightAndPictureIfEmpty();
    EXPECT_TRUE(user.texts().isEmpty());
}

TEST_P(GoodsBillPageTest, PagesAndThePageLineFollowTheBillsThereAre)
{
    const auto next = [&] { QTest::mouseClick(control<QPushButton>("1108", "1362"), Qt::LeftButton); };
    const auto previous = [&] { QTest::mouseClick(control<QPushButton>("1106", "1360"), Qt::LeftButton); };
    open();
    EXPECT_EQ(page->PageCapacity(), 4);
    EXPECT_EQ(pageLine(), "共 0 条记录，第 1 / 0 页。");
    expectRangeAtTopRightAndPictureIfEmpty();
    next();
    EXPECT_EQ(page->PageIndex(), 0);

    QStringList guids;
    for (int i = 0; i < 4; ++i)
        guids << bill("2011-12-31");
    page->RelistCurrentPage();
    EXPECT_EQ(shownTiles().size(), 4u);
    expectRangeAtTopRightAndPictureIfEmpty();
    EXPECT_EQ(pageLine(), "共 4 条记录，第 1 / 1 页。");
    // 下一页 on the only page lists it again; the newest bill is on the last
    // page, where 下一页 stops.
    guids << bill("2011-12-31");
    next();
    EXPECT_EQ(pageLine(), "共 5 条记录，第 1 / 2 页。");
    EXPECT_EQ(shownGuids(), guids.mid(0, 4));
    next();
    next();
    EXPECT_EQ(pageLine(), "共 5 条记录，第 2 / 2 页。");
    EXPECT_EQ(shownGuids(), guids.mid(4));
    EXPECT_EQ(shownTiles()[0]->geometry().topLeft(), page->findChildren<RecordCard*>()[0]->geometry().topLeft());
    previous();
    previous();
    EXPECT_EQ(pageLine(), "共 5 条记录，第 1 / 2 页。");

    // The last page and a relist are clamped to the pages there are; a bill
    // outside the filter is not counted.
    for (int i = 5; i < 9; ++i)
        guids << bill("2011-12-31");
    bill("2011-12-30");
    page->ShowLastPage();
    EXPECT_EQ(pageLine(), "共 9 条记录，第 3 / 3 页。");
    EXPECT_EQ(shownGuids(), guids.mid(8));
    for (int i = 6; i < 9; ++i)
        GoodsBillWriter(db.db(), kind().side()).Delete(guids[i]);
    page->RelistCurrentPage();
    EXPECT_EQ(pageLine(), "共 6 条记录，第 2 / 2 页。");
    EXPECT_EQ(shownGuids(), guids.mid(4, 2));

    // A page of another size lists its first page.
    page->resize(400, 300);
    EXPECT_LT(page->PageCapacity(), 4);
    EXPECT_EQ(page->ShownBills().size(), std::size_t(page->PageCapacity()));
    EXPECT_EQ(pageLine(), QStringLiteral("共 6 条记录，第 1 / %1 页。").arg(page->PageCount()));
    expectRangeAtTopRightAndPictureIfEmpty();
}

TEST_P(GoodsBillPageTest, ATileShowsItsBillsFirstLineAndDepositAndOpensOnlyABillOfTheSide)
{
    const QString deposit
        = AddFinanceBillRow(db.db(), kind().party, "收入单", kind().company(), "现金", "2011-12-30", "80.00").GUID;
    const QString first = bill("2011-12-31", deposit);
    const QString second = bill("2011-12-31");
    const QString foreign = bill("2011-12-31");
    const auto setKind = [&](const QString& type) {
        db.exec(QStringLiteral("UPDATE %1 SET BillType = ? WHERE GUID = ?").arg(kind().table()).toUtf8().constData(),
            {type, foreign});
        page->RelistCurrentPage();
    };
    open();
    setKind("收入单");
    ASSERT_EQ(shownGuids(), QStringList({first, second, foreign}));
    EXPECT_EQ(page->ShownBills()[0].ProductCode, "B1");
    const CardContent content = shownTiles()[0]->content();
    ASSERT_EQ(content.rows.size(), 3u);
    EXPECT_EQ(content.rows[0].value, kind().company());
    EXPECT_TRUE(content.rows[2].value.startsWith("80.00"));

    // A tile of another kind opens nothing; one of the side's other kind
    // opens in its own mode.
    QTest::mouseClick(shownTiles()[2], Qt::LeftButton);
    EXPECT_TRUE(launcher.requests.empty());
    setKind(kind().other().type());
    QTest::mouseClick(shownTiles()[2], Qt::LeftButton);
    ASSERT_EQ(launcher.requests.size(), 1u);
    EXPECT_EQ(launcher.requests[0].mode, kind().changeMode + 1);
    EXPECT_EQ(launcher.requests[0].lines.size(), 2u);

    // A bill deleted elsewhere opens nothing, says so, and the page relists.
    GoodsBillWriter(db.db(), kind().side()).Delete(first);
    QTest::mouseClick(shownTiles()[0], Qt::LeftButton);
    EXPECT_EQ(launcher.requests.size(), 1u);
    EXPECT_EQ(user.texts(), QStringList {"该单据已不存在，可能已被删除。"});
    EXPECT_EQ(shownGuids(), QStringList({second, foreign}));
}

TEST_P(GoodsBillPageTest, NewBillOpensTheChooserWhoseButtonsOpenTheEditorInTheirMode)
{
    open();
    const QStringList captions
        = kind().isSales() ? QStringList({"销售出货单", "销售退货单"}) : QStringList({"采购退货单", "采购进货单"});
    for (int button = 0; button < 2; ++button) {
        user.onNextModal([&](QDialog* dialog) {
            EXPECT_EQ(dialog->windowTitle(), "选择单据类型");
            auto* chosen = dialog->findChild<QPushButton*>(button ? "1096" : "1095");
            EXPECT_EQ(chosen->text(), captions[button]);
            // Beside the caption, icon 184 or 185 as the party windows draw it.
            const int iconId = button ? 185 : 184;
            const QImage icon = IconImage(iconId, chosen->iconSize().width());
            EXPECT_FALSE(icon.isNull());
            EXPECT_TRUE(chosen->icon().pixmap(chosen->iconSize()).toImage().convertToFormat(icon.format()) == icon)
                << "not the picture of icon " << iconId;
            EXPECT_EQ(chosen->cursor().shape(), Qt::PointingHandCursor);
            // Enter opens nothing.
            chosen->setFocus();
            QTest::keyClick(dialog, Qt::Key_Return);
            EXPECT_EQ(launcher.requests.size(), std::size_t(button));
            QTest::mouseClick(chosen, Qt::LeftButton);
            EXPECT_FALSE(dialog->isVisible());
            return dialog->result();
        });
        QTest::mouseClick(control<QPushButton>("1107", "1361"), Qt::LeftButton);
        ASSERT_EQ(launcher.requests.size(), std::size_t(button + 1));
        const GoodsBillEditRequest& request = launcher.requests.back();
        EXPECT_EQ(request.mode, kind().isSales() ? button : 11 - button);
        EXPECT_TRUE(request.lines.empty());
        EXPECT_EQ(request.salesPage, kind().isSales() ? page.get() : nullptr);
        EXPECT_EQ(request.purchasePage, kind().isSales() ? nullptr : page.get());
    }
    EXPECT_EQ(user.modalDialogs, QStringList(2, "CDlgSelBillDlg"));
}

INSTANTIATE_TEST_SUITE_P(Sides, GoodsBillPageTest, testing::ValuesIn(kBillSides), KindName);
