// The one check of typed amounts, prices and counts: which texts are
// numbers under which rule, the trimmed text that is kept, and the message
// that names the field.

#include <gtest/gtest.h>

#include "NumberCheck.h"
#include "QStringPrinting.h"
#include "ScriptedInteraction.h"

TEST(TypedNumber, IsAcceptedOnlyAsAPlainDecimalAndTheCheckNamesTheField)
{
    constexpr NumberRule plain {}, whole {false, true}, sign {true, false}, signedWhole {true, true},
        cents {false, false, 2};
    const struct
    {
        const char* typed;
        NumberRule rule;
        const char* kept; // nullptr: refused
    } cases[] = {{"12", plain, "12"}, {"12.50", plain, "12.50"}, {"  7.5 ", plain, "7.5"}, {"0", whole, "0"},
        {"007", whole, "007"}, {"-3.25", sign, "-3.25"}, {"-3", signedWhole, "-3"},
        {"0.12", cents, "0.12"}, {"3", cents, "3"}, {"3.1", cents, "3.1"},
        // Refused: no number, a unit, grouping, a sign where none is
        // allowed, half a decimal, an exponent, full-width digits, a
        // fraction in a count.
        {"", plain, nullptr}, {"   ", plain, nullptr}, {"abc", plain, nullptr}, {"12元", plain, nullptr},
        {"1,000", plain, nullptr}, {"-3", plain, nullptr}, {"+3", sign, nullptr}, {"--3", sign, nullptr},
        {"-", sign, nullptr}, {".5", plain, nullptr}, {"5.", plain, nullptr}, {"1.2.3", plain, nullptr},
        {"1e3", plain, nullptr}, {"１２", plain, nullptr}, {"2.5", whole, nullptr}, {"1 000", plain, nullptr},
        {"0.125", cents, nullptr}, {"1.000", cents, nullptr}};
    for (const auto& c : cases) {
        const std::optional<QString> parsed = ParseTypedNumber(QString::fromUtf8(c.typed), c.rule);
        EXPECT_EQ(parsed.value_or(QStringLiteral("<refused>")),
            c.kept ? QString::fromUtf8(c.kept) : QStringLiteral("<refused>"))
            << '"' << c.typed << '"' << (c.rule.allowSign ? " signed" : "") << (c.rule.wholeNumber ? " whole" : "");
    }

    // The check names the field and why, or keeps the trimmed text.
    EXPECT_EQ(TypedNumberProblem(QStringLiteral("0.125"), QStringLiteral("数量"), cents),
        QStringLiteral("“数量”最多两位小数。"));
    EXPECT_EQ(TypedNumberProblem(QStringLiteral("0.1x"), QStringLiteral("数量"), cents),
        QStringLiteral("“数量”只能填写数字。"));
    EXPECT_EQ(TypedNumberProblem(QStringLiteral(" 0.12 "), QStringLiteral("数量"), cents), QString());
    ScriptedInteraction user;
    QString kept = QStringLiteral("unchanged");
    EXPECT_FALSE(CheckTypedNumber(QStringLiteral("1,000"), QStringLiteral("进货单价"), NumberRule {}, &kept));
    EXPECT_EQ(kept, QStringLiteral("unchanged"));
    ASSERT_EQ(user.texts(), QStringList {QStringLiteral("“进货单价”只能填写数字。")});
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Information);

    user.clear();
    EXPECT_TRUE(CheckTypedNumber(QStringLiteral(" 15 "), QStringLiteral("报警设置"), NumberRule {false, true}, &kept));
    EXPECT_EQ(kept, QStringLiteral("15"));
    EXPECT_TRUE(user.messages.empty());
}
