#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "CDlgValidatePassword.h"
#include "PasswordStore.h"
#include "ScriptedInteraction.h"
#include "TestDatabase.h"

namespace {

// Types the text into the prompt and presses the given button, as a
// person would; answers the dialog's result.
int promptWith(int kind, const QString& typed, const char* button = "1276")
{
    CDlgValidatePassword prompt;
    prompt.SetPasswordKind(kind);
    prompt.show();
    typeText(prompt.findChild<QLineEdit*>(QStringLiteral("1278")), typed);
    QTest::mouseClick(prompt.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    return prompt.result();
}

} // namespace

TEST(PasswordPrompt, EachKindReadsItsOwnPasswordCaseSensitively)
{
    ScriptedInteraction user;
    TestDatabase db;
    // An empty stored password lets an empty entry pass; a missing row
    // counts as empty.
    EXPECT_EQ(promptWith(PasswordFinanceSupervisor, QString()), 1);
    EXPECT_EQ(promptWith(PasswordFinanceSupervisor, QStringLiteral("x")), 0);
    db.exec("DELETE FROM tbl_UserPassword WHERE UserType = ?", {QStringLiteral("管理员")});
    EXPECT_EQ(promptWith(PasswordAdministrator, QString()), 1);

    db.exec("UPDATE tbl_UserPassword SET LoginPassword = ?", {QStringLiteral("管理Abc")});
    db.exec("INSERT INTO tbl_UserPassword (UserType, LoginPassword) VALUES (?, ?)",
        {QStringLiteral("管理员"), QStringLiteral("012345678😀")});
    db.exec("UPDATE tbl_AccessTypePassword SET AccessPassword = ?", {QStringLiteral("edit")});
    const std::tuple<int, const char*, int> cases[]
        = {{PasswordFinanceSupervisor, "管理Abc", 1}, {PasswordFinanceSupervisor, "管理abc", 0},
            {PasswordFinanceSupervisor, "管理Abc ", 0}, {PasswordAdministrator, "管理Abc", 0},
            // The edit takes ten characters, an emoji counting as one: the
            // eleventh is dropped.
            {PasswordAdministrator, "012345678😀X", 1}, {PasswordAdministrator, "012345678", 0},
            {PasswordDataModification, "edit", 1}, {PasswordDataModification, "", 0},
            // A value that would break a pasted statement is just a wrong
            // password; an unknown kind matches nothing.
            {PasswordFinanceSupervisor, "' OR '1'='1", 0}, {7, "", 0}};
    for (const auto& [kind, typed, result] : cases)
        EXPECT_EQ(promptWith(kind, QString::fromUtf8(typed)), result) << kind << ' ' << typed;
    EXPECT_TRUE(user.messages.empty());

    // A failed query is shown and refuses the entry.
    db.exec("DROP TABLE tbl_UserPassword");
    EXPECT_EQ(promptWith(PasswordFinanceSupervisor, QString()), 0);
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
}

TEST(PasswordPrompt, CancelEscapeAndTheCloseBoxAnswerTwo)
{
    TestDatabase db;
    EXPECT_EQ(promptWith(PasswordFinanceSupervisor, QString(), "1277"), 2);
    CDlgValidatePassword escaped, closed;
    escaped.show();
    EXPECT_EQ(escaped.findChild<QLineEdit*>(QStringLiteral("1278"))->echoMode(), QLineEdit::Password);
    QTest::keyClick(&escaped, Qt::Key_Escape);
    EXPECT_EQ(escaped.result(), 2);
    closed.show();
    closed.close();
    EXPECT_EQ(closed.result(), 2);
}
