#include "PartyListReports.h"

#include <QSet>

#include <array>

#include "CardContent.h"
#include "GlobalFunctions.h"
#include "PartyBalances.h"
#include "PartySideInfo.h"
#include "PartyStore.h"

namespace {

QString areaText(const QString &code)
{
    // A card shows an unknown code as it is; the list shows nothing.
    const QString word = AreaWord(code);
    return word == code ? QString() : word;
}

} // namespace

PartyListReports::PartyListReports(Database &db, const PartySideInfo &side)
    : m_db(db)
    , m_side(side)
{
}

QList<ClientFinanceSumInfo> PartyListReports::FinanceSumRows(const PeriodRange &period)
{
    const QList<struct_button_data> parties = PartyStore(m_db, m_side).AllParties();
    std::vector<PartyOpening> openings;
    openings.reserve(static_cast<std::size_t>(parties.size()));
    for (const struct_button_data &party : parties)
        openings.push_back(PartyOpening{party.ClientName, party.BeginArrears});
    const std::vector<PartyFigures> figures = PartyBalances(m_db, m_side).Figures(openings, period);

    QList<ClientFinanceSumInfo> rows;
    std::array<double, 6> totals{};
    QSet<QString> counted;
    for (std::size_t i = 0; i < figures.size(); ++i) {
        const PartyFigures &f = figures[i];
        const std::array<double, 6> values
            = {f.goods, f.returns, f.payments, f.periodArrears, f.priorArrears, f.totalArrears};
        // Namesakes (old data) share the name's bills: each row shows them,
        // the totals count them once, with every party's opening arrears.
        std::array<double, 6> counts = values;
        if (counted.contains(openings[i].name)) {
            const double opening = StrToDouble(openings[i].beginArrears);
            counts = {0.0, 0.0, 0.0, 0.0, opening, opening};
        }
        counted.insert(openings[i].name);
        for (std::size_t k = 0; k < counts.size(); ++k)
            totals[k] += counts[k];
        rows << ClientFinanceSumInfo{openings[i].name, DoubleToStr(values[0]), DoubleToStr(values[1]),
            DoubleToStr(values[2]), DoubleToStr(values[3]), DoubleToStr(values[4]), DoubleToStr(values[5]), QString()};
    }
    rows << ClientFinanceSumInfo{QString(), DoubleToStr(totals[0]), DoubleToStr(totals[1]), DoubleToStr(totals[2]),
        DoubleToStr(totals[3]), DoubleToStr(totals[4]), DoubleToStr(totals[5]), QStringLiteral("总计行")};
    return rows;
}

QList<struct_button_data> PartyListReports::AddressListRows()
{
    QList<struct_button_data> parties = PartyStore(m_db, m_side).AllParties();
    for (struct_button_data &party : parties)
        party.ClientArea = areaText(party.ClientArea);
    return parties;
}

QString PartyListReports::TitleMonthText(const PeriodRange &period)
{
    return QStringLiteral("统计时间段：%1 到 %2").arg(period.StartDate, period.EndDate);
}
