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
#include "RecordColumns.h"

// The goods bills' logic on a real database file: the writer's stock
// moves, the store, the search criteria, the checks before a save and the
// texts a bill makes itself.

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
        for (char product : {'A', 'B', 'C'}) {
            const FixtureLine l = line(product, "0");
            AddProductRow(db.db(), l.code, l.name, l.spec, QStringLiteral("100.00"));
        }
    }
    // The stock of A, B and C after the moves, in units of the kind's sign.
    QStringList expectedStock(const std::map<char, double> &moves) const
    {
        QStringList stock;
        for (char product : {'A', 'B', 'C'})
            stock << DoubleToStr(100 + kind().sign * (moves.count(product) ? moves.at(product) : 0.0));
        return stock;
    }
    QStringList stock() { return {StockOf(db, "A1"), StockOf(db, "B1"), StockOf(db, "C1")}; }
    void resetStock() { db.exec("UPDATE tbl_StoreMgr SET ProductStockCount = '100.00'"); }
    // The GUID's rows as "code:count".
    QStringList rows(const QString &guid) { return StoredColumn(db, kind(), "ProductCode || ':' || ProductAmount", guid); }
    static std::map<char, double> counts(const std::vector<FixtureLine> &lines, double factor)
    {
        std::map<char, double> sum;
        for (const FixtureLine &l : lines)
            sum[l.code.at(0).toLatin1()] += factor * StrToDouble(l.amount);
        return sum;
    }

    GoodsBillWriter writer{db.db(), kind().side()};
};

} // namespace

