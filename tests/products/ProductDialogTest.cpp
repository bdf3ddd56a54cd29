#include "CDlgNewProduct.h"

#include "ProductTestSupport.h"

// The product dialog as the store page opens it: new from 新增商品 (mode
// 0) and from a product card (mode 1), typed into and clicked as a person
// would. The store page is the real one.

namespace {

const QStringList kTyped = {"DZ-9", "电钻", "500W", "台", " 120 ", "168.5", "2.5", ""};

using ProductDialog = StorePage;

} // namespace

TEST_F(ProductDialog, ANewProductIsCheckedWrittenAndItsPageListed)
{
    addNamed(5);
    open();
    QStringList wrongNumbers;
    onNextDialog(user, "1", [&](QDialog* d) {
        EXPECT_FALSE(d->findChild<QWidget*>("delete")->isVisible());
        for (int missing = 0; missing < 7; ++missing) { // every field but the remark
            QStringList partial = kTyped;
            partial[missing].clear();
            fillProduct(d, partial);
            clickButton(d, "1");
            EXPECT_TRUE(d->isVisible()) << missing;
        }
        fillProduct(d, kTyped);
        // Prices are unsigned decimals, the alarm count takes what a bill line's count takes (2.5 above, not
        // negative, two decimals): each wrong text is refused with the field's name and why, and the dialog stays
        // open. (A change is checked the same way.)
        const struct
        {
            int field;
            const char* typed;
            const char* refused;
        } wrong[] = {{4, "abc", "“进货单价”只能填写数字。"}, {4, "1,000", "“进货单价”只能填写数字。"},
            {5, "-5", "“出货单价”只能填写数字。"}, {6, "-1", "“报警设置”只能填写数字。"},
            {6, "2.5件", "“报警设置”只能填写数字。"}, {6, "2.555", "“报警设置”最多两位小数。"}};
        for (const auto& c : wrong) {
            fillProduct(d, {c.typed}, c.field);
            clickButton(d, "1");
            EXPECT_TRUE(d->isVisible()) << c.typed;
            fillProduct(d, {kTyped[c.field]}, c.field);
            wrongNumbers << QString::fromUtf8(c.refused);
        }
        EXPECT_EQ(rowCount(db, "tbl_StoreMgr"), 5);
        // A failed write announces nothing and keeps what was typed.
        db.exec("PRAGMA query_only = 1");
        clickButton(d, "1");
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(productEdit(d, 1)->text(), "电钻");
        db.exec("PRAGMA query_only = 0");
    });
    clickButton(page.get(), "1184");

    const QString readOnly = "\n数据库文件是只读的，不能写入。请检查文件和所在文件夹的权限。";
    EXPECT_EQ(user.texts(),
        QStringList(7, "请将产品信息填写完整。") + wrongNumbers << "保存货品失败。" + readOnly << "新增货品成功。");
    // Stored as typed, without the blanks around; a new product starts at
    // stock 0.
    EXPECT_EQ(
        db.scalar("SELECT ProductCode || '|' || ProductName || '|' || ProductSpec || '|' || ProductUnit || '|' || "
                  "StockUnitPrice || '|' || ShipmentUnitPrice || '|' || PromptCount || '|' || ProductRemark || '|' "
                  "|| ProductStockCount || '|' || length(GUID) FROM tbl_StoreMgr WHERE ProductName = '电钻'"),
        "DZ-9|电钻|500W|台|120|168.5|2.5||0|36");
    EXPECT_EQ(shownNames(), (QStringList {"货品5", "电钻"}));
    EXPECT_EQ(pageLine(), "共 6 条记录，第 2 / 2 页。");
    EXPECT_EQ(page->ProductButton(1)->record().ProductStockCount, "0.00");
}

TEST_F(ProductDialog, AChangeFromACardIsCheckedAndKeepsKeyAndStoredCount)
{
    products << addProduct(db, "S1", "螺丝", "M6", "1.00", "1.50", "37");
    addLines(
        db, products[0], {{Purchase, "2011-05-31", "进货单", "30", "30"}, {Sales, "2011-05-02", "出货单", "6", "9"}});
    open();
    ASSERT_EQ(page->ProductButton(0)->record().ProductStockCount, "24.00");
    int mode = -1;
    onNextDialog(user, "1", [&](QDialog* d) {
        mode = static_cast<CDlgNewProduct*>(d)->Mode();
        EXPECT_TRUE(d->findChild<QWidget*>("delete")->isVisible());
        QStringList shown;
        for (int field = 0; field < 8; ++field)
            shown << productEdit(d, field)->text();
        EXPECT_EQ(shown, (QStringList {"S1", "螺丝", "M6", "个", "1.00", "1.50", "5", ""}));
        fillProduct(d, {"十字螺丝"}, 1);
        fillProduct(d, {"8.8级"}, 7);
    });
    clickCard(0);

    EXPECT_EQ(mode, ProductEditFromCard);
    EXPECT_EQ(user.texts(), QStringList {"修改货品成功。"});
    // The card's figure is a display value: the stored count stays.
    EXPECT_EQ(db.scalar("SELECT ProductName || '/' || ProductRemark || '/' || ProductStockCount FROM tbl_StoreMgr"),
        "十字螺丝/8.8级/37");
    EXPECT_EQ(page->ProductButton(0)->record().ProductName, "十字螺丝");
    EXPECT_EQ(page->ProductButton(0)->record().ProductStockCount, "24.00");
}
