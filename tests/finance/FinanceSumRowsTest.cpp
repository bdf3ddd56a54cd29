#include "FinanceSumRows.h"

#include "AccountFigures.h"
#include "Database.h"
#include "FinanceTestSupport.h"
#include "FinanceTotals.h"

// The 财务月结 rows and the accounts' date-bounded figures against bills
// worked out by hand, on either side and across both.

namespace {

using Row = QStringList;

Row texts(const ProductFinaSumInfo &row)
{
    return {row.AccountName, row.BalanceBefore, row.PeriodIncome, row.PeriodPayout, row.PeriodProfit, row.BalanceNow};
}

QList<Row> textsOf(const QList<ProductFinaSumInfo> &rows)
{
    QList<Row> all;
    for (const ProductFinaSumInfo &row : rows)
        all << texts(row);
    return all;
}

class FinanceSumRowsTest : public ::testing::TestWithParam<SideCase>
{
protected:
    void SetUp() override
    {
        // The schema's own 现金 goes: each test makes its accounts.
        db.exec("DELETE FROM tbl_AccountMgr");
    }

    void bill(const QString &type, const QString &account, const QString &date, const QString &amount,
              std::optional<PartySide> table = std::nullopt)
    {
        AddFinanceBillRow(db.db(), table.value_or(GetParam().party), type, u("甲"), account, date, amount);
    }

    QList<Row> rows(const char *start, const char *end)
    {
        return textsOf(BuildFinanceSumRows(db.db(), u(start), u(end)));
    }

    PartySide otherParty() const { return GetParam().party == PartyClient ? PartyProvider : PartyClient; }

    TestDatabase db;
};

} // namespace

TEST_P(FinanceSumRowsTest, BalanceBeforeIncomePayoutProfitAndBalanceAfter)
{
    AddAccountRow(db.db(), u("工行"));
    bill(kIncomeBill, u("工行"), u("2024-02-15"), u("50"));
    bill(kIncomeBill, u("工行"), u("2024-03-10"), u("100"));
    // The payout is on the other side's table: the report counts both.
    bill(kPayoutBill, u("工行"), u("2024-03-20"), u("30"), otherParty());
    EXPECT_EQ(rows("2024-03-01", "2024-03-31"),
              (QList<Row> {{u("工行"), u("50.00"), u("100.00"), u("30.00"), u("70.00"), u("120.00")},
                           {u("总合计"), u("50.00"), u("100.00"), u("30.00"), u("70.00"), u("120.00")}}));
}

TEST_P(FinanceSumRowsTest, StartAndEndDaysCountInThePeriod)
{
    AddAccountRow(db.db(), u("工行"));
    AddAccountRow(db.db(), u("现金"));
    bill(kIncomeBill, u("工行"), u("2024-02-29"), u("1")); // before
    bill(kIncomeBill, u("工行"), u("2024-03-01"), u("10")); // first day
    bill(kPayoutBill, u("工行"), u("2024-03-31"), u("4")); // last day
    bill(kIncomeBill, u("工行"), u("2024-04-01"), u("1000")); // after: nowhere
    bill(kIncomeBill, u("现金"), u("2024-03-31"), u("0.25"));
    // A bill whose account has no row counts in no row and no total.
    bill(kIncomeBill, u("农行"), u("2024-03-15"), u("500"));
    EXPECT_EQ(rows("2024-03-01", "2024-03-31"),
              (QList<Row> {{u("工行"), u("1.00"), u("10.00"), u("4.00"), u("6.00"), u("7.00")},
                           {u("现金"), u("0.00"), u("0.25"), u("0.00"), u("0.25"), u("0.25")},
                           {u("总合计"), u("1.00"), u("10.25"), u("4.00"), u("6.25"), u("7.25")}}));

    // A start after the end: nothing in the period, the balance is what
    // came before the start.
    EXPECT_EQ(rows("2024-03-31", "2024-03-01"),
              (QList<Row> {{u("工行"), u("11.00"), u("0.00"), u("0.00"), u("0.00"), u("11.00")},
                           {u("现金"), u("0.00"), u("0.00"), u("0.00"), u("0.00"), u("0.00")},
                           {u("总合计"), u("11.00"), u("0.00"), u("0.00"), u("0.00"), u("11.00")}}));
}

INSTANTIATE_TEST_SUITE_P(Sides, FinanceSumRowsTest, ::testing::ValuesIn(kSides), sideCaseName);

