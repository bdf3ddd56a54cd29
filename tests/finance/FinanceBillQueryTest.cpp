#include "FinanceBillQuery.h"

#include <functional>

#include "Database.h"
#include "FinanceTestSupport.h"
#include "RecordColumns.h"

// The query record against bills written straight into both tables: each
// criterion alone and all together, amounts compared as numbers, dates as
// inclusive ranges, the tables in the caller's order.

namespace {

struct BillSpec
{
    PartySide table;
    const char *code;
    const char *type;
    const char *account;
    const char *party;
    const char *date;
    const char *amount;
    const char *kind;
    const char *money;
    const char *voucher;
    const char *seller;
    const char *remark;
};

// Codes tell the bills apart; C… are client bills, P… provider bills.
const BillSpec kBills[] = {
    {PartyClient, "C1", "收入单", "工行", "甲", "2024-02-29", "100", "货款", "现金", "收据", "小王", "首付"},
    {PartyClient, "C2", "支出单", "现金", "乙", "2024-03-01", "99.5", "其它", "转账", "发票", "小李", ""},
    {PartyClient, "C3", "收入单", "现金", "O'Neil", "2024-02-28", "1000", "货款", "现金", "收据", "", ""},
    {PartyProvider, "P1", "收入单", "工行", "甲", "2024-02-29", "100.00", "货款", "现金", "收据", "小王", "首付"},
    {PartyProvider, "P2", "支出单", "现金", "丙", "2024-01-31", "12.5", "其它", "现金", "发票", "", "尾款"},
};

using Adjust = std::function<void(FinanceBillQuery &)>;

struct QueryCase
{
    const char *name;
    Adjust adjust;
    QStringList codes; // expected, provider table first
};

class FinanceBillQueryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const BillSpec &spec : kBills) {
            struct_button_financebill bill
                = makeBill(u(spec.type), u(spec.party), u(spec.account), u(spec.date), u(spec.amount));
            bill.BillCode = u(spec.code);
            bill.IncomeType = u(spec.kind);
            bill.MoneyType = u(spec.money);
            bill.Voucher = u(spec.voucher);
            bill.SellerName = u(spec.seller);
            bill.BillRemark = u(spec.remark);
            db.db().insertRow(QLatin1String(FinanceBillSide::For(spec.table).table), InsertColumns(bill));
        }
    }

    QStringList codesOf(const FinanceBillQuery &query)
    {
        QStringList codes;
        for (const FinanceBillListRow &row : FindFinanceBills(db.db(), query)) {
            // Each row knows its table, which its code names.
            EXPECT_EQ(row.table, row.bill.BillCode.startsWith(QLatin1Char('P')) ? PartyProvider : PartyClient);
            codes << row.bill.BillCode;
        }
        return codes;
    }

    TestDatabase db;
};

FinanceBillQuery both()
{
    FinanceBillQuery query;
    query.tables = FinanceBillQuery::TablesOfSide(BillListBoth);
    return query;
}

} // namespace

