#include <gtest/gtest.h>

#include "QStringPrinting.h"
#include "RecordColumns.h"
#include "RecordFixtures.h"
#include "TestDatabase.h"

// The eight records' copies, partial copies and column mapping against the
// program's tables. Each case starts from records that differ in every
// field, so that a copy or a mapping that takes or misses any field shows.

namespace {

template <typename Record> class Records : public ::testing::Test
{
};
using AllRecords = ::testing::Types<struct_button_data, struct_button_provider, struct_button_goodsbill,
    struct_button_provider_goodsbill, struct_button_financebill, struct_button_financebill_provider,
    struct_button_storeproduct, struct_button_account>;
TYPED_TEST_SUITE(Records, AllRecords);

// UpdateCopy takes every column field; RefreshCopy (parties and finance
// bills) the same, but a party keeps its four stored totals.
TYPED_TEST(Records, PartialCopiesTakeExactlyTheNamedFields)
{
    const auto shown = filled<TypeParam>("shown");
    const auto source = filled<TypeParam>("source");
    auto updated = shown;
    UpdateCopy(updated, source);
    EXPECT_EQ(updated, columnFields(source, shown));
    if constexpr (requires { RefreshCopy(updated, source); }) {
        auto refreshed = shown;
        RefreshCopy(refreshed, source);
        auto expected = columnFields(source, shown);
        if constexpr (requires { shown.BeginArrears; }) {
            expected.ProductPriceSum = shown.ProductPriceSum;
            expected.PayoutIncome = shown.PayoutIncome;
            expected.SumIncome = shown.SumIncome;
            expected.ClientSumArrears = shown.ClientSumArrears;
        }
        EXPECT_EQ(refreshed, expected);
    }
}

// The mapping writes every column of the program's table, in the table's
// order (the purchase side's goods lines have the deposit's GUID before the
// bill type). Rows written from two records read back into a new record and
// into a used one; a row's EmptySlot is 0.
TYPED_TEST(Records, RowsWriteEveryColumnAndReadBackIntoTheSameFields)
{
    TestDatabase db;
    const QString table = RecordTable<TypeParam>::name;
    const auto sql = [&](const char* text) { return QString(text).arg(table).toUtf8(); };
    QStringList written;
    for (const auto& pair : InsertColumns(TypeParam()))
        written << pair.first;
    const QByteArray columns = sql("SELECT group_concat(name) FROM pragma_table_info('%1') WHERE name <> 'RowNo'");
    EXPECT_EQ(written.join(","), db.scalar(columns.constData()));

    db.exec(sql("DELETE FROM %1").constData());
    const auto first = filled<TypeParam>("甲乙");
    const auto second = filled<TypeParam>("second");
    db.db().insertRow(table, InsertColumns(first));
    db.db().insertRow(table, InsertColumns(second));
    Statement rows = db.db().prepare(sql("SELECT * FROM %1 ORDER BY RowNo").constData());
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(RecordFromRow<TypeParam>(rows), columnFields(first, TypeParam()));
    // A party's Loan is written as it is, but loaded from BeginArrears.
    if constexpr (requires { first.Loan; }) {
        EXPECT_EQ(rows.text("Loan"), first.Loan);
    }
    ASSERT_TRUE(rows.next());
    auto reused = filled<TypeParam>("old");
    auto expected = columnFields(second, reused);
    expected.EmptySlot = 0;
    ReadColumns(rows, reused);
    EXPECT_EQ(reused, expected);
}

TEST(RecordLayouts, ConversionsMoveEveryFieldByName)
{
    const auto purchase = filled<struct_button_provider_goodsbill>("p");
    EXPECT_EQ(ToSalesLayout(purchase).ImprestBillGuid, purchase.ImprestBillGuid);
    EXPECT_EQ(ToPurchaseLayout(ToSalesLayout(purchase)), purchase);
    const auto provider = filled<struct_button_provider>("p");
    EXPECT_EQ(ToClientLayout(provider).ClientArea, provider.ProviderArea);
    EXPECT_EQ(ToProviderLayout(ToClientLayout(provider)), provider);
    // The purchase side's list texts have no place on the sales side.
    auto bill = filled<struct_button_financebill_provider>("p");
    const auto back = ToPurchaseLayout(ToSalesLayout(bill));
    bill.ListIncome.clear();
    bill.ListPayout.clear();
    EXPECT_EQ(back, bill);
}

} // namespace
