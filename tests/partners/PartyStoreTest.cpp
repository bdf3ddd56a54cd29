// The party rows of either side: renames that carry the party's bills along in one transaction, names unique
// within a side, and writes by GUID.

#include "PartyStore.h"

#include "PartnersTestSupport.h"
#include "PriceListStore.h"

namespace {

class PartyStoreTest : public PartnersTest
{
protected:
    PartyStore store() { return PartyStore(db.db(), side().info()); }

    // Where the name stands: the side's party rows, goods-bill lines, finance bills, price-list rows and
    // register rows.
    QString whereNamed(const SideCase& s, const QString& name)
    {
        QStringList counts;
        for (const auto& [table, column] : {std::pair {s.partyTable, s.nameColumn}, {s.goodsTable, "CompanyName"},
                 {s.financeTable, "ClientName"}, {s.priceListTable, s.nameColumn}, {"tbl_RevAccount", "ClientName"}})
            counts << QString::number(countWhere(table, column, name));
        return counts.join(' ');
    }

    // A party with two bill lines, a finance bill, a price and a register row; of the other side when told.
    struct_button_data partyWithHistory(const QString& name, bool other = false)
    {
        addBills(name,
            other ? "other 2011-05-03 2+3x4; otherpay 2011-05-04 5; owed 2011-05-05 6"
                  : "main 2011-05-03 2+3x4; pay 2011-05-04 5; owed 2011-05-05 6");
        const auto product = AddProductRow(db.db(), GuidText(), "螺栓", "M8");
        PriceListStore(db.db(), (other ? otherSide() : side()).side).AddPrice(name, product.GUID, "1.5");
        return addParty(name, "", "1", other);
    }
};

} // namespace

TEST_P(PartyStoreTest, ARenameCarriesTheBillsPriceListAndRegisterAlongInOneTransaction)
{
    // Who else bears the old name: a party of the same side (old data), or of the other side; or a statement
    // of the rename fails.
    enum Others { Nobody, Namesake, OtherNamesake, Fails };
    // Then whereNamed of the old name, the new one, and the old name on the other side.
    const struct
    {
        const char *oldName, *newName;
        Others with;
        const char *oldAfter, *newAfter, *otherAfter;
    } cases[] = {
        {"O'Neil 商行", "奥尼尔 100%_商行", Nobody, "0 0 0 0 0", "1 2 1 1 1", "0 0 0 0 0"},
        // The bills of two namesakes cannot be told apart: only the row.
        {"同名", "改名", Namesake, "1 2 1 1 1", "1 0 0 0 0", "0 0 0 0 1"},
        // The register has no side: it stays with the other side's party.
        {"宏达", "宏达新", OtherNamesake, "0 0 0 0 2", "1 2 1 1 0", "1 2 1 1 2"},
        {"旧名", "新名", Fails, "1 2 1 1 1", "0 0 0 0 0", "0 0 0 0 1"},
    };
    for (const auto& c : cases) {
        struct_button_data party = partyWithHistory(c.oldName);
        if (c.with == Namesake)
            addParty(c.oldName);
        if (c.with == OtherNamesake)
            partyWithHistory(c.oldName, true);
        party.ClientName = c.newName;
        if (c.with == Fails) {
            exec("CREATE TRIGGER refuse BEFORE UPDATE ON %1 BEGIN SELECT RAISE(ABORT, 'disk full'); END",
                side().priceListTable);
            EXPECT_THROW(store().UpdateParty(party), DbError);
        } else {
            EXPECT_EQ(store().UpdateParty(party), PartyStore::Outcome::Done);
        }
        EXPECT_EQ((QStringList {whereNamed(side(), c.oldName), whereNamed(side(), c.newName),
                      whereNamed(otherSide(), c.oldName)}),
            (QStringList {c.oldAfter, c.newAfter, c.otherAfter}))
            << c.oldName;
    }
}

TEST_P(PartyStoreTest, NamesAreUniqueWithinASideAndRowsGoByGuid)
{
    using Outcome = PartyStore::Outcome;
    const struct_button_data taken = addParty("甲");
    struct_button_data second = addParty("乙"), fresh = taken;
    fresh.GUID = GuidText();
    EXPECT_EQ(store().AddParty(fresh), Outcome::DuplicateName);
    second.ClientName = "甲";
    EXPECT_EQ(store().UpdateParty(second), Outcome::DuplicateName);
    EXPECT_EQ(partyCount("甲") + partyCount("乙"), 2);
    // Keeping one's own name is no clash; the other side may bear it too.
    EXPECT_EQ(store().UpdateParty(taken), Outcome::Done);
    EXPECT_EQ(PartyStore(db.db(), otherSide().info()).AddParty(fresh), Outcome::Done);
    fresh.GUID.clear();
    fresh.ClientName = "丙";
    EXPECT_EQ(store().AddParty(fresh), Outcome::NoKey);
    EXPECT_EQ(partyCount("丙"), 0);
    // A namesake from old data can be changed while it keeps the name; a delete takes the one row.
    struct_button_data twin = addParty("甲");
    twin.Tel = "0512";
    EXPECT_EQ(store().UpdateParty(twin), Outcome::Done);
    EXPECT_EQ(store().DeleteParty(taken.GUID), Outcome::Done);
    EXPECT_EQ(store().DeleteParty(taken.GUID), Outcome::Gone);
    EXPECT_EQ(store().DeleteParty(QString()), Outcome::Gone);
    EXPECT_EQ(store().UpdateParty(taken), Outcome::Gone);
    EXPECT_EQ(store().UpdateParty(fresh), Outcome::Gone);
    EXPECT_EQ(store().PartyByGuid(twin.GUID).value().Tel, "0512");
    EXPECT_EQ(partyCount("甲"), 1);
}

INSTANTIATE_TEST_SUITE_P(Sides, PartyStoreTest, ::testing::ValuesIn(kSides), SideLabel);
