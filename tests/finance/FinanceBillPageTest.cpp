#include "FinanceBillPage.h"

#include <QComboBox>
#include <QLabel>

#include "Database.h"
#include "FinanceTestSupport.h"
#include "RecordCard.h"

// The two finance pages as a person uses them: cards of the working day or
// month, paging, new bills, and a card's bill changed and deleted, one body
// for both sides.

namespace {

class FinanceBillPageTest : public ::testing::TestWithParam<SideCase>
{
protected:
    FinanceBillPageTest()
    {
        SetWorkingDate(QDate(2024, 3, 5));
        addParty(db, party(), u("甲"));
        AddAccountRow(db.db(), u("工行"));
    }
    ~FinanceBillPageTest() override { SetWorkingDateSource(nullptr); }

    PartySide party() const { return GetParam().party; }
    const FinanceBillSide &side() const { return GetParam().side(); }
    const char *rangeId() const { return party() == PartyClient ? "1296" : "1377"; }
    const char *prevId() const { return party() == PartyClient ? "1127" : "1373"; }
    const char *nextId() const { return party() == PartyClient ? "1129" : "1375"; }

    // A page of `pool` cards, as large as a window of 1000 x 700.
    void open(int pool = 4)
    {
        if (party() == PartyClient)
            page = std::make_unique<CDlgTabFina>(pool, nullptr);
        else
            page = std::make_unique<CDlgTabFina_Provider>(pool, nullptr);
        page->resize(1000, 700);
        page->show();
    }

    void addBills(int count, const char *date, const char *amount = "10")
    {
        for (int i = 0; i < count; ++i)
            bills.push_back(addBill(db, party(), kIncomeBill, u("甲"), u("现金"), u(date), u(amount)));
    }

    std::vector<RecordCard *> visibleCards() const
    {
        std::vector<RecordCard *> cards;
        for (RecordCard *card : page->findChildren<RecordCard *>()) {
            if (card->isVisible())
                cards.push_back(card);
        }
        return cards;
    }

    QStringList cardGuids() const
    {
        QStringList guids;
        for (int k = 0; k < page->VisibleCardCount(); ++k)
            guids << page->CardBill(k).GUID;
        return guids;
    }

    void chooseRange(int index)
    {
        auto *range = page->findChild<QComboBox *>(QString::fromLatin1(rangeId()));
        ASSERT_NE(range, nullptr);
        range->setCurrentIndex(index);
    }

    void clickCard(int k)
    {
        const std::vector<RecordCard *> cards = visibleCards();
        ASSERT_LT(static_cast<std::size_t>(k), cards.size());
        QTest::mouseClick(cards[static_cast<std::size_t>(k)], Qt::LeftButton, {}, QPoint(100, 40));
    }

