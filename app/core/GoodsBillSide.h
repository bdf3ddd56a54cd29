#pragma once

#include <QString>

#include "SharedTypes.h"

// What differs between the sales and the purchase goods bills. The two
// sides are one design over two tables; everything side-specific that the
// goods bills, the product sums and the party figures need is here.
struct GoodsBillSide
{
    PartySide party;
    // The line table: one row per bill line.
    const char *table;
    // The finance-bill table that holds the side's deposit bills.
    const char *depositTable;
    // The side's main bill kind ("出货单" / "进货单") and its return kind
    // ("退货单" on both sides).
    QString mainBillType;
    QString returnBillType;
    // The side's word in messages: "销售" / "采购".
    QString sideWord;

    // How a bill of the kind moves stock: +1 in (stock-in, sales return),
    // -1 out (shipment, purchase return), 0 for a text that is neither of
    // the side's kinds.
    int StockSign(const QString &billType) const;
    bool IsKind(const QString &billType) const { return StockSign(billType) != 0; }

    // tbl_GoodsBill_shipment: 出货单 and 退货单.
    static const GoodsBillSide &Sales();
    // tbl_goodsbill_shipment_provider: 进货单 and 退货单.
    static const GoodsBillSide &Purchase();
    static const GoodsBillSide &For(PartySide party);
    // GoodsBillMode 0 to 9 is the sales side, 10 to 19 the purchase side.
    static const GoodsBillSide &ForMode(int goodsBillMode);
};
