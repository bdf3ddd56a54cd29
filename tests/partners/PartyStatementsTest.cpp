// The detail window's statements of either side: product detail, survey
// and month statement, row by row.

#include "PartyStatements.h"

#include "PartnersTestSupport.h"

namespace {

class PartyStatementsTest : public ::testing::TestWithParam<SideCase>
{
protected:
    const SideCase &side() const { return GetParam(); }
    PartyStatements statements() { return PartyStatements(db.db(), side().info()); }

    TestDatabase db;
    const QString name = QStringLiteral("O'Neil 五金");
    const PeriodRange may{QStringLiteral("2011-05-01"), QStringLiteral("2011-05-31"), 0};
};

// A row as "kind: date code product count price amount" with the row kind
// shortened: T title, S totals, - a line or money row.
QStringList shown(const std::vector<struct_button_goodsbill> &rows)
{
    QStringList lines;
    for (const auto &row : rows) {
        const QString kind = row.BillType == kTitleRowKind ? QStringLiteral("T")
            : row.BillType == kTotalsRowKind               ? QStringLiteral("S")
                                                           : QStringLiteral("-");
        QStringList cells = {row.InputDate, row.BillCode, row.ProductName, row.ProductSpec, row.ProductUnit,
            row.ProductAmount, row.ProductUnitPrice, row.ProductPrice};
        while (!cells.isEmpty() && cells.back().isEmpty())
            cells.removeLast();
        lines << kind + QStringLiteral(": ") + cells.join(QLatin1Char('|'));
    }
    return lines;
}

} // namespace

TEST_P(PartyStatementsTest, AnEmptyPeriodGivesOnlyTheTitlesAndTotals)
{
    EXPECT_EQ(shown(statements().ProductDetail(name, may)),
        (QStringList{"S: ||||合计|0.00||0.00", "S: ||||合计|0.00||0.00"}));
    const QString goodsTitle
        = side().side == PartyClient ? QStringLiteral("时段出货记录") : QStringLiteral("时段进货记录");
    const QString goodsTotal
        = side().side == PartyClient ? QStringLiteral("时段出货合计") : QStringLiteral("时段进货合计");
    EXPECT_EQ(shown(statements().Survey(name, QStringLiteral("8"), may)),
        (QStringList{"T: " + goodsTitle, "S: |||" + goodsTotal + "||0.00||0.00", "T: 时段退货记录",
            "S: |||时段退货合计||0.00||0.00", "S: |||时段实际货款||||0.00", "T: 时段财务收支",
            "S: |||时段收支合计||||0.00", "S: |||时段新欠款||||0.00", "S: |||前累计欠款||||8.00",
            "S: |||新累计欠款||||8.00"}));
}

TEST_P(PartyStatementsTest, TheDetailSumsTheLinesAndTheSurveyTheBillTotals)
{
    const auto bill = AddGoodsBillRows(db.db(), side().side, side().main(), name, QStringLiteral("2011-05-03"),
        {Line(QStringLiteral("2"), QStringLiteral("10"), QStringLiteral("螺栓")),
            Line(QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("螺母"))});
    // A total that differs from its lines (typed by hand in the editor).
    db.exec(QStringLiteral("UPDATE %1 SET SumMoney = '30' WHERE GUID = ?").arg(side().goodsTable).toUtf8().constData(),
        {bill.front().GUID});
    AddGoodsBillRows(db.db(), side().side, QStringLiteral("退货单"), name, QStringLiteral("2011-05-20"),
        {Line(QStringLiteral("1"), QStringLiteral("10"))});
    AddBill(db, side(), side().main(), name, QStringLiteral("2011-04-30"), QStringLiteral("100"));
    AddPayment(db, side(), side().settle(), name, QStringLiteral("2011-04-01"), QStringLiteral("40"));
    AddPayment(db, side(), side().settle(), name, QStringLiteral("2011-05-05"), QStringLiteral("12"));
    AddPayment(db, side(), side().reduce(), name, QStringLiteral("2011-05-06"), QStringLiteral("-2"));

    const QString code = bill.front().BillCode;
    EXPECT_EQ(shown(statements().ProductDetail(name, may)),
        (QStringList{"-: 2011-05-03|" + code + "|螺栓|M8|个|2|10|20.00",
            "-: 2011-05-03|" + code + "|螺母|M8|个|1|5|5.00", "S: ||||合计|3.00||25.00",
            "-: 2011-05-20|" + bill.front().BillCode.left(3) + "2011-05-20|螺栓|M8|个|1|10|10.00",
            "S: ||||合计|1.00||10.00"}));

    const QStringList survey = shown(statements().Survey(name, QStringLiteral("1"), may));
    ASSERT_EQ(survey.size(), 15);
    EXPECT_TRUE(survey[3].endsWith(QStringLiteral("|3.00||30.00"))) << survey[3].toStdString();
    EXPECT_EQ(survey[6], QStringLiteral("S: |||时段退货合计||1.00||10.00"));
    EXPECT_EQ(survey[7], QStringLiteral("S: |||时段实际货款||||20.00"));
    // Finance rows: date, code, the amount as counted; a stored "-2" of the
    // reducing kind counts as 2.
    const QString settleCode
        = side().settle() == QStringLiteral("收入单") ? QStringLiteral("SR_") : QStringLiteral("ZC_");
    EXPECT_EQ(survey[9], "-: 2011-05-05|" + settleCode + "2011-05-05||||||12");
    EXPECT_TRUE(survey[10].endsWith(QStringLiteral("||2"))) << survey[10].toStdString();
    EXPECT_EQ(survey.mid(11),
        (QStringList{"S: |||时段收支合计||||14.00", "S: |||时段新欠款||||6.00", "S: |||前累计欠款||||61.00",
            "S: |||新累计欠款||||67.00"}));
}

