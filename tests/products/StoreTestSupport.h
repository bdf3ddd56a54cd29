#pragma once

// Builders for the store page's tests: goods-bill lines of either side put
// straight into the database; the reports the page shows are caught by
// CapturedReports.

#include "CapturedReports.h"
#include "RecordColumns.h"
#include "TestDatabase.h"

enum class BillSide { Sales, Purchase };

inline const char *sideName(BillSide side)
{
    return side == BillSide::Sales ? "sales" : "purchase";
}

// The main bill type of the side: 出货单 or 进货单.
inline QString mainBillType(BillSide side)
{
    return side == BillSide::Sales ? QStringLiteral("出货单") : QStringLiteral("进货单");
}

// One goods-bill line of a product: count and line amount as texts.
inline void addLine(TestDatabase &db, BillSide side, const QString &date, const QString &billType,
                    const struct_button_storeproduct &product, const QString &count, const QString &amount)
{
    struct_button_goodsbill line;
    line.GUID = GuidText();
    line.InputDate = date;
    line.BillType = billType;
    line.CompanyName = QStringLiteral("甲公司");
    line.ProductCode = product.ProductCode;
    line.ProductName = product.ProductName;
    line.ProductSpec = product.ProductSpec;
    line.ProductUnit = product.ProductUnit;
    line.ProductAmount = count;
    line.ProductPrice = amount;
    if (side == BillSide::Sales)
        db.db().insertRow(QStringLiteral("tbl_GoodsBill_shipment"), InsertColumns(line));
    else
        db.db().insertRow(QStringLiteral("tbl_goodsbill_shipment_provider"), InsertColumns(ToPurchaseLayout(line)));
}
