#pragma once

#include "CGridppReportEventImpl.h"

#include <array>

#include "GoodsBillLines.h"

// The sink of the printed goods bill: one detail record per print line
// (the bill's lines and the blank lines that fill it up to six). The
// header and totals travel as report parameters, which the editor sets.
class CTradeBillReportEvent : public CGridppReportRowsEventImpl<struct_button_goodsbill>
{
public:
    void Initialize() override;
    void FetchRecord() override { FillRecords(); }

    int SetGoodsBillRecords(const GoodsBillLines& lines) { return SetRecords(lines); }
    int FillRecords();

private:
    // 货品编号, 货品名称, 货品规格, 单位, 数量, 单价, 总额, 备注.
    std::array<ReportField*, 8> m_fields {};
};
