#include "AccountWriter.h"

#include "AccountStore.h"
#include "Database.h"
#include "FinanceTestSupport.h"

// Adding, renaming and deleting accounts: the rename carries the account's
// bills in all five tables along in one transaction, or changes nothing.

namespace {

const char *const kFiveTables[] = {"tbl_AccountMgr", "tbl_FinanceBill_income", "tbl_FinanceBill_income_provider",
                                   "tbl_GoodsBill_shipment", "tbl_goodsbill_shipment_provider"};

class AccountWriterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        bank = AddAccountRow(db.db(), u("工行"));
        AddFinanceBillRow(db.db(), PartyClient, kIncomeBill, u("甲"), u("工行"), u("2024-03-01"), u("100"));
        AddFinanceBillRow(db.db(), PartyProvider, kPayoutBill, u("乙"), u("工行"), u("2024-03-02"), u("30"));
        AddFinanceBillRow(db.db(), PartyClient, kIncomeBill, u("甲"), u("现金"), u("2024-03-03"), u("7"));
        const FixtureLine line {u("A1"), u("螺丝"), u("M3"), u("2"), u("5")};
        AddGoodsBillRows(db.db(), PartyClient, u("出货单"), u("甲"), u("2024-03-04"), {line, line});
        AddGoodsBillRows(db.db(), PartyProvider, u("进货单"), u("乙"), u("2024-03-05"), {line});
        // The goods bills' deposits were booked to 工行.
        db.exec("UPDATE tbl_GoodsBill_shipment SET AccountName = ?", {u("工行")});
        db.exec("UPDATE tbl_goodsbill_shipment_provider SET AccountName = ?", {u("工行")});
    }

    // How many rows of each of the five tables name the account.
    QList<int> named(const QString &account)
    {
        QList<int> counts;
        for (const char *table : kFiveTables)
            counts << db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE AccountName = ?")
                                    .arg(QLatin1String(table))
                                    .toUtf8()
                                    .constData(),
                                {account})
                          .toInt();
        return counts;
    }

    struct_button_account renamed(const QString &name) const
    {
        struct_button_account account = bank;
        account.AccountName = name;
        account.AccountBalance = u("999.00"); // what a card showed: never written
        account.MonthBalance = u("70.00");
        return account;
    }

    TestDatabase db;
    struct_button_account bank;
};

} // namespace

TEST_F(AccountWriterTest, ARenameCarriesTheBillsOfAllFiveTables)
{
    ASSERT_EQ(named(u("工行")), (QList<int> {1, 1, 1, 2, 1}));
    ASSERT_EQ(AccountWriter(db.db()).Update(renamed(u("工商银行"))), AccountWriter::Result::Done);
    EXPECT_EQ(named(u("工行")), (QList<int> {0, 0, 0, 0, 0}));
    EXPECT_EQ(named(u("工商银行")), (QList<int> {1, 1, 1, 2, 1}));
    // Other accounts' bills stay.
    EXPECT_EQ(named(u("现金")), (QList<int> {1, 1, 0, 0, 0}));
    // The balance is recomputed under the new name; the month figure is the
    // one handed in.
    EXPECT_EQ(storedBalance(db, u("工商银行")), u("70.00"));
    EXPECT_EQ(db.scalar("SELECT MonthBalance FROM tbl_AccountMgr WHERE GUID = ?", {bank.GUID}), u("70.00"));
    EXPECT_EQ(db.scalar("SELECT GUID FROM tbl_AccountMgr WHERE AccountName = ?", {u("工商银行")}), bank.GUID);
}

