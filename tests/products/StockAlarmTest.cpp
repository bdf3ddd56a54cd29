// The stock alarm: which products it lists and what it prints.

#include <QTableWidget>

#include <gtest/gtest.h>

#include "CDlgProductCountTip.h"
#include "ProductTestSupport.h"
#include "StockAlarm.h"
#include "StoreTestSupport.h"

namespace {

struct_button_storeproduct addStock(TestDatabase &db, const QString &code, const QString &stock, const QString &alarm)
{
    struct_button_storeproduct product = addProduct(db, code, QStringLiteral("货品") + code, QStringLiteral("规格") + code,
                                                    QStringLiteral("1"), QStringLiteral("2"), stock);
    db.exec("UPDATE tbl_StoreMgr SET PromptCount = ? WHERE GUID = ?", {alarm, product.GUID});
    return product;
}

} // namespace

TEST(StockAlarm, ListsTheStoredCountsStrictlyBelowTheAlarmCount)
{
    TestDatabase db;
    ScriptedInteraction user;
    addStock(db, QStringLiteral("A"), QStringLiteral("5"), QStringLiteral("10"));
    addStock(db, QStringLiteral("B"), QStringLiteral("10"), QStringLiteral("10"));
    addStock(db, QStringLiteral("C"), QStringLiteral("-2"), QString());
    addStock(db, QStringLiteral("D"), QStringLiteral("0"), QString());
    addStock(db, QStringLiteral("E"), QStringLiteral("9.99"), QStringLiteral("10件"));
    addStock(db, QStringLiteral("F"), QStringLiteral("10.00"), QStringLiteral("10"));
    // The goods bills would give F a figure of 0, but the stored count is
    // what the alarm compares.
    const auto f = addStock(db, QStringLiteral("G"), QStringLiteral("50"), QStringLiteral("20"));
    addLine(db, BillSide::Sales, QStringLiteral("2011-05-02"), QStringLiteral("出货单"), f, QStringLiteral("50"), QStringLiteral("1"));

    CDlgProductCountTip dialog;
    ASSERT_EQ(dialog.LoadLowStockProducts(), 1);
    auto *list = dialog.findChild<QTableWidget *>(QStringLiteral("1280"));
    EXPECT_EQ(columnTexts(list, 0), (QStringList{"A", "C", "E"}));
    EXPECT_EQ(rowTexts(list, 2), (QStringList{"E", "货品E", "规格E", "9.99"}));
    EXPECT_EQ(list->horizontalHeaderItem(3)->text(), QStringLiteral("货品数量"));
}

TEST(StockAlarm, NoQualifyingProductShowsNoDialog)
{
    TestDatabase db;
    ScriptedInteraction user;
    addStock(db, QStringLiteral("A"), QStringLiteral("10"), QStringLiteral("10"));
    ShowStockAlarm(nullptr);
    EXPECT_TRUE(user.modalDialogs.isEmpty());

    addStock(db, QStringLiteral("B"), QStringLiteral("1"), QStringLiteral("10"));
    ShowStockAlarm(nullptr);
    EXPECT_EQ(user.modalDialogs, QStringList{"CDlgProductCountTip"});
}

TEST(StockAlarm, PrintsExactlyTheRowsOfTheList)
{
    TestDatabase db;
    ScriptedInteraction user;
    addStock(db, QStringLiteral("LS-01"), QStringLiteral("3"), QStringLiteral("10"));
    addStock(db, QStringLiteral("LS-02"), QStringLiteral("-4.5"), QStringLiteral("1"));
    addStock(db, QStringLiteral("LS-03"), QStringLiteral("30"), QStringLiteral("1"));
    CapturedReports reports;
    CDlgProductCountTip dialog;
    ASSERT_EQ(dialog.LoadLowStockProducts(), 1);
    clickButton(&dialog, "1279");
    ASSERT_EQ(reports.documents.size(), 1u);
    EXPECT_EQ(reports.documents[0]->records(),
              (QList<QStringList>{{"LS-01", "货品LS-01", "规格LS-01", "3"}, {"LS-02", "货品LS-02", "规格LS-02", "-4.5"}}));
    const QString text = reports.lastPdfText();
    EXPECT_TRUE(text.contains(QStringLiteral("库存报警"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("库存数量")));
    EXPECT_TRUE(text.contains(QStringLiteral("货品LS-02")));
    EXPECT_TRUE(text.contains(QStringLiteral("-4.5")));
    EXPECT_FALSE(text.contains(QStringLiteral("LS-03")));
    EXPECT_TRUE(user.messages.empty());
}
