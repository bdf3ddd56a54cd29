#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <chrono>
#include <random>
#include <thread>

#include "Database.h"
#include "GoodsBillTestSupport.h"

// All or nothing: a program that writes goods bills through GoodsBillWriter
// (GoodsBillWriterLoop.cpp) is killed again and again at random moments;
// after every kill the file must hold whole bills and stock counts that
// follow exactly the lines that survived.

namespace {

constexpr int kKills = 200;
// Most of the loop's time is spent inside its writes; with the fixed seed
// far more than this many kills land there, on the sanitizer build on two
// cores too.
constexpr int kKillsInsideWritesAtLeast = kKills / 3;
constexpr int kLongestDelayMicroseconds = 20000;

QString loopProgram()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("goodsbills_writer_loop"));
}

QString single(Database &db, const char *sql)
{
    Statement statement = db.prepare(sql);
    return statement.next() ? statement.textAt(0) : QString();
}

// What is wrong with the file, one sentence per fault; empty when nothing.
QStringList faultsOf(const QString &path)
{
    QStringList faults;
    // Opening for writing rolls back what a killed write left in the
    // journal, as the program's next start does.
    Database db(path, Database::OpenMode::ReadWrite);
    const QString integrity = single(db, "PRAGMA integrity_check");
    if (integrity != QLatin1String("ok"))
        faults << QStringLiteral("integrity_check: ") + integrity;

    static const QRegularExpression remarkForm(QStringLiteral("^行数=(\\d+);合计=(-?[0-9.]+)$"));
    for (const char *table : {"tbl_GoodsBill_shipment", "tbl_goodsbill_shipment_provider"}) {
        Statement bills = db.prepare(
            QStringLiteral("SELECT GUID, MIN(BillRemark) AS Remark, MAX(BillRemark) AS OtherRemark, COUNT(*) AS Lines, "
                           "printf('%.2f', TOTAL(CAST(ProductPrice AS REAL))) AS Total FROM %1 GROUP BY GUID "
                           "HAVING MAX(BillRemark LIKE '行数=%')")
                .arg(QLatin1String(table))
                .toUtf8()
                .constData());
        while (bills.next()) {
            const QString remark = bills.text(QStringLiteral("Remark"));
            const QRegularExpressionMatch match = remarkForm.match(remark);
            const QString found = QStringLiteral("%1 lines, total %2, remarks %3 / %4")
                                      .arg(bills.text(QStringLiteral("Lines")), bills.text(QStringLiteral("Total")),
                                          remark, bills.text(QStringLiteral("OtherRemark")));
            if (!match.hasMatch() || remark != bills.text(QStringLiteral("OtherRemark"))
                || match.captured(1) != bills.text(QStringLiteral("Lines"))
                || match.captured(2) != bills.text(QStringLiteral("Total")))
                faults << QStringLiteral("bill %1 of %2 is not whole: %3")
                              .arg(bills.text(QStringLiteral("GUID")), QLatin1String(table), found);
        }
    }

    // Stock as the shop was generated: the signed sum of the product's
    // lines on both sides.
    Statement stock = db.prepare(R"SQL(
SELECT ProductCode, ProductStockCount, printf('%.2f',
    (SELECT TOTAL(CASE BillType WHEN '进货单' THEN CAST(ProductAmount AS REAL)
                               WHEN '退货单' THEN -CAST(ProductAmount AS REAL) END)
       FROM tbl_goodsbill_shipment_provider l
      WHERE l.ProductName = s.ProductName AND l.ProductCode = s.ProductCode AND l.ProductSpec = s.ProductSpec)
  - (SELECT TOTAL(CASE BillType WHEN '出货单' THEN CAST(ProductAmount AS REAL)
                               WHEN '退货单' THEN -CAST(ProductAmount AS REAL) END)
       FROM tbl_GoodsBill_shipment l
      WHERE l.ProductName = s.ProductName AND l.ProductCode = s.ProductCode AND l.ProductSpec = s.ProductSpec)) AS Lines
FROM tbl_StoreMgr s ORDER BY RowNo)SQL");
    while (stock.next()) {
        const QString stored = stock.text(QStringLiteral("ProductStockCount"));
        const QString lines = stock.text(QStringLiteral("Lines"));
        if (StrToDouble(stored) != StrToDouble(lines))
            faults << QStringLiteral("stock of %1 is %2, its lines give %3")
                          .arg(stock.text(QStringLiteral("ProductCode")), stored, lines);
    }
    return faults;
}

} // namespace

TEST(GoodsBillWriterKillTest, KilledWritesLeaveWholeBillsAndStockThatFollowsThem)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("shop.mdb"));
    QProcess create;
    create.start(loopProgram(), {QStringLiteral("create"), path});
    ASSERT_TRUE(create.waitForFinished(60000)) << create.errorString().toStdString();
    ASSERT_EQ(create.exitCode(), 0) << create.readAllStandardError().toStdString();
    ASSERT_TRUE(faultsOf(path).isEmpty()) << faultsOf(path).join(QLatin1Char('\n')).toStdString();

    std::mt19937 rng(20110615);
    std::uniform_int_distribution<int> delay(0, kLongestDelayMicroseconds);
    int insideWrites = 0;
    int writes = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        QProcess loop;
        loop.start(loopProgram(), {QStringLiteral("loop"), path, QString::number(kill)});
        QByteArray output;
        while (!output.contains("ready\n")) {
            ASSERT_TRUE(loop.waitForReadyRead(30000))
                << "no ready from the loop: " << loop.readAllStandardError().toStdString();
            output += loop.readAllStandardOutput();
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
        loop.kill();
        ASSERT_TRUE(loop.waitForFinished(30000));
        output += loop.readAllStandardOutput();
        ASSERT_EQ(loop.exitStatus(), QProcess::CrashExit) << loop.readAllStandardError().toStdString();

        const QList<QByteArray> lines = output.trimmed().split('\n');
        if (lines.last().startsWith("B "))
            ++insideWrites;
        writes += static_cast<int>(output.count("C "));
        const QStringList faults = faultsOf(path);
        ASSERT_TRUE(faults.isEmpty()) << "after kill " << kill << ":\n" << faults.join(QLatin1Char('\n')).toStdString();
    }
    EXPECT_GE(insideWrites, kKillsInsideWritesAtLeast) << writes << " writes committed";
    std::printf("%d of %d kills landed inside a write; %d writes committed\n", insideWrites, kKills, writes);
}
