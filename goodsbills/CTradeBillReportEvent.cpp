#include "CTradeBillReportEvent.h"

namespace {

constexpr std::array<const char*, 8> kTitles {
    "货品编号", "货品名称", "货品规格", "单位", "数量", "单价", "总额", "备注"};

} // namespace

void CTradeBillReportEvent::Initialize()
{
    for (std::size_t i = 0; i < kTitles.size(); ++i)
        m_fields[i] = FindField(QString::fromUtf8(kTitles[i]));
}

int CTradeBillReportEvent::FillRecords()
{
    return FillRecordsWith([this](const struct_button_goodsbill& line) {
        const std::array<QString, 8> texts {line.ProductCode, line.ProductName, line.ProductSpec, line.ProductUnit,
            line.ProductAmount, line.ProductUnitPrice, line.ProductPrice, line.ProductRemark};
        for (std::size_t i = 0; i < texts.size(); ++i)
            SetFieldText(m_fields[i], texts[i]);
    });
}
