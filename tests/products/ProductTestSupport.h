#pragma once

// Shared by the products tests: products and goods-bill lines put straight
// into a test database, list texts read back, the product dialog typed
// into, and the store page as a person sees it.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>

#include "CDlgTabStore.h"
#include "CapturedReports.h"
#include "ClickSupport.h"
#include "GlobalFunctions.h"
#include "QStringPrinting.h"
#include "RecordColumns.h"
#include "RecordPrinting.h"
#include "ScriptedInteraction.h"
#include "SharedTypes.h"
#include "TestDatabase.h"

// A product row (unit 个, alarm count 5, no remark).
inline struct_button_storeproduct addProduct(TestDatabase& db, const QString& code, const QString& name,
    const QString& spec, const QString& stockPrice = "8.00", const QString& shipmentPrice = "10.00",
    const QString& stockCount = "0")
{
    const struct_button_storeproduct product {
        code, name, spec, "个", stockPrice, shipmentPrice, "5", "", stockCount, GuidText()};
    db.db().insertRow("tbl_StoreMgr", InsertColumns(product));
    return product;
}

// Parameters name their side in test names and failures.
inline void PrintTo(PartySide side, std::ostream* out)
{
    *out << (side == PartyClient ? "client" : "provider");
}

enum BillSide { Sales, Purchase };

// A goods-bill line: side, date, bill type, count and line amount.
struct LineText
{
    BillSide side;
    const char* date;
    const char* billType;
    const char* count;
    const char* amount;
};

inline void addLines(TestDatabase& db, const struct_button_storeproduct& p, std::initializer_list<LineText> lines)
{
    for (const LineText& t : lines)
        db.exec(QStringLiteral("INSERT INTO %1 (GUID, InputDate, BillType, ProductCode, ProductName, ProductSpec, "
                               "ProductAmount, ProductPrice) VALUES (?, ?, ?, ?, ?, ?, ?, ?)")
                    .arg(t.side == Sales ? "tbl_GoodsBill_shipment" : "tbl_goodsbill_shipment_provider")
                    .toUtf8()
                    .constData(),
            {GuidText(), t.date, t.billType, p.ProductCode, p.ProductName, p.ProductSpec, t.count, t.amount});
}

inline QStringList columnTexts(const QTableWidget* list, int column)
{
    QStringList texts;
    for (int row = 0; row < list->rowCount(); ++row)
        texts << list->item(row, column)->text();
    return texts;
}

inline QStringList rowTexts(const QTableWidget* list, int row)
{
    QStringList texts;
    for (int column = 0; column < list->columnCount(); ++column)
        texts << list->item(row, column)->text();
    return texts;
}

// The next modal dialog: the person does `before` in it, then clicks the
// button.
inline void onNextDialog(ScriptedInteraction& user, const char* button, std::function<void(QDialog*)> before = {})
{
    user.onNextModal([=](QDialog* dialog) {
        if (before)
            before(dialog);
        clickButton(dialog, button);
        return dialog->result();
    });
}

// The product dialog's edits in the order of the form: code, name, variant,
// unit, purchase price, sales price, alarm count, remark.
inline QLineEdit* productEdit(QDialog* dialog, int field)
{
    static const char* const ids[] = {"1188", "1189", "1190", "1175", "1176", "1177", "1178", "1179"};
    return dialog->findChild<QLineEdit*>(QString::fromLatin1(ids[field]));
}

// Types the texts over the edits from the `first` on.
inline void fillProduct(QDialog* dialog, const QStringList& texts, int first = 0)
{
    for (int i = 0; i < texts.size(); ++i) {
        productEdit(dialog, first + i)->clear();
        typeText(productEdit(dialog, first + i), texts[i]);
    }
}

// The store page at 700×260: two rows of two cards beside the filter column
// (215 + 2 × 230 wide, 100 + 2 × 77 high).
class StorePage : public ::testing::Test
{
protected:
    void SetUp() override { SetWorkingDate(QDate(2011, 5, 17)); }

    void open(int poolSize = 4)
    {
        page = std::make_unique<CDlgTabStore>(poolSize, nullptr);
        page->resize(700, 260);
        page->show();
    }
    // 货品1 … 货品n, variant 单 or 双 by turns.
    void addNamed(int n)
    {
        for (int i = 1; i <= n; ++i)
            products << addProduct(
                db, QStringLiteral("C%1").arg(i), QStringLiteral("货品%1").arg(i), i % 2 ? "单" : "双");
    }
    // The names on the cards a person sees, in pool order.
    QStringList shownNames() const
    {
        QStringList names;
        for (int k = 0; k < page->PoolSize(); ++k) {
            if (page->ProductButton(k)->isVisible())
                names << page->ProductButton(k)->record().ProductName;
        }
        return names;
    }
    QString pageLine() const { return page->findChild<QLabel*>("1433")->text(); }
    QComboBox* combo(const char* id) const { return page->findChild<QComboBox*>(QString::fromLatin1(id)); }
    void clickCard(int k) { QTest::mouseClick(page->ProductButton(k), Qt::LeftButton, {}, QPoint(20, 20)); }

    TestDatabase db;
    ScriptedInteraction user;
    std::unique_ptr<CDlgTabStore> page;
    QList<struct_button_storeproduct> products;
};
