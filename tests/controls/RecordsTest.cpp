#include <gtest/gtest.h>

#include "QStringPrinting.h"
#include "RecordColumns.h"
#include "RecordFixtures.h"
#include "TestDatabase.h"

// The eight records' copies, partial copies and column mapping against the
// program's tables. Each case starts from records that differ in every
// field, so that a copy or a mapping that takes or misses any field shows.

namespace {

// What a copy or a read takes: every field of `source` that has a column,
// a party's Loan from BeginArrears; the rest stays as in `kept`.
template <typename Record> Record columnFields(const Record& source, const Record& kept)
{
    Record expected = source;
    expected.EmptySlot = kept.EmptySlot;
    if constexpr (requires { expected.SpareNumber; })
        expected.SpareNumber = kept.SpareNumber;
    if constexpr (requires { expected.SpareText; }) {
        expected.SpareText = kept.SpareText;
        expected.AmountChange = kept.AmountChange;
    }
    if constexpr (requires { expected.ListRowIndex; })
        expected.ListRowIndex = kept.ListRowIndex;
    if constexpr (requires { expected.ListIncome; }) {
        expected.ListIncome = kept.ListIncome;
        expected.ListPayout = kept.ListPayout;
    }
    if constexpr (requires { expected.BeginArrears; })
        expected.Loan = source.BeginArrears;
    return expected;
}

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
    ASSERT_NE(shown.EmptySlot, source.EmptySlot);
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
    QStringList written;
    for (const auto& pair : InsertColumns(TypeParam()))
        written << pair.first;
    EXPECT_EQ(written.join(","),
        db.scalar(QStringLiteral("SELECT group_concat(name) FROM pragma_table_info('%1') WHERE name <> 'RowNo'")
                      .arg(table)
                      .toUtf8()
                      .constData()));

    db.exec(QStringLiteral("DELETE FROM %1").arg(table).toUtf8().constData());
    const auto first = filled<TypeParam>("甲乙");
    const auto second = filled<TypeParam>("second");
    db.db().insertRow(table, InsertColumns(first));
    db.db().insertRow(table, InsertColumns(second));
    Statement rows = db.db().prepare(QStringLiteral("SELECT * FROM %1 ORDER BY RowNo").arg(table).toUtf8().constData());
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
