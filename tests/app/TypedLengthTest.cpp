// The one way a field's length is limited: characters, not UTF-16 units,
// are counted; typing and pasting are cut to what fits, never inside a
// character; the program's own (stored) texts are kept whole.

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

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
        QString stored; // put in by the program first
        int cursor; // -1: at the end
        QString typed; // typed key by key
        QString pasted; // then pasted
        QString expected;
    } cases[] = {
        {"a paste is cut after the last whole character", 5, {}, -1, {}, "a" + fiveSmiles, "a" + repeated(kSmile, 4)},
        {"an emoji at the limit fits", 10, {}, -1, "012345678" + kSmile + "X", {}, "012345678" + kSmile},
        {"a paste into the middle keeps the end", 6, "abcd", 2, {}, "XYZ", "abXYcd"},
        {"a stored text longer than the limit stays whole", 3, "stored text", -1, {}, {}, "stored text"},
        {"and typing does not lengthen it", 3, "stored text", -1, "!", "more", "stored text"},
        {"a stored emoji text is not cut", 2, fiveSmiles, -1, {}, {}, fiveSmiles},
    };
    for (const auto& c : cases) {
        QLineEdit edit;
        LimitTypedLength(&edit, c.limit);
        edit.show();
        edit.setText(c.stored);
        edit.setCursorPosition(c.cursor < 0 ? int(edit.text().size()) : c.cursor);
        typeText(&edit, c.typed);
        if (!c.pasted.isEmpty()) {
            QApplication::clipboard()->setText(c.pasted);
            edit.paste();
        }
        EXPECT_EQ(edit.text(), c.expected) << c.name;
    }
}

TEST(TypedLength, TypingNeverMakesAStoredTextLongerThanItWas)
{
    QLineEdit edit;
    LimitTypedLength(&edit, 4);
    edit.show();
    edit.setText("abcdefgh");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "abcdef");
    typeText(&edit, "XYZ");
    EXPECT_EQ(edit.text(), "abcdefXY");
    // A new text from the program sets a new measure.
    edit.setText("ab");
    typeText(&edit, "cdef");
    EXPECT_EQ(edit.text(), "abcd");
    EXPECT_EQ(CharacterCount("a" + kSmile + "b"), 3);
    EXPECT_EQ(LeftCharacters("a" + kSmile + "b", 2), "a" + kSmile);
}
