#include "GoodsBillQuery.h"

#include "Database.h"
#include "GoodsBillCatalog.h"
#include "GoodsBillTestSupport.h"

// The one query builder, run through the catalog's search on both sides:
// rows "sales" and "purchase" feed one body.

namespace {

class GoodsBillQueryTest : public ::testing::TestWithParam<BillKind>
{
protected:
    void SetUp() override
    {
        db.exec("PRAGMA synchronous = OFF");
        const BillKind &main = GetParam();
        const BillKind &ret = kBillKinds[main.party == PartyClient ? 1 : 3];
        // 甲: a three-line main bill on the first of March, 100.00.
        shop.push_back(
            AddGoodsBillRows(db.db(), main.party, main.type(), QStringLiteral("甲"), QStringLiteral("2011-03-01"),
                {{QStringLiteral("A1"), QStringLiteral("合页"), QStringLiteral("4寸"), QStringLiteral("2"),
                     QStringLiteral("20")},
                    {QStringLiteral("B1"), QStringLiteral("门吸"), QStringLiteral("大"), QStringLiteral("3"),
                        QStringLiteral("10")},
                    {QStringLiteral("C1"), QStringLiteral("螺丝"), QStringLiteral("M8"), QStringLiteral("1"),
                        QStringLiteral("30")}}));
        // O'Neil: a return on the last of March, 99.00.
        shop.push_back(
            AddGoodsBillRows(db.db(), ret.party, ret.type(), QStringLiteral("O'Neil"), QStringLiteral("2011-03-31"),
                {{QStringLiteral("B1"), QStringLiteral("门吸"), QStringLiteral("大"), QStringLiteral("9"),
                    QStringLiteral("11")}}));
        // 甲 again in April, 5.50.
        shop.push_back(
            AddGoodsBillRows(db.db(), main.party, main.type(), QStringLiteral("甲"), QStringLiteral("2011-04-01"),
                {{QStringLiteral("A1"), QStringLiteral("合页"), QStringLiteral("4寸"), QStringLiteral("1"),
                    QStringLiteral("5.50")}}));
        db.exec(
            QStringLiteral("UPDATE %1 SET BillRemark = '月结', SellerName = '王五', BillCode = 'CODE-2' WHERE GUID = ?")
                .arg(QLatin1String(main.side().table))
                .toUtf8()
                .constData(),
            {shop[1][0].GUID});
        // Bills of the other side never show.
        AddBillRows(db, kBillKinds[main.party == PartyClient ? 2 : 0], QStringLiteral("2011-03-01"));
    }

    // The GUIDs found, as indexes into shop, e.g. "0 2".
    QString found(const GoodsBillQuery &query)
    {
        QStringList indexes;
        for (const struct_button_goodsbill &line : GoodsBillCatalog(db.db(), GetParam().side()).Search(query)) {
            for (std::size_t i = 0; i < shop.size(); ++i) {
                if (shop[i][0].GUID == line.GUID)
                    indexes << QString::number(i);
            }
        }
        return indexes.join(QLatin1Char(' '));
    }

    TestDatabase db;
    std::vector<std::vector<struct_button_goodsbill>> shop;
};

} // namespace

TEST_P(GoodsBillQueryTest, DefaultsFindEveryBillOfTheSideOnceWithItsHeader)
{
    GoodsBillQuery query;
    EXPECT_TRUE(ConditionFor(query, GetParam().side()).whereClause.isEmpty());
    EXPECT_EQ(found(query), QStringLiteral("0 1 2"));
    const GoodsBillLines lines = GoodsBillCatalog(db.db(), GetParam().side()).Search(query);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].GUID, shop[0][0].GUID);
    EXPECT_EQ(lines[0].BillCode, shop[0][0].BillCode);
    EXPECT_EQ(lines[0].BillType, GetParam().type());
    EXPECT_EQ(lines[0].InputDate, QStringLiteral("2011-03-01"));
    EXPECT_EQ(lines[0].CompanyName, QStringLiteral("甲"));
    EXPECT_EQ(lines[0].SumMoney, QStringLiteral("100.00"));
    EXPECT_EQ(lines[0].Imprest, QStringLiteral("0"));
    EXPECT_EQ(lines[1].SellerName, QStringLiteral("王五"));
    EXPECT_EQ(lines[1].BillRemark, QStringLiteral("月结"));
}

