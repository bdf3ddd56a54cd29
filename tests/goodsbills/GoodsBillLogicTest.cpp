#include <algorithm>
#include <map>

#include "CapitalNumerals.h"
#include "GoodsBillCatalog.h"
#include "GoodsBillForm.h"
#include "GoodsBillModeInfo.h"
#include "GoodsBillQuery.h"
#include "GoodsBillStore.h"
#include "GoodsBillTestSupport.h"
#include "GoodsBillWriter.h"

// The goods bills' logic on a real database file: the writer's stock
// moves, the store, the search criteria, the checks before a save and the
// texts a bill makes itself.

// Queries are written with designated initializers: the members left out
// keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

// A bill in memory as the editor builds it: one new GUID, the kind and
// the party in every line.
GoodsBillLines MakeBill(const BillKind& kind, const std::vector<FixtureLine>& lines)
{
    const QString guid = GuidText();
    GoodsBillLines bill;
    for (const FixtureLine& fixture : lines) {
        struct_button_goodsbill& line = bill.emplace_back();
        line.GUID = guid;
        line.BillType = kind.type();
        line.CompanyName = kind.company();
        line.ProductCode = fixture.code;
        line.ProductName = fixture.name;
        line.ProductSpec = fixture.spec;
        line.ProductAmount = fixture.amount;
        line.ProductUnitPrice = fixture.unitPrice;
    }
    return bill;
}

// A line of product A, B or C (each with stock 100 to start with).
FixtureLine line(char product, const char* count)
{
    const QString code = QString(QLatin1Char(product)) + QLatin1Char('1');
    return {code, "货品" + QLatin1Char(product), "规格", count, "2.00"};
}

struct Edit
{
    const char* name;
    std::vector<FixtureLine> stored;
    std::vector<FixtureLine> changed;
    std::map<char, double> moves; // each product's stock change, in units of the kind's sign
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

class GoodsBillWriterTest : public GoodsBillTest
{
protected:
    void SetUp() override
    {
        GoodsBillTest::SetUp();
        for (char product : {'A', 'B', 'C'})
            AddProductRow(db.db(), line(product, "").code, line(product, "").name, "规格", "100.00");
    }
    // The stock of A, B and C after the moves, in units of the kind's sign.
    QString expectedStock(const std::map<char, double>& moves) const
    {
        QStringList stock;
        for (char product : {'A', 'B', 'C'})
            stock << DoubleToStr(100 + kind().sign * (moves.count(product) ? moves.at(product) : 0.0));
        return stock.join(QLatin1Char(' '));
    }
    QString stock()
    {
        return db.scalar("SELECT group_concat(ProductStockCount, ' ') FROM (SELECT * FROM tbl_StoreMgr "
                         "WHERE ProductCode IN ('A1', 'B1', 'C1') ORDER BY ProductCode)");
    }
    void resetStock() { db.exec("UPDATE tbl_StoreMgr SET ProductStockCount = '100.00'"); }
    static std::map<char, double> counts(const std::vector<FixtureLine>& lines, double factor)
    {
        std::map<char, double> sum;
        for (const FixtureLine& l : lines)
            sum[l.code.at(0).toLatin1()] += factor * StrToDouble(l.amount);
        return sum;
    }

    GoodsBillWriter writer {db.db(), kind().side()};
};

} // namespace

TEST_P(GoodsBillWriterTest, WritesMoveStockByTheNetChangePerProduct)
{
    for (const Edit& edit : kEdits) {
        SCOPED_TRACE(edit.name);
        resetStock();
        const GoodsBillLines stored = MakeBill(kind(), edit.stored);
        EXPECT_TRUE(writer.Add(stored).found);
        EXPECT_EQ(stock(), expectedStock(counts(edit.stored, 1)));

        resetStock();
        GoodsBillLines changed = MakeBill(kind(), edit.changed);
        QStringList changedRows;
        for (struct_button_goodsbill& l : changed) {
            l.GUID = stored[0].GUID;
            changedRows << l.ProductCode + QLatin1Char(':') + l.ProductAmount;
        }
        EXPECT_TRUE(writer.Change(changed).found);
        EXPECT_EQ(stock(), expectedStock(edit.moves));
        EXPECT_EQ(StoredColumn(db, kind(), "ProductCode || ':' || ProductAmount", stored[0].GUID), changedRows);

        // A delete gives back the stored lines.
        resetStock();
        EXPECT_TRUE(writer.Delete(stored[0].GUID).found);
        EXPECT_EQ(stock(), expectedStock(counts(edit.changed, -1)));
        EXPECT_EQ(rowCount(db, kind().table()), 0);
    }
    // Counts of cents come back exactly, however often they are written
    // and taken back.
    db.exec("PRAGMA synchronous = OFF");
    resetStock();
    for (int i = 0; i < 100; ++i) {
        const GoodsBillLines cents = MakeBill(kind(), {line('A', "0.12"), line('B', "0.07")});
        writer.Add(cents);
        writer.Delete(cents[0].GUID);
    }
    EXPECT_EQ(stock(), expectedStock({}));
    writer.Add(MakeBill(kind(), {line('A', "0.12"), line('B', "0.07")}));
    EXPECT_EQ(stock(), expectedStock({{'A', 0.12}, {'B', 0.07}}));
}

