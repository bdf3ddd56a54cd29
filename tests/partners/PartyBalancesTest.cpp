// The six period figures of either side against hand-computed bills.

#include "PartyBalances.h"

#include "PartnersTestSupport.h"

namespace {

class PartyBalancesTest : public ::testing::TestWithParam<SideCase>
{
protected:
    PartyFigures figures(const QString &name, const QString &begin, const QString &start, const QString &end)
    {
        return PartyBalances(db.db(), side().info()).Figures(PartyOpening{name, begin}, PeriodRange{start, end, 0});
    }
    const SideCase &side() const { return GetParam(); }

    TestDatabase db;
    const QString name = QStringLiteral("O'Brien 100%_五金");
};

// The six figures as "%.2lf" texts, for readable failures.
QStringList texts(const PartyFigures &f)
{
    return {DoubleToStr(f.goods), DoubleToStr(f.returns), DoubleToStr(f.payments), DoubleToStr(f.periodArrears),
        DoubleToStr(f.priorArrears), DoubleToStr(f.totalArrears)};
}

} // namespace

TEST_P(PartyBalancesTest, BillsAndPaymentsOfThePeriodGiveTheSixFigures)
{
    // A three-line bill repeats its total on every line: it counts once.
    AddGoodsBillRows(db.db(), side().side, side().main(), name, QStringLiteral("2011-05-03"),
        {Line(QStringLiteral("2"), QStringLiteral("100")), Line(QStringLiteral("3"), QStringLiteral("100")),
            Line(QStringLiteral("5"), QStringLiteral("100"))});
    AddBill(db, side(), QStringLiteral("退货单"), name, QStringLiteral("2011-05-10"), QStringLiteral("200"));
    AddPayment(db, side(), side().settle(), name, QStringLiteral("2011-05-11"), QStringLiteral("300"));
    AddPayment(db, side(), side().settle(), name, QStringLiteral("2011-05-12"), QStringLiteral("200"));
    AddPayment(db, side(), side().reduce(), name, QStringLiteral("2011-05-31"), QStringLiteral("100"));
    // Other parties, the other side, other kinds and days after the end
    // count nothing.
    AddBill(db, side(), side().main(), QStringLiteral("O'Brien 100%_五金 "), QStringLiteral("2011-05-03"),
        QStringLiteral("7"));
    const SideCase &other = kSides[side().side == PartyClient ? 1 : 0];
    AddBill(db, other, other.main(), name, QStringLiteral("2011-05-03"), QStringLiteral("7"));
    AddPayment(db, other, side().settle(), name, QStringLiteral("2011-05-03"), QStringLiteral("7"));
    AddBill(db, side(), QStringLiteral("报价单"), name, QStringLiteral("2011-05-03"), QStringLiteral("7"));
    AddPayment(db, side(), QStringLiteral("转账单"), name, QStringLiteral("2011-05-03"), QStringLiteral("7"));
    AddBill(db, side(), side().main(), name, QStringLiteral("2011-06-01"), QStringLiteral("7"));
    AddPayment(db, side(), side().settle(), name, QStringLiteral("2011-06-01"), QStringLiteral("7"));

    EXPECT_EQ(texts(figures(name, QStringLiteral("500"), QString(), QStringLiteral("2011-05-31"))),
        (QStringList{"1000.00", "200.00", "400.00", "400.00", "500.00", "900.00"}));
}

