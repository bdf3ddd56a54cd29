#include <QKeyEvent>
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
int promptWith(int kind, const QString &typed, const char *button = "1276")
{
    CDlgValidatePassword prompt;
    prompt.SetPasswordKind(kind);
    prompt.show();
    typeText(prompt.findChild<QLineEdit *>(QStringLiteral("1278")), typed);
    QTest::mouseClick(prompt.findChild<QPushButton *>(QString::fromLatin1(button)), Qt::LeftButton);
    return prompt.result();
}

void setLoginPassword(TestDatabase &db, const QString &user, const QString &password)
{
    db.exec("UPDATE tbl_UserPassword SET LoginPassword = ? WHERE UserType = ?", {password, user});
}

} // namespace

TEST(PasswordPrompt, EmptyStoredPasswordLetsAnEmptyEntryPass)
{
    TestDatabase db;
    EXPECT_EQ(promptWith(PasswordFinanceSupervisor, QString()), 1);
    EXPECT_EQ(promptWith(PasswordFinanceSupervisor, QStringLiteral("x")), 0);
    // A missing row counts as an empty password.
    db.exec("DELETE FROM tbl_UserPassword WHERE UserType = '管理员'");
    EXPECT_EQ(promptWith(PasswordAdministrator, QString()), 1);
}

TEST(PasswordPrompt, EachKindReadsItsOwnPasswordCaseSensitively)
{
    TestDatabase db;
    setLoginPassword(db, QStringLiteral("财务主管"), QStringLiteral("Abc"));
    setLoginPassword(db, QStringLiteral("管理员"), QStringLiteral("管理123"));
    db.exec("UPDATE tbl_AccessTypePassword SET AccessPassword = ?", {QStringLiteral("edit")});

    EXPECT_EQ(promptWith(PasswordFinanceSupervisor, QStringLiteral("Abc")), 1);
    EXPECT_EQ(promptWith(PasswordFinanceSupervisor, QStringLiteral("abc")), 0);
    EXPECT_EQ(promptWith(PasswordFinanceSupervisor, QStringLiteral("Abc ")), 0);
    EXPECT_EQ(promptWith(PasswordAdministrator, QStringLiteral("管理123")), 1);
    EXPECT_EQ(promptWith(PasswordAdministrator, QStringLiteral("Abc")), 0);
    EXPECT_EQ(promptWith(PasswordDataModification, QStringLiteral("edit")), 1);
    EXPECT_EQ(promptWith(PasswordDataModification, QString()), 0);
    // A value that would break a pasted statement is just a wrong password.
    EXPECT_EQ(promptWith(PasswordFinanceSupervisor, QStringLiteral("' OR '1'='1")), 0);
    // An unknown kind matches nothing.
    EXPECT_EQ(promptWith(7, QString()), 0);
}

TEST(PasswordPrompt, TheEditTakesAtMostTenCharactersAndMasksThem)
{
    TestDatabase db;
    setLoginPassword(db, QStringLiteral("财务主管"), QStringLiteral("0123456789"));
    CDlgValidatePassword prompt;
    prompt.show();
    auto *edit = prompt.findChild<QLineEdit *>(QStringLiteral("1278"));
    typeText(edit, QStringLiteral("0123456789X"));
    EXPECT_EQ(edit->text(), QStringLiteral("0123456789"));
    EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
    QTest::mouseClick(prompt.findChild<QPushButton *>(QStringLiteral("1276")), Qt::LeftButton);
    EXPECT_EQ(prompt.result(), 1);
}

TEST(PasswordPrompt, CancelEscapeAndTheCloseBoxAnswerTwo)
{
    TestDatabase db;
    EXPECT_EQ(promptWith(PasswordFinanceSupervisor, QString(), "1277"), 2);

    CDlgValidatePassword escaped;
    escaped.show();
    QTest::keyClick(&escaped, Qt::Key_Escape);
    EXPECT_EQ(escaped.result(), 2);

    CDlgValidatePassword closed;
    closed.show();
    closed.close();
    EXPECT_EQ(closed.result(), 2);
}

TEST(PasswordPrompt, AFailedQueryIsShownAndRefusesTheEntry)
{
    ScriptedInteraction user;
    TestDatabase db;
    db.exec("DROP TABLE tbl_UserPassword");
    EXPECT_EQ(promptWith(PasswordFinanceSupervisor, QString()), 0);
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
}