TEST_P(GoodsBillWriterTest, MissingProductsMoveNothingAndAreNamedAndIncompleteBillsNothingAtAll)
{
    // Two product rows of one key each move from their own count; an empty
    // count counts from 0.
    AddProductRow(db.db(), "A1", "货品A", "规格", QString());
    GoodsBillLines lines = MakeBill(kind(), {line('A', "4"), line('B', "1"), line('A', "1"), line('A', "1")});
    lines[2].ProductName = "已改名的货品";
    lines[3].ProductName = "无规格货品";
    lines[3].ProductSpec.clear();
    EXPECT_EQ(writer.Add(lines).missingProducts, QStringList({"已改名的货品（规格）", "无规格货品"}));
    EXPECT_EQ(db.scalar("SELECT group_concat(ProductStockCount, ' ') FROM (SELECT * FROM tbl_StoreMgr "
                        "WHERE ProductCode IN ('A1', 'B1') ORDER BY RowNo)"),
        QStringList({DoubleToStr(100 + 4 * kind().sign), DoubleToStr(100 + kind().sign), DoubleToStr(4 * kind().sign)})
            .join(QLatin1Char(' ')));
    // Nothing moves for a product whose count did not change: nothing to
    // name either.
    EXPECT_TRUE(writer.Change(lines).missingProducts.isEmpty());
    EXPECT_EQ(rowCount(db, kind().table()), 4);

    lines[0].GUID.clear();
    EXPECT_THROW(writer.Add(lines), DbError);
    EXPECT_THROW(writer.Change({}), DbError);
    EXPECT_FALSE(writer.Delete(QString()).found);
    EXPECT_EQ(rowCount(db, kind().table()), 4);
}

INSTANTIATE_TEST_SUITE_P(Kinds, GoodsBillWriterTest, testing::ValuesIn(kBillKinds), KindName);

namespace {

class GoodsBillStoreTest : public GoodsBillTest
{
protected:
    GoodsBillStore store {db.db(), kind().side()};
    void exec(const char* sql, const QStringList& values = {})
    {
        db.exec(QString::fromLatin1(sql).arg(table).toUtf8().constData(), values);
    }

    const QString table = QLatin1String(kind().side().depositTable);
};

} // namespace

TEST_P(GoodsBillStoreTest, LinesRoundTripAndLoadInRowNoOrder)
{
    GoodsBillLines bill = MakeBill(kind(),
        {{"A1", "合页", "4寸", "3", "2.50"}, {"B1", "门吸", "", "1", "9"}, {"C1", "螺丝", "M8", "100", "0.05"}});
    for (struct_button_goodsbill& l : bill)
        l.Imprest = "250";
    bill[1].ProductRemark = "加急";
    const GoodsBillLines other = MakeBill(kind(), {{"A1", "合页", "", "1", "1"}});
    Transaction transaction(db.db());
    store.AddBill(bill);
    store.AddBill(other);
    transaction.commit();
    EXPECT_EQ(StoredColumn(db, kind(), "ProductCode, ProductRemark, Imprest", bill[0].GUID),
        QStringList({"A1||250", "B1|加急|250", "C1||250"}));
    // Renumbered as if written last to first: the lines load by RowNo, not
    // in whatever order a scan gives (SQLite scans by RowNo, so its scans
    // are turned round). Without a deposit bill the deposit reads "0",
    // whatever the rows hold.
    db.exec("PRAGMA reverse_unordered_selects = ON");
    db.exec(QStringLiteral("UPDATE %1 SET RowNo = -RowNo WHERE GUID = ?").arg(kind().table()).toUtf8().constData(),
        {bill[0].GUID});
    std::reverse(bill.begin(), bill.end());
    EXPECT_EQ(store.LoadStoredLines(bill[0].GUID), bill);
    for (struct_button_goodsbill& l : bill)
        l.Imprest = "0";
    EXPECT_EQ(store.LoadBill(bill[0].GUID), bill);
    EXPECT_TRUE(store.LoadBill(GuidText()).empty());
    EXPECT_EQ(store.DeleteBill(bill[0].GUID), 3);
    EXPECT_EQ(store.DeleteBill(bill[0].GUID), 0);
    EXPECT_EQ(StoredColumn(db, kind(), "GUID"), QStringList {other[0].GUID});
}

