#pragma once

#include <QString>

#include "SharedTypes.h"

// The two kinds of finance bill, as stored in BillType.
inline const QString kIncomeBill = QStringLiteral("收入单");
inline const QString kPayoutBill = QStringLiteral("支出单");

// What differs between the sales-side finance bills (bills of clients) and
// the purchase-side ones (bills of providers). Both sides are one design
// over two tables of the same layout; the store, the totals, the pages and
// the editor take this descriptor.
struct FinanceBillSide
{
    PartySide party;
    // The bill table: one row per bill.
    const char *table;
    // The party table whose SumIncome follows the side's income bills, and
    // its name column (the bills name their party in ClientName on both
    // sides).
    const char *partyTable;
    const char *partyNameColumn;
    // The side's part of a bill code ("XS" / "CG") and its word in
    // messages ("销售" / "采购").
    QString codePart;
    QString sideWord;
    // The caption of the editor's name box.
    QString partyLabel;

    // tbl_FinanceBill_income, clients.
    static const FinanceBillSide &Sales();
    // tbl_FinanceBill_income_provider, providers.
    static const FinanceBillSide &Purchase();
    static const FinanceBillSide &For(PartySide party);
};
