#pragma once

#include "PartyListReports.h"
#include "ProductReportEvent.h"
#include "RecordTypes.h"

// The report sinks of the party pages and of the detail window. Each hands
// its rows to the report it is connected to, one record a row, looking
// its fields up by title; a field the template lacks is skipped. They
// share this one header because each class only names its titles and
// the texts a row gives them.

// The finance-sum reports: the party's name (the totals row: "总合计")
// and the six figures.
class CClientFinanceSumReportEvent : public ProductReportEvent<ClientFinanceSumInfo, 7>
{
public:
    CClientFinanceSumReportEvent();
};

class CProviderFinanceSumReportEvent : public ProductReportEvent<ProviderFinanceSumInfo, 7>
{
public:
    CProviderFinanceSumReportEvent();
};

// The address lists: eight contact fields of each party, the area as its
// word.
class CClientAddressListReportEvent : public ProductReportEvent<struct_button_data, 8>
{
public:
    CClientAddressListReportEvent();
};

class CProviderAddressListReportEvent : public ProductReportEvent<struct_button_provider, 8>
{
public:
    CProviderAddressListReportEvent();
};

// The detail window's reports. A row whose BillType is "总计行" is a
// totals row; in the month statement and the surveys a row whose BillType
// is "标题行" is a section title; every other row is a line.

// The month statement: a title fills its seven columns after 日期 with
// "-----"; a totals row shows only its label (单价/元) and its amount.
class CClientMonthReportEvent : public ProductReportEvent<struct_button_goodsbill, 8>
{
public:
    CClientMonthReportEvent();
};

// The surveys: a title fills the four columns after 日期 with "-----"; a
// totals row shows its label (货品规格), count and money.
class CShipmentSurveyReportEvent : public ProductReportEvent<struct_button_goodsbill, 8>
{
public:
    CShipmentSurveyReportEvent();
};

class CStockSurveyReportEvent : public ProductReportEvent<struct_button_provider_goodsbill, 8>
{
public:
    CStockSurveyReportEvent();
};

// The product details: 单位名称 shows the bill's company; a totals row
// shows "-----" in its first seven columns, "合计" under 单位 and its
// count and money. A title row prints as a line.
class CProductShipmentDetailReportEvent : public ProductReportEvent<struct_button_goodsbill, 12>
{
public:
    CProductShipmentDetailReportEvent();
};

class CProductStockDetailReportEvent : public ProductReportEvent<struct_button_provider_goodsbill, 12>
{
public:
    CProductStockDetailReportEvent();
};
