// Typed input: the one way a field's length is limited (characters, not
// UTF-16 units, are counted; typing and pasting are cut to what fits, never
// inside a character; the program's own stored texts are kept whole), and
// the one check of typed amounts, prices and counts (which texts are numbers
// under which rule, the trimmed text that is kept, and the message that
// names the field).

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <tuple>

#include "NumberCheck.h"
#include "QStringPrinting.h"
#include "ScriptedInteraction.h"
#include "TypedLength.h"

namespace {

const QString kSmile = QString::fromUtf8("😀");

QString repeated(const QString& text, int times)
{
    QString all;
    for (int i = 0; i < times; ++i)
        all += text;
    return all;
}

} // namespace

TEST(TypedLength, TypingAndPastingKeepToTheLimitInCharacters)
{
    const QString fiveSmiles = repeated(kSmile, 5);
    const struct
    {
        const char* name;
        int limit;
        QStringList stored; // put in by the program first, one after the other
        int cursor; // -1: at the end
        QString typed; // typed key by key ("\b" is a backspace)
        QString pasted; // then pasted
        QString expected;
    } cases[] = {
        {"a paste is cut after the last whole character", 5, {}, -1, {}, "a" + fiveSmiles, "a" + repeated(kSmile, 4)},
        {"an emoji at the limit fits", 10, {}, -1, "012345678" + kSmile + "X", {}, "012345678" + kSmile},
        {"a paste into the middle keeps the end", 6, {"abcd"}, 2, {}, "XYZ", "abXYcd"},
        {"a stored text longer than the limit stays whole", 3, {"stored text"}, -1, {}, {}, "stored text"},
        {"and typing does not lengthen it", 3, {"stored text"}, -1, "!", "more", "stored text"},
        {"nor beyond what it was", 4, {"abcdefgh"}, -1, "\b\bXYZ", {}, "abcdefXY"},
        {"a new text from the program sets a new measure", 4, {"abcdefgh", "ab"}, -1, "cdef", {}, "abcd"},
        {"a stored emoji text is not cut", 2, {fiveSmiles}, -1, {}, {}, fiveSmiles},
    };
    for (const auto& c : cases) {
        QLineEdit edit;
        LimitTypedLength(&edit, c.limit);
        edit.show();
        for (const QString& stored : c.stored)
            edit.setText(stored);
        edit.setCursorPosition(c.cursor < 0 ? int(edit.text().size()) : c.cursor);
        typeText(&edit, c.typed);
        if (!c.pasted.isEmpty()) {
            QApplication::clipboard()->setText(c.pasted);
            edit.paste();
        }
        EXPECT_EQ(edit.text(), c.expected) << c.name;
    }
    EXPECT_EQ(LeftCharacters("a" + kSmile + "b", 2), "a" + kSmile);

    // A character outside the first 65536 (an emoji, a rare Han character
    // of Extension B) is two UTF-16 units and still one character; a lone
    // half of such a pair counts as one.
    const QString rareHan = QString::fromUtf8("𠀀");
    const std::pair<QString, qsizetype> counted[] = {{"a" + kSmile + "中" + rareHan + "b", 5}, {rareHan + rareHan, 2},
        {QString(QChar(0xD83D)) + "x", 2}, {"x" + QString(QChar(0xDE00)), 2}, {QString(), 0}};
    for (const auto& [text, characters] : counted)
        EXPECT_EQ(CharacterCount(text), characters) << text.size() << " units";
    EXPECT_EQ(LeftCharacters(rareHan + rareHan + "x", 1), rareHan);
}

TEST(TypedNumber, IsAcceptedOnlyAsAPlainDecimalAndTheCheckNamesTheField)
{
    // A count of goods (a bill line's 数量, a product's 报警设置) takes cents.
    constexpr NumberRule plain {}, whole {false, true}, sign {true, false}, signedWhole {true, true},
        cents = kGoodsCountRule;
    const struct
    {
        const char* typed;
        NumberRule rule;
        const char* kept; // nullptr: refused
    } cases[] = {{"12", plain, "12"}, {"12.50", plain, "12.50"}, {"  7.5 ", plain, "7.5"}, {"0", whole, "0"},
        {"007", whole, "007"}, {"-3.25", sign, "-3.25"}, {"-3", signedWhole, "-3"}, {"0.12", cents, "0.12"},
        {"3", cents, "3"}, {"3.1", cents, "3.1"},
        // Refused: no number, a unit, grouping, a sign where none is
        // allowed, half a decimal, an exponent, full-width digits, a
        // fraction where whole numbers are asked, a third decimal or a
        // minus in a count.
        {"", plain, nullptr}, {"   ", plain, nullptr}, {"abc", plain, nullptr}, {"12元", plain, nullptr},
        {"1,000", plain, nullptr}, {"-3", plain, nullptr}, {"+3", sign, nullptr}, {"--3", sign, nullptr},
        {"-", sign, nullptr}, {".5", plain, nullptr}, {"5.", plain, nullptr}, {"1.2.3", plain, nullptr},
        {"1e3", plain, nullptr}, {"１２", plain, nullptr}, {"2.5", whole, nullptr}, {"1 000", plain, nullptr},
        {"0.125", cents, nullptr}, {"1.000", cents, nullptr}, {"-1", cents, nullptr}};
    for (const auto& c : cases) {
        const std::optional<QString> parsed = ParseTypedNumber(QString::fromUtf8(c.typed), c.rule);
        EXPECT_EQ(parsed.value_or(QStringLiteral("<refused>")),
            c.kept ? QString::fromUtf8(c.kept) : QStringLiteral("<refused>"))
            << '"' << c.typed << '"' << (c.rule.allowSign ? " signed" : "") << (c.rule.wholeNumber ? " whole" : "");
    }

    // The check names the field and why. (Its message and the text it keeps
    // are tried through the product dialog.)
    for (const auto& [typed, problem] :
        {std::pair {"0.125", "“数量”最多两位小数。"}, {"0.1x", "“数量”只能填写数字。"}, {" 0.12 ", ""}})
        EXPECT_EQ(
            TypedNumberProblem(QString::fromUtf8(typed), QStringLiteral("数量"), cents), QString::fromUtf8(problem));
    // A field of whole numbers says that it takes whole numbers.
    for (const auto& [typed, rule, problem] : {std::tuple {"2.5", whole, "“份数”只能填写整数。"},
             {"abc", whole, "“份数”只能填写整数。"}, {"-3.5", signedWhole, "“份数”只能填写整数。"},
             {" 12 ", whole, ""}, {"2.5x", plain, "“份数”只能填写数字。"}})
        EXPECT_EQ(TypedNumberProblem(QString::fromUtf8(typed), QStringLiteral("份数"), rule), QString::fromUtf8(problem))
            << typed;
}
