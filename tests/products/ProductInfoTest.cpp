#include "CDlgTabProductInfo.h"

#include <QLineEdit>

#include "CDlgMainDlg.h"
#include "CDlgNewProduct.h"
#include "CDlgTabStore.h"
#include "FrameTestSupport.h"
#include "ProductStore.h"
#include "ProductTestSupport.h"

// The product-information page opens a listed product in the product
// dialog (mode 2); the dialog writes through the main window's store page
// and then rewrites or removes the page's row.

namespace {

class ProductInfoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int i = 1; i <= 3; ++i)
            products << addProduct(db, QStringLiteral("HJ-%1").arg(i), QStringLiteral("合金钻头"),
                                   QStringLiteral("%1mm").arg(i * 2), QStringLiteral("3.00"), QStringLiteral("4.50"),
                                   QString::number(i * 10));
        mainDlg = std::make_unique<CDlgMainDlg>();
        page = mainDlg->m_pTabProductInfo;
        page->resize(900, 600);
        page->show();
        list = page->findChild<QTableWidget *>(QStringLiteral("1198"));
        page->FillProductList({});
        ASSERT_EQ(list->rowCount(), 3);
    }
    void TearDown() override
    {
        mainDlg.reset();
        SetWorkingDateSource(nullptr);
    }

    TestDatabase db;
    ScriptedInteraction user;
    std::unique_ptr<CDlgMainDlg> mainDlg;
    CDlgTabProductInfo *page = nullptr;
    QTableWidget *list = nullptr;
    QList<struct_button_storeproduct> products;
};

} // namespace

TEST_F(ProductInfoTest, SavingRewritesTheRowInPlace)
{
    user.onNextModal([&](QDialog *d) {
        auto *dialog = static_cast<CDlgNewProduct *>(d);
        EXPECT_EQ(dialog->Mode(), ProductEditFromList);
        EXPECT_TRUE(d->findChild<QWidget *>(QStringLiteral("delete"))->isVisible());
        // The whole stored product, also what the list does not show.
        EXPECT_EQ(d->findChild<QLineEdit *>(QStringLiteral("1175"))->text(), QStringLiteral("个"));
        auto *code = d->findChild<QLineEdit *>(QStringLiteral("1188"));
        code->clear();
        typeText(code, QStringLiteral("HJ-2B"));
        clickButton(d, "1");
        return d->result();
    });
    doubleClickRow(list, 1);

    EXPECT_EQ(user.texts(), QStringList{QStringLiteral("修改货品成功。")});
    EXPECT_EQ(columnTexts(list, 0), QStringList({QStringLiteral("HJ-1"), QStringLiteral("HJ-2B"), QStringLiteral("HJ-3")}));
    EXPECT_EQ(rowTexts(list, 1), QStringList({QStringLiteral("HJ-2B"), QStringLiteral("合金钻头"), QStringLiteral("4mm"),
                                              QStringLiteral("3.00"), QStringLiteral("4.50"), QStringLiteral("20"),
                                              products[1].GUID}));
    EXPECT_EQ(list->selectionModel()->selectedRows().value(0).row(), 1);
    EXPECT_EQ(db.scalar("SELECT ProductCode || '/' || ProductStockCount FROM tbl_StoreMgr WHERE GUID = ?",
                        {products[1].GUID}),
              QStringLiteral("HJ-2B/20"));
}

TEST_F(ProductInfoTest, DeletingRemovesTheRowAndRelistsTheStorePage)
{
    ASSERT_EQ(mainDlg->m_pTabStore->RecordCount(), 3);
    user.answerQuestion(true);
    user.onNextModal([](QDialog *d) {
        clickButton(d, "delete");
        return d->result();
    });
    doubleClickRow(list, 0);

    EXPECT_EQ(columnTexts(list, 0), QStringList({QStringLiteral("HJ-2"), QStringLiteral("HJ-3")}));
    EXPECT_EQ(list->selectionModel()->selectedRows().value(0).row(), 0);
    EXPECT_EQ(rowCount(db, "tbl_StoreMgr"), 2);
    EXPECT_EQ(mainDlg->m_pTabStore->RecordCount(), 2);
    EXPECT_EQ(mainDlg->m_pTabStore->ProductButton(0)->record().GUID, products[1].GUID);
}

TEST_F(ProductInfoTest, AFailedSaveLeavesTheRowAsItWas)
{
    db.exec("CREATE TRIGGER refuse BEFORE UPDATE ON tbl_StoreMgr BEGIN SELECT RAISE(ABORT, '数据库只读'); END");
    user.onNextModal([](QDialog *d) {
        auto *name = d->findChild<QLineEdit *>(QStringLiteral("1189"));
        name->clear();
        typeText(name, QStringLiteral("麻花钻"));
        clickButton(d, "1");
        EXPECT_TRUE(d->isVisible());
        clickButton(d, "2");
        return d->result();
    });
    doubleClickRow(list, 2);

    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
    EXPECT_TRUE(user.messages[0].text.startsWith(QStringLiteral("修改货品失败。\n"))) << user.messages[0].text.toStdString();
    EXPECT_EQ(list->item(2, 1)->text(), QStringLiteral("合金钻头"));
}

TEST_F(ProductInfoTest, WhileAnotherProgramHoldsTheDatabaseSearchAndOpenSayWhatFailed)
{
    DatabaseHeldElsewhere held(db.db(), db.path());
    user.onNextModal([](QDialog *d) {
        clickButton(d, "1196");
        return d->result();
    });
    clickButton(page, "1185");
    doubleClickRow(list, 0);

    const QString reason = QStringLiteral("\n数据库正被其他程序使用，请稍后再试。");
    EXPECT_EQ(user.texts(), QStringList({QStringLiteral("读取筛选用的货品编号、名称和规格失败。") + reason,
                                         QStringLiteral("查找商品失败。") + reason, QStringLiteral("读取货品失败。") + reason}));
    EXPECT_EQ(user.modalDialogs, QStringList{QStringLiteral("CDlgProductSearch")});
    EXPECT_EQ(columnTexts(list, 0), QStringList({QStringLiteral("HJ-1"), QStringLiteral("HJ-2"), QStringLiteral("HJ-3")}));
}

TEST_F(ProductInfoTest, AProductDeletedMeanwhileOpensNothingAndLosesItsRow)
{
    db.exec("DELETE FROM tbl_StoreMgr WHERE GUID = ?", {products[1].GUID});
    doubleClickRow(list, 1);

    EXPECT_TRUE(user.modalDialogs.isEmpty());
    EXPECT_EQ(user.texts(), QStringList{kProductGoneMessage});
    EXPECT_EQ(columnTexts(list, 0), QStringList({QStringLiteral("HJ-1"), QStringLiteral("HJ-3")}));
    EXPECT_EQ(rowCount(db, "tbl_StoreMgr"), 2);
}
