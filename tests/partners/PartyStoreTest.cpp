// The party rows of either side: renames that carry the party's bills along in one transaction, names unique
// within a side, writes by GUID; and the six period figures of a party's bills.

#include "PartyStore.h"

#include "PartyBalances.h"

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

// The six figures as DoubleToStr texts.
QString texts(const PartyFigures& f)
{
    return QStringList {DoubleToStr(f.goods), DoubleToStr(f.returns), DoubleToStr(f.payments),
        DoubleToStr(f.periodArrears), DoubleToStr(f.priorArrears), DoubleToStr(f.totalArrears)}
        .join(' ');
}

} // namespace

TEST_P(PartyStoreTest, ARenameCarriesTheBillsAlongInOneTransactionNamesAreUniqueWithinASideRowsGoByGuid)
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

    // Names are unique within a side; rows go by GUID.
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

// The six period figures against hand-computed bills.
TEST_P(PartyStoreTest, BillsAndPaymentsGiveTheSixFigures)
{
    // Each case with bills is a party of its own; one without asks about the party before it again. The
    // period runs from start ("": the first bill) to the end of the working day's month.
    const struct
    {
        const char *bills, *begin, *start, *workingDay, *figures;
    } cases[] = {
        // A three-line bill counts once; other parties, the other side, other kinds and later days count
        // nothing.
        {"main 2011-05-03 200+300+500; ret 2011-05-10 200; pay 2011-05-11 300; pay 2011-05-12 200; "
         "cut 2011-05-31 100; near 2011-05-03 7; other 2011-05-03 7; otherpay 2011-05-03 7; quote 2011-05-03 7; "
         "transfer 2011-05-03 7; main 2011-06-01 7; pay 2011-06-01 7",
            "500", "", "2011-05-17", "1000.00 200.00 400.00 400.00 500.00 900.00"},
        // A start-day bill is in the period, every earlier one prior: 80 - 30 - (20 - 5) + 12.5 opening.
        {"main 2011-04-30 80; ret 2011-04-02 30; pay 2011-04-15 20; cut 2011-03-15 5; main 2011-05-01 100; "
         "pay 2011-05-01 10",
            "12.5", "2011-05-01", "2011-05-17", "100.00 0.00 10.00 90.00 47.50 137.50"},
        // From the first bill on, the opening alone stands before; empty is 0.
        {"", "", "", "2011-05-17", "180.00 30.00 25.00 125.00 0.00 125.00"},
        // A start after the end: nothing in the period, every bill before.
        {"", "", "2011-06-01", "2011-04-10", "0.00 0.00 0.00 0.00 125.00 125.00"},
        // The month ends on the last day of February, leap or not.
        {"main 2023-02-28 1; main 2023-03-01 2; main 2024-02-29 8; main 2024-03-01 4", "", "", "2024-02-10",
            "11.00 0.00 0.00 11.00 0.00 11.00"},
        {"", "", "", "2023-02-10", "1.00 0.00 0.00 1.00 0.00 1.00"},
        // A deposit is stored with its goods bill and as a finance bill of its own: it counts once, as the
        // finance bill.
        {"dep 2011-05-03 50; main 2011-05-03 300+2x100", "", "2011-05-01", "2011-05-17",
            "500.00 0.00 50.00 450.00 0.00 450.00"},
        // A stored "-30" of the reducing kind counts as +30; text as 0.
        {"cut 2011-05-03 -30; cut 2011-05-04 12.5; pay 2011-05-05 abc", "", "", "2011-05-17",
            "0.00 0.00 17.50 -17.50 0.00 -17.50"},
    };
    PartyBalances balances(db.db(), side().info());
    std::vector<PartyOpening> parties;
    for (const auto& c : cases) {
        if (*c.bills) {
            parties.push_back({"O'Brien 100%_五金" + QString::number(parties.size()), c.begin});
            addBills(parties.back().name, c.bills);
        }
        const PeriodRange period {c.start, MonthLastDay(c.workingDay), 0};
        EXPECT_EQ(texts(balances.Figures(PartyOpening {parties.back().name, c.begin}, period)), c.figures)
            << parties.back().name.toStdString() << " to " << c.workingDay;
    }
    // Several parties at once, a name twice, then more than are looked up by name: each gets the figures it
    // gets alone.
    std::vector<PartyOpening> many = parties;
    many.push_back(parties.front());
    while (many.size() < 110)
        many.push_back({"新单位" + QString::number(many.size()), "3"});
    const PeriodRange may {"2011-05-01", "2011-05-31", 0};
    for (const std::size_t count : {parties.size() + 1, many.size()}) {
        const std::vector<PartyOpening> some(many.begin(), many.begin() + static_cast<std::ptrdiff_t>(count));
        const std::vector<PartyFigures> together = balances.Figures(some, may);
        ASSERT_EQ(together.size(), count);
        for (std::size_t i = 0; i < count; ++i)
            EXPECT_EQ(texts(together[i]), texts(balances.Figures(some[i], may))) << some[i].name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Sides, PartyStoreTest, ::testing::ValuesIn(kSides), ::testing::PrintToStringParamName());