TEST_P(GoodsBillStoreTest, TheDepositIsItsFinanceBillsAmountOrZeroOnceItIsGone)
{
    const auto addDeposit = [&](PartySide party, const char* amount) {
        return AddFinanceBillRow(db.db(), party, "收入单", "甲", "现金", "2011-03-30", amount);
    };
    const struct_button_financebill deposit = addDeposit(kind().party, "300.00");
    // The other side's finance table never books this side's deposits.
    const struct_button_financebill otherSide = addDeposit(kind().isSales() ? PartyProvider : PartyClient, "999.00");
    const QString linked = StoreBill(deposit.GUID)[0].GUID;
    const QString wrongSide = StoreBill(otherSide.GUID)[0].GUID;
    const QString unlinked = StoreBill()[0].GUID;
    const auto deposits = [&](const QString& guid) {
        QStringList texts;
        for (const struct_button_goodsbill& l : store.LoadBill(guid))
            texts << l.Imprest + QLatin1Char('@') + l.ImprestBillGuid;
        return texts;
    };
    EXPECT_EQ(deposits(linked), QStringList(2, "300.00@" + deposit.GUID));
    EXPECT_EQ(deposits(wrongSide) + deposits(unlinked), QStringList(4, "0@"));
    struct_button_financebill record;
    ASSERT_TRUE(store.LoadImprestBill(deposit.GUID, record));
    EXPECT_EQ(record, deposit);

    // Once the deposit bill is deleted the link reads as none; the stored
    // link stays as written.
    exec("DELETE FROM %1 WHERE GUID = ?", {deposit.GUID});
    EXPECT_EQ(deposits(linked), QStringList(2, "0@"));
    EXPECT_EQ(StoredColumn(db, kind(), "ImprestBillGuid", linked), QStringList(2, deposit.GUID));
    struct_button_financebill none;
    none.MoneyCount = "0";
    for (const QString& guid : {deposit.GUID, otherSide.GUID}) {
        record.BillCode = "left over";
        EXPECT_FALSE(store.LoadImprestBill(guid, record));
        EXPECT_EQ(record, none);
    }
    // A database error is no "not found": it is thrown.
    exec("DROP TABLE %1");
    EXPECT_THROW(store.LoadImprestBill(deposit.GUID, record), DbError);
    EXPECT_THROW(store.LoadBill(linked), DbError);
}

INSTANTIATE_TEST_SUITE_P(Sides, GoodsBillStoreTest, testing::ValuesIn(kBillSides), KindName);

namespace {

struct QueryCase
{
    const char* name;
    GoodsBillQuery query;
    const char* found; // the bills found, as indexes into the shop
};

void PrintTo(const QueryCase& c, std::ostream* out)
{
    *out << c.name;
}

class GoodsBillQueryTest : public testing::TestWithParam<QueryCase>
{
};

} // namespace

