#include "CDlgTabProductInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "FrameTestSupport.h"
#include "ProductExport.h"
#include "ProductTestSupport.h"
#include "WorkbookReadBack.h"

// The exported workbook is read back with python3-xlrd, which knows
// nothing of our writer.

namespace {

class ProductExportTest : public ::testing::Test
{
protected:
    void SetUp() override { page.show(); }

    QString exportPath() const
    {
        return QDir(cache.exportFolder()).filePath(QStringLiteral("store_productsearch_temp.xls"));
    }

    TestDatabase db;
    RecordingUser user;
    TemporaryCacheFolder cache;
    CDlgTabProductInfo page;
};

} // namespace

TEST_F(ProductExportTest, ListGoesToTheUsersExportFolderAndOpensAfterTheSave)
{
    addProduct(db, QStringLiteral("HX-001"), QStringLiteral("不锈钢合页"), QStringLiteral("4寸×3寸"),
               QStringLiteral("3.50"), QStringLiteral("5.20"), QStringLiteral("120"));
    addProduct(db, QStringLiteral("HX-002"), QStringLiteral("门吸"), QString(), QStringLiteral("1"), QStringLiteral("2"),
               QStringLiteral("-3"));
    page.FillProductList({});
    // A link someone planted at the file's place is replaced, not written
    // through.
    QTemporaryDir elsewhere;
    const QString victim = QDir(elsewhere.path()).filePath(QStringLiteral("victim"));
    {
        QFile file(victim);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("precious");
    }
    ASSERT_TRUE(QDir().mkpath(QFileInfo(exportPath()).path()));
    ASSERT_TRUE(QFile::link(victim, exportPath()));

    const QDate before = QDate::currentDate();
    clickButton(&page, "1186");
    const QDate after = QDate::currentDate();

    const QString path = exportPath();
    ASSERT_EQ(user.openedWithDesktop, QStringList{path});
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    QFile planted(victim);
    ASSERT_TRUE(planted.open(QIODevice::ReadOnly));
    EXPECT_EQ(planted.readAll(), QByteArray("precious"));
    const QList<QStringList> rows = ReadBackSheet(path, QStringLiteral("ProductSearch"));
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[0], QStringList({QStringLiteral("ProductSearch"), QStringLiteral("Sheet2")}));
    // The local date; the assertion allows for midnight passing meanwhile.
    EXPECT_TRUE(rows[1][0] == ProductExport::DateLine(before) || rows[1][0] == ProductExport::DateLine(after))
        << rows[1][0].toStdString();
    EXPECT_EQ(ProductExport::DateLine(QDate(2024, 3, 5)), QStringLiteral("日期：2024年03月05日"));
    EXPECT_TRUE(rows[2].join(QString()).isEmpty());
    EXPECT_EQ(rows[3], ProductExport::Headers());
    EXPECT_EQ(rows[4], QStringList({QStringLiteral("HX-001"), QStringLiteral("不锈钢合页"), QStringLiteral("4寸×3寸"),
                                    QStringLiteral("3.50"), QStringLiteral("5.20"), QStringLiteral("120")}));
    // An empty variant stays an empty cell; the GUID is not exported.
    EXPECT_EQ(rows[5], QStringList({QStringLiteral("HX-002"), QStringLiteral("门吸"), QString(), QStringLiteral("1"),
                                    QStringLiteral("2"), QStringLiteral("-3")}));
    EXPECT_TRUE(user.texts().isEmpty());

    // The next export replaces the file: an empty list leaves the date and
    // the titles. Without a program for it, the person learns where it is.
    db.exec("DELETE FROM tbl_StoreMgr");
    page.FillProductList({});
    user.opensFiles = false;
    clickButton(&page, "1186");
    const QList<QStringList> empty = ReadBackSheet(path, QStringLiteral("ProductSearch"));
    ASSERT_EQ(empty.size(), 4);
    EXPECT_EQ(empty[3], ProductExport::Headers());
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_TRUE(user.messages[0].text.contains(QDir::toNativeSeparators(path))) << user.messages[0].text.toStdString();
}

TEST_F(ProductExportTest, AFailedSaveIsReportedAndNothingOpens)
{
    addProduct(db, QStringLiteral("HX-001"), QStringLiteral("合页"), QStringLiteral("4寸"));
    page.FillProductList({});
    // A cache folder that is a file, then an export folder that is a link:
    // neither is written into, nor is the file sent to the current folder.
    const QString notAFolder = QDir(cache.path()).filePath(QStringLiteral("file"));
    QFile file(notAFolder);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QTemporaryDir elsewhere;
    const QString linked = QDir(cache.path()).filePath(QStringLiteral("linked"));
    ASSERT_TRUE(QDir().mkpath(QDir(linked).filePath(QStringLiteral("tingcen-jxc"))));
    ASSERT_TRUE(QFile::link(elsewhere.path(), QDir(linked).filePath(QStringLiteral("tingcen-jxc/exports"))));
    for (const QString &folder : {notAFolder, linked}) {
        SCOPED_TRACE(folder.toStdString());
        user.clear();
        qputenv("XDG_CACHE_HOME", folder.toUtf8());
        clickButton(&page, "1186");
        EXPECT_TRUE(user.openedWithDesktop.isEmpty());
        ASSERT_EQ(user.messages.size(), 1u);
        EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
        EXPECT_TRUE(user.messages[0].text.startsWith(QStringLiteral("导出到 Excel 失败。\n"))) << user.messages[0].text.toStdString();
    }
    EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
    EXPECT_FALSE(QFile::exists(QStringLiteral("store_productsearch_temp.xls")));
}

TEST_F(ProductExportTest, AListLongerThanTheSheetSaysHowManyWereExported)
{
    // 65,540 products in one statement: seven more than the sheet holds.
    db.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 65540) "
            "INSERT INTO tbl_StoreMgr (ProductCode, ProductName, ProductSpec, StockUnitPrice, ShipmentUnitPrice, GUID) "
            "SELECT printf('P%05d', i), '货品', '', '1', '2', printf('G%05d', i) FROM n");
    page.FillProductList({});
    clickButton(&page, "1186");
    EXPECT_EQ(user.texts(), QStringList{QStringLiteral("共 65540 个货品，工作表只放得下前 65533 个货品，其余的没有导出。")});
    ASSERT_EQ(user.openedWithDesktop, QStringList{exportPath()});
    const QList<QStringList> rows = ReadBackSheet(exportPath(), QStringLiteral("ProductSearch"));
    ASSERT_EQ(rows.size(), 1 + 65536);
    EXPECT_EQ(rows.last().first(), QStringLiteral("P65533"));
}
