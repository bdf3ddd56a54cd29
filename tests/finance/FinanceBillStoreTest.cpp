#include "FinanceBillStore.h"

#include "Database.h"
#include "FinanceTestSupport.h"

// The rows of the two finance tables as the store adds, finds, lists,
// changes and deletes them, one body for both sides.

namespace {

class FinanceBillStoreTest : public ::testing::TestWithParam<SideCase>
{
protected:
    FinanceBillStore store() { return FinanceBillStore(db.db(), GetParam().side()); }
    FinanceBillStore otherStore() { return FinanceBillStore(db.db(), GetParam().otherSide()); }

    struct_button_financebill add(const QString &date, const QString &party = u("甲"))
    {
        const struct_button_financebill bill = makeBill(kIncomeBill, party, u("现金"), date, u("10"));
        EXPECT_TRUE(store().InsertBill(bill));
        return bill;
    }

    QStringList datesOf(const FinanceBillFilter &filter, int first = 0, int limit = 100)
    {
        QStringList dates;
        for (const struct_button_financebill &bill : store().BillsPage(filter, first, limit))
            dates << bill.InputDate;
        return dates;
    }

    TestDatabase db;
};

TEST_P(FinanceBillStoreTest, WritesReadsAndDeletesByGuidOnly)
{
    struct_button_financebill bill = add(u("2024-03-05"), u("O'Brien 商行"));
    // Same code, another bill: only the GUID tells them apart.
    const struct_button_financebill twin = add(u("2024-03-05"));
    ASSERT_EQ(bill.BillCode, twin.BillCode);

    std::optional<struct_button_financebill> read = store().BillByGuid(bill.GUID);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, bill);
    EXPECT_FALSE(otherStore().BillByGuid(bill.GUID));

    struct_button_financebill changed = makeBill(kPayoutBill, u("乙"), u("工行"), u("2024-04-01"), u("99.5"));
    changed.GUID = bill.GUID;
    changed.SellerName.clear();
    EXPECT_EQ(store().UpdateBill(changed), 1);
    EXPECT_EQ(*store().BillByGuid(bill.GUID), changed);
    EXPECT_EQ(*store().BillByGuid(twin.GUID), twin);

    struct_button_financebill gone = changed;
    gone.GUID = GuidText();
    EXPECT_EQ(store().UpdateBill(gone), 0);
    EXPECT_EQ(otherStore().UpdateBill(changed), 0);
    EXPECT_EQ(otherStore().DeleteBill(bill.GUID), 0);

    // A bill without a GUID is never written and finds nothing.
    db.exec(QStringLiteral("INSERT INTO %1 (GUID, ClientName) VALUES ('', 'keep')")
                .arg(QLatin1String(GetParam().side().table))
                .toUtf8()
                .constData());
    gone.GUID.clear();
    EXPECT_FALSE(store().InsertBill(gone));
    EXPECT_EQ(store().UpdateBill(gone), 0);
    EXPECT_EQ(store().DeleteBill(QString()), 0);
    EXPECT_FALSE(store().BillByGuid(QString()));

    EXPECT_EQ(store().DeleteBill(bill.GUID), 1);
    EXPECT_EQ(store().DeleteBill(bill.GUID), 0);
    EXPECT_FALSE(store().BillByGuid(bill.GUID));
    EXPECT_EQ(rowCount(db, GetParam().side().table), 2);
    EXPECT_EQ(rowCount(db, GetParam().otherSide().table), 0);
}

TEST_P(FinanceBillStoreTest, DayAndMonthFiltersAtTheirEdges)
{
    for (const char *date : {"2023-12-31", "2024-01-01", "2024-01-31", "2024-02-01", "2024-02-28", "2024-02-29",
                             "2024-03-01", "2024-02-29", "2025-02-28"})
        add(u(date));

    struct Case
    {
        BillDateFilter range;
        const char *date;
        QStringList expected;
    };
    const Case cases[] = {
        {BillDateDay, "2024-02-29", {u("2024-02-29"), u("2024-02-29")}},
        {BillDateDay, "2024-03-02", {}},
        {BillDateMonth, "2024-02-10", {u("2024-02-01"), u("2024-02-28"), u("2024-02-29"), u("2024-02-29")}},
        {BillDateMonth, "2023-12-01", {u("2023-12-31")}},
        {BillDateMonth, "2024-01-31", {u("2024-01-01"), u("2024-01-31")}},
        {BillDateMonth, "2025-02-28", {u("2025-02-28")}},
    };
    for (const Case &c : cases) {
        const FinanceBillFilter filter{c.range, u(c.date)};
        EXPECT_EQ(datesOf(filter), c.expected) << c.range << " " << c.date;
        EXPECT_EQ(store().CountBills(filter), c.expected.size()) << c.range << " " << c.date;
    }
    EXPECT_EQ(store().CountBills({BillDateAll, QString()}), 9);
    EXPECT_EQ(otherStore().CountBills({BillDateAll, QString()}), 0);
}

TEST_P(FinanceBillStoreTest, PagesComeInTableOrder)
{
    for (const char *date : {"2024-05-09", "2024-05-01", "2024-05-20", "2024-05-02", "2024-05-31"})
        add(u(date));
    const FinanceBillFilter month{BillDateMonth, u("2024-05-15")};
    EXPECT_EQ(datesOf(month, 0, 2), (QStringList{u("2024-05-09"), u("2024-05-01")}));
    EXPECT_EQ(datesOf(month, 2, 2), (QStringList{u("2024-05-20"), u("2024-05-02")}));
    EXPECT_EQ(datesOf(month, 4, 2), (QStringList{u("2024-05-31")}));
    EXPECT_EQ(datesOf(month, 6, 2), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Sides, FinanceBillStoreTest, ::testing::ValuesIn(kSides), sideCaseName);

} // namespace
