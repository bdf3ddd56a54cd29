#pragma once

#include <QString>

#include "GoodsBillSide.h"

// What a GoodsBillMode (0 to 19) fixes in the goods bill editor: the side,
// whether the bill is new or being changed, the window title and banner,
// the bill kind, the prefix of a new bill's code, the finance-bill modes of
// its deposit and the title of its printed bill.
struct GoodsBillModeInfo
{
    enum class Task { New, Change, TakeBack };
    // Which of the banner pictures the mode shows.
    enum class Banner {
        NewShipment,
        NewStockIn,
        NewSalesReturn,
        NewPurchaseReturn,
        ChangedShipment,
        ChangedStockIn,
        ChangedSalesReturn,
        ChangedPurchaseReturn,
        Other
    };

    int mode = 0;
    Task task = Task::TakeBack;
    // Modes 6, 7, 16 and 17: a new bill made out to the detail window's
    // party, whose name cannot be changed.
    bool fromPartyWindow = false;
    // Modes 8, 9, 14 and 15.
    bool fromReportPage = false;
    QString title;
    QString billType;
    QString codePrefix;
    Banner banner = Banner::Other;
    // The finance bill editor's modes for the bill's deposit: a new deposit
    // bill, or the one the bill already has. 0 where there is none.
    int depositNewMode = 0;
    int depositExistingMode = 0;

    bool isNew() const { return task == Task::New; }
    bool isChange() const { return task == Task::Change; }
    bool isPurchase() const { return mode >= 10; }
    const GoodsBillSide& side() const { return GoodsBillSide::ForMode(mode); }
    // The title of the printed bill: 产品出货单, 产品进货单 or 产品退货单
    // by the side and the bill's kind; empty for the take-back modes.
    QString printTitle(const QString& billType) const;

    // Any int: a value outside 0 to 19 gives a take-back-like mode that
    // saves nothing.
    static GoodsBillModeInfo For(int mode);
};

// A new bill's code: the mode's prefix followed by the eight digits of the
// date ("%04d-%02d-%02d"), e.g. XS_CH_20261205.
QString MakeBillNumber(int mode, const QString& date);
