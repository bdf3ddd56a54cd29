#include <gtest/gtest.h>

#include <functional>

#include "GoodsBillForm.h"

// The checks before a save, in the order a person reads the window, and
// the lines a bill is built into.

namespace {

GoodsBillForm::LineTexts Line(const char* code, const char* count = "3", const char* price = "2.50")
{
    return {QString::fromUtf8(code), QStringLiteral("螺丝"), QStringLiteral("M3"), QStringLiteral("个"),
        QString::fromUtf8(count), QString::fromUtf8(price), QStringLiteral("7.50"), QString()};
}

GoodsBillForm::LineTexts Empty()
{
    return {};
}

// A bill that passes every check: a client, a code and one line.
GoodsBillForm WholeBill()
{
    GoodsBillForm form;
    form.company = QStringLiteral("甲客户");
    form.date = QStringLiteral("2011-05-03");
    form.billCode = QStringLiteral("XS_CH_20110503");
    form.total = QStringLiteral("7.50");
    form.capital = QStringLiteral("柒元 伍角 零分 ");
    form.lines = {Line("A1"), Empty(), Empty(), Empty(), Empty(), Empty()};
    return form;
}

struct ProblemCase
{
    const char* name;
    std::function<void(GoodsBillForm&)> change;
    const char* message; // empty: the bill passes
    int line;
    int column;
};

void PrintTo(const ProblemCase& c, std::ostream* out)
{
    *out << c.name;
}

class FormChecks : public testing::TestWithParam<ProblemCase>
{
};

} // namespace

TEST_P(FormChecks, TheFirstFailingCheckNamesItsFieldAndPlace)
{
    const ProblemCase c = GetParam();
    GoodsBillForm form = WholeBill();
    c.change(form);
    const std::optional<GoodsBillForm::Problem> problem = form.Validate();
    if (*c.message == '\0') {
        EXPECT_FALSE(problem) << problem->message.toStdString();
        return;
    }
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->message.toStdString(), std::string(c.message));
    EXPECT_EQ(problem->line, c.line);
    EXPECT_EQ(problem->column, c.column);
}

using F = GoodsBillForm;

INSTANTIATE_TEST_SUITE_P(Checks, FormChecks,
    testing::Values(ProblemCase {"whole", [](F&) {}, "", -1, -1},
        // The prepayment switch and its lists: checked first, and only
        // while the switch is on.
        ProblemCase {"prepaidWithoutDeposit", [](F& f) { f.prepaid = true; }, "请填写 预付款。", -1, -1},
        ProblemCase {"prepaidWithoutAccount",
            [](F& f) {
                f.prepaid = true;
                f.deposit = QStringLiteral("0");
                f.company.clear();
            },
            "请填写 帐户名称。", -1, -1},
        ProblemCase {"prepaidWithoutVoucher",
            [](F& f) {
                f.prepaid = true;
                f.deposit = QStringLiteral("10");
                f.account = QStringLiteral("现金");
                f.incomeType = QStringLiteral("货款");
                f.fundType = QStringLiteral("现金");
            },
            "请填写 凭证。", -1, -1},
        ProblemCase {"emptyListsWithoutPrepayment", [](F& f) { f.voucher.clear(); }, "", -1, -1},
        ProblemCase {"company",
            [](F& f) {
                f.company.clear();
                f.billCode.clear();
            },
            "请填写 ‘单位名称’。", -1, -1},
        ProblemCase {"code", [](F& f) { f.billCode.clear(); }, "请填写 ‘单据编号’。", -1, -1},
        ProblemCase {"noLines", [](F& f) { f.lines[0] = Empty(); }, "请填写 ‘货品编号’。", 0, F::Code},
        // An empty row among the lines is a gap to close, not the bill's end.
        ProblemCase {"gap",
            [](F& f) {
                f.lines[1] = Line("B1");
                f.lines[3] = Line("C1");
            },
            "请填写 ‘货品编号’。", 2, F::Code},
        ProblemCase {"firstRowEmpty",
            [](F& f) {
                f.lines[0] = Empty();
                f.lines[4] = Line("C1");
            },
            "请填写 ‘货品编号’。", 0, F::Code},
        ProblemCase {"lineWithoutCode", [](F& f) { f.lines[1] = Line(""); }, "请填写 ‘货品编号’。", 1, F::Code},
        ProblemCase {"onlyARemark", [](F& f) { f.lines[1][F::Remark] = QStringLiteral("备注"); }, "请填写 ‘货品编号’。",
            1, F::Code},
        ProblemCase {
            "emptyUnitPrice", [](F& f) { f.lines[0][F::UnitPrice].clear(); }, "请填写完整产品信息。", 0, F::UnitPrice},
        ProblemCase {"emptyRemarkIsFine", [](F& f) { f.lines[0][F::Remark].clear(); }, "", -1, -1},
        // Counts and prices are plain unsigned numbers.
        ProblemCase {"countWithLetters", [](F& f) { f.lines[0][F::Count] = QStringLiteral("2a"); },
            "第 1 行的“数量”只能填写数字。", 0, F::Count},
        ProblemCase {"negativeCount",
            [](F& f) {
                f.lines[1] = Line("B1");
                f.lines[1][F::Count] = QStringLiteral("-2");
            },
            "第 2 行的“数量”只能填写数字。", 1, F::Count},
        ProblemCase {"priceWithComma", [](F& f) { f.lines[0][F::UnitPrice] = QStringLiteral("1,50"); },
            "第 1 行的“单价”只能填写数字。", 0, F::UnitPrice},
        ProblemCase {"blanksAroundANumber", [](F& f) { f.lines[0][F::Count] = QStringLiteral(" 3 "); }, "", -1, -1},
        // A total whose capital text cannot be written.
        ProblemCase {"totalTooLarge", [](F& f) { f.total = QStringLiteral("10000000000000.00"); },
            "‘合计’金额太大，须小于 10 万亿元。", -1, -1},
        ProblemCase {"largestTotal", [](F& f) { f.total = QStringLiteral("9999999999999.99"); }, "", -1, -1}),
    [](const testing::TestParamInfo<ProblemCase>& info) { return std::string(info.param.name); });

