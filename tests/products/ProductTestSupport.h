#pragma once

// Small builders and helpers shared by the products tests: products put
// straight into a test database, stored columns and list texts read back,
// and the clicks a person makes (ClickSupport.h).

#include <QTableWidget>

#include <gtest/gtest.h>

#include "ClickSupport.h"
#include "GlobalFunctions.h"
#include "RecordColumns.h"
#include "ScriptedInteraction.h"
#include "TestDatabase.h"

// A product row with the given texts (unit 个, alarm count 5, no remark).
inline struct_button_storeproduct addProduct(TestDatabase &db, const QString &code, const QString &name,
                                             const QString &spec, const QString &stockPrice = QStringLiteral("8.00"),
                                             const QString &shipmentPrice = QStringLiteral("10.00"),
                                             const QString &stockCount = QStringLiteral("0"))
{
    struct_button_storeproduct product;
    product.ProductCode = code;
    product.ProductName = name;
    product.ProductSpec = spec;
    product.ProductUnit = QStringLiteral("个");
    product.StockUnitPrice = stockPrice;
    product.ShipmentUnitPrice = shipmentPrice;
    product.PromptCount = QStringLiteral("5");
    product.ProductStockCount = stockCount;
    product.GUID = GuidText();
    db.db().insertRow(QStringLiteral("tbl_StoreMgr"), InsertColumns(product));
    return product;
}

// One column of the stored row of the product with that GUID.
inline QString storedColumn(TestDatabase &db, const char *column, const QString &guid)
{
    return db.scalar(
        QStringLiteral("SELECT %1 FROM tbl_StoreMgr WHERE GUID = ?").arg(QLatin1String(column)).toUtf8().constData(),
        {guid});
}

inline QStringList columnTexts(const QTableWidget *list, int column)
{
    QStringList texts;
    for (int row = 0; row < list->rowCount(); ++row)
        texts << list->item(row, column)->text();
    return texts;
}

inline QStringList rowTexts(const QTableWidget *list, int row)
{
    QStringList texts;
    for (int column = 0; column < list->columnCount(); ++column)
        texts << list->item(row, column)->text();
    return texts;
}
