#include "CDlgTabProductInfo.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>

#include "CDlgNewProduct.h"
#include "FrameTestSupport.h"
#include "ProductExport.h"
#include "ProductStore.h"
#include "ProductTestSupport.h"
#include "WorkbookReadBack.h"

// The product-information page: a listed product opened in the product
// dialog (mode 2), which writes through the store page and then rewrites or
// removes the row; the search; the printed list read back from its PDF; the
// exported workbook read back with python3-xlrd, which knows nothing of our
// writer.

namespace {

class ProductInfoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        page.SetStorePage(&store);
        page.show();
    }

    TestDatabase db;
    RecordingUser user;
    TemporaryCacheFolder cache;
    CDlgTabStore store {4, nullptr};
    CDlgTabProductInfo page;
    QTableWidget* list = page.findChild<QTableWidget*>("1198");
    const QString path = QDir(cache.exportFolder()).filePath("store_productsearch_temp.xls");
};

} // namespace

// A refused save, and a search and an open while another program holds the
// database, say what failed and leave the list as it was. A product
// deleted meanwhile opens nothing and loses its row. A save rewrites the row
// in place; a delete removes it; both relist the store page.
TEST_F(ProductInfoTest, FailuresLeaveTheListAsItWasAChangeOrDeleteRewritesItAndTheStorePage)
{
    QList<struct_button_storeproduct> drills;
    for (int i = 1; i <= 3; ++i)
        drills << addProduct(db, QStringLiteral("HJ-%1").arg(i), "合金钻头", QStringLiteral("%1mm").arg(i * 2), "3.00",
            "4.50", QString::number(i * 10));
    page.FillProductList({});
    db.exec("PRAGMA query_only = 1");
    onNextDialog(user, "2", [](QDialog* d) {
        fillProduct(d, {"麻花钻"}, 1);
        clickButton(d, "1");
        EXPECT_TRUE(d->isVisible());
    });
    doubleClickRow(list, 2);
    db.exec("PRAGMA query_only = 0");
    {
        DatabaseHeldElsewhere held(db.db(), db.path());
        onNextDialog(user, "1196");
        clickButton(&page, "1185");
        doubleClickRow(list, 0);
    }
    const QString busy = "\n数据库正被其他程序使用，请稍后再试。";
    EXPECT_EQ(user.texts(),
        QStringList({"修改货品失败。\n数据库文件是只读的，不能写入。请检查文件和所在文件夹的权限。",
            "读取筛选用的货品编号、名称和规格失败。" + busy, "查找商品失败。" + busy, "读取货品失败。" + busy}));
    for (const auto& message : user.messages)
        EXPECT_EQ(message.kind, ScriptedInteraction::Message::Error);
    EXPECT_EQ(user.modalDialogs, QStringList({"CDlgNewProduct", "CDlgProductSearch"}));
    EXPECT_EQ(columnTexts(list, 0) + columnTexts(list, 1).mid(2), QStringList({"HJ-1", "HJ-2", "HJ-3", "合金钻头"}));

    user.clear();
    db.exec("DELETE FROM tbl_StoreMgr WHERE GUID = ?", {drills[1].GUID});
    doubleClickRow(list, 1);
    EXPECT_TRUE(user.modalDialogs.isEmpty());
    EXPECT_EQ(user.texts(), QStringList {kProductGoneMessage});
    EXPECT_EQ(columnTexts(list, 0), QStringList({"HJ-1", "HJ-3"}));

    user.clear();
    onNextDialog(user, "1", [](QDialog* d) {
        EXPECT_EQ(static_cast<CDlgNewProduct*>(d)->Mode(), ProductEditFromList);
        // The whole stored product, also what the list does not show.
        EXPECT_EQ(productEdit(d, 3)->text(), "个");
        fillProduct(d, {"HJ-3B"});
    });
    doubleClickRow(list, 1);
    EXPECT_EQ(rowTexts(list, 1), QStringList({"HJ-3B", "合金钻头", "6mm", "3.00", "4.50", "30", drills[2].GUID}));
    EXPECT_EQ(list->selectionModel()->selectedRows().value(0).row(), 1);
    EXPECT_EQ(
        db.scalar("SELECT group_concat(ProductCode) FROM (SELECT * FROM tbl_StoreMgr ORDER BY RowNo)"), "HJ-1,HJ-3B");
    user.answerQuestion(true);
    onNextDialog(user, "delete");
    doubleClickRow(list, 0);
    EXPECT_EQ(columnTexts(list, 0), QStringList({"HJ-3B"}));
    EXPECT_EQ(list->selectionModel()->selectedRows().value(0).row(), 0);
    EXPECT_EQ(store.RecordCount(), 1);
    EXPECT_EQ(store.ProductButton(0)->record().ProductCode, "HJ-3B");
    EXPECT_EQ(user.texts(), QStringList({"修改货品成功。", "确定要删除这个货品吗？"}));
}