TEST_P(PartyStatementsTest, AnEmptyMonthStatesTheArrearsBeforeIt)
{
    AddBill(db, side(), side().main(), name, QStringLiteral("2011-04-30"), QStringLiteral("100"));
    AddPayment(db, side(), side().settle(), name, QStringLiteral("2011-04-01"), QStringLiteral("40.5"));

    EXPECT_EQ(shown(statements().MonthStatement(name, QStringLiteral("12"), QStringLiteral("2011-05-17"))),
        (QStringList{"S: ||||||货款合计|0.00", "T: 退货", "S: ||||||退货合计|0.00", "S: ||||||实际货款|0.00",
            "T: 应付应收", "S: ||||||应收合计|0.00", "S: ||||||前累计欠款|71.50", "T: 本月付款",
            "S: ||||||付款合计|0.00", "S: ||||||新累计欠款|71.50"}));
    EXPECT_EQ(PartyStatements::MonthRangeText(QStringLiteral("2011-05-17")), QStringLiteral("2011年05月份"));
}

TEST_P(PartyStatementsTest, ABusyMonthListsItsLinesRegisterAndPaymentsOnce)
{
    AddBill(db, side(), side().main(), name, QStringLiteral("2011-04-30"), QStringLiteral("100"));
    // A bill with a deposit: the deposit is a finance bill of its own and
    // is listed once, as that.
    const struct_button_financebill deposit
        = AddPayment(db, side(), side().settle(), name, QStringLiteral("2011-05-03"), QStringLiteral("50"));
    const auto bill = AddGoodsBillRows(db.db(), side().side, side().main(), name, QStringLiteral("2011-05-03"),
        {Line(QStringLiteral("2"), QStringLiteral("100")),
            Line(QStringLiteral("1"), QStringLiteral("30"), QStringLiteral("螺母"))},
        deposit.GUID);
    db.exec(QStringLiteral("UPDATE %1 SET Imprest = '50', EnableImprest = '启用预付款'")
                .arg(side().goodsTable)
                .toUtf8()
                .constData());
    AddBill(db, side(), QStringLiteral("退货单"), name, QStringLiteral("2011-05-31"), QStringLiteral("20"));
    AddRegisterRow(db, name, QStringLiteral("2011-05-10"), QStringLiteral("15"));
    AddRegisterRow(db, name, QStringLiteral("2011-05-11"), QStringLiteral("4"), QStringLiteral("应付记录"));
    AddRegisterRow(db, name, QStringLiteral("2011-06-01"), QStringLiteral("99"));
    AddPayment(db, side(), side().reduce(), name, QStringLiteral("2011-05-20"), QStringLiteral("5"));
    // The other side's tables hold nothing of this month's statement.
    const SideCase &other = kSides[side().side == PartyClient ? 1 : 0];
    AddBill(db, other, other.main(), name, QStringLiteral("2011-05-03"), QStringLiteral("1000"));
    AddPayment(db, other, other.settle(), name, QStringLiteral("2011-05-03"), QStringLiteral("1000"));

    const QString code = bill.front().BillCode;
    EXPECT_EQ(shown(statements().MonthStatement(name, QStringLiteral("10"), QStringLiteral("2011-05-17"))),
        (QStringList{"-: 2011-05-03|" + code + "|螺栓|M8|个|2|100|200.00",
            "-: 2011-05-03|" + code + "|螺母|M8|个|1|30|30.00", "S: ||||||货款合计|230.00", "T: 退货",
            "-: 2011-05-31|" + code.left(3) + "2011-05-31|螺栓|M8|个|1|20|20.00", "S: ||||||退货合计|20.00",
            "S: ||||||实际货款|210.00", "T: 应付应收", "-: 2011-05-10|||||||15", "-: 2011-05-11|||||||-4",
            "S: ||||||应收合计|11.00", "S: ||||||前累计欠款|110.00", "T: 本月付款", "-: 2011-05-03|||||||50",
            "-: 2011-05-20|||||||-5", "S: ||||||付款合计|45.00", "S: ||||||新累计欠款|286.00"}));
}

INSTANTIATE_TEST_SUITE_P(Sides, PartyStatementsTest, ::testing::ValuesIn(kSides), SideLabel);
