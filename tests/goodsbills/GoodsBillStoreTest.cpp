#include "GoodsBillStore.h"

#include "Database.h"
#include "GoodsBillTestSupport.h"
#include "RecordColumns.h"

// The store on both sides: rows named "sales" and "purchase" feed one body.

namespace {

class GoodsBillStoreTest : public ::testing::TestWithParam<BillKind>
{
protected:
    const BillKind &kind() const { return GetParam(); }
    QString table() const { return QLatin1String(kind().side().table); }

    GoodsBillLines threeLineBill(const QString &depositGuid = QString())
    {
        GoodsBillLines bill = MakeBill(kind(), QStringLiteral("O'Neil 五金"), QStringLiteral("2011-03-31"),
            {{QStringLiteral("A1"), QStringLiteral("合页"), QStringLiteral("4寸"), QStringLiteral("3"),
                 QStringLiteral("2.50")},
                {QStringLiteral("B1"), QStringLiteral("门吸"), QString(), QStringLiteral("1"), QStringLiteral("9")},
                {QStringLiteral("C1"), QStringLiteral("螺丝"), QStringLiteral("M8"), QStringLiteral("100"),
                    QStringLiteral("0.05")}});
        for (struct_button_goodsbill &line : bill) {
            line.ImprestBillGuid = depositGuid;
            line.Imprest = QStringLiteral("250");
        }
        bill[1].ProductRemark = QStringLiteral("加急");
        return bill;
    }

    void add(const GoodsBillLines &bill)
    {
        Transaction transaction(db.db());
        store.AddBill(bill);
        transaction.commit();
    }

    TestDatabase db;
    GoodsBillStore store{db.db(), kind().side()};
};

} // namespace

TEST_P(GoodsBillStoreTest, ThreeLineBillRoundTripsByColumnName)
{
    const GoodsBillLines bill = threeLineBill();
    add(bill);
    add(MakeBill(kind(), QStringLiteral("别家"), QStringLiteral("2011-03-31"),
        {{QStringLiteral("A1"), QStringLiteral("合页"), QString(), QStringLiteral("1"), QStringLiteral("1")}}));

    // Every column holds the field of its name, row by row in bill order.
    Statement rows = db.db().prepare(
        QStringLiteral("SELECT * FROM %1 WHERE GUID = ? ORDER BY RowNo").arg(table()).toUtf8().constData());
    rows.bind(1, bill[0].GUID);
    std::size_t index = 0;
    for (; rows.next(); ++index) {
        ASSERT_LT(index, bill.size());
        for (const auto &[column, value] : InsertColumns(bill[index]))
            EXPECT_EQ(rows.text(column), value) << column.toStdString() << " of line " << index;
    }
    EXPECT_EQ(index, 3u);

    // Loading gives the lines back in their order; without a deposit bill
    // the deposit reads "0", whatever Imprest the rows hold.
    GoodsBillLines expected = bill;
    for (struct_button_goodsbill &line : expected)
        line.Imprest = QStringLiteral("0");
    EXPECT_EQ(store.LoadBill(bill[0].GUID), expected);
    EXPECT_EQ(store.LoadStoredLines(bill[0].GUID), bill);
    EXPECT_TRUE(store.LoadBill(GuidText()).empty());
}

TEST_P(GoodsBillStoreTest, NullColumnsOfAForeignFileReadAsEmpty)
{
    // A table written by another program may hold NULLs: rebuild it
    // without the NOT NULL constraints.
    QString schema = db.scalar("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?", {table()});
    schema.replace(QStringLiteral(" NOT NULL"), QString());
    db.db().executeScript(QStringLiteral("DROP TABLE %1; %2;").arg(table(), schema));
    db.exec(QStringLiteral("INSERT INTO %1 (GUID, BillRemark, SellerName, ProductRemark, ImprestBillGuid, Imprest, "
                           "ProductName, ProductAmount, BillType) VALUES (?, NULL, NULL, NULL, NULL, NULL, ?, ?, ?)")
                .arg(table())
                .toUtf8()
                .constData(),
        {QStringLiteral("G-1"), QStringLiteral("合页"), QStringLiteral("2"), kind().type()});

    const GoodsBillLines lines = store.LoadBill(QStringLiteral("G-1"));
    ASSERT_EQ(lines.size(), 1u);
    struct_button_goodsbill expected;
    expected.GUID = QStringLiteral("G-1");
    expected.ProductName = QStringLiteral("合页");
    expected.ProductAmount = QStringLiteral("2");
    expected.BillType = kind().type();
    expected.Imprest = QStringLiteral("0");
    EXPECT_EQ(lines[0], expected);
}