// The page lists what the dialog hands back: every given text matched
// exactly, all of them together.
TEST_F(ProductInfoTest, ThePageListsTheMatchesOfTheTypedAndChosenTexts)
{
    const QString longName = QString("加长型不锈钢内六角圆柱头螺钉").repeated(8);
    addProduct(db, "L1", longName, "M8");
    const char* rows[][3] = {{"A1", "螺丝", "M4"}, {"A2", "螺丝", "M5"}, {"A1", "螺母", "M4"}, {"A10", "螺丝", "M4"},
        {"Q'1", "3' 水管", "x' OR '1'='1"}};
    for (const auto& row : rows)
        addProduct(db, row[0], row[1], row[2]);
    onNextDialog(user, "1196", [&](QDialog* d) {
        auto* code = d->findChild<QComboBox*>("1193");
        auto* name = d->findChild<QComboBox*>("1194");
        auto* spec = d->findChild<QComboBox*>("1195");
        // Names once, the latest first; codes and variants every time; none
        // chosen.
        EXPECT_EQ(name->count(), 4);
        EXPECT_EQ(name->itemText(0), "3' 水管");
        EXPECT_EQ(code->count() + spec->count(), 12);
        EXPECT_TRUE((code->currentText() + name->currentText() + spec->currentText()).isEmpty());
        // The window asks for the width of its boxes, not of the longest
        // name; the drop-down shows it whole, up to most of the screen.
        EXPECT_LE(d->sizeHint().width(), 500);
        EXPECT_LE(name->sizeHint().width(), 320);
        const int limit = d->screen()->availableGeometry().width() * 3 / 4;
        const int wanted = QFontMetrics(name->view()->font()).horizontalAdvance(longName);
        EXPECT_GE(name->view()->minimumWidth(), std::min(wanted, limit));
        EXPECT_LE(name->view()->minimumWidth(), limit);
        // "A1" is also the start of "A10": what was typed stays as typed.
        typeText(code->lineEdit(), "A1");
        spec->setCurrentIndex(spec->findText("M4"));
    });
    clickButton(&page, "1185");
    EXPECT_EQ(columnTexts(list, 1), QStringList({"螺丝", "螺母"}));
    EXPECT_EQ(rowTexts(list, 1).mid(0, 6), QStringList({"A1", "螺母", "M4", "8.00", "10.00", "0"}));

    const auto search = [&](const char* box, const char* text, const char* button) {
        onNextDialog(user, button, [=](QDialog* d) { typeText(d->findChild<QComboBox*>(box)->lineEdit(), text); });
        clickButton(&page, "1185");
    };
    search("1194", "3' 水管", "1197"); // cancelled: the list stays
    EXPECT_EQ(list->rowCount(), 2);
    search("1195", "x' OR '1'='1", "1196");
    EXPECT_EQ(columnTexts(list, 0), QStringList {"Q'1"});
    search("1194", "x' OR '1'='1", "1196");
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_TRUE(user.texts().isEmpty());
}

// 打印列表 prints what the list shows: every row, in order, over several
// pages.
TEST_F(ProductInfoTest, ThePrintedListHoldsTheListedRows)
{
    for (int i = 1; i <= 60; ++i)
        addProduct(db, QString::asprintf("GJ-%03d", i), QStringLiteral("五金工具%1号").arg(i),
            QStringLiteral("规格%1").arg(i), QString::asprintf("%d.10", i), QString::asprintf("%d.90", i),
            QString::number(i * 3));
    const auto other = addProduct(db, "OTHER", "不在列表", "x");
    page.FillProductList({});
    page.RemoveProductRow(other); // as the product dialog does after a delete

    CapturedReports reports;
    clickButton(&page, "1187");
    const QString text = reports.lastPdfText();
    for (const char* title : {"货品信息列表", "货品编号", "货品名称", "货品规格", "进货价格", "出货价格", "库存数量"})
        EXPECT_TRUE(text.contains(title)) << title;
    qsizetype last = -1;
    for (int i = 1; i <= 60; ++i) {
        const QString row = QStringLiteral("GJ-%1\\s+五金工具%2号\\s+规格%2\\s+%2\\.10\\s+%2\\.90\\s+%3");
        const qsizetype at = text.indexOf(QRegularExpression(row.arg(i, 3, 10, QChar('0')).arg(i).arg(i * 3)));
        EXPECT_GT(at, last) << i;
        last = at;
    }
    EXPECT_FALSE(text.contains("不在列表"));
}

