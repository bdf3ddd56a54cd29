#include "CDlgTabProductInfo.h"

#include <QRegularExpression>

#include "CapturedReports.h"
#include "ProductTestSupport.h"

// 打印列表 prints what the list shows; the preview is replaced by writing
// the produced document as a PDF, which poppler's pdftotext reads back.

TEST(ProductInfoReportTest, PrintedListHoldsTheListedRows)
{
    TestDatabase db;
    ScriptedInteraction user;
    for (int i = 1; i <= 60; ++i)
        addProduct(db, QString::asprintf("GJ-%03d", i), QStringLiteral("五金工具%1号").arg(i), QStringLiteral("规格%1").arg(i),
                   QString::asprintf("%d.10", i), QString::asprintf("%d.90", i), QString::number(i * 3));
    const auto other = addProduct(db, QStringLiteral("OTHER"), QStringLiteral("不在列表"), QStringLiteral("x"));

    CDlgTabProductInfo page;
    page.resize(900, 600);
    page.show();
    page.FillProductList({});
    page.RemoveProductRow(other); // as the product dialog does after a delete

    CapturedReports reports;
    clickButton(&page, "1187");
    ASSERT_TRUE(user.texts().isEmpty()) << user.lastText().toStdString();

    const QString text = reports.lastPdfText();
    ASSERT_FALSE(text.isEmpty());
    for (const char *title : {"货品信息列表", "货品编号", "货品名称", "货品规格", "进货价格", "出货价格", "库存数量"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(title))) << title;
    qsizetype last = -1;
    for (int i = 1; i <= 60; ++i) {
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("GJ-%1\\s+五金工具%2号\\s+规格%2\\s+%2\\.10\\s+%2\\.90\\s+%3")
                                   .arg(i, 3, 10, QLatin1Char('0'))
                                   .arg(i)
                                   .arg(i * 3))
                .match(text);
        ASSERT_TRUE(match.hasMatch()) << i;
        EXPECT_GT(match.capturedStart(), last) << i;
        last = match.capturedStart();
    }
    EXPECT_FALSE(text.contains(QStringLiteral("不在列表")));
}