TEST_P(GoodsBillStoreTest, DepositIsTheDepositBillsAmountOrZeroWhenItIsGone)
{
    const struct_button_financebill deposit = AddFinanceBillRow(db.db(), kind().party, QStringLiteral("收入单"),
        QStringLiteral("甲"), QStringLiteral("现金"), QStringLiteral("2011-03-30"), QStringLiteral("300.00"));
    // The other side's finance table never books this side's deposits.
    const struct_button_financebill otherSide = AddFinanceBillRow(db.db(),
        kind().party == PartyClient ? PartyProvider : PartyClient, QStringLiteral("收入单"), QStringLiteral("甲"),
        QStringLiteral("现金"), QStringLiteral("2011-03-30"), QStringLiteral("999.00"));
    const GoodsBillLines linked = threeLineBill(deposit.GUID);
    const GoodsBillLines unlinked = threeLineBill();
    const GoodsBillLines wrongSide = threeLineBill(otherSide.GUID);
    add(linked);
    add(unlinked);
    add(wrongSide);

    for (const struct_button_goodsbill &line : store.LoadBill(linked[0].GUID)) {
        EXPECT_EQ(line.Imprest, QStringLiteral("300.00"));
        EXPECT_EQ(line.ImprestBillGuid, deposit.GUID);
    }
    for (const GoodsBillLines *bill : {&unlinked, &wrongSide}) {
        for (const struct_button_goodsbill &line : store.LoadBill(bill->front().GUID)) {
            EXPECT_EQ(line.Imprest, QStringLiteral("0"));
            EXPECT_TRUE(line.ImprestBillGuid.isEmpty());
        }
    }

    struct_button_financebill record;
    ASSERT_TRUE(store.LoadImprestBill(deposit.GUID, record));
    EXPECT_EQ(record, deposit);

    // Once the deposit bill is deleted the link reads as none, and the
    // stored link itself stays as written.
    db.exec(QStringLiteral("DELETE FROM %1 WHERE GUID = ?")
                .arg(QLatin1String(kind().side().depositTable))
                .toUtf8()
                .constData(),
        {deposit.GUID});
    for (const struct_button_goodsbill &line : store.LoadBill(linked[0].GUID)) {
        EXPECT_EQ(line.Imprest, QStringLiteral("0"));
        EXPECT_TRUE(line.ImprestBillGuid.isEmpty());
    }
    EXPECT_EQ(store.LoadStoredLines(linked[0].GUID)[0].ImprestBillGuid, deposit.GUID);
    for (const QString &guid : {deposit.GUID, QString(), otherSide.GUID}) {
        record.BillCode = QStringLiteral("left over");
        EXPECT_FALSE(store.LoadImprestBill(guid, record));
        struct_button_financebill empty;
        empty.MoneyCount = QStringLiteral("0");
        EXPECT_EQ(record, empty);
    }

    // A database error is no "not found": it is thrown.
    db.exec(QStringLiteral("DROP TABLE %1").arg(QLatin1String(kind().side().depositTable)).toUtf8().constData());
    EXPECT_THROW(store.LoadImprestBill(deposit.GUID, record), DbError);
    EXPECT_THROW(store.LoadBill(linked[0].GUID), DbError);
}

TEST_P(GoodsBillStoreTest, ChangeWithMoreOrFewerLinesKeepsTheGuid)
{
    const GoodsBillLines bill = threeLineBill();
    const GoodsBillLines other = threeLineBill();
    add(bill);
    add(other);

    GoodsBillLines fewer(bill.begin(), bill.begin() + 1);
    fewer[0].ProductAmount = QStringLiteral("7");
    store.ModifyBill(fewer);
    EXPECT_EQ(StoredLines(db, kind().side(), bill[0].GUID), QStringList{QStringLiteral("A1:7")});

    GoodsBillLines more = bill;
    more.push_back(bill[0]);
    more.back().ProductCode = QStringLiteral("D1");
    store.ModifyBill(more);
    EXPECT_EQ(StoredLines(db, kind().side(), bill[0].GUID),
        QStringList(
            {QStringLiteral("A1:3"), QStringLiteral("B1:1"), QStringLiteral("C1:100"), QStringLiteral("D1:3")}));
    EXPECT_EQ(StoredLines(db, kind().side(), other[0].GUID).size(), 3);
    EXPECT_EQ(RowCount(db, kind().side().table), 7);

    // Without a GUID nothing is deleted or added.
    GoodsBillLines noGuid = bill;
    noGuid[0].GUID.clear();
    EXPECT_THROW(store.ModifyBill(noGuid), DbError);
    EXPECT_THROW(store.ModifyBill({}), DbError);
    EXPECT_EQ(RowCount(db, kind().side().table), 7);

    EXPECT_EQ(store.DeleteBill(bill[0].GUID), 4);
    EXPECT_EQ(store.DeleteBill(bill[0].GUID), 0);
    EXPECT_EQ(RowCount(db, kind().side().table), 3);
}

TEST_P(GoodsBillStoreTest, FailureInTheMiddleOfAnAddLeavesNothing)
{
    add(threeLineBill());
    FailWrites(db, kind().side().table, "INSERT", "NEW.ProductCode = 'C1'");
    const GoodsBillLines bill = threeLineBill();
    {
        Transaction transaction(db.db());
        EXPECT_THROW(store.AddBill(bill), DbError);
        // The caller's transaction ends without a commit.
    }
    EXPECT_TRUE(StoredLines(db, kind().side(), bill[0].GUID).isEmpty());
    EXPECT_EQ(RowCount(db, kind().side().table), 3);
}

INSTANTIATE_TEST_SUITE_P(Sides, GoodsBillStoreTest, ::testing::ValuesIn(kBillSides),
    [](const auto &info) { return info.param.party == PartyClient ? "sales" : "purchase"; });