TEST_F(ProductInfoTest, TheListGoesToTheUsersExportFolderAndOpensAfterTheSaveOnlyAfterIt)
{
    addProduct(db, "HX-001", "不锈钢合页", "4寸×3寸", "3.50", "5.20", "120");
    addProduct(db, "HX-002", "门吸", "", "1", "2", "-3");
    page.FillProductList({});
    // A link someone planted at the file's place is replaced, not written
    // through.
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath("victim");
    ASSERT_TRUE(QDir().mkpath(cache.exportFolder()) && QFile::link(victim, path));

    const QDate before = QDate::currentDate();
    clickButton(&page, "1186");
    const QDate after = QDate::currentDate();

    ASSERT_EQ(user.openedWithDesktop, QStringList {path});
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_FALSE(QFile::exists(victim));
    const QList<QStringList> rows = ReadBackSheet(path, "ProductSearch");
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[0], QStringList({"ProductSearch", "Sheet2"}));
    // The local date; midnight may pass meanwhile.
    EXPECT_TRUE(rows[1][0] == ProductExport::DateLine(before) || rows[1][0] == ProductExport::DateLine(after));
    EXPECT_EQ(ProductExport::DateLine(QDate(2024, 3, 5)), "日期：2024年03月05日");
    EXPECT_TRUE(rows[2].join("").isEmpty());
    EXPECT_EQ(rows[3], ProductExport::Headers());
    // An empty variant stays an empty cell; the GUID is not exported.
    EXPECT_EQ(rows[4] + rows[5],
        QStringList({"HX-001", "不锈钢合页", "4寸×3寸", "3.50", "5.20", "120", "HX-002", "门吸", "", "1", "2", "-3"}));
    EXPECT_TRUE(user.texts().isEmpty());

    // The next export replaces the file. A list longer than the sheet says
    // how many went in; without a program for the file, the person learns
    // where it is.
    db.exec("DELETE FROM tbl_StoreMgr");
    db.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 65540) "
            "INSERT INTO tbl_StoreMgr (ProductCode, ProductName, ProductSpec, StockUnitPrice, ShipmentUnitPrice, GUID) "
            "SELECT printf('P%05d', i), '货品', '', '1', '2', printf('G%05d', i) FROM n");
    page.FillProductList({});
    user.opensFiles = false;
    clickButton(&page, "1186");
    ASSERT_EQ(user.messages.size(), 2u);
    EXPECT_EQ(user.messages[0].text, "共 65540 个货品，工作表只放得下前 65533 个货品，其余的没有导出。");
    EXPECT_TRUE(user.lastText().contains(QDir::toNativeSeparators(path))) << user.lastText().toStdString();
    const QList<QStringList> edges = ReadBackSheet(path, "ProductSearch", SheetReadBack::CountAndEdges);
    ASSERT_EQ(edges.size(), 6); // the sheet names, the count, rows 0 to 2 and the last
    EXPECT_EQ(edges[1], QStringList {"65536"});
    EXPECT_EQ(edges.last().first(), "P65533");

    // A cache folder that is a file, then an export folder that is a link:
    // neither is written into, nor is the file sent to the current folder.
    const QString notAFolder = QDir(cache.path()).filePath("file");
    ASSERT_TRUE(QFile(notAFolder).open(QIODevice::WriteOnly));
    const QString linked = QDir(cache.path()).filePath("linked");
    ASSERT_TRUE(
        QDir().mkpath(linked + "/tingcen-jxc") && QFile::link(elsewhere.path(), linked + "/tingcen-jxc/exports"));
    for (const QString& folder : {notAFolder, linked}) {
        SCOPED_TRACE(folder.toStdString());
        user.clear();
        qputenv("XDG_CACHE_HOME", folder.toUtf8());
        clickButton(&page, "1186");
        EXPECT_TRUE(user.openedWithDesktop.isEmpty());
        ASSERT_EQ(user.messages.size(), 1u);
        EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
        EXPECT_TRUE(user.lastText().startsWith("导出到 Excel 失败。\n")) << user.lastText().toStdString();
    }
    EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
    EXPECT_FALSE(QFile::exists("store_productsearch_temp.xls"));
}