// One database for every case: making one takes longer than all the
// queries together.
TEST_F(FinanceBillQueryTest, SelectsTheBillsOfItsCriteria)
{
    const QueryCase cases[] = {
        QueryCase {"nothing", [](FinanceBillQuery &) {}, {"P1", "P2", "C1", "C2", "C3"}},
        QueryCase {
            "income", [](FinanceBillQuery &q) { q.billType = FinanceBillQuery::IncomeBills; }, {"P1", "C1", "C3"}},
        QueryCase {"payout", [](FinanceBillQuery &q) { q.billType = FinanceBillQuery::PayoutBills; }, {"P2", "C2"}},
        QueryCase {"party", [](FinanceBillQuery &q) { q.partyName = u("甲"); }, {"P1", "C1"}},
        QueryCase {"quote", [](FinanceBillQuery &q) { q.partyName = u("O'Neil"); }, {"C3"}},
        QueryCase {"allParties", [](FinanceBillQuery &q) { q.partyName = u("所有"); }, {"P1", "P2", "C1", "C2", "C3"}},
        QueryCase {"account", [](FinanceBillQuery &q) { q.account = u("现金"); }, {"P2", "C2", "C3"}},
        QueryCase {"kind", [](FinanceBillQuery &q) { q.incomeType = u("其它"); }, {"P2", "C2"}},
        QueryCase {"moneyType", [](FinanceBillQuery &q) { q.moneyType = u("转账"); }, {"C2"}},
        QueryCase {"voucher", [](FinanceBillQuery &q) { q.voucher = u("发票"); }, {"P2", "C2"}},
        QueryCase {"allVouchers", [](FinanceBillQuery &q) { q.voucher = u("所有"); }, {"P1", "P2", "C1", "C2", "C3"}},
        QueryCase {"remark", [](FinanceBillQuery &q) { q.remark = u("首付"); }, {"P1", "C1"}},
        QueryCase {"seller", [](FinanceBillQuery &q) { q.seller = u("小李"); }, {"C2"}},
        QueryCase {"code", [](FinanceBillQuery &q) { q.billCode = u("C3"); }, {"C3"}},
        // 29 February is the last day of the month and counts; so do both
        // ends of a range.
        QueryCase {"month",
                   [](FinanceBillQuery &q) { q.dates = FinanceBillQuery::MonthOf(u("2024-02-10")); },
                   {"P1", "C1", "C3"}},
        QueryCase {"days",
                   [](FinanceBillQuery &q) {
                       q.dates = {{u("2024-02-29"), u("2024-03-01")}};
                   },
                   {"P1", "C1", "C2"}},
        QueryCase {"oneDay",
                   [](FinanceBillQuery &q) {
                       q.dates = {{u("2024-01-31"), u("2024-01-31")}};
                   },
                   {"P2"}},
        QueryCase {"year",
                   [](FinanceBillQuery &q) { q.dates = FinanceBillQuery::YearOf(u("2024-06-30")); },
                   {"P1", "P2", "C1", "C2", "C3"}},
        // As texts "99.5" > "100" and "1000" < "12.5"; as numbers they are not.
        QueryCase {"amounts",
                   [](FinanceBillQuery &q) {
                       q.amounts = {{99.5, 100}};
                   },
                   {"P1", "C1", "C2"}},
        QueryCase {"amountsAboveHundred",
                   [](FinanceBillQuery &q) {
                       q.amounts = {{100.01, 5000}};
                   },
                   {"C3"}},
        QueryCase {"combined",
                   [](FinanceBillQuery &q) {
                       q.billType = FinanceBillQuery::IncomeBills;
                       q.account = u("工行");
                       q.partyName = u("甲");
                       q.dates = FinanceBillQuery::MonthOf(u("2024-02-01"));
                       q.amounts = {{50, 150}};
                       q.seller = u("小王");
                   },
                   {"P1", "C1"}},
        QueryCase {"combinedExcluding",
                   [](FinanceBillQuery &q) {
                       q.account = u("工行");
                       q.seller = u("小李");
                   },
                   {}}};
    for (const QueryCase &queryCase : cases) {
        SCOPED_TRACE(queryCase.name);
        FinanceBillQuery query = both();
        queryCase.adjust(query);
        EXPECT_EQ(codesOf(query), queryCase.codes);
    }
}

TEST(FinanceBillQueryTables, FollowTheCallersOrder)
{
    EXPECT_EQ(FinanceBillQuery::TablesOfSide(BillListProvider), QList<PartySide> {PartyProvider});
    EXPECT_EQ(FinanceBillQuery::TablesOfSide(BillListClient), QList<PartySide> {PartyClient});
    // The search of both sides lists the provider table first, an account's
    // bills the client table first.
    EXPECT_EQ(FinanceBillQuery::TablesOfSide(BillListBoth), (QList<PartySide> {PartyProvider, PartyClient}));
    const FinanceBillQuery account = FinanceBillQuery::AccountBills(u("现金"), std::nullopt);
    EXPECT_EQ(account.tables, (QList<PartySide> {PartyClient, PartyProvider}));
    EXPECT_EQ(account.account, u("现金"));
    EXPECT_FALSE(account.dates);

    const std::vector<FinanceBillStatement> statements = FinanceBillStatements(account);
    ASSERT_EQ(statements.size(), 2u);
    EXPECT_EQ(statements[0].table, PartyClient);
    EXPECT_EQ(statements[1].table, PartyProvider);
    // Values are bound, never written into the text.
    for (const FinanceBillStatement &statement : statements) {
        EXPECT_FALSE(statement.sql.contains(u("现金")));
        EXPECT_EQ(statement.values, QVariantList {u("现金")});
        EXPECT_TRUE(statement.sql.endsWith(u("ORDER BY RowNo")));
    }
}

TEST(FinanceBillQueryRanges, MonthsAndYearsAreDateTexts)
{
    EXPECT_EQ(FinanceBillQuery::MonthOf(u("2024-02-10")),
              (FinanceBillQuery::DateRange {u("2024-02-01"), u("2024-02-29")}));
    EXPECT_EQ(FinanceBillQuery::MonthOf(u("2023-02-28")),
              (FinanceBillQuery::DateRange {u("2023-02-01"), u("2023-02-28")}));
    EXPECT_EQ(FinanceBillQuery::MonthOf(u("2023-12-31")),
              (FinanceBillQuery::DateRange {u("2023-12-01"), u("2023-12-31")}));
    EXPECT_EQ(FinanceBillQuery::YearOf(u("2011-06-15")),
              (FinanceBillQuery::DateRange {u("2011-01-01"), u("2011-12-31")}));
}