TEST_P(GoodsBillQueryTest, FindsTheBillsOfTheSideThatMatch)
{
    for (const BillKind& main : kBillSides) {
        SCOPED_TRACE(main.label);
        TestDatabase db;
        const auto add
            = [&](const BillKind& kind, const char* company, const char* date, const std::vector<FixtureLine>& lines) {
                  return AddGoodsBillRows(db.db(), kind.party, kind.type(), company, date, lines)[0].GUID;
              };
        // 0: 甲, three lines, 100.00; 1: a return of O'Neil, 99.00; 2: 甲 in April, 5.50.
        const QStringList shop {
            add(main, "甲", "2011-03-01",
                {{"A1", "合页", "4寸", "2", "20"}, {"B1", "门吸", "大", "3", "10"}, {"C1", "螺丝", "M8", "1", "30"}}),
            add(main.other(), "O'Neil", "2011-03-31", {{"B1", "门吸", "大", "9", "11"}}),
            add(main, "甲", "2011-04-01", {{"A1", "合页", "4寸", "1", "5.50"}})};
        db.exec(
            QStringLiteral("UPDATE %1 SET BillRemark = '月结', SellerName = '王五', BillCode = 'C-2' WHERE GUID = ?")
                .arg(main.table())
                .toUtf8()
                .constData(),
            {shop[1]});
        // Bills of the other side never show.
        add(kBillSides[main.isSales() ? 1 : 0], "甲", "2011-03-01", {{"A1", "合页", "4寸", "1", "1"}});

        QStringList found;
        for (const struct_button_goodsbill& l : GoodsBillCatalog(db.db(), main.side()).Search(GetParam().query))
            found << QString::number(shop.indexOf(l.GUID));
        EXPECT_EQ(found.join(QLatin1Char(' ')), QString::fromLatin1(GetParam().found));
    }
}

INSTANTIATE_TEST_SUITE_P(Filters, GoodsBillQueryTest,
    testing::Values(QueryCase {"none", {}, "0 1 2"}, QueryCase {"company", {.companyName = "甲"}, "0 2"},
        // A name with a quote is a value like any other.
        QueryCase {"quotedCompany", {.companyName = "O'Neil"}, "1"},
        QueryCase {"returns", {.billTypeChoice = GoodsBillQuery::ReturnBills}, "1"},
        QueryCase {"mainKind", {.billTypeChoice = GoodsBillQuery::MainBills}, "0 2"},
        // Both days of a range are in it.
        QueryCase {"march", {.hasDateRange = true, .firstDay = "2011-03-01", .lastDay = "2011-03-31"}, "0 1"},
        QueryCase {"insideMarch", {.hasDateRange = true, .firstDay = "2011-03-02", .lastDay = "2011-03-30"}, ""},
        // As numbers: "100.00" is above 99.5, "99.00" below.
        QueryCase {"above99_5", {.hasAmountRange = true, .lowestAmount = 99.5, .highestAmount = 1000}, "0"},
        QueryCase {"from5_5to99", {.hasAmountRange = true, .lowestAmount = 5.5, .highestAmount = 99}, "1 2"},
        QueryCase {"remark", {.billRemark = "月结"}, "1"}, QueryCase {"partOfARemark", {.billRemark = "月"}, ""},
        QueryCase {"seller", {.sellerName = "王五"}, "1"}, QueryCase {"code", {.billCode = "C-2"}, "1"},
        QueryCase {"productCode", {.productCode = "A1"}, "0 2"},
        QueryCase {"productName", {.productName = "螺丝"}, "0"},
        QueryCase {"productSpec", {.productSpec = "大"}, "0 1"},
        QueryCase {"companyAndCode", {.companyName = "甲", .productCode = "B1"}, "0"},
        // Bill 0 matches at its second line, though its first is in March.
        QueryCase {"marchAndCode",
            {.hasDateRange = true, .firstDay = "2011-03-01", .lastDay = "2011-03-31", .productCode = "B1"}, "0 1"}),
    [](const testing::TestParamInfo<QueryCase>& info) { return std::string(info.param.name); });

namespace {

using F = GoodsBillForm;
using FormChange = std::function<void(F&)>;

struct ProblemCase
{
    const char* name;
    FormChange change;
    const char* message; // empty: the bill passes
    int line;
    int column;
};

void PrintTo(const ProblemCase& c, std::ostream* out)
{
    *out << c.name;
}

// Line i made a whole line of that code ("" for none), or emptied (nullptr).
FormChange Row(int i, const char* code)
{
    return [=](F& f) {
        f.lines[i] = {};
        if (code)
            f.lines[i] = {code, "螺丝", "M3", "个", "3", "2.50", "7.50", ""};
    };
}

FormChange Cell(int i, int column, const char* text)
{
    return [=](F& f) { f.lines[i][column] = text; };
}

FormChange Clear(QString F::*field)
{
    return [=](F& f) { (f.*field).clear(); };
}

FormChange Both(FormChange a, FormChange b)
{
    return [=](F& f) {
        a(f);
        b(f);
    };
}

// The prepayment switch on and the first of its fields filled.
FormChange Prepaid(int filled)
{
    return [=](F& f) {
        f.prepaid = true;
        QString* fields[] = {&f.deposit, &f.account, &f.incomeType, &f.fundType};
        for (int i = 0; i < filled; ++i)
            *fields[i] = "0";
    };
}

class FormChecks : public testing::TestWithParam<ProblemCase>
{
};

} // namespace