TEST_P(PartyBalancesTest, AStartDayBillCountsInThePeriodAndEveryEarlierOneInThePriorArrears)
{
    AddBill(db, side(), side().main(), name, QStringLiteral("2011-04-30"), QStringLiteral("80"));
    AddBill(db, side(), QStringLiteral("退货单"), name, QStringLiteral("2011-04-02"), QStringLiteral("30"));
    AddPayment(db, side(), side().settle(), name, QStringLiteral("2011-04-15"), QStringLiteral("20"));
    AddPayment(db, side(), side().reduce(), name, QStringLiteral("2011-03-15"), QStringLiteral("5"));
    AddBill(db, side(), side().main(), name, QStringLiteral("2011-05-01"), QStringLiteral("100"));
    AddPayment(db, side(), side().settle(), name, QStringLiteral("2011-05-01"), QStringLiteral("10"));

    // Prior: 80 - 30 - (20 - 5) + 12.5 opening = 47.50.
    EXPECT_EQ(texts(figures(name, QStringLiteral("12.5"), QStringLiteral("2011-05-01"), QStringLiteral("2011-05-31"))),
        (QStringList{"100.00", "0.00", "10.00", "90.00", "47.50", "137.50"}));
    // From the first bill on, the opening arrears alone stand before; an
    // empty one is 0.
    EXPECT_EQ(texts(figures(name, QString(), QString(), QStringLiteral("2011-05-31"))),
        (QStringList{"180.00", "30.00", "25.00", "125.00", "0.00", "125.00"}));
    // A period whose start lies after its end has nothing in it; every bill
    // before its start is prior.
    EXPECT_EQ(texts(figures(name, QString(), QStringLiteral("2011-06-01"), QStringLiteral("2011-04-30"))),
        (QStringList{"0.00", "0.00", "0.00", "0.00", "125.00", "125.00"}));
}

TEST_P(PartyBalancesTest, TheMonthEndsOnTheLastDayOfFebruary)
{
    const struct
    {
        const char *workingDate;
        double expected;
    } cases[] = {{"2024-02-10", 1.0 + 2.0 + 8.0}, {"2023-02-10", 1.0}};
    AddBill(db, side(), side().main(), name, QStringLiteral("2023-02-28"), QStringLiteral("1"));
    AddBill(db, side(), side().main(), name, QStringLiteral("2023-03-01"), QStringLiteral("2"));
    AddBill(db, side(), side().main(), name, QStringLiteral("2024-02-29"), QStringLiteral("8"));
    AddBill(db, side(), side().main(), name, QStringLiteral("2024-03-01"), QStringLiteral("4"));
    for (const auto &c : cases) {
        const QString end = MonthLastDay(QString::fromLatin1(c.workingDate));
        const PartyFigures f = figures(name, QString(), QString(), end);
        EXPECT_DOUBLE_EQ(f.goods, c.expected) << c.workingDate;
    }
}

TEST_P(PartyBalancesTest, ADepositCountsOnceThroughItsFinanceBill)
{
    // The deposit is stored with the goods bill (Imprest) and as a finance
    // bill of its own; only the finance bill is a payment.
    const struct_button_financebill deposit
        = AddPayment(db, side(), side().settle(), name, QStringLiteral("2011-05-03"), QStringLiteral("50"));
    const auto lines = AddGoodsBillRows(db.db(), side().side, side().main(), name, QStringLiteral("2011-05-03"),
        {Line(QStringLiteral("1"), QStringLiteral("300")), Line(QStringLiteral("2"), QStringLiteral("100"))},
        deposit.GUID);
    db.exec(QStringLiteral("UPDATE %1 SET Imprest = '50', EnableImprest = '启用预付款' WHERE GUID = ?")
                .arg(QLatin1String(side().goodsTable))
                .toUtf8()
                .constData(),
        {lines.front().GUID});

    EXPECT_EQ(texts(figures(name, QString(), QStringLiteral("2011-05-01"), QStringLiteral("2011-05-31"))),
        (QStringList{"500.00", "0.00", "50.00", "450.00", "0.00", "450.00"}));
}