    TestDatabase db;
    ScriptedInteraction user;
    std::vector<struct_button_financebill> bills;
    std::unique_ptr<FinanceBillPage> page;
};

TEST_P(FinanceBillPageTest, OpensOnTheWorkingDayAndFiltersByDayOrMonth)
{
    addBills(2, "2024-03-05");
    addBills(1, "2024-03-31");
    addBills(1, "2024-02-29");
    addBills(1, "2023-03-05");
    open();
    EXPECT_EQ(page->Filter().range, BillDateDay);
    EXPECT_EQ(cardGuids(), (QStringList{bills[0].GUID, bills[1].GUID}));
    EXPECT_EQ(visibleCards().size(), 2u);
    EXPECT_EQ(page->PageLine(), u("共 2 条记录，第 1 / 1 页。"));
    EXPECT_FALSE(page->IsEmptyStateShown());

    chooseRange(1);
    EXPECT_EQ(page->Filter().range, BillDateMonth);
    EXPECT_EQ(cardGuids(), (QStringList{bills[0].GUID, bills[1].GUID, bills[2].GUID}));

    page->RefreshByDate(u("2024-02-01"));
    EXPECT_EQ(cardGuids(), QStringList{bills[3].GUID});

    chooseRange(0);
    page->RefreshByDate(u("2024-03-06"));
    EXPECT_EQ(page->VisibleCardCount(), 0);
    EXPECT_TRUE(visibleCards().empty());
    EXPECT_TRUE(page->IsEmptyStateShown());
    EXPECT_EQ(page->PageLine(), u("共 0 条记录，第 1 / 0 页。"));
}

TEST_P(FinanceBillPageTest, PagingStopsAtTheFirstAndLastPage)
{
    addBills(9, "2024-03-05");
    open();
    ASSERT_EQ(page->PageCapacity(), 4);
    EXPECT_EQ(page->PageLine(), u("共 9 条记录，第 1 / 3 页。"));
    clickButton(page.get(), prevId());
    EXPECT_EQ(page->PageIndex(), 0);
    clickButton(page.get(), nextId());
    clickButton(page.get(), nextId());
    EXPECT_EQ(page->PageLine(), u("共 9 条记录，第 3 / 3 页。"));
    EXPECT_EQ(cardGuids(), QStringList{bills[8].GUID});
    clickButton(page.get(), nextId());
    EXPECT_EQ(page->PageIndex(), 2);
    clickButton(page.get(), prevId());
    EXPECT_EQ(cardGuids(), (QStringList{bills[4].GUID, bills[5].GUID, bills[6].GUID, bills[7].GUID}));

    // Exactly one page: 下一页 lists it again, with a bill written meanwhile.
    db.exec(QStringLiteral("DELETE FROM %1 WHERE RowNo > 4").arg(QLatin1String(side().table)).toUtf8().constData());
    page->RefreshByDate(u("2024-03-05"));
    EXPECT_EQ(page->PageLine(), u("共 4 条记录，第 1 / 1 页。"));
    db.exec(QStringLiteral("DELETE FROM %1 WHERE RowNo = 4").arg(QLatin1String(side().table)).toUtf8().constData());
    clickButton(page.get(), nextId());
    EXPECT_EQ(page->PageLine(), u("共 3 条记录，第 1 / 1 页。"));
}

TEST_P(FinanceBillPageTest, ANewBillShowsTheLastPageUnderTheFilter)
{
    addBills(5, "2024-03-05");
    open();
    ASSERT_TRUE(page->InsertFinanceBill(makeBill(kIncomeBill, u("甲"), u("现金"), u("2024-03-05"), u("1"))));
    EXPECT_EQ(page->PageLine(), u("共 6 条记录，第 2 / 2 页。"));
    EXPECT_EQ(page->VisibleCardCount(), 2);

    // Outside the filter: written, not shown, and the page still right.
    clickButton(page.get(), prevId());
    ASSERT_TRUE(page->InsertFinanceBill(makeBill(kIncomeBill, u("甲"), u("现金"), u("2024-04-01"), u("1"))));
    EXPECT_EQ(rowCount(db, side().table), 7);
    EXPECT_EQ(page->PageLine(), u("共 6 条记录，第 2 / 2 页。"));
    EXPECT_EQ(page->VisibleCardCount(), 2);
    EXPECT_FALSE(page->IsEmptyStateShown());

    page->RefreshByDate(u("2024-03-06"));
    ASSERT_TRUE(page->InsertFinanceBill(makeBill(kIncomeBill, u("甲"), u("现金"), u("2024-04-02"), u("1"))));
    EXPECT_EQ(page->PageLine(), u("共 0 条记录，第 1 / 0 页。"));
    EXPECT_TRUE(page->IsEmptyStateShown());
    EXPECT_EQ(storedSumIncome(db, side(), u("甲")), u("53.00"));
}

TEST_P(FinanceBillPageTest, ACardsBillIsDeletedWithItsFiguresAndThePageListedAgain)
{
    addBills(6, "2024-03-05");
    bills.push_back(addBill(db, party(), kPayoutBill, u("甲"), u("工行"), u("2024-03-01"), u("4")));
    open();
    clickButton(page.get(), nextId());
    ASSERT_EQ(page->VisibleCardCount(), 2);
    const QString deleted = page->CardBill(0).GUID;

    // A delete that fails leaves the bill, its card and the editor.
    db.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON %1 BEGIN SELECT RAISE(ABORT, '磁盘已满'); END")
                .arg(QLatin1String(side().table))
                .toUtf8()
                .constData());
    user.answerQuestion(true);
    user.answerQuestion(true);
    user.onNextModal([&](QDialog *d) {
        EditorControls e(d);
        EXPECT_EQ(d->windowTitle(), u("修改财务收入"));
        EXPECT_TRUE(e.deleteButton()->isVisible());
        e.remove();
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(page->VisibleCardCount(), 2);
        db.exec("DROP TRIGGER refuse");
        e.remove();
        return d->result();
    });
    clickCard(0);
    EXPECT_EQ(user.modalDialogs, QStringList{u("CDlgNewIncomeBill")});
    EXPECT_EQ(user.messages.size(), 3u);
    EXPECT_EQ(user.messages[1].kind, ScriptedInteraction::Message::Error);
    EXPECT_TRUE(storedColumn(db, side(), "GUID", deleted).isEmpty());
    EXPECT_EQ(page->PageLine(), u("共 5 条记录，第 2 / 2 页。"));
    EXPECT_EQ(page->VisibleCardCount(), 1);
    EXPECT_FALSE(cardGuids().contains(deleted));
    EXPECT_EQ(storedSumIncome(db, side(), u("甲")), u("50.00"));
    EXPECT_EQ(storedBalance(db, u("现金")), u("50.00"));
}