TEST_P(FormChecks, TheFirstFailingCheckNamesItsFieldAndPlace)
{
    // A bill that passes every check: a client, a code and one line.
    GoodsBillForm form;
    form.company = "甲客户";
    form.billCode = "XS_CH_20110503";
    form.total = "7.50";
    form.lines.resize(6);
    Row(0, "A1")(form);
    GetParam().change(form);
    const std::optional<GoodsBillForm::Problem> problem = form.Validate();
    const auto text = [](const QString& message, int line, int column) {
        return message.isEmpty() ? QString() : QStringLiteral("%1 at %2,%3").arg(message).arg(line).arg(column);
    };
    EXPECT_EQ(problem ? text(problem->message, problem->line, problem->column) : QString(),
        text(QString::fromUtf8(GetParam().message), GetParam().line, GetParam().column));
}

INSTANTIATE_TEST_SUITE_P(Checks, FormChecks,
    testing::Values(ProblemCase {"whole", [](F&) {}, "", -1, -1},
        // The prepayment switch and its lists: first, and only while it is on.
        ProblemCase {"prepaidWithoutDeposit", Prepaid(0), "请填写 预付款。", -1, -1},
        ProblemCase {"prepaidWithoutAccount", Both(Prepaid(1), Clear(&F::company)), "请填写 帐户名称。", -1, -1},
        ProblemCase {"prepaidWithoutVoucher", Prepaid(4), "请填写 凭证。", -1, -1},
        ProblemCase {"company", Both(Clear(&F::company), Clear(&F::billCode)), "请填写 ‘单位名称’。", -1, -1},
        ProblemCase {"code", Clear(&F::billCode), "请填写 ‘单据编号’。", -1, -1},
        ProblemCase {"noLines", Row(0, nullptr), "请填写 ‘货品编号’。", 0, F::Code},
        // An empty row among the lines is a gap to close, not the bill's end.
        ProblemCase {"gap", Both(Row(1, "B1"), Row(3, "C1")), "请填写 ‘货品编号’。", 2, F::Code},
        ProblemCase {"firstRowEmpty", Both(Row(0, nullptr), Row(4, "C1")), "请填写 ‘货品编号’。", 0, F::Code},
        ProblemCase {"lineWithoutCode", Row(1, ""), "请填写 ‘货品编号’。", 1, F::Code},
        ProblemCase {"onlyARemark", Cell(1, F::Remark, "备注"), "请填写 ‘货品编号’。", 1, F::Code},
        ProblemCase {"emptyUnitPrice", Cell(0, F::UnitPrice, ""), "请填写完整产品信息。", 0, F::UnitPrice},
        ProblemCase {"emptyAmount", Cell(0, F::Amount, ""), "请填写完整产品信息。", 0, F::Amount},
        ProblemCase {"emptyRemarkIsFine", Cell(0, F::Remark, ""), "", -1, -1},
        // Counts and prices are plain unsigned numbers; counts to cents.
        ProblemCase {"countWithLetters", Cell(0, F::Count, "2a"), "第 1 行的“数量”只能填写数字。", 0, F::Count},
        ProblemCase {
            "negativeCount", Both(Row(1, "B1"), Cell(1, F::Count, "-2")), "第 2 行的“数量”只能填写数字。", 1, F::Count},
        ProblemCase {"countInThousandths", Cell(0, F::Count, "0.125"), "第 1 行的“数量”最多两位小数。", 0, F::Count},
        ProblemCase {"priceWithComma", Cell(0, F::UnitPrice, "1,50"), "第 1 行的“单价”只能填写数字。", 0, F::UnitPrice},
        ProblemCase {"blanksAroundANumber", Cell(0, F::Count, " 3 "), "", -1, -1},
        // A total whose capital text cannot be written.
        ProblemCase {
            "totalTooLarge", [](F& f) { f.total = "10000000000000.00"; }, "‘合计’金额太大，须小于 10 万亿元。", -1, -1},
        ProblemCase {"largestTotal", [](F& f) { f.total = "9999999999999.99"; }, "", -1, -1}),
    [](const testing::TestParamInfo<ProblemCase>& info) { return std::string(info.param.name); });