TEST_P(PartyBalancesTest, AStoredNegativeAmountOfTheReducingKindCountsAsItsOpposite)
{
    AddPayment(db, side(), side().reduce(), name, QStringLiteral("2011-05-03"), QStringLiteral("-30"));
    AddPayment(db, side(), side().reduce(), name, QStringLiteral("2011-05-04"), QStringLiteral("12.5"));
    AddPayment(db, side(), side().settle(), name, QStringLiteral("2011-05-05"), QStringLiteral("abc"));
    AddPayment(db, side(), QStringLiteral("转账单"), name, QStringLiteral("2011-05-06"), QStringLiteral("9"));
    const PeriodRange may{QStringLiteral("2011-05-01"), QStringLiteral("2011-05-31"), 0};
    PartyBalances balances(db.db(), side().info());

    EXPECT_DOUBLE_EQ(balances.Figures(PartyOpening{name, QString()}, may).payments, 30.0 - 12.5);
    QStringList shown;
    for (const auto &row : balances.FinanceRows(name, may))
        shown << row.InputDate + QLatin1Char(' ') + row.BillType + QLatin1Char(' ') + row.ProductPrice;
    EXPECT_EQ(shown,
        (QStringList{"2011-05-03 " + side().reduce() + " 30", "2011-05-04 " + side().reduce() + " -12.5",
            "2011-05-05 " + side().settle() + " abc", "2011-05-06 转账单 "}));
}

TEST_P(PartyBalancesTest, SeveralPartiesAtOnceMatchTheirOwnFigures)
{
    std::vector<PartyOpening> parties;
    for (int i = 0; i < 120; ++i) {
        const QString party = QStringLiteral("单位%1").arg(i);
        AddBill(db, side(), side().main(), party, QStringLiteral("2011-05-02"), QString::number(i + 1));
        AddPayment(db, side(), side().settle(), party, QStringLiteral("2011-04-02"), QString::number(i));
        parties.push_back(PartyOpening{party, QString::number(i % 3)});
    }
    // A name twice and a name without bills.
    parties.push_back(parties.front());
    parties.push_back(PartyOpening{QStringLiteral("新单位"), QStringLiteral("3")});
    const PeriodRange may{QStringLiteral("2011-05-01"), QStringLiteral("2011-05-31"), 0};
    PartyBalances balances(db.db(), side().info());

    for (const std::size_t count : {std::size_t{5}, parties.size()}) {
        const std::vector<PartyOpening> some(parties.end() - static_cast<std::ptrdiff_t>(count), parties.end());
        const std::vector<PartyFigures> together = balances.Figures(some, may);
        ASSERT_EQ(together.size(), count);
        for (std::size_t i = 0; i < count; ++i)
            EXPECT_EQ(texts(together[i]), texts(balances.Figures(some[i], may))) << some[i].name.toStdString();
    }
    EXPECT_EQ(
        texts(balances.Figures(parties.back(), may)), (QStringList{"0.00", "0.00", "0.00", "0.00", "3.00", "3.00"}));
}

TEST_P(PartyBalancesTest, PeriodLinesAreEveryLineOfTheParty)
{
    AddGoodsBillRows(db.db(), side().side, side().main(), name, QStringLiteral("2011-05-03"),
        {Line(QStringLiteral("2"), QStringLiteral("100")), Line(QStringLiteral("3"), QStringLiteral("1"))});
    AddBill(db, side(), QStringLiteral("退货单"), name, QStringLiteral("2011-05-31"), QStringLiteral("200"));
    AddBill(db, side(), side().main(), name, QStringLiteral("2011-04-30"), QStringLiteral("9"));
    const auto lines
        = PartyBalances(db.db(), side().info())
              .PeriodLines(name, PeriodRange{QStringLiteral("2011-05-01"), QStringLiteral("2011-05-31"), 0});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].ProductAmount, QStringLiteral("2"));
    EXPECT_EQ(lines[1].ProductPrice, QStringLiteral("3.00"));
    EXPECT_EQ(lines[1].SumMoney, QStringLiteral("203.00"));
    EXPECT_EQ(lines[2].BillType, QStringLiteral("退货单"));
    EXPECT_EQ(lines[2].CompanyName, name);
}

INSTANTIATE_TEST_SUITE_P(Sides, PartyBalancesTest, ::testing::ValuesIn(kSides), SideLabel);
