// The store page as a person uses it: paging, filters, layout, deletes
// through a card, writes that fail or find the product gone. (Its period
// reports are tried with the sums.)

#include <QAbstractItemView>
#include <QFontMetrics>

#include "CProductTradeDetailReportEvent.h"
#include "FrameTestSupport.h"
#include "ProductStore.h"
#include "ProductTestSupport.h"

TEST_F(StorePage, PagingStopsAtBothEndsAndTheLayoutFitsAnySizeWithinThePool)
{
    addNamed(9);
    open();
    ASSERT_EQ(page->PageCapacity(), 4);
    EXPECT_EQ(shownNames(), (QStringList {"货品1", "货品2", "货品3", "货品4"}));
    for (int i = 0; i < 3; ++i) // the third click finds the last page
        clickButton(page.get(), "1174");
    EXPECT_EQ(shownNames(), QStringList {"货品9"});
    EXPECT_EQ(pageLine(), "共 9 条记录，第 3 / 3 页。");
    // The last page's card starts top-left, as the first page's do.
    EXPECT_EQ(page->ProductButton(0)->geometry().topLeft(), QPoint(15, 13));
    for (int i = 0; i < 3; ++i)
        clickButton(page.get(), "1183");
    EXPECT_EQ(shownNames().first(), "货品1");

    for (const QSize size : {QSize(1, 1), QSize(344, 176), QSize(5000, 4000), QSize(120, 60)}) {
        page->resize(size);
        QApplication::processEvents();
        SCOPED_TRACE(size.width());
        EXPECT_GE(page->PageCapacity(), 1);
        EXPECT_LE(page->PageCapacity(), page->PoolSize());
        EXPECT_LE(shownNames().size(), page->PageCapacity());
        EXPECT_EQ(page->LastPageIndex() + 1, (9 + page->PageCapacity() - 1) / page->PageCapacity());
    }
    // Too small for one card: one card a page, still paging.
    EXPECT_EQ(pageLine(), "共 9 条记录，第 1 / 9 页。");
    clickButton(page.get(), "1174");
    EXPECT_EQ(shownNames(), QStringList {"货品2"});
}

TEST_F(StorePage, FiltersMatchExactTextsTogetherInBoxesClearOfTheCards)
{
    const QString longName = "特别长的不锈钢内六角圆柱头螺钉全螺纹";
    const QString rows[][3] = {{"K1", "扳手", "10寸"}, {"K2", "O'Neil 钳", "8寸"}, {"K1", "扳手", "12寸"},
        {"K3", "扳手子", "10寸"}, {"L1", longName, "M8×100"}};
    for (const auto& row : rows)
        products << addProduct(db, row[0], row[1], row[2]);
    open();
    // Names once, in reverse order of first appearance; codes and variants
    // with repeats, last product first. Filling them sets no filter.
    QStringList offered;
    for (const char* id : {"1303", "1302", "1304"}) {
        for (int i = 0; i < combo(id)->count(); ++i)
            offered << combo(id)->itemText(i);
    }
    EXPECT_EQ(offered.join(" "), longName + " 扳手子 O'Neil 钳 扳手 L1 K3 K1 K2 K1 M8×100 10寸 12寸 8寸 10寸");
    EXPECT_TRUE(combo("1303")->currentText().isEmpty());

    // Typed "扳手" stays "扳手": no completion makes it "扳手子".
    typeText(combo("1303")->lineEdit(), "扳手");
    clickButton(page.get(), "1180");
    EXPECT_EQ(pageLine(), "共 2 条记录，第 1 / 1 页。");
    typeText(combo("1304")->lineEdit(), "12寸");
    clickButton(page.get(), "1180");
    ASSERT_EQ(page->RecordCount(), 1);
    EXPECT_EQ(page->ProductButton(0)->record().GUID, products[2].GUID);
    // A quote is a text like any other.
    combo("1303")->setCurrentIndex(2);
    combo("1304")->clearEditText();
    clickButton(page.get(), "1180");
    ASSERT_EQ(page->RecordCount(), 1);
    EXPECT_EQ(page->ProductButton(0)->record().ProductCode, "K2");
    combo("1302")->setEditText("K9");
    clickButton(page.get(), "1180");
    EXPECT_TRUE(shownNames().isEmpty());
    EXPECT_TRUE(page->IsEmptyStateShown());

    // The boxes are wide enough and clear of the cards; the drop-down shows
    // the longest name whole, however narrow the box.
    combo("1302")->clearEditText();
    combo("1303")->clearEditText();
    clickButton(page.get(), "1180");
    page->resize(1000, 500);
    QApplication::processEvents();
    ASSERT_EQ(shownNames().size(), 4);
    for (const char* id : {"1302", "1303", "1304"}) {
        SCOPED_TRACE(id);
        const QRect box = combo(id)->geometry();
        EXPECT_GE(box.width(), 180);
        EXPECT_LE(box.right(), page->width());
        for (int k = 0; k < page->PoolSize(); ++k)
            EXPECT_FALSE(page->ProductButton(k)->isVisible() && page->ProductButton(k)->geometry().intersects(box))
                << k;
    }
    const int nameWidth = QFontMetrics(combo("1303")->view()->font()).horizontalAdvance(longName);
    EXPECT_GT(nameWidth, combo("1303")->width());
    combo("1303")->showPopup();
    EXPECT_GE(combo("1303")->view()->width(), nameWidth);
    combo("1303")->hidePopup();
}

