#include "FinanceBillMode.h"

#include <algorithm>
#include <iterator>

namespace {

using Task = FinanceBillTask;
using Op = FinancePageOperation;
constexpr PartySide C = PartyClient;
constexpr PartySide P = PartyProvider;

// clang-format off
constexpr FinanceBillModeInfo kModes[] = {
//   mode side bill     task               locked title           pic  name label     prefix       delete operation   message                   report
    { 0, C, "收入单", Task::New,           false, "新增财务收入", 221, "客户名称",   "SR_XS_",    false, Op::Insert, "新增销售财务单据成功。", false},
    { 1, C, "支出单", Task::New,           false, "新增财务支出", 272, "客户名称",   "ZC_XS_",    false, Op::Insert, "新增销售财务单据成功。", false},
    { 2, C, "收入单", Task::Modify,        false, "修改财务收入", 270, "客户名称",   "",          true,  Op::Update, "修改销售财务单据成功。", false},
    { 3, C, "支出单", Task::Modify,        false, "修改财务支出", 271, "客户名称",   "",          true,  Op::Update, "修改销售财务单据成功。", false},
    { 6, C, "收入单", Task::New,           true,  "新增财务收入", 221, "客户名称",   "SR_XS_",    false, Op::Insert, "新增销售财务单据成功。", false},
    { 7, C, "支出单", Task::New,           true,  "新增财务支出", 272, "客户名称",   "ZC_XS_",    false, Op::Insert, "新增销售财务单据成功。", false},
    { 8, C, "收入单", Task::Modify,        false, "修改财务收入", 270, "客户名称",   "",          true,  Op::Update, "修改销售财务单据成功。", true },
    { 9, C, "支出单", Task::Modify,        false, "修改财务支出", 271, "客户名称",   "",          true,  Op::Update, "修改销售财务单据成功。", true },
    {10, P, "收入单", Task::New,           false, "新增财务收入", 221, "供应商名称", "SR_CG_",    false, Op::Insert, "新增采购财务单据成功。", false},
    {11, P, "支出单", Task::New,           false, "新增财务支出", 272, "供应商名称", "ZC_CG_",    false, Op::Insert, "新增采购财务单据成功。", false},
    {12, P, "收入单", Task::Modify,        false, "修改财务收入", 270, "供应商名称", "",          true,  Op::Update, "修改采购财务单据成功。", false},
    {13, P, "支出单", Task::Modify,        false, "修改财务支出", 271, "供应商名称", "",          true,  Op::Update, "修改采购财务单据成功。", false},
    {14, P, "收入单", Task::Modify,        false, "修改财务收入", 270, "供应商名称", "",          true,  Op::Update, "修改采购财务单据成功。", true },
    {15, P, "支出单", Task::Modify,        false, "修改财务支出", 271, "供应商名称", "",          true,  Op::Update, "修改采购财务单据成功。", true },
    {16, P, "收入单", Task::NewDeposit,    false, "新增财务收入", 221, "供应商名称", "SR_CG_DJ_", false, Op::Insert, "新增采购财务单据成功。", false},
    {17, P, "支出单", Task::NewDeposit,    false, "新增财务支出", 272, "供应商名称", "ZC_CG_DJ_", false, Op::Insert, "新增采购财务单据成功。", false},
    {18, P, "收入单", Task::ModifyDeposit, false, "修改财务收入", 270, "供应商名称", "",          false, Op::Update, "修改采购财务单据成功。", false},
    {19, P, "支出单", Task::ModifyDeposit, false, "修改财务支出", 271, "供应商名称", "",          false, Op::Update, "修改采购财务单据成功。", false},
    {20, C, "收入单", Task::NewDeposit,    false, "新增财务收入", 221, "客户名称",   "SR_XS_DJ_", false, Op::Insert, "新增销售财务单据成功。", false},
    {21, C, "支出单", Task::NewDeposit,    false, "新增财务支出", 272, "客户名称",   "ZC_XS_DJ_", false, Op::Insert, "新增销售财务单据成功。", false},
    {22, C, "收入单", Task::ModifyDeposit, false, "修改财务收入", 270, "客户名称",   "",          false, Op::Update, "修改销售财务单据成功。", false},
    {23, C, "支出单", Task::ModifyDeposit, false, "修改财务支出", 271, "客户名称",   "",          false, Op::Update, "修改销售财务单据成功。", false},
    {24, P, "收入单", Task::New,           true,  "新增财务收入", 221, "供应商名称", "SR_CG_",    false, Op::Insert, "新增采购财务单据成功。", false},
    {25, P, "支出单", Task::New,           true,  "新增财务支出", 272, "供应商名称", "ZC_CG_",    false, Op::Insert, "新增采购财务单据成功。", false},
};
// clang-format on

} // namespace

const FinanceBillModeInfo *FinanceBillModeFor(int mode)
{
    const auto found = std::find_if(std::begin(kModes), std::end(kModes),
                                    [mode](const FinanceBillModeInfo &m) { return m.mode == mode; });
    return found == std::end(kModes) ? nullptr : found;
}

const FinanceBillModeInfo *FinanceBillModesBegin()
{
    return std::begin(kModes);
}

const FinanceBillModeInfo *FinanceBillModesEnd()
{
    return std::end(kModes);
}
