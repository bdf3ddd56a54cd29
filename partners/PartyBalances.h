#pragma once

#include <QString>

#include <vector>

#include "CDlgPrtMonthSelDate.h"
#include "RecordTypes.h"

class Database;
struct PartySideInfo;

// The six figures of one party over a period, from its goods bills and
// finance bills:
//   goods          the totals of its main bills (出货单 / 进货单), each bill
//                  counted once by its total
//   returns        the totals of its 退货单
//   payments       its finance bills, the settling kind positive and the
//                  reducing kind negative
//   periodArrears  goods - returns - payments
//   priorArrears   its opening arrears plus the same arrears of every bill
//                  dated before the period's first day
//   totalArrears   periodArrears + priorArrears
struct PartyFigures
{
    double goods = 0.0;
    double returns = 0.0;
    double payments = 0.0;
    double periodArrears = 0.0;
    double priorArrears = 0.0;
    double totalArrears = 0.0;
};

// A party as the figures need it: its name (as the bills name it) and its
// opening arrears text.
struct PartyOpening
{
    QString name;
    QString beginArrears;
};

// The period figures and period lists of the parties of one side. A period
// is a PeriodRange: both days included; an empty start means from the
// first bill on, so the prior arrears are the opening arrears alone. Every
// call reads the bills afresh; nothing is cached between calls. It opens
// no window; callers catch DbError.
class PartyBalances
{
public:
    PartyBalances(Database &db, const PartySideInfo &side);

    PartyFigures Figures(const PartyOpening &party, const PeriodRange &period);
    // The figures of several parties at once, in the order given; parties
    // that share a name share its bills.
    std::vector<PartyFigures> Figures(const std::vector<PartyOpening> &parties, const PeriodRange &period);

    // The party's bill lines of the period, of every kind, in table order,
    // in the sales layout.
    std::vector<struct_button_goodsbill> PeriodLines(const QString &name, const PeriodRange &period);
    // The party's finance bills of the period as statement rows, in table
    // order: InputDate, BillCode, BillType and the amount as counted in
    // ProductPrice (PartySideInfo::SignedFinanceText).
    std::vector<struct_button_goodsbill> FinanceRows(const QString &name, const PeriodRange &period);

private:
    Database &m_db;
    const PartySideInfo &m_side;
};