TEST(FormLines, EveryLineCarriesTheHeaderAndTheDeposit)
{
    GoodsBillForm form = WholeBill();
    form.lines[1] = Line("B1", " 2 ", "1.5");
    form.remark = QStringLiteral("备注");
    form.seller = QStringLiteral("小王");
    form.voucher = QStringLiteral("收据");
    form.date = QStringLiteral("2011-05-03 00:00:00");
    GoodsBillBuildContext context;
    context.mode = GoodsBillModeInfo::For(11);
    context.guid = QStringLiteral("G-1");
    context.depositAmount = QStringLiteral("50.00");
    context.depositGuid = QStringLiteral("D-1");

    const GoodsBillLines lines = BuildBillLines(form, context);
    ASSERT_EQ(lines.size(), 2u);
    for (const struct_button_goodsbill& line : lines) {
        EXPECT_EQ(line.GUID, QStringLiteral("G-1"));
        EXPECT_EQ(line.BillType, QStringLiteral("退货单"));
        EXPECT_EQ(line.InputDate, QStringLiteral("2011-05-03"));
        EXPECT_EQ(line.Imprest, QStringLiteral("50.00"));
        EXPECT_EQ(line.ImprestBillGuid, QStringLiteral("D-1"));
        EXPECT_EQ(line.EnableImprest, QStringLiteral("禁用预付款"));
        EXPECT_EQ(line.BillRemark, QStringLiteral("备注"));
        EXPECT_EQ(line.SellerName, QStringLiteral("小王"));
        EXPECT_EQ(line.voucher, QStringLiteral("收据"));
        EXPECT_EQ(line.SumMoney, QStringLiteral("7.50"));
    }
    EXPECT_EQ(lines[0].ProductCode, QStringLiteral("A1"));
    EXPECT_EQ(lines[1].ProductAmount, QStringLiteral("2"));
    EXPECT_EQ(lines[1].ProductUnitPrice, QStringLiteral("1.5"));

    // The printed bill: the lines and blank ones up to six, header kept.
    const GoodsBillLines printed = PrintLinesOf(lines, form, context);
    ASSERT_EQ(printed.size(), 6u);
    EXPECT_EQ(printed[1].ProductCode, QStringLiteral("B1"));
    EXPECT_TRUE(printed[5].ProductCode.isEmpty() && printed[5].ProductAmount.isEmpty());
    EXPECT_EQ(printed[5].CompanyName, QStringLiteral("甲客户"));
}
