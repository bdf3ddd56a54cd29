#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>

#include "RecordColumns.h"
#include "RecordFixtures.h"

namespace {

// The tables' columns as the program's database has them, written out here
// rather than taken from the mapping under test.
const char *const kPartyColumns = "Loan, ContactName, Tel, Mobile, Fax, Web, Email, QQ, Address, Remark, GUID, "
                                  "BeginArrears, ProductPriceSum, PayoutIncome, SumIncome, ClientSumArrears";
const char *const kLineColumns = "BillRemark, Imprest, AccountName, IncomeType, FundType, voucher, SellerName, "
                                 "CompanyName, BillCode, CapMoney, SumMoney, GUID, EnableImprest, BillType, "
                                 "ImprestBillGuid, InputDate, ProductCode, ProductName, ProductSpec, ProductUnit, "
                                 "ProductAmount, ProductUnitPrice, ProductPrice, ProductRemark";
const char *const kBillColumns = "BillCode, AccountName, InputDate, ClientName, MoneyCount, IncomeType, MoneyType, "
                                 "Voucher, SellerName, BillRemark, GUID, BillType";

template<typename Record>
QString columnsOf()
{
    if constexpr (std::is_same_v<Record, struct_button_data>)
        return QStringLiteral("ClientName, ClientArea, ") + QLatin1String(kPartyColumns);
    else if constexpr (std::is_same_v<Record, struct_button_provider>)
        return QStringLiteral("ProviderName, ProviderArea, ") + QLatin1String(kPartyColumns);
    else if constexpr (requires(Record r) { r.ProductPrice; })
        return QLatin1String(kLineColumns);
    else if constexpr (requires(Record r) { r.MoneyCount; })
        return QLatin1String(kBillColumns);
    else if constexpr (std::is_same_v<Record, struct_button_storeproduct>)
        return QStringLiteral("ProductCode, ProductName, ProductSpec, ProductUnit, StockUnitPrice, "
                              "ShipmentUnitPrice, PromptCount, ProductRemark, ProductStockCount, GUID");
    else
        return QStringLiteral("AccountName, AccountBalance, MonthBalance, GUID");
}

// A row read into `before` holds the written record's column fields, EmptySlot
// 0, a party's Loan from BeginArrears, and the column-less fields as they were.
template<typename Record>
Record expectedReadBack(const Record &written, const Record &before = Record())
{
    Record expected = written;
    expected.EmptySlot = 0;
    if constexpr (requires { expected.SpareNumber; })
        expected.SpareNumber = before.SpareNumber;
    if constexpr (requires { expected.SpareText; }) {
        expected.SpareText = before.SpareText;
        expected.AmountChange = before.AmountChange;
    }
    if constexpr (requires { expected.ListRowIndex; })
        expected.ListRowIndex = before.ListRowIndex;
    if constexpr (requires { expected.ListIncome; }) {
        expected.ListIncome = before.ListIncome;
        expected.ListPayout = before.ListPayout;
    }
    if constexpr (requires { expected.BeginArrears; })
        expected.Loan = written.BeginArrears;
    return expected;
}

using AllRecords = ::testing::Types<struct_button_data, struct_button_provider, struct_button_goodsbill,
                                    struct_button_provider_goodsbill, struct_button_financebill,
                                    struct_button_financebill_provider, struct_button_storeproduct,
                                    struct_button_account>;
template<typename Record>
class ColumnRoundTrip : public ::testing::Test
{
};
TYPED_TEST_SUITE(ColumnRoundTrip, AllRecords);

TYPED_TEST(ColumnRoundTrip, RowsReadBackIntoTheSameFields)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Database db(dir.filePath(QStringLiteral("records.db")), Database::OpenMode::Create);
    const QString table = QString::fromLatin1(RecordTable<TypeParam>::name);
    db.executeScript(QStringLiteral("CREATE TABLE %1 (RowNo INTEGER PRIMARY KEY, %2 TEXT)")
                         .arg(table, columnsOf<TypeParam>().replace(QStringLiteral(", "), QStringLiteral(" TEXT, "))));
    const auto first = filled<TypeParam>(QStringLiteral("甲乙"));
    const auto second = filled<TypeParam>(QStringLiteral("second"));
    db.insertRow(table, InsertColumns(first));
    db.insertRow(table, InsertColumns(second));

    const QByteArray select = QStringLiteral("SELECT * FROM %1 ORDER BY RowNo").arg(table).toUtf8();
    Statement rows = db.prepare(select.constData());
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(RecordFromRow<TypeParam>(rows), expectedReadBack(first));
    ASSERT_TRUE(rows.next());
    auto reused = filled<TypeParam>(QStringLiteral("old"));
    const auto before = reused;
    ReadColumns(rows, reused);
    EXPECT_EQ(reused, expectedReadBack(second, before));
    EXPECT_FALSE(rows.next());
}

TEST(ClientColumns, LoanIsWrittenButLoadedFromTheOpeningArrears)
{
    QTemporaryDir dir;
    Database db(dir.filePath(QStringLiteral("records.db")), Database::OpenMode::Create);
    db.executeScript(QStringLiteral("CREATE TABLE tbl_clientmgr (ClientName, ClientArea, %1)").arg(kPartyColumns));
    auto client = filled<struct_button_data>(QStringLiteral("c"));
    client.Loan = QStringLiteral("100");
    client.BeginArrears = QStringLiteral("250.50");
    db.insertRow(QStringLiteral("tbl_clientmgr"), InsertColumns(client));
    Statement rows = db.prepare("SELECT * FROM tbl_clientmgr");
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.text(QStringLiteral("Loan")), QStringLiteral("100"));
    EXPECT_EQ(RecordFromRow<struct_button_data>(rows).Loan, QStringLiteral("250.50"));
}

QStringList columnNames(const Database::Row &row)
{
    QStringList names;
    for (const auto &pair : row)
        names << pair.first;
    return names;
}

TEST(GoodsLineColumns, ThePurchaseSideWritesTheDepositGuidBeforeTheBillType)
{
    QStringList sales = QString::fromLatin1(kLineColumns).split(QStringLiteral(", "));
    EXPECT_EQ(columnNames(InsertColumns(struct_button_goodsbill())), sales);
    sales.move(sales.indexOf(QStringLiteral("ImprestBillGuid")), sales.indexOf(QStringLiteral("BillType")));
    EXPECT_EQ(columnNames(InsertColumns(struct_button_provider_goodsbill())), sales);
}

} // namespace
