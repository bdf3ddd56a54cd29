#include "GoodsBillForm.h"

#include "CapitalNumerals.h"
#include "NumberCheck.h"

namespace {

constexpr int kPrintedLines = 6;

bool IsBlank(const QString& text)
{
    return text.trimmed().isEmpty();
}

// "第 2 行的“数量”只能填写数字。": the line as the person counts them; empty
// when the text is a number under the rule.
QString LineNumberProblem(int line, const QString& text, const QString& field, NumberRule rule)
{
    const QString problem = TypedNumberProblem(text, field, rule);
    return problem.isEmpty() ? problem : QStringLiteral("第 %1 行的").arg(line + 1) + problem;
}

// A line that carries the bill's header and no product.
struct_button_goodsbill HeaderLine(const GoodsBillForm& form, const GoodsBillBuildContext& context)
{
    struct_button_goodsbill line;
    line.BillRemark = form.remark;
    line.Imprest = context.depositAmount;
    line.AccountName = form.account;
    line.IncomeType = form.incomeType;
    line.FundType = form.fundType;
    line.voucher = form.voucher;
    line.SellerName = form.seller;
    line.CompanyName = form.company;
    line.BillCode = form.billCode;
    line.CapMoney = form.capital;
    line.SumMoney = form.total;
    line.InputDate = form.date.left(10);
    line.GUID = context.guid;
    line.ImprestBillGuid = context.depositGuid;
    line.EnableImprest = form.prepaid ? QStringLiteral("启用预付款") : QStringLiteral("禁用预付款");
    line.BillType = context.mode.billType;
    return line;
}

} // namespace

bool GoodsBillForm::IsLineUsed(int line) const
{
    const LineTexts& texts = lines.at(static_cast<std::size_t>(line));
    for (int column = 0; column < ColumnCount; ++column) {
        if (column != Amount && !IsBlank(texts[static_cast<std::size_t>(column)]))
            return true;
    }
    return false;
}

std::optional<GoodsBillForm::Problem> GoodsBillForm::Validate() const
{
    if (prepaid) {
        // The four lists only matter for a prepaid bill, which is the only
        // one that can use them.
        if (deposit.isEmpty())
            return Problem {QStringLiteral("请填写 预付款。")};
        if (account.isEmpty())
            return Problem {QStringLiteral("请填写 帐户名称。")};
        if (incomeType.isEmpty())
            return Problem {QStringLiteral("请填写 收支种类。")};
        if (fundType.isEmpty())
            return Problem {QStringLiteral("请填写 款项类别。")};
        if (voucher.isEmpty())
            return Problem {QStringLiteral("请填写 凭证。")};
    }
    if (company.isEmpty())
        return Problem {QStringLiteral("请填写 ‘单位名称’。")};
    if (billCode.isEmpty())
        return Problem {QStringLiteral("请填写 ‘单据编号’。")};

    int lastUsed = -1;
    for (int line = 0; line < static_cast<int>(lines.size()); ++line) {
        if (IsLineUsed(line))
            lastUsed = line;
    }
    const QString noCode = QStringLiteral("请填写 ‘货品编号’。");
    if (lastUsed < 0)
        return Problem {noCode, 0, Code};
    // Every row down to the last one used must be a whole line: an empty
    // row among them is a gap the person has to close, not a line to drop.
    for (int line = 0; line <= lastUsed; ++line) {
        const LineTexts& texts = lines.at(static_cast<std::size_t>(line));
        if (texts[Code].isEmpty())
            return Problem {noCode, line, Code};
        for (int column = Code; column <= Amount; ++column) {
            if (texts[static_cast<std::size_t>(column)].isEmpty())
                return Problem {QStringLiteral("请填写完整产品信息。"), line, column};
        }
        const QString count = LineNumberProblem(line, texts[Count], QStringLiteral("数量"), kGoodsCountRule);
        if (!count.isEmpty())
            return Problem {count, line, Count};
        const QString price = LineNumberProblem(line, texts[UnitPrice], QStringLiteral("单价"), {});
        if (!price.isEmpty())
            return Problem {price, line, UnitPrice};
    }
    if (!CapitalNumerals::IsWritable(total))
        return Problem {QStringLiteral("‘合计’金额太大，须小于 10 万亿元。")};
    return std::nullopt;
}

GoodsBillLines BuildBillLines(const GoodsBillForm& form, const GoodsBillBuildContext& context)
{
    GoodsBillLines built;
    for (const GoodsBillForm::LineTexts& texts : form.lines) {
        if (texts[GoodsBillForm::Code].isEmpty())
            continue;
        struct_button_goodsbill line = HeaderLine(form, context);
        line.ProductCode = texts[GoodsBillForm::Code];
        line.ProductName = texts[GoodsBillForm::Name];
        line.ProductSpec = texts[GoodsBillForm::Spec];
        line.ProductUnit = texts[GoodsBillForm::Unit];
        line.ProductAmount = texts[GoodsBillForm::Count].trimmed();
        line.ProductUnitPrice = texts[GoodsBillForm::UnitPrice].trimmed();
        line.ProductPrice = texts[GoodsBillForm::Amount];
        line.ProductRemark = texts[GoodsBillForm::Remark];
        built.push_back(line);
    }
    return built;
}

GoodsBillLines PrintLinesOf(
    const GoodsBillLines& lines, const GoodsBillForm& form, const GoodsBillBuildContext& context)
{
    GoodsBillLines printed = lines;
    const struct_button_goodsbill blank = HeaderLine(form, context);
    while (printed.size() < kPrintedLines)
        printed.push_back(blank);
    return printed;
}
