// The one check of typed amounts, prices and counts: which texts are
// numbers under which rule, the trimmed text that is kept, and the message
// that names the field.

#include <gtest/gtest.h>

#include "NumberCheck.h"
#include "ScriptedInteraction.h"

namespace {

struct TypedCase
{
    const char *typed;
    bool allowSign;
    bool wholeNumber;
    const char *kept; // nullptr: refused
};

void PrintTo(const TypedCase &c, std::ostream *out)
{
    *out << '"' << c.typed << '"' << (c.allowSign ? " signed" : "") << (c.wholeNumber ? " whole" : "");
}

class TypedNumber : public ::testing::TestWithParam<TypedCase>
{
};

} // namespace

TEST_P(TypedNumber, IsAcceptedOnlyAsAPlainDecimal)
{
    const TypedCase &c = GetParam();
    const std::optional<QString> parsed = ParseTypedNumber(QString::fromUtf8(c.typed), NumberRule{c.allowSign, c.wholeNumber});
    if (!c.kept) {
        EXPECT_FALSE(parsed.has_value()) << parsed.value_or(QString()).toStdString();
        return;
    }
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(*parsed, QString::fromUtf8(c.kept));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TypedNumber,
    ::testing::Values(TypedCase{"12", false, false, "12"}, TypedCase{"12.50", false, false, "12.50"},
                      TypedCase{"  7.5 ", false, false, "7.5"}, TypedCase{"0", false, true, "0"},
                      TypedCase{"007", false, true, "007"}, TypedCase{"-3.25", true, false, "-3.25"},
                      TypedCase{"-3", true, true, "-3"},
                      // Refused: no number, a unit, grouping, a sign where
                      // none is allowed, half a decimal, an exponent,
                      // full-width digits, a fraction in a count.
                      TypedCase{"", false, false, nullptr}, TypedCase{"   ", false, false, nullptr},
                      TypedCase{"abc", false, false, nullptr}, TypedCase{"12元", false, false, nullptr},
                      TypedCase{"1,000", false, false, nullptr}, TypedCase{"-3", false, false, nullptr},
                      TypedCase{"+3", true, false, nullptr}, TypedCase{"--3", true, false, nullptr},
                      TypedCase{"-", true, false, nullptr}, TypedCase{".5", false, false, nullptr},
                      TypedCase{"5.", false, false, nullptr}, TypedCase{"1.2.3", false, false, nullptr},
                      TypedCase{"1e3", false, false, nullptr}, TypedCase{"１２", false, false, nullptr},
                      TypedCase{"2.5", false, true, nullptr}, TypedCase{"1 000", false, false, nullptr}));

TEST(TypedNumberCheck, NamesTheFieldOrKeepsTheTrimmedText)
{
    ScriptedInteraction user;
    QString kept = QStringLiteral("unchanged");
    EXPECT_FALSE(CheckTypedNumber(QStringLiteral("1,000"), QStringLiteral("进货单价"), NumberRule{}, &kept));
    EXPECT_EQ(kept, QStringLiteral("unchanged"));
    EXPECT_EQ(user.texts(), QStringList{QStringLiteral("“进货单价”只能填写数字。")});
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Information);

    user.clear();
    EXPECT_TRUE(CheckTypedNumber(QStringLiteral(" 15 "), QStringLiteral("报警设置"), NumberRule{false, true}, &kept));
    EXPECT_EQ(kept, QStringLiteral("15"));
    EXPECT_TRUE(user.messages.empty());
    EXPECT_EQ(NumberFieldMessage(QStringLiteral("金额")), QStringLiteral("“金额”只能填写数字。"));
}
