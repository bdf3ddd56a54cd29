#pragma once

#include <QList>
#include <QString>

#include "CDlgPrtMonthSelDate.h"
#include "RecordTypes.h"

class Database;
struct PartySideInfo;

// One row of the finance-sum report of the client page (the provider page
// uses the same layout): a party's name and its six period figures as
// DoubleToStr texts (two decimals, half a cent rounded away from zero), or,
// with RowKind "总计行", the totals row.
struct ClientFinanceSumInfo
{
    QString Name;
    QString PeriodGoods;
    QString PeriodReturns;
    QString PeriodPayments;
    QString PeriodArrears;
    QString PriorArrears;
    QString TotalArrears;
    QString RowKind; // "" for a party, "总计行" for the totals row

    bool operator==(const ClientFinanceSumInfo &) const = default;
};
using ProviderFinanceSumInfo = ClientFinanceSumInfo;

// The rows of the two reports of every party of one side, whatever a
// page's filters show: the finance sum over a period and the address
// list, both in table order. It opens no window; callers catch DbError.
class PartyListReports
{
public:
    PartyListReports(Database &db, const PartySideInfo &side);

    // One row per party, then the totals row "总计行", which adds the
    // unrounded figures and rounds each total once. Parties that share a
    // name (old data) each show the name's bills; the totals count those
    // bills once and every party's opening arrears.
    QList<ClientFinanceSumInfo> FinanceSumRows(const PeriodRange &period);
    // Every party record with its area code turned into its word ("本地",
    // "省内", "其它"; empty for any other code).
    QList<struct_button_data> AddressListRows();

    // "统计时间段：2011-05-01 到 2011-05-31"
    static QString TitleMonthText(const PeriodRange &period);

private:
    Database &m_db;
    const PartySideInfo &m_side;
};