TEST_F(AccountWriterTest, AFailingWriteLeavesAllFiveTablesAsTheyWere)
{
    // The last table refuses the change after the others took theirs.
    db.exec("CREATE TRIGGER refuse BEFORE UPDATE ON tbl_goodsbill_shipment_provider "
            "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_THROW(AccountWriter(db.db()).Update(renamed(u("工商银行"))), DbError);
    EXPECT_EQ(named(u("工行")), (QList<int> {1, 1, 1, 2, 1}));
    EXPECT_EQ(named(u("工商银行")), (QList<int> {0, 0, 0, 0, 0}));
    EXPECT_EQ(db.scalar("SELECT MonthBalance FROM tbl_AccountMgr WHERE GUID = ?", {bank.GUID}), bank.MonthBalance);
}

TEST_F(AccountWriterTest, ANameAnotherAccountHasIsRefused)
{
    AccountWriter writer(db.db());
    struct_button_account cash = renamed(u("现金"));
    EXPECT_EQ(writer.Update(cash), AccountWriter::Result::NameTaken);
    EXPECT_EQ(named(u("工行")), (QList<int> {1, 1, 1, 2, 1}));

    struct_button_account another;
    another.AccountName = u("现金");
    another.AccountBalance = u("0");
    another.MonthBalance = u("0");
    another.GUID = GuidText();
    EXPECT_EQ(writer.Add(another), AccountWriter::Result::NameTaken);
    EXPECT_EQ(rowCount(db, "tbl_AccountMgr"), 2);
    // Names compare exactly: a name with a blank more is another name.
    another.AccountName = u("现金 ");
    EXPECT_EQ(writer.Add(another), AccountWriter::Result::Done);
    EXPECT_EQ(rowCount(db, "tbl_AccountMgr"), 3);

    // Keeping one's own name is no clash; only the month figure changes.
    EXPECT_EQ(writer.Update(renamed(u("工行"))), AccountWriter::Result::Done);
    EXPECT_EQ(storedBalance(db, u("工行")), u("70.00"));
}

TEST_F(AccountWriterTest, NamesHoldingQuotesAreStoredAsTyped)
{
    struct_button_account account;
    account.AccountName = u("O'Neil's \"账\"");
    account.AccountBalance = u("0");
    account.MonthBalance = u("0");
    account.GUID = GuidText();
    AddFinanceBillRow(db.db(), PartyClient, kIncomeBill, u("甲"), account.AccountName, u("2024-03-06"), u("12.5"));
    AccountWriter writer(db.db());
    ASSERT_EQ(writer.Add(account), AccountWriter::Result::Done);
    // Bills that already name the new account count in its balance.
    EXPECT_EQ(storedBalance(db, account.AccountName), u("12.50"));

    account.AccountName = u("it's");
    ASSERT_EQ(writer.Update(account), AccountWriter::Result::Done);
    EXPECT_EQ(storedBalance(db, u("it's")), u("12.50"));
    EXPECT_EQ(named(u("it's")), (QList<int> {1, 1, 0, 0, 0}));
}

TEST_F(AccountWriterTest, WhileANamesakeRemainsOnlyTheAccountRowIsRenamed)
{
    // Old data: two accounts named 工行. Their bills cannot be told apart,
    // so renaming one leaves the bills with the other.
    const struct_button_account twin = AddAccountRow(db.db(), u("工行"));
    ASSERT_EQ(AccountWriter(db.db()).Update(renamed(u("工商银行"))), AccountWriter::Result::Done);
    EXPECT_EQ(named(u("工行")), (QList<int> {1, 1, 1, 2, 1}));
    EXPECT_EQ(named(u("工商银行")), (QList<int> {1, 0, 0, 0, 0}));
    EXPECT_EQ(storedBalance(db, u("工商银行")), u("0.00"));
    EXPECT_EQ(AccountStore(db.db()).AccountByGuid(twin.GUID)->AccountName, u("工行"));

    // With the namesake gone, a rename takes the bills along again.
    ASSERT_EQ(AccountWriter(db.db()).Delete(twin.GUID), AccountWriter::Result::Done);
    struct_button_account back = renamed(u("工行"));
    ASSERT_EQ(AccountWriter(db.db()).Update(back), AccountWriter::Result::Done);
    back.AccountName = u("建行");
    ASSERT_EQ(AccountWriter(db.db()).Update(back), AccountWriter::Result::Done);
    EXPECT_EQ(named(u("建行")), (QList<int> {1, 1, 1, 2, 1}));
}

TEST_F(AccountWriterTest, AnAccountGoneMeanwhileIsNeitherChangedNorDeleted)
{
    AccountWriter writer(db.db());
    ASSERT_EQ(writer.Delete(bank.GUID), AccountWriter::Result::Done);
    // Its bills keep its name.
    EXPECT_EQ(named(u("工行")), (QList<int> {0, 1, 1, 2, 1}));
    EXPECT_EQ(writer.Delete(bank.GUID), AccountWriter::Result::Gone);
    EXPECT_EQ(writer.Update(renamed(u("建行"))), AccountWriter::Result::Gone);
    EXPECT_EQ(named(u("建行")), (QList<int> {0, 0, 0, 0, 0}));
    struct_button_account noKey = bank;
    noKey.GUID.clear();
    EXPECT_EQ(writer.Add(noKey), AccountWriter::Result::NoGuid);
    EXPECT_EQ(rowCount(db, "tbl_AccountMgr"), 1);
}
