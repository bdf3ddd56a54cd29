#include "FinanceTotals.h"

#include "Database.h"
#include "FinanceBillWriter.h"
#include "FinanceTestSupport.h"

// The income totals and account balances after every write, against
// figures worked out by hand from the bills each test writes.

namespace {

class FinanceTotalsTest : public ::testing::TestWithParam<SideCase>
{
protected:
    void SetUp() override
    {
        addParty(db, GetParam().party, u("甲"));
        addParty(db, GetParam().party, u("乙"));
        // The other side has a party of the same name: its total is never
        // this side's to write.
        addParty(db, otherParty(), u("甲"));
        AddAccountRow(db.db(), u("工行"));
    }

    PartySide party() const { return GetParam().party; }
    PartySide otherParty() const { return party() == PartyClient ? PartyProvider : PartyClient; }
    const FinanceBillSide &side() const { return GetParam().side(); }
    FinanceBillWriter writer() { return FinanceBillWriter(db.db(), side()); }

    TestDatabase db;
};

TEST_P(FinanceTotalsTest, FollowEveryInsertChangeAndDelete)
{
    AddFinanceBillRow(db.db(), party(), kIncomeBill, u("甲"), u("现金"), u("2024-03-01"), u("100"));
    AddFinanceBillRow(db.db(), party(), kPayoutBill, u("甲"), u("现金"), u("2024-03-02"), u("30"));
    AddFinanceBillRow(db.db(), otherParty(), kIncomeBill, u("甲"), u("现金"), u("2024-03-03"), u("50"));
    const QString otherTotal = storedSumIncome(db, GetParam().otherSide(), u("甲"));

    struct_button_financebill bill = makeBill(kIncomeBill, u("甲"), u("工行"), u("2024-03-05"), u("12.50"));
    ASSERT_TRUE(writer().Insert(bill));
    EXPECT_EQ(storedSumIncome(db, side(), u("甲")), u("112.50"));
    EXPECT_EQ(storedBalance(db, u("工行")), u("12.50"));

    // Moved to another party and account: both old and new are recomputed.
    bill.ClientName = u("乙");
    bill.AccountName = u("现金");
    bill.MoneyCount = u("20");
    ASSERT_TRUE(writer().Update(bill));
    EXPECT_EQ(storedSumIncome(db, side(), u("甲")), u("100.00"));
    EXPECT_EQ(storedSumIncome(db, side(), u("乙")), u("20.00"));
    EXPECT_EQ(storedBalance(db, u("工行")), u("0.00"));
    // 100 - 30 on this side, 50 on the other, and the moved 20.
    EXPECT_EQ(storedBalance(db, u("现金")), u("140.00"));

    // Turned into a payout: it leaves the income total and is subtracted.
    bill.BillType = kPayoutBill;
    ASSERT_TRUE(writer().Update(bill));
    EXPECT_EQ(storedSumIncome(db, side(), u("乙")), u("0.00"));
    EXPECT_EQ(storedBalance(db, u("现金")), u("100.00"));

    ASSERT_TRUE(writer().Delete(bill.GUID));
    EXPECT_EQ(storedBalance(db, u("现金")), u("120.00"));

    ASSERT_TRUE(writer().Insert(makeBill(kPayoutBill, u("乙"), u("工行"), u("2024-03-06"), u("12.50"))));
    EXPECT_EQ(storedBalance(db, u("工行")), u("-12.50"));
    EXPECT_EQ(storedSumIncome(db, side(), u("乙")), u("0.00"));

    EXPECT_EQ(storedSumIncome(db, GetParam().otherSide(), u("甲")), otherTotal);
}

TEST_P(FinanceTotalsTest, DepositsCountOnceThroughTheirFinanceBill)
{
    // Goods bills with deposits, a return of three lines among them: their
    // Imprest texts never count, whatever EnableImprest says.
    const QString billType = party() == PartyClient ? u("出货单") : u("进货单");
    AddGoodsBillRows(db.db(), party(), billType, u("甲"), u("2024-03-01"),
                     {{u("A1"), u("螺丝"), u("M3"), u("2"), u("5")}});
    AddGoodsBillRows(db.db(), party(), u("退货单"), u("甲"), u("2024-03-02"),
                     {{u("A1"), u("螺丝"), u("M3"), u("1"), u("5")},
                      {u("A2"), u("螺母"), u("M3"), u("1"), u("5")},
                      {u("A3"), u("垫片"), u("M3"), u("1"), u("5")}});
    const char *goodsTable = party() == PartyClient ? "UPDATE tbl_GoodsBill_shipment SET Imprest = '50', "
                                                      "EnableImprest = '启用预付款', AccountName = '现金'"
                                                    : "UPDATE tbl_goodsbill_shipment_provider SET Imprest = '50', "
                                                      "EnableImprest = '启用预付款', AccountName = '现金'";
    db.exec(goodsTable);

    struct_button_financebill deposit = makeBill(kIncomeBill, u("甲"), u("现金"), u("2024-03-01"), u("50"));
    deposit.BillRemark = u("单据订金（XS_2024-03-01）。");
    ASSERT_TRUE(writer().Insert(deposit));
    EXPECT_EQ(storedSumIncome(db, side(), u("甲")), u("50.00"));
    EXPECT_EQ(storedBalance(db, u("现金")), u("50.00"));

    // A deleted deposit bill stops counting.
    ASSERT_TRUE(writer().Delete(deposit.GUID));
    EXPECT_EQ(storedSumIncome(db, side(), u("甲")), u("0.00"));
    EXPECT_EQ(storedBalance(db, u("现金")), u("0.00"));
}

TEST_P(FinanceTotalsTest, OldAmountsCountAsTheNumberTheyBeginWith)
{
    AddFinanceBillRow(db.db(), party(), kIncomeBill, u("甲"), u("现金"), u("2020-01-01"), u("12元"));
    AddFinanceBillRow(db.db(), party(), kIncomeBill, u("甲"), u("现金"), u("2020-01-02"), u("abc"));
    AddFinanceBillRow(db.db(), party(), kPayoutBill, u("甲"), u("现金"), u("2020-01-03"), u("-5"));
    // Neither kind: counts nowhere.
    AddFinanceBillRow(db.db(), party(), u("收入"), u("甲"), u("现金"), u("2020-01-04"), u("1000"));
    ASSERT_TRUE(writer().Insert(makeBill(kIncomeBill, u("甲"), u("现金"), u("2020-01-05"), u("0.5"))));
    EXPECT_EQ(storedSumIncome(db, side(), u("甲")), u("12.50"));
    // A stored payout of -5 is minus its number.
    EXPECT_EQ(storedBalance(db, u("现金")), u("17.50"));

    FinanceTotals totals(db.db());
    const AccountSums sums = totals.AccountTotals(u("现金"));
    EXPECT_DOUBLE_EQ(sums.income, 12.5);
    EXPECT_DOUBLE_EQ(sums.payout, -5.0);
    EXPECT_DOUBLE_EQ(totals.PartySumIncome(side(), u("甲")), 12.5);
    EXPECT_DOUBLE_EQ(totals.PartySumIncome(GetParam().otherSide(), u("甲")), 0.0);
}

TEST_P(FinanceTotalsTest, AFailedWriteChangesNothing)
{
    AddFinanceBillRow(db.db(), party(), kIncomeBill, u("甲"), u("现金"), u("2024-03-01"), u("100"));
    const struct_button_financebill stored =
        AddFinanceBillRow(db.db(), party(), kIncomeBill, u("乙"), u("工行"), u("2024-03-01"), u("40"));
    // Stale figures: a failed write must not even correct them.
    db.exec("UPDATE tbl_AccountMgr SET AccountBalance = '7'");
    db.exec("UPDATE tbl_clientmgr SET SumIncome = '7'");
    db.exec("UPDATE tbl_ProviderMgr SET SumIncome = '7'");
    const int rows = rowCount(db, side().table);

    // The row goes in, then the balance cannot be written: all rolls back.
    db.exec("CREATE TRIGGER refuse BEFORE UPDATE ON tbl_AccountMgr BEGIN SELECT RAISE(ABORT, '磁盘已满'); END");
    const struct_button_financebill bill = makeBill(kIncomeBill, u("甲"), u("现金"), u("2024-03-05"), u("12"));
    EXPECT_THROW(writer().Insert(bill), DbError);
    struct_button_financebill moved = stored;
    moved.ClientName = u("甲");
    EXPECT_THROW(writer().Update(moved), DbError);
    EXPECT_THROW(writer().Delete(stored.GUID), DbError);
    db.exec("DROP TRIGGER refuse");

    // A file that cannot be written at all.
    db.exec("PRAGMA query_only = ON");
    EXPECT_THROW(writer().Insert(bill), DbError);
    EXPECT_THROW(writer().Update(moved), DbError);
    EXPECT_THROW(writer().Delete(stored.GUID), DbError);
    db.exec("PRAGMA query_only = OFF");

    EXPECT_EQ(rowCount(db, side().table), rows);
    EXPECT_EQ(storedColumn(db, side(), "ClientName", stored.GUID), u("乙"));
    EXPECT_EQ(storedSumIncome(db, side(), u("甲")), u("7"));
    EXPECT_EQ(storedSumIncome(db, side(), u("乙")), u("7"));
    EXPECT_EQ(storedBalance(db, u("现金")), u("7"));
    EXPECT_EQ(storedBalance(db, u("工行")), u("7"));
}

TEST_P(FinanceTotalsTest, AGoneBillIsNeitherChangedNorDeleted)
{
    db.exec("UPDATE tbl_AccountMgr SET AccountBalance = '7'");
    struct_button_financebill gone = makeBill(kIncomeBill, u("甲"), u("现金"), u("2024-03-05"), u("12"));
    EXPECT_FALSE(writer().Update(gone));
    EXPECT_FALSE(writer().Delete(gone.GUID));
    gone.GUID.clear();
    EXPECT_FALSE(writer().Insert(gone));
    EXPECT_EQ(rowCount(db, side().table), 0);
    EXPECT_EQ(storedBalance(db, u("现金")), u("7"));
}

INSTANTIATE_TEST_SUITE_P(Sides, FinanceTotalsTest, ::testing::ValuesIn(kSides), sideCaseName);

} // namespace
