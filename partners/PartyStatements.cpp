#include "PartyStatements.h"

#include "Database.h"
#include "GlobalFunctions.h"
#include "PartyBalances.h"
#include "PartySideInfo.h"
#include "ProductRows.h"

namespace {

using Line = struct_button_goodsbill;
using Rows = std::vector<Line>;

Line titleRow(const QString &heading)
{
    Line row;
    row.BillType = kTitleRowKind;
    row.InputDate = heading;
    return row;
}

// A totals row with its label in one field and its money in ProductPrice.
Line totalsRow(QString Line::*labelField, const QString &label, double money)
{
    Line row;
    row.BillType = kTotalsRowKind;
    row.*labelField = label;
    row.ProductPrice = DoubleToStr(money);
    return row;
}

// Appends the lines of one kind; answers the sums of their counts and of
// their amounts.
std::pair<double, double> appendLinesOfKind(Rows &rows, const Rows &lines, const QString &kind)
{
    double count = 0.0;
    double money = 0.0;
    for (const Line &line : lines) {
        if (line.BillType != kind)
            continue;
        rows.push_back(line);
        count += StrToDouble(line.ProductAmount);
        money += StrToDouble(line.ProductPrice);
    }
    return {count, money};
}

} // namespace

PartyStatements::PartyStatements(Database &db, const PartySideInfo &side)
    : m_db(db)
    , m_side(side)
{
}

std::vector<struct_button_goodsbill> PartyStatements::ProductDetail(const QString &name, const PeriodRange &period)
{
    const Rows lines = PartyBalances(m_db, m_side).PeriodLines(name, period);
    Rows rows;
    for (const QString &kind : {m_side.goods.mainBillType, m_side.goods.returnBillType}) {
        const auto [count, money] = appendLinesOfKind(rows, lines, kind);
        Line totals = totalsRow(&Line::ProductUnit, QStringLiteral("合计"), money);
        totals.ProductAmount = DoubleToStr(count);
        rows.push_back(totals);
    }
    return rows;
}

std::vector<struct_button_goodsbill> PartyStatements::Survey(
    const QString &name, const QString &beginArrears, const PeriodRange &period)
{
    PartyBalances balances(m_db, m_side);
    const PartyFigures figures = balances.Figures(PartyOpening{name, beginArrears}, period);
    const Rows lines = balances.PeriodLines(name, period);
    const Rows financeRows = balances.FinanceRows(name, period);
    const bool client = m_side.party == PartyClient;

    Rows rows;
    const auto billSection = [&](const QString &kind, const QString &title, const QString &label, double money) {
        rows.push_back(titleRow(title));
        const double count = appendLinesOfKind(rows, lines, kind).first;
        Line totals = totalsRow(&Line::ProductSpec, label, money);
        totals.ProductAmount = DoubleToStr(count);
        rows.push_back(totals);
    };
    billSection(m_side.goods.mainBillType, client ? QStringLiteral("时段出货记录") : QStringLiteral("时段进货记录"),
        client ? QStringLiteral("时段出货合计") : QStringLiteral("时段进货合计"), figures.goods);
    billSection(
        m_side.goods.returnBillType, QStringLiteral("时段退货记录"), QStringLiteral("时段退货合计"), figures.returns);
    rows.push_back(totalsRow(&Line::ProductSpec, QStringLiteral("时段实际货款"), figures.goods - figures.returns));
    rows.push_back(titleRow(QStringLiteral("时段财务收支")));
    rows.insert(rows.end(), financeRows.begin(), financeRows.end());
    rows.push_back(totalsRow(&Line::ProductSpec, QStringLiteral("时段收支合计"), figures.payments));
    rows.push_back(totalsRow(&Line::ProductSpec, QStringLiteral("时段新欠款"), figures.periodArrears));
    rows.push_back(totalsRow(&Line::ProductSpec, QStringLiteral("前累计欠款"), figures.priorArrears));
    rows.push_back(totalsRow(&Line::ProductSpec, QStringLiteral("新累计欠款"), figures.totalArrears));
    return rows;
}

std::vector<struct_button_goodsbill> PartyStatements::MonthStatement(
    const QString &name, const QString &beginArrears, const QString &date)
{
    const PeriodRange month{MonthFirstDay(date), MonthLastDay(date), 0};
    PartyBalances balances(m_db, m_side);
    const Rows lines = balances.PeriodLines(name, month);
    const Rows registerRows = RegisterRows(name, month);
    const Rows financeRows = balances.FinanceRows(name, month);
    const double prior = balances.Figures(PartyOpening{name, beginArrears}, month).priorArrears;

    Rows rows;
    const auto totals = [&rows](const QString &label, double money) {
        rows.push_back(totalsRow(&Line::ProductUnitPrice, label, money));
    };
    const double goods = appendLinesOfKind(rows, lines, m_side.goods.mainBillType).second;
    totals(QStringLiteral("货款合计"), goods);
    rows.push_back(titleRow(QStringLiteral("退货")));
    const double returns = appendLinesOfKind(rows, lines, m_side.goods.returnBillType).second;
    totals(QStringLiteral("退货合计"), returns);
    totals(QStringLiteral("实际货款"), goods - returns);

    rows.push_back(titleRow(QStringLiteral("应付应收")));
    double registered = 0.0;
    for (const Line &row : registerRows) {
        rows.push_back(row);
        registered += StrToDouble(row.ProductPrice);
    }
    totals(QStringLiteral("应收合计"), registered);
    totals(QStringLiteral("前累计欠款"), prior);

    rows.push_back(titleRow(QStringLiteral("本月付款")));
    double payments = 0.0;
    for (const Line &row : financeRows) {
        Line money;
        money.InputDate = row.InputDate;
        money.ProductPrice = row.ProductPrice;
        rows.push_back(money);
        payments += StrToDouble(row.ProductPrice);
    }
    totals(QStringLiteral("付款合计"), payments);
    totals(QStringLiteral("新累计欠款"), goods - returns + registered + prior - payments);
    return rows;
}

std::vector<struct_button_goodsbill> PartyStatements::RegisterRows(const QString &name, const PeriodRange &month)
{
    Statement query = PrepareBound(m_db,
        QStringLiteral("SELECT InputDate, MoneyCount, RevPayType FROM tbl_RevAccount WHERE "
                       "ClientName = ? AND InputDate >= ? AND InputDate <= ? ORDER BY RowNo"),
        {name, month.StartDate, month.EndDate});
    Rows rows;
    while (query.next()) {
        Line row;
        row.InputDate = query.text(QStringLiteral("InputDate"));
        const QString amount = query.text(QStringLiteral("MoneyCount"));
        // A payable counts against the party.
        row.ProductPrice = query.text(QStringLiteral("RevPayType")) == QStringLiteral("应付记录")
            ? NegatedAmountText(amount)
            : amount;
        rows.push_back(row);
    }
    return rows;
}

QString PartyStatements::MonthRangeText(const QString &date)
{
    YmdInfo ymd;
    GetYmdByDate(date, ymd);
    return QStringLiteral("%1年%2月份").arg(ymd.strYear, ymd.strMonth);
}