TEST_P(GoodsBillWriterTest, WritesMoveStockByTheNetChangePerProduct)
{
    for (const Edit &edit : kEdits) {
        SCOPED_TRACE(edit.name);
        resetStock();
        const GoodsBillLines stored = MakeBill(kind(), edit.stored);
        EXPECT_TRUE(writer.Add(stored).found);
        EXPECT_EQ(stock(), expectedStock(counts(edit.stored, 1)));

        resetStock();
        GoodsBillLines changed = MakeBill(kind(), edit.changed);
        QStringList changedRows;
        for (struct_button_goodsbill &l : changed) {
            l.GUID = stored[0].GUID;
            changedRows << l.ProductCode + QLatin1Char(':') + l.ProductAmount;
        }
        EXPECT_TRUE(writer.Change(changed).found);
        EXPECT_EQ(stock(), expectedStock(edit.moves));
        EXPECT_EQ(rows(stored[0].GUID), changedRows);

        // A delete gives back the stored lines.
        resetStock();
        EXPECT_TRUE(writer.Delete(stored[0].GUID).found);
        EXPECT_EQ(stock(), expectedStock(counts(edit.changed, -1)));
        EXPECT_TRUE(rows(stored[0].GUID).isEmpty());
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

    // Bills without lines or GUID are refused.
    GoodsBillLines noGuid = MakeBill(kind(), {line('A', "1")});
    noGuid[0].GUID.clear();
    EXPECT_THROW(writer.Add(noGuid), DbError);
    EXPECT_THROW(writer.Change({}), DbError);
    EXPECT_FALSE(writer.Delete(QString()).found);
    EXPECT_EQ(rowCount(db, kind().table()), 0);
}

TEST_P(GoodsBillWriterTest, MissingProductsMoveNothingAndAreNamed)
{
    // Two product rows of one key each move from their own count; an empty
    // count counts from 0.
    AddProductRow(db.db(), QStringLiteral("A1"), QStringLiteral("货品A"), QStringLiteral("规格"), QString());
    GoodsBillLines lines = MakeBill(kind(), {line('A', "4"), line('B', "1"), line('A', "1"), line('A', "1")});
    lines[2].ProductName = QStringLiteral("已改名的货品");
    lines[3].ProductName = QStringLiteral("无规格货品");
    lines[3].ProductSpec.clear();
    EXPECT_EQ(writer.Add(lines).missingProducts,
        QStringList({QStringLiteral("已改名的货品（规格）"), QStringLiteral("无规格货品")}));
    EXPECT_EQ(StoredColumn(db, kind(), "ProductCode").size(), 4);
    EXPECT_EQ(db.scalar("SELECT group_concat(ProductStockCount, ' ') FROM (SELECT * FROM tbl_StoreMgr "
                        "WHERE ProductCode = 'A1' ORDER BY RowNo)"),
        DoubleToStr(100 + 4 * kind().sign) + QLatin1Char(' ') + DoubleToStr(4 * kind().sign));
    EXPECT_EQ(StockOf(db, QStringLiteral("B1")), DoubleToStr(100 + kind().sign));
    // Nothing moves for a product whose count did not change: nothing to
    // name either.
    EXPECT_TRUE(writer.Change(lines).missingProducts.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, GoodsBillWriterTest, testing::ValuesIn(kBillKinds), KindName);

namespace {

class GoodsBillStoreTest : public GoodsBillTest
{
protected:
    GoodsBillStore store{db.db(), kind().side()};
    const char *depositTable() const { return kind().side().depositTable; }
};

} // namespace

TEST_P(GoodsBillStoreTest, LinesRoundTripByColumnNameAndLoadInRowNoOrder)
{
    GoodsBillLines bill = MakeBill(kind(),
        {{"A1", "合页", "4寸", "3", "2.50"}, {"B1", "门吸", "", "1", "9"}, {"C1", "螺丝", "M8", "100", "0.05"}});
    for (struct_button_goodsbill &l : bill)
        l.Imprest = QStringLiteral("250");
    bill[1].ProductRemark = QStringLiteral("加急");
    const GoodsBillLines other = MakeBill(kind(), {{"A1", "合页", "", "1", "1"}});
    {
        Transaction transaction(db.db());
        store.AddBill(bill);
        store.AddBill(other);
        transaction.commit();
    }
    // Every column holds the field of its name.
    Statement rows = db.db().prepare(
        QStringLiteral("SELECT * FROM %1 WHERE GUID = ? ORDER BY RowNo").arg(kind().table()).toUtf8().constData());
    rows.bind(1, bill[0].GUID);
    for (const struct_button_goodsbill &l : bill) {
        ASSERT_TRUE(rows.next());
        for (const auto &[column, value] : InsertColumns(l))
            EXPECT_EQ(rows.text(column), value) << column.toStdString() << " of " << l.ProductCode.toStdString();
    }
    EXPECT_FALSE(rows.next());

    // Renumbered as if written last to first: the lines load by RowNo. Without
    // a deposit bill the deposit reads "0", whatever the rows hold.
    db.exec(QStringLiteral("UPDATE %1 SET RowNo = -RowNo WHERE GUID = ?").arg(kind().table()).toUtf8().constData(),
        {bill[0].GUID});
    std::reverse(bill.begin(), bill.end());
    EXPECT_EQ(store.LoadStoredLines(bill[0].GUID), bill);
    for (struct_button_goodsbill &l : bill)
        l.Imprest = QStringLiteral("0");
    EXPECT_EQ(store.LoadBill(bill[0].GUID), bill);
    EXPECT_TRUE(store.LoadBill(GuidText()).empty());

    EXPECT_EQ(store.DeleteBill(bill[0].GUID), 3);
    EXPECT_EQ(store.DeleteBill(bill[0].GUID), 0);
    EXPECT_EQ(StoredColumn(db, kind(), "GUID"), QStringList {other[0].GUID});
}

TEST_P(GoodsBillStoreTest, TheDepositIsItsFinanceBillsAmountOrZeroOnceItIsGone)
{
    const auto addDeposit = [&](PartySide party, const char *amount) {
        return AddFinanceBillRow(db.db(), party, QStringLiteral("收入单"), QStringLiteral("甲"), QStringLiteral("现金"),
            QStringLiteral("2011-03-30"), QString::fromLatin1(amount));
    };
    const struct_button_financebill deposit = addDeposit(kind().party, "300.00");
    // Neither the other side's finance table nor a finance bill without a
    // GUID books this side's deposits.
    const struct_button_financebill otherSide = addDeposit(kind().isSales() ? PartyProvider : PartyClient, "999.00");
    db.exec(QStringLiteral("UPDATE %1 SET GUID = '' WHERE GUID = ?").arg(depositTable()).toUtf8().constData(),
        {addDeposit(kind().party, "777.00").GUID});
    const QString linked = StoreBill(deposit.GUID)[0].GUID;
    const QString wrongSide = StoreBill(otherSide.GUID)[0].GUID;
    const QString unlinked = StoreBill()[0].GUID;
    const auto deposits = [&](const QString &guid) {
        QStringList texts;
        for (const struct_button_goodsbill &l : store.LoadBill(guid))
            texts << l.Imprest + QLatin1Char('@') + l.ImprestBillGuid;
        return texts;
    };
    EXPECT_EQ(deposits(linked), QStringList(2, QStringLiteral("300.00@") + deposit.GUID));
    EXPECT_EQ(deposits(wrongSide), QStringList(2, QStringLiteral("0@")));
    EXPECT_EQ(deposits(unlinked), QStringList(2, QStringLiteral("0@")));
    struct_button_financebill record;
    ASSERT_TRUE(store.LoadImprestBill(deposit.GUID, record));
    EXPECT_EQ(record, deposit);

    // Once the deposit bill is deleted the link reads as none; the stored
    // link stays as written.
    db.exec(QStringLiteral("DELETE FROM %1 WHERE GUID = ?").arg(depositTable()).toUtf8().constData(), {deposit.GUID});
    EXPECT_EQ(deposits(linked), QStringList(2, QStringLiteral("0@")));
    EXPECT_EQ(StoredColumn(db, kind(), "ImprestBillGuid", linked), QStringList(2, deposit.GUID));
    struct_button_financebill none;
    none.MoneyCount = QStringLiteral("0");
    for (const QString &guid : {deposit.GUID, otherSide.GUID}) {
        record.BillCode = QStringLiteral("left over");
        EXPECT_FALSE(store.LoadImprestBill(guid, record));
        EXPECT_EQ(record, none);
    }
    // A database error is no "not found": it is thrown.
    db.exec(QStringLiteral("DROP TABLE %1").arg(depositTable()).toUtf8().constData());
    EXPECT_THROW(store.LoadImprestBill(deposit.GUID, record), DbError);
    EXPECT_THROW(store.LoadBill(linked), DbError);
}

INSTANTIATE_TEST_SUITE_P(Sides, GoodsBillStoreTest, testing::ValuesIn(kBillSides), KindName);

namespace {

using QuerySetter = std::function<void(GoodsBillQuery &)>;

struct QueryCase
{
    const char *name;
    QuerySetter set;
    const char *found; // the bills found, as indexes into the shop
};

void PrintTo(const QueryCase &c, std::ostream *out)
{
    *out << c.name;
}

const QuerySetter kDates = [](GoodsBillQuery &q) { q.hasDateRange = true; };
const QuerySetter kAmounts = [](GoodsBillQuery &q) { q.hasAmountRange = true; };

class GoodsBillQueryTest : public testing::TestWithParam<QueryCase>
{
};

} // namespace

TEST_P(GoodsBillQueryTest, FindsTheBillsOfTheSideThatMatch)
{
    for (const BillKind &main : kBillSides) {
        SCOPED_TRACE(main.label);
        TestDatabase db;
        const BillKind &returns = main.other();
        const auto add = [&](const BillKind &kind, const char *company, const char *date,
                             const std::vector<FixtureLine> &lines) {
            return AddGoodsBillRows(db.db(), kind.party, kind.type(), QString::fromUtf8(company),
                QString::fromLatin1(date), lines)[0].GUID;
        };
        // 0: 甲, three lines, 100.00; 1: a return of O'Neil, 99.00; 2: 甲 in April, 5.50.
        const QStringList shop {add(main, "甲", "2011-03-01",
                                    {{"A1", "合页", "4寸", "2", "20"}, {"B1", "门吸", "大", "3", "10"},
                                        {"C1", "螺丝", "M8", "1", "30"}}),
            add(returns, "O'Neil", "2011-03-31", {{"B1", "门吸", "大", "9", "11"}}),
            add(main, "甲", "2011-04-01", {{"A1", "合页", "4寸", "1", "5.50"}})};
        db.exec(
            QStringLiteral("UPDATE %1 SET BillRemark = '月结', SellerName = '王五', BillCode = 'CODE-2' WHERE GUID = ?")
                .arg(main.table())
                .toUtf8()
                .constData(),
            {shop[1]});
        // Bills of the other side never show.
        add(kBillSides[main.isSales() ? 1 : 0], "甲", "2011-03-01", {{"A1", "合页", "4寸", "1", "1"}});

        GoodsBillQuery query;
        GetParam().set(query);
        QStringList found;
        for (const struct_button_goodsbill &l : GoodsBillCatalog(db.db(), main.side()).Search(query))
            found << QString::number(shop.indexOf(l.GUID));
        EXPECT_EQ(found.join(QLatin1Char(' ')), QString::fromLatin1(GetParam().found));
    }
}

INSTANTIATE_TEST_SUITE_P(Filters, GoodsBillQueryTest,
    testing::Values(QueryCase {"none", [](GoodsBillQuery &) {}, "0 1 2"},
        QueryCase {"company", [](GoodsBillQuery &q) { q.companyName = QStringLiteral("甲"); }, "0 2"},
        // A name with a quote is a value like any other.
        QueryCase {"quotedCompany", [](GoodsBillQuery &q) { q.companyName = QStringLiteral("O'Neil"); }, "1"},
        QueryCase {"injection", [](GoodsBillQuery &q) { q.companyName = QStringLiteral("' OR '1'='1"); }, ""},
        QueryCase {"returns", [](GoodsBillQuery &q) { q.billTypeChoice = GoodsBillQuery::ReturnBills; }, "1"},
        QueryCase {"mainKind", [](GoodsBillQuery &q) { q.billTypeChoice = GoodsBillQuery::MainBills; }, "0 2"},
        // Both days of a range are in it.
        QueryCase {"march",
            [](GoodsBillQuery &q) {
                kDates(q);
                q.firstDay = QStringLiteral("2011-03-01");
                q.lastDay = QStringLiteral("2011-03-31");
            },
            "0 1"},
        QueryCase {"insideMarch",
            [](GoodsBillQuery &q) {
                kDates(q);
                q.firstDay = QStringLiteral("2011-03-02");
                q.lastDay = QStringLiteral("2011-03-30");
            },
            ""},
        // As numbers: "100.00" is above 99.5, "99.00" below.
        QueryCase {"above99_5",
            [](GoodsBillQuery &q) {
                kAmounts(q);
                q.lowestAmount = 99.5;
                q.highestAmount = 1000;
            },
            "0"},
        QueryCase {"from5_5to99",
            [](GoodsBillQuery &q) {
                kAmounts(q);
                q.lowestAmount = 5.5;
                q.highestAmount = 99;
            },
            "1 2"},
        QueryCase {"remark", [](GoodsBillQuery &q) { q.billRemark = QStringLiteral("月结"); }, "1"},
        QueryCase {"partOfARemark", [](GoodsBillQuery &q) { q.billRemark = QStringLiteral("月"); }, ""},
        QueryCase {"seller", [](GoodsBillQuery &q) { q.sellerName = QStringLiteral("王五"); }, "1"},
        QueryCase {"code", [](GoodsBillQuery &q) { q.billCode = QStringLiteral("CODE-2"); }, "1"},
        QueryCase {"productCode", [](GoodsBillQuery &q) { q.productCode = QStringLiteral("A1"); }, "0 2"},
        QueryCase {"productName", [](GoodsBillQuery &q) { q.productName = QStringLiteral("螺丝"); }, "0"},
        QueryCase {"productSpec", [](GoodsBillQuery &q) { q.productSpec = QStringLiteral("大"); }, "0 1"},
        QueryCase {"companyAndSpec",
            [](GoodsBillQuery &q) {
                q.companyName = QStringLiteral("甲");
                q.productSpec = QStringLiteral("大");
            },
            "0"}),
    [](const testing::TestParamInfo<QueryCase> &info) { return std::string(info.param.name); });

namespace {

using F = GoodsBillForm;

GoodsBillForm::LineTexts Line(const char *code)
{
    return {QString::fromUtf8(code), QStringLiteral("螺丝"), QStringLiteral("M3"), QStringLiteral("个"),
        QStringLiteral("3"), QStringLiteral("2.50"), QStringLiteral("7.50"), QString()};
}

struct ProblemCase
{
    const char *name;
    std::function<void(F &)> change;
    const char *message; // empty: the bill passes
    int line;
    int column;
};

void PrintTo(const ProblemCase &c, std::ostream *out)
{
    *out << c.name;
}

class FormChecks : public testing::TestWithParam<ProblemCase>
{
};

} // namespace

TEST_P(FormChecks, TheFirstFailingCheckNamesItsFieldAndPlace)
{
    // A bill that passes every check: a client, a code and one line.
    GoodsBillForm form;
    form.company = QStringLiteral("甲客户");
    form.billCode = QStringLiteral("XS_CH_20110503");
    form.total = QStringLiteral("7.50");
    form.lines = {Line("A1"), {}, {}, {}, {}, {}};
    GetParam().change(form);
    const std::optional<GoodsBillForm::Problem> problem = form.Validate();
    const std::string shown = problem ? problem->message.toStdString() + " at " + std::to_string(problem->line) + ","
            + std::to_string(problem->column)
                                      : std::string();
    const std::string expected = *GetParam().message == '\0' ? std::string()
                                                             : std::string(GetParam().message) + " at "
            + std::to_string(GetParam().line) + "," + std::to_string(GetParam().column);
    EXPECT_EQ(shown, expected);
}

INSTANTIATE_TEST_SUITE_P(Checks, FormChecks,
    testing::Values(ProblemCase {"whole", [](F &) {}, "", -1, -1},
        // The prepayment switch and its lists: first, and only while it is on.
        ProblemCase {"prepaidWithoutDeposit", [](F &f) { f.prepaid = true; }, "请填写 预付款。", -1, -1},
        ProblemCase {"prepaidWithoutAccount",
            [](F &f) {
                f.prepaid = true;
                f.deposit = QStringLiteral("0");
                f.company.clear();
            },
            "请填写 帐户名称。", -1, -1},
        ProblemCase {"prepaidWithoutVoucher",
            [](F &f) {
                f.prepaid = true;
                f.deposit = f.account = f.incomeType = f.fundType = QStringLiteral("现金");
            },
            "请填写 凭证。", -1, -1},
        ProblemCase {"emptyListsWithoutPrepayment", [](F &f) { f.voucher.clear(); }, "", -1, -1},
        ProblemCase {"company",
            [](F &f) {
                f.company.clear();
                f.billCode.clear();
            },
            "请填写 ‘单位名称’。", -1, -1},
        ProblemCase {"code", [](F &f) { f.billCode.clear(); }, "请填写 ‘单据编号’。", -1, -1},
        ProblemCase {"noLines", [](F &f) { f.lines[0] = {}; }, "请填写 ‘货品编号’。", 0, F::Code},
        // An empty row among the lines is a gap to close, not the bill's end.
        ProblemCase {"gap",
            [](F &f) {
                f.lines[1] = Line("B1");
                f.lines[3] = Line("C1");
            },
            "请填写 ‘货品编号’。", 2, F::Code},
        ProblemCase {"firstRowEmpty",
            [](F &f) {
                f.lines[0] = {};
                f.lines[4] = Line("C1");
            },
            "请填写 ‘货品编号’。", 0, F::Code},
        ProblemCase {"lineWithoutCode", [](F &f) { f.lines[1] = Line(""); }, "请填写 ‘货品编号’。", 1, F::Code},
        ProblemCase {"onlyARemark", [](F &f) { f.lines[1][F::Remark] = QStringLiteral("备注"); },
            "请填写 ‘货品编号’。", 1, F::Code},
        ProblemCase {"emptyUnitPrice", [](F &f) { f.lines[0][F::UnitPrice].clear(); }, "请填写完整产品信息。", 0,
            F::UnitPrice},
        ProblemCase {"emptyAmount", [](F &f) { f.lines[0][F::Amount].clear(); }, "请填写完整产品信息。", 0, F::Amount},
        ProblemCase {"emptyRemarkIsFine", [](F &f) { f.lines[0][F::Remark].clear(); }, "", -1, -1},
        // Counts and prices are plain unsigned numbers; counts to cents.
        ProblemCase {"countWithLetters", [](F &f) { f.lines[0][F::Count] = QStringLiteral("2a"); },
            "第 1 行的“数量”只能填写数字。", 0, F::Count},
        ProblemCase {"negativeCount",
            [](F &f) {
                f.lines[1] = Line("B1");
                f.lines[1][F::Count] = QStringLiteral("-2");
            },
            "第 2 行的“数量”只能填写数字。", 1, F::Count},
        ProblemCase {"countInThousandths", [](F &f) { f.lines[0][F::Count] = QStringLiteral("0.125"); },
            "第 1 行的“数量”最多两位小数。", 0, F::Count},
        ProblemCase {"priceWithComma", [](F &f) { f.lines[0][F::UnitPrice] = QStringLiteral("1,50"); },
            "第 1 行的“单价”只能填写数字。", 0, F::UnitPrice},
        ProblemCase {"blanksAroundANumber", [](F &f) { f.lines[0][F::Count] = QStringLiteral(" 3 "); }, "", -1, -1},
        // A total whose capital text cannot be written.
        ProblemCase {"totalTooLarge", [](F &f) { f.total = QStringLiteral("10000000000000.00"); },
            "‘合计’金额太大，须小于 10 万亿元。", -1, -1},
        ProblemCase {"largestTotal", [](F &f) { f.total = QStringLiteral("9999999999999.99"); }, "", -1, -1}),
    [](const testing::TestParamInfo<ProblemCase> &info) { return std::string(info.param.name); });

TEST(CapitalText, EveryDigitWithItsUnitAndABlank)
{
    const std::pair<const char *, const char *> cases[] = {
        {"1234.50", "壹仟 贰佰 参拾 肆元 伍角 零分 "},
        {"0", "零元 零角 零分 "},
        {"1005.06", "壹仟 零佰 零拾 伍元 零角 陆分 "},
        {"100005.07", "壹拾 零万 零仟 零佰 零拾 伍元 零角 柒分 "},
        {"99999999.99", "玖仟 玖佰 玖拾 玖万 玖仟 玖佰 玖拾 玖元 玖角 玖分 "},
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
    for (const auto &[amount, capital] : cases) {
        EXPECT_EQ(CapitalNumerals::Format(QString::fromUtf8(amount)).toStdString(), std::string(capital)) << amount;
        EXPECT_EQ(CapitalNumerals::IsWritable(QString::fromUtf8(amount)), *capital != '\0') << amount;
    }
}

TEST(ModeInfo, TheBillCodePrefixAndTheDepositModesOfEachMode)
{
    const QString shipment = QStringLiteral("XS_CH_"), salesReturn = QStringLiteral("XS_TH_");
    const QString stockIn = QStringLiteral("CG_JH_"), purchaseReturn = QStringLiteral("CG_TH_");
    // Modes 0 to 19 in order; change and take-back modes have no prefix.
    const QStringList prefixes {shipment, salesReturn, {}, {}, {}, {}, shipment, salesReturn, {}, {}, stockIn,
        purchaseReturn, {}, {}, {}, {}, stockIn, purchaseReturn, {}, {}};
    // The finance editor's modes of a new and of an existing deposit bill.
    const std::pair<int, int> deposits[] = {{20, 22}, {21, 23}, {20, 22}, {21, 23}, {0, 0}, {0, 0}, {20, 22},
        {21, 23}, {20, 22}, {21, 23}, {17, 19}, {16, 18}, {17, 19}, {16, 18}, {17, 19}, {16, 18}, {17, 19},
        {16, 18}, {0, 0}, {0, 0}};
    for (int mode = 0; mode < 20; ++mode) {
        EXPECT_EQ(MakeBillNumber(mode, QStringLiteral("2027-01-09")), prefixes.at(mode) + QStringLiteral("20270109"))
            << "mode " << mode;
        const GoodsBillModeInfo info = GoodsBillModeInfo::For(mode);
        EXPECT_EQ(std::pair(info.depositNewMode, info.depositExistingMode), deposits[mode]) << "mode " << mode;
    }
}
