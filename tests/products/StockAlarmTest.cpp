// The stock alarm at login: which products it lists and what it prints.

#include "StockAlarm.h"
#include "ProductTestSupport.h"

TEST(StockAlarm, ListsAndPrintsTheStoredCountsStrictlyBelowTheAlarmCount)
{
    TestDatabase db;
    ScriptedInteraction user;
    const auto addStock = [&](const QString& code, const QString& stock, const QString& alarm) {
        const auto product = addProduct(db, code, "货品" + code, "规格" + code, "1", "2", stock);
        db.exec("UPDATE tbl_StoreMgr SET PromptCount = ? WHERE GUID = ?", {alarm, product.GUID});
        return product;
    };
    addStock("B", "10", "10");
    ShowStockAlarm(nullptr); // none below: no window
    EXPECT_TRUE(user.modalDialogs.isEmpty());

    addStock("A", "5", "10");
    addStock("C", "-2.5", "");
    addStock("D", "0", "");
    addStock("E", "9.99", "10件");
    addStock("F", "10.00", "10");
    // An alarm of 2.5 (kilograms, metres) is a number like the count.
    addStock("H", "2.4", "2.5");
    addStock("I", "2.50", "2.5");
    // The goods bills would give G a figure of 0, but the stored count is
    // what the alarm compares.
    addLines(db, addStock("G", "50", "20"), {{Sales, "2011-05-02", "出货单", "50", "1"}});
    CapturedReports reports;
    QList<QStringList> listed;
    onNextDialog(user, "1279", [&](QDialog* d) {
        auto* list = d->findChild<QTableWidget*>("1280");
        for (int row = 0; row < list->rowCount(); ++row)
            listed << rowTexts(list, row);
    });
    ShowStockAlarm(nullptr);

    EXPECT_EQ(listed,
        (QList<QStringList> {
            {"A", "货品A", "规格A", "5"}, {"C", "货品C", "规格C", "-2.5"}, {"E", "货品E", "规格E", "9.99"},
            {"H", "货品H", "规格H", "2.4"}}));
    ASSERT_EQ(reports.documents.size(), 1u);
    EXPECT_EQ(reports.documents[0]->records(), listed);
    const QString text = reports.lastPdfText();
    for (const char* expected : {"库存报警", "库存数量", "货品C", "-2.5"})
        EXPECT_TRUE(text.contains(expected)) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains("货品B"));
    EXPECT_TRUE(user.messages.empty());
}
