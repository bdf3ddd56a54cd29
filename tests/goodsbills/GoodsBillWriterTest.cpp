#include "GoodsBillWriter.h"

#include <map>

#include "Database.h"
#include "GoodsBillStore.h"
#include "GoodsBillTestSupport.h"

// Stock follows every write by the net change per product, with the bill
// kind's sign. One table of edits runs through all four bill kinds.

namespace {

// A line of product A, B or C (each with stock 100 to start with).
FixtureLine line(char product, const char *count)
{
    const QString code = QString(QLatin1Char(product)) + QLatin1Char('1');
    return {code, QStringLiteral("货品") + QLatin1Char(product), QStringLiteral("规格"), QString::fromLatin1(count),
        QStringLiteral("2.00")};
}

struct Edit
{
    const char *name;
    std::vector<FixtureLine> stored;
    std::vector<FixtureLine> changed;
    // The change of each product's stock in units of the kind's sign.
    std::map<char, double> moves;
};

const Edit kEdits[] = {
    {"changed count", {line('A', "10")}, {line('A', "12")}, {{'A', 2}}},
    {"count lowered", {line('A', "10")}, {line('A', "8")}, {{'A', -2}}},
    {"replaced product", {line('A', "10")}, {line('B', "10")}, {{'A', -10}, {'B', 10}}},
    {"removed line", {line('A', "5"), line('B', "3")}, {line('A', "5")}, {{'B', -3}}},
    {"added line", {line('A', "5")}, {line('A', "5"), line('C', "4")}, {{'C', 4}}},
    {"reordered lines", {line('A', "5"), line('B', "3")}, {line('B', "3"), line('A', "5")}, {}},
    {"one product on two lines", {line('A', "5")}, {line('A', "2"), line('A', "4")}, {{'A', 1}}},
    {"two lines become one", {line('A', "2"), line('B', "1"), line('A', "4")}, {line('B', "1"), line('A', "6")}, {}},
    {"decimal counts", {line('A', "2.5")}, {line('A', "1.25"), line('B', "0.75")}, {{'A', -1.25}, {'B', 0.75}}},
};

class GoodsBillWriterTest : public ::testing::TestWithParam<BillKind>
{
protected:
    void SetUp() override
    {
        for (char product : {'A', 'B', 'C'}) {
            const FixtureLine l = line(product, "0");
            AddProductRow(db.db(), l.code, l.name, l.spec, QStringLiteral("100.00"));
        }
    }

    const BillKind &kind() const { return GetParam(); }
    GoodsBillLines bill(const std::vector<FixtureLine> &lines)
    {
        return MakeBill(kind(), QStringLiteral("甲公司"), QStringLiteral("2011-06-01"), lines);
    }
    // The stock of A, B and C after moving by the given units.
    QStringList expectedStock(const std::map<char, double> &moves) const
    {
        QStringList stock;
        for (char product : {'A', 'B', 'C'}) {
            const auto found = moves.find(product);
            stock << DoubleToStr(100 + kind().sign * (found == moves.end() ? 0.0 : found->second));
        }
        return stock;
    }
    QStringList stock()
    {
        return {
            StockOf(db, QStringLiteral("A1")), StockOf(db, QStringLiteral("B1")), StockOf(db, QStringLiteral("C1"))};
    }
    // The GUID's rows as "code:count".
    QStringList rows(const QString &guid) { return StoredLines(db, kind().side(), guid); }
    static QStringList texts(const GoodsBillLines &lines)
    {
        QStringList result;
        for (const struct_button_goodsbill &l : lines)
            result << l.ProductCode + QLatin1Char(':') + l.ProductAmount;
        return result;
    }

    TestDatabase db;
    GoodsBillWriter writer{db.db(), kind().side()};
};

} // namespace

TEST_P(GoodsBillWriterTest, ChangesMoveStockByTheNetChangePerProduct)
{
    for (const Edit &edit : kEdits) {
        SCOPED_TRACE(edit.name);
        db.exec("UPDATE tbl_StoreMgr SET ProductStockCount = '100.00'");
        GoodsBillLines stored = bill(edit.stored);
        GoodsBillWriter::Outcome outcome = writer.Add(stored);
        EXPECT_TRUE(outcome.found);
        EXPECT_TRUE(outcome.missingProducts.isEmpty());
        std::map<char, double> added;
        for (const FixtureLine &l : edit.stored)
            added[l.code.at(0).toLatin1()] += StrToDouble(l.amount);
        EXPECT_EQ(stock(), expectedStock(added));

        db.exec("UPDATE tbl_StoreMgr SET ProductStockCount = '100.00'");
        GoodsBillLines changed = bill(edit.changed);
        for (struct_button_goodsbill &l : changed)
            l.GUID = stored[0].GUID;
        outcome = writer.Change(changed);
        EXPECT_TRUE(outcome.found);
        EXPECT_EQ(stock(), expectedStock(edit.moves));
        EXPECT_EQ(rows(stored[0].GUID), texts(changed));

        // A delete gives back the stored lines, whatever the caller's grid
        // held since.
        db.exec("UPDATE tbl_StoreMgr SET ProductStockCount = '100.00'");
        outcome = writer.Delete(stored[0].GUID);
        EXPECT_TRUE(outcome.found);
        std::map<char, double> taken;
        for (const FixtureLine &l : edit.changed)
            taken[l.code.at(0).toLatin1()] -= StrToDouble(l.amount);
        EXPECT_EQ(stock(), expectedStock(taken));
        EXPECT_TRUE(rows(stored[0].GUID).isEmpty());
    }

    // Counts of cents come back exactly, however often they are written
    // and taken back.
    db.exec("PRAGMA synchronous = OFF");
    db.exec("UPDATE tbl_StoreMgr SET ProductStockCount = '100.00'");
    for (int i = 0; i < 100; ++i) {
        const GoodsBillLines cents = bill({line('A', "0.12"), line('B', "0.07")});
        writer.Add(cents);
        writer.Delete(cents[0].GUID);
    }
    EXPECT_EQ(stock(), expectedStock({}));
}

