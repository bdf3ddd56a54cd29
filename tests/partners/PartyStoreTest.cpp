// The party rows of either side: filters, adds, renames that carry the
// party's bills along in one transaction, and deletes by GUID.

#include "PartyStore.h"

#include "Database.h"
#include "PartnersTestSupport.h"
#include "PriceListStore.h"

namespace {

class PartyStoreTest : public ::testing::TestWithParam<SideCase>
{
protected:
    const SideCase &side() const { return GetParam(); }
    const SideCase &other() const { return kSides[side().side == PartyClient ? 1 : 0]; }
    PartyStore store() { return PartyStore(db.db(), side().info()); }

    QStringList names(const PartyFilter &filter)
    {
        QStringList found;
        for (const auto &party : store().PartiesPage(filter, 0, 100))
            found << party.ClientName;
        EXPECT_EQ(store().CountParties(filter), found.size());
        return found;
    }

    // Where the name stands: its side's party rows, goods-bill lines,
    // finance bills, price-list rows, and register rows.
    QList<int> whereNamed(const SideCase &s, const QString &name)
    {
        return {CountWhere(db, s.partyTable, s.nameColumn, name), CountWhere(db, s.goodsTable, "CompanyName", name),
            CountWhere(db, s.financeTable, "ClientName", name),
            CountWhere(db, s.priceListTable, s.priceListOwner, name),
            CountWhere(db, "tbl_RevAccount", "ClientName", name)};
    }

    // A party with two bill lines, a finance bill, a price and a register
    // row.
    struct_button_data partyWithHistory(const SideCase &s, const QString &name)
    {
        const struct_button_data party = AddParty(db, s, name, QStringLiteral("10"));
        AddGoodsBillRows(db.db(), s.side, s.main(), name, QStringLiteral("2011-05-03"),
            {Line(QStringLiteral("1"), QStringLiteral("2")), Line(QStringLiteral("3"), QStringLiteral("4"))});
        AddPayment(db, s, s.settle(), name, QStringLiteral("2011-05-04"), QStringLiteral("5"));
        const auto product
            = AddProductRow(db.db(), QStringLiteral("LS-01"), QStringLiteral("螺栓"), QStringLiteral("M8"));
        PriceListStore(db.db(), s.side).AddPrice(name, product.GUID, QStringLiteral("1.5"));
        AddRegisterRow(db, name, QStringLiteral("2011-05-05"), QStringLiteral("6"));
        return party;
    }

    TestDatabase db;
};

} // namespace

TEST_P(PartyStoreTest, ARenameCarriesTheBillsPriceListAndRegisterAlong)
{
    const QString oldName = QStringLiteral("O'Neil 商行");
    const QString newName = QStringLiteral("奥尼尔 100%_商行");
    struct_button_data party = partyWithHistory(side(), oldName);
    db.exec(QStringLiteral("UPDATE %1 SET ProductPriceSum = '77'").arg(side().partyTable).toUtf8().constData());
    party.ClientName = newName;
    party.Tel = QStringLiteral("0512-1234");
    party.BeginArrears = party.Loan = QStringLiteral("-20.5");
    party.ProductPriceSum = QStringLiteral("999");

    ASSERT_EQ(store().UpdateParty(party), PartyStore::Outcome::Done);
    EXPECT_EQ(whereNamed(side(), oldName), (QList<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(whereNamed(side(), newName), (QList<int>{1, 2, 1, 1, 1}));
    const auto stored = store().PartyByGuid(party.GUID);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->Tel, QStringLiteral("0512-1234"));
    EXPECT_EQ(stored->BeginArrears, QStringLiteral("-20.5"));
    EXPECT_EQ(
        db.scalar(QStringLiteral("SELECT Loan FROM %1 WHERE GUID = ?").arg(side().partyTable).toUtf8().constData(),
            {party.GUID}),
        QStringLiteral("-20.5"));
    // The stored totals are the finance side's, not the dialog's.
    EXPECT_EQ(stored->ProductPriceSum, QStringLiteral("77"));
}

TEST_P(PartyStoreTest, TheOtherSidesNamesakeKeepsItsBillsAndTheRegister)
{
    const QString oldName = QStringLiteral("宏达");
    struct_button_data party = partyWithHistory(side(), oldName);
    partyWithHistory(other(), oldName);
    party.ClientName = QStringLiteral("宏达新");

    ASSERT_EQ(store().UpdateParty(party), PartyStore::Outcome::Done);
    EXPECT_EQ(whereNamed(side(), QStringLiteral("宏达新")), (QList<int>{1, 2, 1, 1, 0}));
    // The register has no side: its rows stay with the name the other side
    // still bears.
    EXPECT_EQ(whereNamed(other(), oldName), (QList<int>{1, 2, 1, 1, 2}));
}

TEST_P(PartyStoreTest, ANamesakeOfTheSideLeavesTheBillsWhereTheyAre)
{
    // Old files may hold two parties of one name; their bills cannot be
    // told apart.
    struct_button_data first = partyWithHistory(side(), QStringLiteral("同名"));
    AddParty(db, side(), QStringLiteral("同名"));
    first.ClientName = QStringLiteral("改名");

    ASSERT_EQ(store().UpdateParty(first), PartyStore::Outcome::Done);
    EXPECT_EQ(whereNamed(side(), QStringLiteral("改名")), (QList<int>{1, 0, 0, 0, 0}));
    EXPECT_EQ(whereNamed(side(), QStringLiteral("同名")), (QList<int>{1, 2, 1, 1, 1}));
}

TEST_P(PartyStoreTest, AFailingStatementRenamesNothing)
{
    struct_button_data party = partyWithHistory(side(), QStringLiteral("旧名"));
    db.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON %1 BEGIN SELECT RAISE(ABORT, 'disk is full'); END")
                .arg(side().priceListTable)
                .toUtf8()
                .constData());
    party.ClientName = QStringLiteral("新名");

    EXPECT_THROW(store().UpdateParty(party), DbError);
    EXPECT_EQ(whereNamed(side(), QStringLiteral("旧名")), (QList<int>{1, 2, 1, 1, 1}));
    EXPECT_EQ(whereNamed(side(), QStringLiteral("新名")), (QList<int>{0, 0, 0, 0, 0}));
}

