#include <gtest/gtest.h>

#include "RecordFixtures.h"

namespace {

// Each copy starts from a shown record and a source that differ in every
// field; the expected result is the shown record with exactly the fields the
// copy must take set from the source.
using AllRecords = ::testing::Types<struct_button_data, struct_button_provider, struct_button_goodsbill,
                                    struct_button_provider_goodsbill, struct_button_financebill,
                                    struct_button_financebill_provider, struct_button_storeproduct,
                                    struct_button_account>;
template<typename Record>
class PartialCopy : public ::testing::Test
{
};
TYPED_TEST_SUITE(PartialCopy, AllRecords);

// What UpdateCopy takes: every text that has a column; the party's Loan from
// BeginArrears. RefreshCopy (parties) leaves the four stored totals.
template<typename Record>
Record expectedCopy(const Record &shown, const Record &source, bool refresh)
{
    Record expected = source;
    expected.EmptySlot = shown.EmptySlot;
    if constexpr (requires { expected.SpareNumber; })
        expected.SpareNumber = shown.SpareNumber;
    if constexpr (requires { expected.SpareText; }) {
        expected.SpareText = shown.SpareText;
        expected.AmountChange = shown.AmountChange;
    }
    if constexpr (requires { expected.ListRowIndex; })
        expected.ListRowIndex = shown.ListRowIndex;
    if constexpr (requires { expected.ListIncome; }) {
        expected.ListIncome = shown.ListIncome;
        expected.ListPayout = shown.ListPayout;
    }
    if constexpr (requires { expected.BeginArrears; }) {
        expected.Loan = source.BeginArrears;
        if (refresh) {
            expected.ProductPriceSum = shown.ProductPriceSum;
            expected.PayoutIncome = shown.PayoutIncome;
            expected.SumIncome = shown.SumIncome;
            expected.ClientSumArrears = shown.ClientSumArrears;
        }
    }
    return expected;
}

TYPED_TEST(PartialCopy, TakesExactlyTheNamedFields)
{
    const auto shown = filled<TypeParam>(QStringLiteral("shown"));
    const auto source = filled<TypeParam>(QStringLiteral("source"));
    ASSERT_NE(shown.EmptySlot, source.EmptySlot);
    auto updated = shown;
    UpdateCopy(updated, source);
    EXPECT_EQ(updated, expectedCopy(shown, source, false));
    if constexpr (requires { RefreshCopy(updated, source); }) {
        auto refreshed = shown;
        RefreshCopy(refreshed, source);
        const bool party = requires { shown.BeginArrears; };
        EXPECT_EQ(refreshed, expectedCopy(shown, source, party));
    }
    TypeParam copy(source);
    EXPECT_EQ(copy, source);
}

TEST(LayoutConversion, MovesEveryFieldByName)
{
    const auto purchase = filled<struct_button_provider_goodsbill>(QStringLiteral("p"));
    EXPECT_EQ(ToSalesLayout(purchase).ImprestBillGuid, purchase.ImprestBillGuid);
    EXPECT_EQ(ToPurchaseLayout(ToSalesLayout(purchase)), purchase);

    const auto provider = filled<struct_button_provider>(QStringLiteral("p"));
    EXPECT_EQ(ToClientLayout(provider).ClientArea, provider.ProviderArea);
    EXPECT_EQ(ToProviderLayout(ToClientLayout(provider)), provider);

    // The purchase side's list texts have no place on the sales side.
    auto bill = filled<struct_button_financebill_provider>(QStringLiteral("p"));
    const auto back = ToPurchaseLayout(ToSalesLayout(bill));
    bill.ListIncome.clear();
    bill.ListPayout.clear();
    EXPECT_EQ(back, bill);
}

TEST(EmptySlotRecords, HaveEmptyTextsAndTheFlagSet)
{
    auto expected = struct_button_goodsbill();
    expected.EmptySlot = 1;
    EXPECT_EQ(EmptySlotRecord<struct_button_goodsbill>(), expected);
    EXPECT_EQ(expected.IsBlank(), 1);
    EXPECT_EQ(expected.AmountChange, 0.0);
}

} // namespace