TEST_P(GoodsBillQueryTest, EachFilterAlone)
{
    const auto with = [](auto set) {
        GoodsBillQuery query;
        set(query);
        return query;
    };
    EXPECT_EQ(found(with([](GoodsBillQuery &q) { q.companyName = QStringLiteral("甲"); })), QStringLiteral("0 2"));
    // A name with a quote is a value like any other.
    EXPECT_EQ(found(with([](GoodsBillQuery &q) { q.companyName = QStringLiteral("O'Neil"); })), QStringLiteral("1"));
    EXPECT_EQ(found(with([](GoodsBillQuery &q) { q.companyName = QStringLiteral("' OR '1'='1"); })), QString());
    // 1: the side's returns; 2: its main kind (出货单 on the sales side).
    EXPECT_EQ(
        found(with([](GoodsBillQuery &q) { q.billTypeChoice = GoodsBillQuery::ReturnBills; })), QStringLiteral("1"));
    EXPECT_EQ(
        found(with([](GoodsBillQuery &q) { q.billTypeChoice = GoodsBillQuery::MainBills; })), QStringLiteral("0 2"));
    // Both days of a range are in it.
    EXPECT_EQ(found(with([](GoodsBillQuery &q) {
        q.hasDateRange = true;
        q.firstDay = QStringLiteral("2011-03-01");
        q.lastDay = QStringLiteral("2011-03-31");
    })),
        QStringLiteral("0 1"));
    EXPECT_EQ(found(with([](GoodsBillQuery &q) {
        q.hasDateRange = true;
        q.firstDay = QStringLiteral("2011-03-02");
        q.lastDay = QStringLiteral("2011-03-30");
    })),
        QString());
    // Amounts compare as numbers: "100.00" is above 99.5, "99.00" below;
    // returns are found by their stored amount.
    EXPECT_EQ(found(with([](GoodsBillQuery &q) {
        q.hasAmountRange = true;
        q.lowestAmount = 99.5;
        q.highestAmount = 1000;
    })),
        QStringLiteral("0"));
    EXPECT_EQ(found(with([](GoodsBillQuery &q) {
        q.hasAmountRange = true;
        q.lowestAmount = 5.5;
        q.highestAmount = 99;
    })),
        QStringLiteral("1 2"));
    EXPECT_EQ(found(with([](GoodsBillQuery &q) { q.billRemark = QStringLiteral("月结"); })), QStringLiteral("1"));
    EXPECT_EQ(found(with([](GoodsBillQuery &q) { q.billRemark = QStringLiteral("月"); })), QString());
    EXPECT_EQ(found(with([](GoodsBillQuery &q) { q.sellerName = QStringLiteral("王五"); })), QStringLiteral("1"));
    EXPECT_EQ(found(with([](GoodsBillQuery &q) { q.billCode = QStringLiteral("CODE-2"); })), QStringLiteral("1"));
    EXPECT_EQ(found(with([](GoodsBillQuery &q) { q.productCode = QStringLiteral("A1"); })), QStringLiteral("0 2"));
    EXPECT_EQ(found(with([](GoodsBillQuery &q) { q.productName = QStringLiteral("螺丝"); })), QStringLiteral("0"));
    EXPECT_EQ(found(with([](GoodsBillQuery &q) { q.productSpec = QStringLiteral("大"); })), QStringLiteral("0 1"));
}

INSTANTIATE_TEST_SUITE_P(Sides, GoodsBillQueryTest, ::testing::ValuesIn(kBillSides),
    [](const auto &info) { return info.param.party == PartyClient ? "sales" : "purchase"; });
