// The store page as a person uses it: paging, filters, layout, deletes
// through a card, writes that fail or find the product gone, and the
// reports (the period asked for, the rows, the PDF read back).

#include <QAbstractItemView>
#include <QDateEdit>
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

TEST_F(StorePage, FiltersMatchExactTextsTogether)
{
    const char* rows[][3]
        = {{"K1", "扳手", "10寸"}, {"K2", "O'Neil 钳", "8寸"}, {"K1", "扳手", "12寸"}, {"K3", "扳手子", "10寸"}};
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
    EXPECT_EQ(offered.join(" "), "扳手子 O'Neil 钳 扳手 K3 K1 K2 K1 10寸 12寸 8寸 10寸");
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
    combo("1303")->setCurrentIndex(1);
    combo("1304")->clearEditText();
    clickButton(page.get(), "1180");
    ASSERT_EQ(page->RecordCount(), 1);
    EXPECT_EQ(page->ProductButton(0)->record().ProductCode, "K2");
    combo("1302")->setEditText("K9");
    clickButton(page.get(), "1180");
    EXPECT_TRUE(shownNames().isEmpty());
    EXPECT_TRUE(page->IsEmptyStateShown());
}

// Neither a write without a key nor a refused write changes a row, a card or
// the page line; each says what failed and why.
TEST_F(StorePage, AKeylessOrFailedWriteChangesNothing)
{
    addNamed(2);
    // A row without a key, as a damaged import might leave one.
    db.exec("INSERT INTO tbl_StoreMgr (ProductCode, ProductName, GUID) VALUES ('X', '无键', '')");
    open();
    const QString line = pageLine();
    struct_button_storeproduct changed = products[0];
    changed.GUID.clear();
    changed.ProductName = "改名";
    EXPECT_FALSE(page->AddProduct(changed));
    EXPECT_FALSE(page->UpdateProduct(changed));
    EXPECT_FALSE(page->DeleteProduct(changed));
    db.exec("PRAGMA query_only = 1"); // as a read-only file refuses them
    changed.GUID = products[0].GUID;
    EXPECT_FALSE(page->UpdateProduct(changed));
    EXPECT_FALSE(page->DeleteProduct(products[1]));
    changed.GUID = GuidText();
    EXPECT_FALSE(page->AddProduct(changed));

    // SQLite's own text goes to the trace only.
    const QString why = "\n数据库文件是只读的，不能写入。请检查文件和所在文件夹的权限。";
    EXPECT_EQ(user.texts(),
        (QStringList {"货品缺少标识（GUID），未能保存。", "货品缺少标识（GUID），未能修改。",
            "货品缺少标识（GUID），未能删除。", "修改货品失败。" + why, "删除货品失败。" + why,
            "保存货品失败。" + why}));
    for (const auto& message : user.messages)
        EXPECT_EQ(message.kind, ScriptedInteraction::Message::Error);
    EXPECT_EQ(shownNames(), (QStringList {"货品1", "货品2", "无键"}));
    EXPECT_EQ(pageLine(), line);
    EXPECT_EQ(db.scalar("SELECT group_concat(ProductName) FROM (SELECT ProductName FROM tbl_StoreMgr ORDER BY RowNo)"),
        "货品1,货品2,无键");
}

namespace {

// A delete through a card on some page, under a filter or none: the page
// is counted and listed again, on the same page unless it went empty.
struct DeleteCase
{
    const char* name;
    int products;
    const char* specFilter; // "" for none
    int nextClicks; // pages moved on before the delete
    int card;
    const char* line; // the page line afterwards
    QStringList names; // the cards afterwards
};

class StorePageDelete : public StorePage, public ::testing::WithParamInterface<DeleteCase>
{
};

} // namespace