TEST(CapitalText, EveryDigitWithItsUnitAndABlank)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1234.50", "壹仟 贰佰 参拾 肆元 伍角 零分 "},
        {"0", "零元 零角 零分 "},
        {"1005.06", "壹仟 零佰 零拾 伍元 零角 陆分 "},
        {"100005.07", "壹拾 零万 零仟 零佰 零拾 伍元 零角 柒分 "},
        // Past 仟万 the places go on with 亿.
        {"123456789.00", "壹亿 贰仟 参佰 肆拾 伍万 陆仟 柒佰 捌拾 玖元 零角 零分 "},
        {"9999999999999.99", "玖万 玖仟 玖佰 玖拾 玖亿 玖仟 玖佰 玖拾 玖万 玖仟 玖佰 玖拾 玖元 玖角 玖分 "},
        // Ten trillion and what rounds up to it cannot be written.
        {"10000000000000", ""},
        {"9999999999999.996", ""},
        {"-10000000000000", ""},
        // Below zero: 负 and the absolute value.
        {"-1005.06", "负壹仟 零佰 零拾 伍元 零角 陆分 "},
        // Rounded to cents as the total cell is; any text read as StrToDouble reads it.
        {"1234.567", "壹仟 贰佰 参拾 肆元 伍角 柒分 "},
        {"-0.001", "零元 零角 零分 "},
        {"19.999", "贰拾 零元 零角 零分 "},
        {"2a", "贰元 零角 零分 "},
    };
    for (const auto& [amount, capital] : cases) {
        EXPECT_EQ(CapitalNumerals::Format(QString::fromUtf8(amount)).toStdString(), std::string(capital)) << amount;
        EXPECT_EQ(CapitalNumerals::IsWritable(QString::fromUtf8(amount)), *capital != '\0') << amount;
    }

    // Half a fen goes up, in the line, the total and the capitals alike.
    TestDatabase db;
    Grid grid;
    grid.Create();
    for (const auto& [column, text] :
        {std::pair {Grid::CodeCol, "A1"}, {Grid::CountCol, "6.5"}, {Grid::PriceCol, "35.25"}})
        grid.SetCellText(Grid::FirstLineRow, column, text);
    grid.RecomputeLine(Grid::FirstLineRow);
    EXPECT_EQ(
        QStringList({grid.CellText(Grid::FirstLineRow, Grid::AmountCol),
            grid.CellText(grid.TotalsRow(), Grid::TotalColumn), grid.CellText(grid.TotalsRow(), Grid::CapitalColumn)}),
        QStringList({"229.13", "229.13", "贰佰 贰拾 玖元 壹角 参分 "}));
}

TEST(ModeInfo, TheBillCodePrefixAndTheDepositModesOfEachMode)
{
    // Modes 0 to 19 in order; change and take-back modes have no prefix.
    const char* prefixes[] = {"XS_CH_", "XS_TH_", "", "", "", "", "XS_CH_", "XS_TH_", "", "", "CG_JH_", "CG_TH_", "",
        "", "", "", "CG_JH_", "CG_TH_", "", ""};
    // The finance editor's modes of a new and of an existing deposit bill.
    const std::pair<int, int> deposits[]
        = {{20, 22}, {21, 23}, {20, 22}, {21, 23}, {0, 0}, {0, 0}, {20, 22}, {21, 23}, {20, 22}, {21, 23}, {17, 19},
            {16, 18}, {17, 19}, {16, 18}, {17, 19}, {16, 18}, {17, 19}, {16, 18}, {0, 0}, {0, 0}};
    for (int mode = 0; mode < 20; ++mode) {
        EXPECT_EQ(MakeBillNumber(mode, "2027-01-09"), QString::fromLatin1(prefixes[mode]) + "20270109") << mode;
        const GoodsBillModeInfo info = GoodsBillModeInfo::For(mode);
        EXPECT_EQ(std::pair(info.depositNewMode, info.depositExistingMode), deposits[mode]) << mode;
    }
}