TEST(FinanceSumRows, WithoutAccountsOnlyTheTotalsRowOfZeros)
{
    TestDatabase db;
    db.exec("DELETE FROM tbl_AccountMgr");
    AddFinanceBillRow(db.db(), PartyClient, kIncomeBill, u("甲"), u("现金"), u("2024-03-02"), u("10"));
    const QList<ProductFinaSumInfo> rows = BuildFinanceSumRows(db.db(), u("2024-03-01"), u("2024-03-31"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(texts(rows[0]), (Row {u("总合计"), u("0.00"), u("0.00"), u("0.00"), u("0.00"), u("0.00")}));
    EXPECT_TRUE(rows[0].RowKind.isEmpty());
    EXPECT_EQ(FinanceSumTitle(u("2024-03-01"), u("2024-03-31")), u("日期范围：2024-03-01 到 2024-03-31"));
}

TEST(FinanceSumRows, AnOldNegativePayoutCountsAsIncomeAndNamesakesCountOnce)
{
    TestDatabase db;
    // Old data: a payout typed "-5", and two accounts of one name.
    AddAccountRow(db.db(), u("现金"));
    AddFinanceBillRow(db.db(), PartyProvider, kPayoutBill, u("乙"), u("现金"), u("2024-03-05"), u("-5"));
    AddFinanceBillRow(db.db(), PartyClient, kIncomeBill, u("甲"), u("现金"), u("2024-03-06"), u("20"));
    const QList<ProductFinaSumInfo> rows = BuildFinanceSumRows(db.db(), u("2024-03-01"), u("2024-03-31"));
    ASSERT_EQ(rows.size(), 3);
    // 支出 is the sum of the payouts as written; 利润 is income less it.
    EXPECT_EQ(texts(rows[0]), (Row {u("现金"), u("0.00"), u("20.00"), u("-5.00"), u("25.00"), u("25.00")}));
    EXPECT_EQ(texts(rows[1]), (Row {u("现金"), QString(), QString(), QString(), QString(), QString()}));
    EXPECT_EQ(texts(rows[2]), (Row {u("总合计"), u("0.00"), u("20.00"), u("-5.00"), u("25.00"), u("25.00")}));
}

TEST(AccountFigures, SumAsTheStoredBalanceDoes)
{
    TestDatabase db;
    const struct
    {
        PartySide table;
        const QString &type;
        const char *account;
        const char *date;
        const char *amount;
    } bills[] = {
        {PartyClient, kIncomeBill, "现金", "2023-12-31", "100"},
        {PartyProvider, kPayoutBill, "现金", "2024-01-31", "30.5"},
        {PartyProvider, kPayoutBill, "现金", "2024-02-01", "-5"},
        {PartyClient, kIncomeBill, "工行", "2024-01-15", "12abc"},
        {PartyClient, u("其它单"), "工行", "2024-01-15", "99"},
    };
    for (const auto &b : bills)
        AddFinanceBillRow(db.db(), b.table, b.type, u("甲"), u(b.account), u(b.date), u(b.amount));

    // A month: the bill on its last day counts in both figures, one after
    // it in neither; names asked twice are summed once.
    const QHash<QString, AccountRangeSums> january = AccountFigures(db.db()).RangeSums(
        {u("现金"), u("工行"), u("现金"), u("农行")}, u("2024-01-01"), u("2024-01-31"));
    ASSERT_EQ(january.size(), 3);
    EXPECT_EQ(DoubleToStr(january[u("现金")].closingBalance()), u("69.50"));
    EXPECT_EQ(DoubleToStr(january[u("现金")].within.balance()), u("-30.50"));
    EXPECT_EQ(DoubleToStr(january[u("工行")].closingBalance()), u("12.00"));
    EXPECT_EQ(DoubleToStr(january[u("农行")].closingBalance()), u("0.00"));

    // Over all dates the figures are the stored balance's.
    const QHash<QString, AccountRangeSums> all
        = AccountFigures(db.db()).RangeSums({u("现金"), u("工行")}, u("0000-01-01"), u("9999-12-31"));
    FinanceTotals totals(db.db());
    for (const char *name : {"现金", "工行"}) {
        SCOPED_TRACE(name);
        EXPECT_DOUBLE_EQ(all[u(name)].closingBalance(), totals.AccountTotals(u(name)).balance());
        EXPECT_DOUBLE_EQ(all[u(name)].before.balance(), 0.0);
    }
    EXPECT_EQ(DoubleToStr(all[u("现金")].closingBalance()), u("74.50"));
}