TEST_P(StorePageDelete, AsksThenRecountsSoTheLineAndTheCardsAgree)
{
    const DeleteCase& c = GetParam();
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

INSTANTIATE_TEST_SUITE_P(Pages, StorePageDelete,
    ::testing::Values(
        DeleteCase {"first_page", 10, "", 0, 0, "共 9 条记录，第 1 / 3 页。", {"货品2", "货品3", "货品4", "货品5"}},
        DeleteCase {"middle_page", 10, "", 1, 1, "共 9 条记录，第 2 / 3 页。", {"货品5", "货品7", "货品8", "货品9"}},
        DeleteCase {"last_page", 10, "", 2, 1, "共 9 条记录，第 3 / 3 页。", {"货品9"}},
        DeleteCase {"last_card_of_the_last_page", 9, "", 2, 0, "共 8 条记录，第 2 / 2 页。",
            {"货品5", "货品6", "货品7", "货品8"}},
        DeleteCase {"the_only_product", 1, "", 0, 0, "共 0 条记录，第 1 / 0 页。", {}},
        DeleteCase {
            "under_a_filter", 10, "双", 1, 0, "共 4 条记录，第 1 / 1 页。", {"货品2", "货品4", "货品6", "货品8"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StorePage, TheFilterBoxesAreWideEnoughAndClearOfTheCards)
{
    const QString longName = "特别长的不锈钢内六角圆柱头螺钉全螺纹";
    addProduct(db, "L1", longName, "M8×100");
    addNamed(7);
    open(8);
    page->resize(1000, 500);
    QApplication::processEvents();
    for (const char* id : {"1302", "1303", "1304"}) {
        SCOPED_TRACE(id);
        const QRect box = combo(id)->geometry();
        EXPECT_GE(box.width(), 180);
        EXPECT_LE(box.right(), page->width());
        for (int k = 0; k < page->PoolSize(); ++k)
            EXPECT_FALSE(page->ProductButton(k)->isVisible() && page->ProductButton(k)->geometry().intersects(box))
                << k;
    }
    // The drop-down shows the longest name whole, however narrow the box.
    const int nameWidth = QFontMetrics(combo("1303")->view()->font()).horizontalAdvance(longName);
    EXPECT_GT(nameWidth, combo("1303")->width());
    combo("1303")->showPopup();
    EXPECT_GE(combo("1303")->view()->width(), nameWidth);
    combo("1303")->hidePopup();
}

// While another program holds the database, each action says what failed
// and why, and leaves the page as it was. A product deleted meanwhile
// opens nothing and leaves the page.
TEST_F(StorePage, FailedReadsAndAProductDeletedMeanwhileLeaveThePageConsistent)
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
    {
        DatabaseHeldElsewhere held(db.db(), db.path());
        typeText(combo("1303")->lineEdit(), "货品2");
        clickButton(page.get(), "1180");
        page->UpdateProductMonthFigures("2011-06-01");
        clickCard(0);
        onNextDialog(user, "1294");
        clickButton(page.get(), "1181");
    }
    QStringList told = {"列出货品失败。", "计算库存数量失败。", "读取货品失败。", "统计货品进出失败。"};
    for (QString& text : told)
        text += "\n数据库正被其他程序使用，请稍后再试。";
    EXPECT_EQ(user.texts(), told);
    for (const auto& message : user.messages)
        EXPECT_EQ(message.kind, ScriptedInteraction::Message::Error);
    EXPECT_EQ(pageLine(), line);
    EXPECT_EQ(shownNames(), names);
}

TEST_F(StorePage, TheReportsPrintTheChosenPeriodsRowsAndTotals)
{
    addLines(db, addProduct(db, "LS-01", "螺栓", "M8"),
        {{Purchase, "2011-04-30", "进货单", "99", "99"}, {Purchase, "2011-05-01", "进货单", "3", "10"},
            {Purchase, "2011-05-09", "退货单", "1", "3"}, {Sales, "2011-05-20", "出货单", "4", "20"},
            {Sales, "2011-05-31", "退货单", "1", "5"}});
    addLines(db, addProduct(db, "LM-01", "螺母", "M8"), {{Sales, "2011-05-31", "出货单", "10", "7.5"}});
    open();
    CapturedReports reports;
    // The person picks a month in the period dialog and confirms or cancels.
    const auto choosePeriod = [&](const QDate& start, const char* button) {
        onNextDialog(user, button, [=](QDialog* d) {
            d->findChild<QDateEdit*>("1007")->setDate(start);
            d->findChild<QDateEdit*>("1292")->setDate(start.addMonths(1).addDays(-1));
        });
    };
    // 3 stocked in for 10.00: reference 3.33; the net 3 sold cost 9.99.
    const struct
    {
        const char* button;
        QStringList totals;
        QStringList inPdf;
    } printed[] = {
        {"1181", {"总合计", "", "", "3.00", "", "10.00", "1.00", "", "3.00", "14.00", "", "27.50", "1.00", "", "5.00"},
            {"商品进出汇总表", "采购退额", "3.33", "27.50"}},
        {"1182", {"总合计", "", "", "", "", "13.00", "9.99", "22.50", "12.51"},
            {"商品销售利润表", "进货参考价", "5.01", "12.51"}}};
    for (const auto& report : printed) {
        SCOPED_TRACE(report.button);
        choosePeriod(QDate(2011, 5, 1), "1294");
        clickButton(page.get(), report.button);
        ASSERT_TRUE(reports.last());
        const QList<QStringList> rows = reports.last()->records();
        ASSERT_EQ(rows.size(), 3);
        EXPECT_EQ(rows[0].mid(0, 3), (QStringList {"LS-01", "螺栓", "M8"}));
        EXPECT_EQ(rows[2], report.totals);
        const QString text = reports.lastPdfText();
        for (const QString& expected : report.inPdf + QStringList {"2011-05-01 到 2011-05-31", "LM-01", "总合计"})
            EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
    }
    // Cancelling the period shows nothing and keeps the rows.
    const auto rows = page->SumRows();
    choosePeriod(QDate(2011, 1, 1), "1295");
    clickButton(page.get(), "1181");
    EXPECT_EQ(reports.documents.size(), 2u);
    EXPECT_EQ(page->SumRows(), rows);
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