TEST_P(GoodsBillWriterTest, AFailureBetweenRowsAndStockLeavesBothUntouched)
{
    const GoodsBillLines stored = bill({line('A', "10"), line('B', "3")});
    writer.Add(stored);
    const QStringList stockBefore = stock();
    GoodsBillLines changed = bill({line('A', "4"), line('C', "9")});
    for (struct_button_goodsbill &l : changed)
        l.GUID = stored[0].GUID;

    // The bill's rows are written, then the stock update fails.
    FailWrites(db, "tbl_StoreMgr", "UPDATE");
    EXPECT_THROW(writer.Change(changed), DbError);
    EXPECT_THROW(writer.Delete(stored[0].GUID), DbError);
    const GoodsBillLines other = bill({line('C', "1")});
    EXPECT_THROW(writer.Add(other), DbError);

    EXPECT_EQ(rows(stored[0].GUID), texts(stored));
    EXPECT_TRUE(rows(other[0].GUID).isEmpty());
    EXPECT_EQ(stock(), stockBefore);
    // A failure between two rows of the bill is undone as well.
    db.db().executeScript(QStringLiteral("DROP TRIGGER fail_tbl_StoreMgr_UPDATE"));
    FailWrites(db, kind().side().table, "INSERT", "NEW.ProductCode = 'C1'");
    EXPECT_THROW(writer.Change(changed), DbError);
    EXPECT_EQ(rows(stored[0].GUID), texts(stored));
    EXPECT_EQ(stock(), stockBefore);
    // The connection is usable again after the rollback.
    EXPECT_TRUE(writer.Change(bill({line('A', "1")})).found == false);
}

TEST_P(GoodsBillWriterTest, MissingProductsMoveNothingAndAreNamed)
{
    // Two product rows of one key each move from their own count; an empty
    // count counts from 0.
    AddProductRow(db.db(), QStringLiteral("A1"), QStringLiteral("货品A"), QStringLiteral("规格"), QString());
    GoodsBillLines lines = bill({line('A', "4"), line('B', "1")});
    lines.push_back(lines[0]);
    lines.back().ProductName = QStringLiteral("已改名的货品");
    lines.push_back(lines[0]);
    lines.back().ProductName = QStringLiteral("无规格货品");
    lines.back().ProductSpec.clear();
    const GoodsBillWriter::Outcome outcome = writer.Add(lines);
    EXPECT_EQ(
        outcome.missingProducts, QStringList({QStringLiteral("已改名的货品（规格）"), QStringLiteral("无规格货品")}));
    EXPECT_EQ(db.scalar("SELECT group_concat(ProductStockCount, ' ') FROM (SELECT * FROM tbl_StoreMgr "
                        "WHERE ProductCode = 'A1' ORDER BY RowNo)"),
        DoubleToStr(100 + 4 * kind().sign) + QLatin1Char(' ') + DoubleToStr(4 * kind().sign));
    EXPECT_EQ(StockOf(db, QStringLiteral("B1")), DoubleToStr(100 + kind().sign));
    EXPECT_EQ(rows(lines[0].GUID).size(), 4);

    // Nothing to move for a product whose count did not change: nothing to
    // name either.
    EXPECT_TRUE(writer.Change(lines).missingProducts.isEmpty());
}

TEST_P(GoodsBillWriterTest, BillsThatAreGoneOrIncompleteWriteNothing)
{
    const GoodsBillLines gone = bill({line('A', "1")});
    EXPECT_FALSE(writer.Change(gone).found);
    EXPECT_FALSE(writer.Delete(gone[0].GUID).found);
    EXPECT_FALSE(writer.Delete(QString()).found);
    EXPECT_TRUE(rows(gone[0].GUID).isEmpty());

    GoodsBillLines noGuid = gone;
    noGuid[0].GUID.clear();
    EXPECT_THROW(writer.Add(noGuid), DbError);
    EXPECT_THROW(writer.Add({}), DbError);
    EXPECT_THROW(writer.Change({}), DbError);
    EXPECT_EQ(RowCount(db, kind().side().table), 0);
    EXPECT_EQ(stock(), expectedStock({}));
}

INSTANTIATE_TEST_SUITE_P(Kinds, GoodsBillWriterTest, ::testing::ValuesIn(kBillKinds),
    [](const auto &info) { return std::string(info.param.label); });