// A delete through a card on some page, under a filter or none: the page
// is counted and listed again, on the same page unless it went empty.
TEST_F(StorePage, ADeleteAsksThenRecountsSoTheLineAndTheCardsAgree)
{
    const struct
    {
        const char* name;
        int products;
        const char* specFilter; // "" for none
        int nextClicks; // pages moved on before the delete
        int card;
        const char* line; // the page line afterwards
        QStringList names; // the cards afterwards
    } cases[] = {{"first page", 10, "", 0, 0, "共 9 条记录，第 1 / 3 页。", {"货品2", "货品3", "货品4", "货品5"}},
        {"middle page", 10, "", 1, 1, "共 9 条记录，第 2 / 3 页。", {"货品5", "货品7", "货品8", "货品9"}},
        {"last page", 10, "", 2, 1, "共 9 条记录，第 3 / 3 页。", {"货品9"}},
        {"last card of the last page", 9, "", 2, 0, "共 8 条记录，第 2 / 2 页。", {"货品5", "货品6", "货品7", "货品8"}},
        {"the only product", 1, "", 0, 0, "共 0 条记录，第 1 / 0 页。", {}},
        {"under a filter", 10, "双", 1, 0, "共 4 条记录，第 1 / 1 页。", {"货品2", "货品4", "货品6", "货品8"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        db.exec("DELETE FROM tbl_StoreMgr");
        products.clear();
        user.clear();
        addNamed(c.products);
        open();
        if (*c.specFilter) {
            typeText(combo("1304")->lineEdit(), c.specFilter);
            clickButton(page.get(), "1180");
        }
        for (int i = 0; i < c.nextClicks; ++i)
            clickButton(page.get(), "1174");
        user.answerQuestion(false);
        user.answerQuestion(true);
        onNextDialog(user, "delete", [&](QDialog* d) {
            productEdit(d, 1)->clear(); // the product as opened is deleted, not as edited
            clickButton(d, "delete");
            EXPECT_TRUE(d->isVisible());
            EXPECT_EQ(rowCount(db, "tbl_StoreMgr"), c.products);
        });
        clickCard(c.card);

        EXPECT_EQ(user.texts(), QStringList(2, "确定要删除这个货品吗？"));
        EXPECT_EQ(rowCount(db, "tbl_StoreMgr"), c.products - 1);
        EXPECT_EQ(pageLine(), c.line);
        EXPECT_EQ(shownNames(), c.names);
        EXPECT_EQ(page->IsEmptyStateShown(), c.names.isEmpty());
        // The relisted cards carry their stock figures, as after any listing.
        for (int k = 0; k < c.names.size(); ++k)
            EXPECT_EQ(page->ProductButton(k)->record().ProductStockCount, "0.00");
    }
}

// A product deleted meanwhile opens nothing and leaves the page. Neither a
// write without a key, nor a refused write, nor any action while another
// program holds the database changes a row, a card or the page line; each
// says what failed and why (SQLite's own text goes to the trace only).
TEST_F(StorePage, FailuresAndAProductDeletedMeanwhileLeaveThePageConsistent)
{
    addNamed(6);
    open();
    db.exec("DELETE FROM tbl_StoreMgr WHERE GUID = ?", {products[0].GUID});
    clickCard(0);
    EXPECT_TRUE(user.modalDialogs.isEmpty());
    EXPECT_EQ(user.texts(), QStringList {kProductGoneMessage});
    EXPECT_EQ(shownNames(), (QStringList {"货品2", "货品3", "货品4", "货品5"}));
    EXPECT_EQ(pageLine(), "共 5 条记录，第 1 / 2 页。");
    // Deleting one that a card still shows counts as done.
    db.exec("DELETE FROM tbl_StoreMgr WHERE GUID = ?", {products[1].GUID});
    EXPECT_TRUE(page->ProductButton(0)->RemoveRecordButton());
    EXPECT_EQ(shownNames(), (QStringList {"货品3", "货品4", "货品5", "货品6"}));

    user.clear();
    const QString line = pageLine();
    const QStringList names = shownNames();
    // A row without a key, as a damaged import might leave one.
    db.exec("INSERT INTO tbl_StoreMgr (ProductCode, ProductName, GUID) VALUES ('X', '无键', '')");
    struct_button_storeproduct changed = products[2];
    changed.GUID.clear();
    changed.ProductName = "改名";
    EXPECT_FALSE(page->AddProduct(changed));
    EXPECT_FALSE(page->UpdateProduct(changed));
    EXPECT_FALSE(page->DeleteProduct(changed));
    db.exec("PRAGMA query_only = 1"); // as a read-only file refuses them
    changed.GUID = products[2].GUID;
    EXPECT_FALSE(page->UpdateProduct(changed));
    EXPECT_FALSE(page->DeleteProduct(products[3]));
    db.exec("PRAGMA query_only = 0");
    {
        DatabaseHeldElsewhere held(db.db(), db.path());
        typeText(combo("1303")->lineEdit(), "货品2");
        clickButton(page.get(), "1180");
        page->UpdateProductMonthFigures("2011-06-01");
        clickCard(0);
        onNextDialog(user, "1294");
        clickButton(page.get(), "1181");
    }
    const QString readOnly = "\n数据库文件是只读的，不能写入。请检查文件和所在文件夹的权限。";
    const QString busy = "\n数据库正被其他程序使用，请稍后再试。";
    EXPECT_EQ(user.texts(),
        (QStringList {"货品缺少标识（GUID），未能保存。", "货品缺少标识（GUID），未能修改。",
            "货品缺少标识（GUID），未能删除。", "修改货品失败。" + readOnly, "删除货品失败。" + readOnly,
            "列出货品失败。" + busy, "计算库存数量失败。" + busy, "读取货品失败。" + busy,
            "统计货品进出失败。" + busy}));
    for (const auto& message : user.messages)
        EXPECT_EQ(message.kind, ScriptedInteraction::Message::Error);
    EXPECT_EQ(pageLine(), line);
    EXPECT_EQ(shownNames(), names);
    EXPECT_EQ(db.scalar("SELECT group_concat(ProductName) FROM (SELECT ProductName FROM tbl_StoreMgr ORDER BY RowNo)"),
        "货品3,货品4,货品5,货品6,无键");
}

// The totals row of a report filled by other pages is printed by name.
TEST_F(StorePage, ATotalsRowOfTheTradeDetailReportPrintsAsTheTotal)
{
    GridReport report;
    ASSERT_TRUE(report.LoadTemplateFile(GetAppDirectory() + "/ProductTradeDetailReport.grf"));
    CProductTradeDetailReportEvent sink;
    ASSERT_TRUE(sink.ConnectTo(&report));
    sink.SetRecords(QList<ProductTradeDetailInfo> {{"LS-01", "螺栓", "M8", "2011-05-01", "CG_JH_20110501", "3", "", ""},
        {"", "", "", "", "", "3", "0", "总计行"}});
    EXPECT_EQ(report.Generate()->records(),
        (QList<QStringList> {
            {"LS-01", "螺栓", "M8", "2011-05-01", "CG_JH_20110501", "3", ""}, {"总合计", "", "", "", "", "3", "0"}}));
}