TEST_P(FinanceBillPageTest, ACardTakesAChangeOnlyAfterTheCommit)
{
    addBills(2, "2024-03-05");
    open();
    db.exec("CREATE TRIGGER refuse BEFORE UPDATE ON tbl_AccountMgr BEGIN SELECT RAISE(ABORT, '磁盘已满'); END");
    user.onNextModal([&](QDialog *d) {
        EditorControls e(d);
        e.typeAmount(u("99"));
        e.account()->setCurrentIndex(e.account()->findText(u("工行")));
        e.ok();
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(page->CardBill(1).MoneyCount, u("10"));
        db.exec("DROP TRIGGER refuse");
        e.ok();
        return d->result();
    });
    clickCard(1);
    EXPECT_EQ(user.texts().last(), party() == PartyClient ? u("修改销售财务单据成功。") : u("修改采购财务单据成功。"));
    EXPECT_EQ(page->CardBill(1).MoneyCount, u("99"));
    EXPECT_EQ(page->CardBill(1).GUID, bills[1].GUID);
    EXPECT_EQ(page->CardBill(0).MoneyCount, u("10"));
    EXPECT_EQ(storedSumIncome(db, side(), u("甲")), u("109.00"));
    EXPECT_EQ(storedBalance(db, u("现金")), u("10.00"));
    EXPECT_EQ(storedBalance(db, u("工行")), u("99.00"));
}

TEST_P(FinanceBillPageTest, ACardWhoseBillIsGoneOpensNothing)
{
    addBills(1, "2024-03-05");
    open();
    db.exec(QStringLiteral("DELETE FROM %1").arg(QLatin1String(side().table)).toUtf8().constData());
    clickCard(0);
    EXPECT_TRUE(user.modalDialogs.isEmpty());
    EXPECT_EQ(user.texts(), QStringList{u("该财务单据已不存在，可能已被删除。")});
    EXPECT_EQ(page->VisibleCardCount(), 0);
    EXPECT_TRUE(page->IsEmptyStateShown());
}

TEST_P(FinanceBillPageTest, AResizeListsThePageAgainOnlyWhenTheCardsPerPageChange)
{
    addBills(30, "2024-03-05");
    open(12);
    ASSERT_EQ(page->PageCapacity(), 12);
    clickButton(page.get(), nextId());
    EXPECT_EQ(page->PageIndex(), 1);
    page->resize(990, 690);
    EXPECT_EQ(page->PageIndex(), 1);
    EXPECT_EQ(page->CardBill(0).GUID, bills[12].GUID);
    page->resize(600, 300);
    EXPECT_EQ(page->PageCapacity(), 4);
    EXPECT_EQ(page->PageIndex(), 0);
    EXPECT_EQ(page->PageLine(), u("共 30 条记录，第 1 / 8 页。"));
    EXPECT_EQ(cardGuids(), (QStringList{bills[0].GUID, bills[1].GUID, bills[2].GUID, bills[3].GUID}));
}

INSTANTIATE_TEST_SUITE_P(Sides, FinanceBillPageTest, ::testing::ValuesIn(kSides), sideCaseName);

} // namespace
