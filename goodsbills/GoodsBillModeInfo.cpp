#include "GoodsBillModeInfo.h"

#include <algorithm>
#include <initializer_list>

#include "GlobalFunctions.h"

QString GoodsBillModeInfo::printTitle(const QString& kind) const
{
    if (task == Task::TakeBack)
        return QString();
    if (kind == QStringLiteral("退货单"))
        return QStringLiteral("产品退货单");
    return isPurchase() ? QStringLiteral("产品进货单") : QStringLiteral("产品出货单");
}

namespace {

// One kind of task: the modes that share it and what they fix.
struct ModeRow
{
    std::initializer_list<int> modes;
    GoodsBillModeInfo::Task task;
    const char* title;
    const char* billType;
    const char* codePrefix;
    GoodsBillModeInfo::Banner banner;
    int depositNewMode;
    int depositExistingMode;
};

using Task = GoodsBillModeInfo::Task;
using Banner = GoodsBillModeInfo::Banner;

// A changed shipment keeps the new shipment's title; only its banner tells
// the two apart.
const ModeRow kModeRows[] = {
    {{0, 6}, Task::New, "销售管理 － 新增产品出货单", "出货单", "XS_CH_", Banner::NewShipment, 20, 22},
    {{1, 7}, Task::New, "销售管理 － 新增产品退货单", "退货单", "XS_TH_", Banner::NewSalesReturn, 21, 23},
    {{2, 8}, Task::Change, "销售管理 － 新增产品出货单", "出货单", "", Banner::ChangedShipment, 20, 22},
    {{3, 9}, Task::Change, "销售管理 － 修改产品退货单", "退货单", "", Banner::ChangedSalesReturn, 21, 23},
    {{10, 16}, Task::New, "采购管理 － 新增产品进货单", "进货单", "CG_JH_", Banner::NewStockIn, 17, 19},
    {{11, 17}, Task::New, "采购管理 － 新增产品退货单", "退货单", "CG_TH_", Banner::NewPurchaseReturn, 16, 18},
    {{12, 14}, Task::Change, "采购管理 － 修改产品进货单", "进货单", "", Banner::ChangedStockIn, 17, 19},
    {{13, 15}, Task::Change, "采购管理 － 修改产品退货单", "退货单", "", Banner::ChangedPurchaseReturn, 16, 18},
};

} // namespace

GoodsBillModeInfo GoodsBillModeInfo::For(int mode)
{
    GoodsBillModeInfo info;
    info.mode = mode;
    for (const ModeRow& row : kModeRows) {
        if (std::find(row.modes.begin(), row.modes.end(), mode) == row.modes.end())
            continue;
        info.task = row.task;
        info.title = QString::fromUtf8(row.title);
        info.billType = QString::fromUtf8(row.billType);
        info.codePrefix = QString::fromUtf8(row.codePrefix);
        info.banner = row.banner;
        info.depositNewMode = row.depositNewMode;
        info.depositExistingMode = row.depositExistingMode;
    }
    info.fromPartyWindow = mode == 6 || mode == 7 || mode == 16 || mode == 17;
    info.fromReportPage = mode == 8 || mode == 9 || mode == 14 || mode == 15;
    return info;
}

QString MakeBillNumber(int mode, const QString& date)
{
    YmdInfo ymd;
    GetYmdByDate(date, ymd);
    return GoodsBillModeInfo::For(mode).codePrefix + ymd.strYear + ymd.strMonth + ymd.strDay;
}
