// The store page as a person uses it: paging, filters, the product dialog
// from 新增商品 and from a card, and writes that fail or find the product
// gone.

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>

#include "CDlgNewProduct.h"
#include "CDlgTabStore.h"
#include "FrameTestSupport.h"
#include "ProductStore.h"
#include "ProductTestSupport.h"
#include "StoreTestSupport.h"

namespace {

// Two rows of two cards beside the filter column: 215 + 2 x 230 wide,
// 100 + 2 x 77 high.
const QSize kFourCards(700, 260);

class StorePage : public ::testing::Test
{
protected:
    void SetUp() override { SetWorkingDate(QDate(2011, 5, 17)); }
    void TearDown() override { page.reset(); }

    void open(int poolSize = 4)
    {
        page = std::make_unique<CDlgTabStore>(poolSize, nullptr);
        page->resize(kFourCards);
        page->show();
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
    QString pageLine() const { return page->findChild<QLabel *>(QStringLiteral("1433"))->text(); }
    QComboBox *combo(const char *id) const { return page->findChild<QComboBox *>(QString::fromLatin1(id)); }
    QStringList items(const char *id) const
    {
        QStringList texts;
        for (int i = 0; i < combo(id)->count(); ++i)
            texts << combo(id)->itemText(i);
        return texts;
    }
    void addNamed(int n)
    {
        for (int i = 1; i <= n; ++i)
            products << addProduct(db, QStringLiteral("C%1").arg(i), QStringLiteral("货品%1").arg(i), QStringLiteral("规格"));
    }
    void clickCard(int k)
    {
        QTest::mouseClick(page->ProductButton(k), Qt::LeftButton, {}, QPoint(20, 20));
    }

    TestDatabase db;
    ScriptedInteraction user;
    std::unique_ptr<CDlgTabStore> page;
    QList<struct_button_storeproduct> products;
};

} // namespace

TEST_F(StorePage, PagingStopsAtTheFirstAndTheLastPage)
{
    addNamed(10);
    open();
    ASSERT_EQ(page->PageCapacity(), 4);
    EXPECT_EQ(pageLine(), QStringLiteral("共 10 条记录，第 1 / 3 页。"));
    EXPECT_EQ(shownNames(), (QStringList{"货品1", "货品2", "货品3", "货品4"}));

    clickButton(page.get(), "1174");
    clickButton(page.get(), "1174");
    EXPECT_EQ(shownNames(), (QStringList{"货品9", "货品10"}));
    EXPECT_EQ(pageLine(), QStringLiteral("共 10 条记录，第 3 / 3 页。"));
    // The last page's single card sits top-left, as the first card does.
    EXPECT_EQ(page->ProductButton(0)->geometry().topLeft(), QPoint(15, 13));
    clickButton(page.get(), "1174");
    EXPECT_EQ(shownNames(), (QStringList{"货品9", "货品10"}));

    for (int i = 0; i < 3; ++i)
        clickButton(page.get(), "1183");
    EXPECT_EQ(page->PageIndex(), 0);
    EXPECT_EQ(shownNames().first(), QStringLiteral("货品1"));
    EXPECT_FALSE(page->IsEmptyStateShown());
}

TEST_F(StorePage, AnEmptyTableShowsTheEmptyPictureAndNoCard)
{
    open();
    EXPECT_TRUE(shownNames().isEmpty());
    EXPECT_TRUE(page->IsEmptyStateShown());
    EXPECT_FALSE(page->findChild<QLabel *>(QStringLiteral("1305"))->isHidden());
    EXPECT_EQ(pageLine(), QStringLiteral("共 0 条记录，第 1 / 0 页。"));
    clickButton(page.get(), "1174");
    clickButton(page.get(), "1183");
    EXPECT_TRUE(shownNames().isEmpty());
}

TEST_F(StorePage, FiltersMatchExactTextsTogether)
{
    products << addProduct(db, QStringLiteral("K1"), QStringLiteral("扳手"), QStringLiteral("10寸"));
    products << addProduct(db, QStringLiteral("K2"), QStringLiteral("O'Neil 钳"), QStringLiteral("8寸"));
    products << addProduct(db, QStringLiteral("K1"), QStringLiteral("扳手"), QStringLiteral("12寸"));
    products << addProduct(db, QStringLiteral("K3"), QStringLiteral("扳手子"), QStringLiteral("10寸"));
    open();
    // Names once, in reverse order of first appearance; codes and
    // variants with repeats, last product first. No filter is set by
    // filling them.
    EXPECT_EQ(items("1303"), (QStringList{"扳手子", "O'Neil 钳", "扳手"}));
    EXPECT_EQ(items("1302"), (QStringList{"K3", "K1", "K2", "K1"}));
    EXPECT_EQ(items("1304"), (QStringList{"10寸", "12寸", "8寸", "10寸"}));
    EXPECT_TRUE(combo("1303")->currentText().isEmpty());

    typeText(combo("1303")->lineEdit(), QStringLiteral("扳手"));
    clickButton(page.get(), "1180");
    EXPECT_EQ(page->RecordCount(), 2);
    EXPECT_EQ(pageLine(), QStringLiteral("共 2 条记录，第 1 / 1 页。"));

    typeText(combo("1304")->lineEdit(), QStringLiteral("12寸"));
    clickButton(page.get(), "1180");
    ASSERT_EQ(page->RecordCount(), 1);
    EXPECT_EQ(page->ProductButton(0)->record().GUID, products[2].GUID);

    // A quote is a text like any other.
    combo("1303")->setCurrentIndex(1);
    combo("1304")->clearEditText();
    clickButton(page.get(), "1180");
    ASSERT_EQ(page->RecordCount(), 1);
    EXPECT_EQ(page->ProductButton(0)->record().ProductCode, QStringLiteral("K2"));

    combo("1302")->setEditText(QStringLiteral("K9"));
    clickButton(page.get(), "1180");
    EXPECT_EQ(page->RecordCount(), 0);
    EXPECT_TRUE(shownNames().isEmpty());
    EXPECT_TRUE(page->IsEmptyStateShown());
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(StorePage, ANewProductIsWrittenWholeAndItsLastPageListed)
{
    addNamed(5);
    open();
    user.onNextModal([](QDialog *dialog) {
        const QStringList typed = {"N-1", "新货", "大号", "箱", "12.5", "15", "3", ""};
        const char *ids[] = {"1188", "1189", "1190", "1175", "1176", "1177", "1178", "1179"};
        for (int i = 0; i < 8; ++i)
            typeText(dialog->findChild<QLineEdit *>(QString::fromLatin1(ids[i])), typed[i]);
        clickButton(dialog, "1");
        return dialog->result();
    });
    clickButton(page.get(), "1184");
    EXPECT_EQ(user.modalDialogs, QStringList{"CDlgNewProduct"});
    EXPECT_EQ(user.texts(), QStringList{"新增货品成功。"});
    EXPECT_EQ(db.scalar("SELECT ProductCode || '|' || ProductName || '|' || ProductSpec || '|' || ProductUnit || '|' || "
                        "StockUnitPrice || '|' || ShipmentUnitPrice || '|' || PromptCount || '|' || ProductRemark || '|' "
                        "|| ProductStockCount || '|' || length(GUID) FROM tbl_StoreMgr WHERE ProductName = '新货'"),
              QStringLiteral("N-1|新货|大号|箱|12.5|15|3||0|36"));
    EXPECT_EQ(shownNames(), (QStringList{"货品5", "新货"}));
    EXPECT_EQ(pageLine(), QStringLiteral("共 6 条记录，第 2 / 2 页。"));
    EXPECT_EQ(page->ProductButton(1)->record().ProductStockCount, QStringLiteral("0.00"));
}

TEST_F(StorePage, AFailedWriteChangesNothingOnScreen)
{
    addNamed(2);
    open();
    db.exec("CREATE TRIGGER refuse_insert BEFORE INSERT ON tbl_StoreMgr BEGIN SELECT RAISE(ABORT, 'disk is full'); END");
    db.exec("CREATE TRIGGER refuse_update BEFORE UPDATE ON tbl_StoreMgr BEGIN SELECT RAISE(ABORT, 'disk is full'); END");
    db.exec("CREATE TRIGGER refuse_delete BEFORE DELETE ON tbl_StoreMgr BEGIN SELECT RAISE(ABORT, 'disk is full'); END");
    const QString lineBefore = pageLine();

    struct_button_storeproduct fresh = products[0];
    fresh.GUID = GuidText();
    EXPECT_FALSE(page->AddProduct(fresh));
    struct_button_storeproduct renamed = products[0];
    renamed.ProductName = QStringLiteral("改名");
    EXPECT_FALSE(page->UpdateProduct(renamed));
    EXPECT_FALSE(page->DeleteProduct(products[1]));

    // What failed, then why; SQLite's own text only in the trace.
    EXPECT_EQ(user.texts(), QStringList({QStringLiteral("保存货品失败。\n数据与已有记录冲突，没有写入。"),
                                         QStringLiteral("修改货品失败。\n数据与已有记录冲突，没有写入。"),
                                         QStringLiteral("删除货品失败。\n数据与已有记录冲突，没有写入。")}));
    for (const auto &message : user.messages)
        EXPECT_EQ(message.kind, ScriptedInteraction::Message::Error);
    EXPECT_EQ(shownNames(), (QStringList{"货品1", "货品2"}));
    EXPECT_EQ(pageLine(), lineBefore);
    EXPECT_EQ(page->RecordCount(), 2);
    EXPECT_EQ(rowCount(db, "tbl_StoreMgr"), 2);
}

TEST_F(StorePage, ACardOpensTheProductDialogAndAChangeKeepsTheStoredCount)
{
    products << addProduct(db, QStringLiteral("S1"), QStringLiteral("螺丝"), QStringLiteral("M6"),
                           QStringLiteral("1.00"), QStringLiteral("1.50"), QStringLiteral("37"));
    addLine(db, BillSide::Purchase, QStringLiteral("2011-05-31"), QStringLiteral("进货单"), products[0], QStringLiteral("30"), QStringLiteral("30"));
    addLine(db, BillSide::Sales, QStringLiteral("2011-05-02"), QStringLiteral("出货单"), products[0], QStringLiteral("6"), QStringLiteral("9"));
    open();
    ASSERT_EQ(page->ProductButton(0)->record().ProductStockCount, QStringLiteral("24.00"));

    int mode = -1;
    QString shownName;
    user.onNextModal([&](QDialog *dialog) {
        mode = static_cast<CDlgNewProduct *>(dialog)->Mode();
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("1189"));
        shownName = name->text();
        name->clear();
        typeText(name, QStringLiteral("十字螺丝"));
        clickButton(dialog, "1");
        return dialog->result();
    });
    clickCard(0);
    EXPECT_EQ(user.modalDialogs, QStringList{"CDlgNewProduct"});
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(shownName, QStringLiteral("螺丝"));
    EXPECT_EQ(user.texts(), QStringList{"修改货品成功。"});
    EXPECT_EQ(storedColumn(db, "ProductName", products[0].GUID), QStringLiteral("十字螺丝"));
    // The card's figure is a display value: the stored count stays.
    EXPECT_EQ(storedColumn(db, "ProductStockCount", products[0].GUID), QStringLiteral("37"));
    EXPECT_EQ(page->ProductButton(0)->record().ProductName, QStringLiteral("十字螺丝"));
    EXPECT_EQ(page->ProductButton(0)->record().ProductStockCount, QStringLiteral("24.00"));
}

TEST_F(StorePage, AProductDeletedMeanwhileOpensNothingAndLeavesThePage)
{
    addNamed(3);
    open();
    db.exec("DELETE FROM tbl_StoreMgr WHERE GUID = ?", {products[0].GUID});
    clickCard(0);
    EXPECT_TRUE(user.modalDialogs.isEmpty());
    EXPECT_EQ(user.texts(), QStringList{kProductGoneMessage});
    EXPECT_EQ(shownNames(), (QStringList{"货品2", "货品3"}));
    EXPECT_EQ(page->RecordCount(), 2);

    // Deleting it through a card that still shows it only hides the card.
    struct_button_storeproduct gone = products[1];
    db.exec("DELETE FROM tbl_StoreMgr WHERE GUID = ?", {gone.GUID});
    EXPECT_TRUE(page->ProductButton(0)->RemoveRecordButton());
    EXPECT_EQ(shownNames(), QStringList{"货品3"});
}

namespace {

// A delete through a card on some page, under a filter or none: the page
// is counted and listed again, on the same page unless it went empty.
struct DeleteCase
{
    const char *name;
    int products; // 货品1 … 货品N, variant 单 or 双 by turns
    const char *specFilter; // "" for none
    int nextClicks; // pages moved on before the delete
    int card; // the card deleted
    const char *line; // the page line afterwards
    QStringList names; // the cards afterwards
};

void PrintTo(const DeleteCase &c, std::ostream *out)
{
    *out << c.name;
}

class StorePageDelete : public StorePage, public ::testing::WithParamInterface<DeleteCase>
{
};

} // namespace

TEST_P(StorePageDelete, RecountsAndRelistsSoTheLineAndTheCardsAgree)
{
    const DeleteCase &c = GetParam();
    for (int i = 1; i <= c.products; ++i)
        products << addProduct(db, QStringLiteral("C%1").arg(i), QStringLiteral("货品%1").arg(i),
                               i % 2 ? QStringLiteral("单") : QStringLiteral("双"));
    open();
    if (*c.specFilter) {
        typeText(combo("1304")->lineEdit(), QString::fromUtf8(c.specFilter));
        clickButton(page.get(), "1180");
    }
    for (int i = 0; i < c.nextClicks; ++i)
        clickButton(page.get(), "1174");
    const QString deleted = page->ProductButton(c.card)->record().GUID;
    user.answerQuestion(true);
    user.onNextModal([](QDialog *dialog) {
        clickButton(dialog, "delete");
        return dialog->result();
    });
    clickCard(c.card);

    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM tbl_StoreMgr WHERE GUID = ?", {deleted}), QStringLiteral("0"));
    EXPECT_EQ(pageLine(), QString::fromUtf8(c.line));
    EXPECT_EQ(shownNames(), c.names);
    EXPECT_EQ(page->IsEmptyStateShown(), c.names.isEmpty());
    EXPECT_EQ(user.texts(), QStringList{QStringLiteral("确定要删除这个货品吗？")});
    // The relisted cards carry their stock figures, as after any listing.
    for (int k = 0; k < c.names.size(); ++k)
        EXPECT_EQ(page->ProductButton(k)->record().ProductStockCount, QStringLiteral("0.00"));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, StorePageDelete,
    ::testing::Values(
        DeleteCase{"first_page", 10, "", 0, 0, "共 9 条记录，第 1 / 3 页。", {"货品2", "货品3", "货品4", "货品5"}},
        DeleteCase{"middle_page", 10, "", 1, 1, "共 9 条记录，第 2 / 3 页。", {"货品5", "货品7", "货品8", "货品9"}},
        DeleteCase{"last_page", 10, "", 2, 1, "共 9 条记录，第 3 / 3 页。", {"货品9"}},
        DeleteCase{"last_card_of_the_last_page", 9, "", 2, 0, "共 8 条记录，第 2 / 2 页。",
                   {"货品5", "货品6", "货品7", "货品8"}},
        DeleteCase{"the_only_product", 1, "", 0, 0, "共 0 条记录，第 1 / 0 页。", {}},
        DeleteCase{"under_a_filter", 10, "双", 1, 0, "共 4 条记录，第 1 / 1 页。", {"货品2", "货品4", "货品6", "货品8"}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(StorePage, NothingIsWrittenWhereTheGuidIsEmpty)
{
    addNamed(1);
    // A row without a key, as a damaged import might leave one.
    db.exec("INSERT INTO tbl_StoreMgr (ProductCode, ProductName, ProductSpec, GUID) VALUES ('X', '无键', '', '')");
    open();
    struct_button_storeproduct keyless = products[0];
    keyless.GUID.clear();
    keyless.ProductName = QStringLiteral("覆盖");
    EXPECT_FALSE(page->UpdateProduct(keyless));
    EXPECT_FALSE(page->DeleteProduct(keyless));
    EXPECT_FALSE(page->AddProduct(keyless));
    EXPECT_EQ(user.messages.size(), 3u);
    EXPECT_EQ(db.scalar("SELECT group_concat(ProductName, ',') FROM (SELECT ProductName FROM tbl_StoreMgr ORDER BY RowNo)"), QStringLiteral("货品1,无键"));
}

TEST_F(StorePage, TheLayoutFitsAnySizeWithinThePool)
{
    addNamed(9);
    open(4);
    for (const QSize size : {QSize(1, 1), QSize(120, 60), QSize(344, 176), QSize(5000, 4000), QSize(600, 260)}) {
        page->resize(size);
        QApplication::processEvents();
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        EXPECT_GE(page->PageCapacity(), 1);
        EXPECT_LE(page->PageCapacity(), page->PoolSize());
        EXPECT_LE(shownNames().size(), page->PageCapacity());
        EXPECT_EQ(page->LastPageIndex() + 1, (9 + page->PageCapacity() - 1) / page->PageCapacity());
    }
    // Too small for one card: one card a page, still paging.
    page->resize(120, 60);
    QApplication::processEvents();
    EXPECT_EQ(pageLine(), QStringLiteral("共 9 条记录，第 1 / 9 页。"));
    clickButton(page.get(), "1174");
    EXPECT_EQ(shownNames(), QStringList{"货品2"});
}

TEST_F(StorePage, TheFilterBoxesAreWideEnoughAndClearOfTheCards)
{
    const QString longName = QStringLiteral("特别长的不锈钢内六角圆柱头螺钉全螺纹");
    products << addProduct(db, QStringLiteral("L1"), longName, QStringLiteral("M8×100"));
    addNamed(7);
    open(8);
    page->resize(1000, 500);
    QApplication::processEvents();
    for (const char *id : {"1302", "1303", "1304"}) {
        SCOPED_TRACE(id);
        const QRect box = combo(id)->geometry();
        EXPECT_GE(box.width(), 180);
        // The page places its boxes; their own wish does not follow the
        // longest name.
        EXPECT_LE(combo(id)->sizeHint().width(), 320);
        EXPECT_LE(box.right(), page->width());
        for (int k = 0; k < page->PoolSize(); ++k) {
            if (page->ProductButton(k)->isVisible()) {
                EXPECT_FALSE(page->ProductButton(k)->geometry().intersects(box)) << k;
            }
        }
    }
    // The drop-down shows the longest name whole, however narrow the box.
    const int nameWidth = QFontMetrics(combo("1303")->view()->font()).horizontalAdvance(longName);
    EXPECT_GT(nameWidth, combo("1303")->width());
    combo("1303")->showPopup();
    EXPECT_GE(combo("1303")->view()->width(), nameWidth);
    combo("1303")->hidePopup();
}

namespace {

// What a person does on the store page while another program holds the
// database, and the first line of what they are told.
struct FailingAction
{
    const char *name;
    std::function<void(CDlgTabStore &, ScriptedInteraction &)> act;
    const char *told;
};

void PrintTo(const FailingAction &c, std::ostream *out)
{
    *out << c.name;
}

class StorePageDatabaseHeld : public StorePage, public ::testing::WithParamInterface<FailingAction>
{
};

} // namespace

TEST_P(StorePageDatabaseHeld, SaysWhatFailedAndWhyAndKeepsThePage)
{
    addNamed(6);
    open();
    const QString line = pageLine();
    const QStringList names = shownNames();
    {
        DatabaseHeldElsewhere held(db.db(), db.path());
        GetParam().act(*page, user);
    }
    ASSERT_FALSE(user.messages.empty());
    const auto &told = user.messages.back();
    EXPECT_EQ(told.kind, ScriptedInteraction::Message::Error);
    EXPECT_EQ(told.text, QString::fromUtf8(GetParam().told) + QStringLiteral("\n数据库正被其他程序使用，请稍后再试。"));
    EXPECT_EQ(pageLine(), line);
    EXPECT_EQ(shownNames(), names);
    EXPECT_EQ(rowCount(db, "tbl_StoreMgr"), 6);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, StorePageDatabaseHeld,
    ::testing::Values(
        FailingAction{"filter",
                      [](CDlgTabStore &page, ScriptedInteraction &) {
                          typeText(page.findChild<QComboBox *>(QStringLiteral("1303"))->lineEdit(), QStringLiteral("货品2"));
                          clickButton(&page, "1180");
                      },
                      "列出货品失败。"},
        FailingAction{"working_date",
                      [](CDlgTabStore &page, ScriptedInteraction &) {
                          page.UpdateProductMonthFigures(QStringLiteral("2011-06-01"));
                      },
                      "计算库存数量失败。"},
        FailingAction{"open_card",
                      [](CDlgTabStore &page, ScriptedInteraction &) {
                          QTest::mouseClick(page.ProductButton(0), Qt::LeftButton, {}, QPoint(20, 20));
                      },
                      "读取货品失败。"},
        FailingAction{"sums_report",
                      [](CDlgTabStore &page, ScriptedInteraction &user) {
                          user.onNextModal([](QDialog *dialog) {
                              clickButton(dialog, "1294");
                              return dialog->result();
                          });
                          clickButton(&page, "1181");
                      },
                      "统计货品进出失败。"}),
    [](const auto &info) { return std::string(info.param.name); });