TEST_P(PartyStoreTest, NamesAreUniqueWithinASide)
{
    const struct_button_data taken = AddParty(db, side(), QStringLiteral("甲"));
    struct_button_data second = AddParty(db, side(), QStringLiteral("乙"));

    struct_button_data fresh = taken;
    fresh.GUID = GuidText();
    EXPECT_EQ(store().AddParty(fresh), PartyStore::Outcome::DuplicateName);
    second.ClientName = QStringLiteral("甲");
    EXPECT_EQ(store().UpdateParty(second), PartyStore::Outcome::DuplicateName);
    EXPECT_EQ(whereNamed(side(), QStringLiteral("甲")).front(), 1);
    EXPECT_EQ(whereNamed(side(), QStringLiteral("乙")).front(), 1);

    // Keeping one's own name is no clash; the other side may bear it too.
    struct_button_data same = taken;
    same.Remark = QStringLiteral("备注");
    EXPECT_EQ(store().UpdateParty(same), PartyStore::Outcome::Done);
    struct_button_data across = taken;
    across.GUID = GuidText();
    EXPECT_EQ(PartyStore(db.db(), other().info()).AddParty(across), PartyStore::Outcome::Done);
    fresh.GUID.clear();
    fresh.ClientName = QStringLiteral("丙");
    EXPECT_EQ(store().AddParty(fresh), PartyStore::Outcome::NoKey);
    EXPECT_EQ(whereNamed(side(), QStringLiteral("丙")).front(), 0);
}

TEST_P(PartyStoreTest, DeletesGoByGuidAndSayWhenTheRowIsGone)
{
    const struct_button_data first = AddParty(db, side(), QStringLiteral("同名"));
    const struct_button_data second = AddParty(db, side(), QStringLiteral("同名"));

    EXPECT_EQ(store().DeleteParty(first.GUID), PartyStore::Outcome::Done);
    EXPECT_EQ(store().DeleteParty(first.GUID), PartyStore::Outcome::Gone);
    EXPECT_EQ(store().DeleteParty(QString()), PartyStore::Outcome::Gone);
    ASSERT_EQ(store().AllParties().size(), 1);
    EXPECT_EQ(store().AllParties().front().GUID, second.GUID);

    struct_button_data gone = first;
    gone.Tel = QStringLiteral("1");
    EXPECT_EQ(store().UpdateParty(gone), PartyStore::Outcome::Gone);
    gone.GUID.clear();
    EXPECT_EQ(store().UpdateParty(gone), PartyStore::Outcome::Gone);
}

TEST_P(PartyStoreTest, TheNameFilterMatchesItsTextLiterally)
{
    for (const char *name : {"百分之100%", "1000元", "a_b", "axb", "O'Neil", "back\\slash", "backslash", "本地甲"})
        AddParty(db, side(), QString::fromUtf8(name));
    AddParty(db, side(), QStringLiteral("外地甲"), QString(), QStringLiteral("3"));

    EXPECT_EQ(names({QString(), QStringLiteral("%")}), QStringList{"百分之100%"});
    EXPECT_EQ(names({QString(), QStringLiteral("_")}), QStringList{"a_b"});
    EXPECT_EQ(names({QString(), QStringLiteral("'N")}), QStringList{"O'Neil"});
    EXPECT_EQ(names({QString(), QStringLiteral("\\")}), QStringList{"back\\slash"});
    EXPECT_EQ(names({QString(), QStringLiteral("00")}), (QStringList{"百分之100%", "1000元"}));
    EXPECT_EQ(names({QString(), QStringLiteral("甲")}), (QStringList{"本地甲", "外地甲"}));
    EXPECT_EQ(names({QStringLiteral("3"), QStringLiteral("甲")}), QStringList{"外地甲"});
    EXPECT_EQ(names({QStringLiteral("2"), QString()}), QStringList{});
    EXPECT_EQ(store().CountParties({}), 9);
    ASSERT_EQ(store().PartiesPage({}, 7, 5).size(), 2);
    EXPECT_EQ(store().PartiesPage({}, 7, 5).back().ClientName, QStringLiteral("外地甲"));
}

INSTANTIATE_TEST_SUITE_P(Sides, PartyStoreTest, ::testing::ValuesIn(kSides), SideLabel);
