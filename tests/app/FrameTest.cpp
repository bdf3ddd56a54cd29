// The application frame: the function menu with its logins and their
// password prompt, and the main window's pages and working date.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "CDlgTabAccountMgr.h"
#include "CDlgTabStore.h"
#include "CDlgValidatePassword.h"
#include "FinanceBillPage.h"
#include "FrameFixture.h"
#include "GoodsBillPage.h"
#include "ImageButton.h"
#include "PartyPage.h"
#include "PasswordStore.h"
#include "ScriptedInteraction.h"
#include "TestDatabase.h"

namespace {

// How many of the fourteen working functions can be chosen, and whether
// 参数设置 can.
QString enabledFunctions(const FrameFixture& frame)
{
    int enabled = 0;
    for (const char* id : {"1016", "1017", "1018", "1022", "1019", "1020", "1021", "1023", "1024", "1025", "1030",
             "1031", "1036", "1028"})
        enabled += frame.menuButton(id)->isEnabled() ? 1 : 0;
    return QString::number(enabled) + (frame.menuButton("1026")->isEnabled() ? QStringLiteral(" 参数设置") : QString());
}

// Where the menu's controls lie, the 登录密码为空 picture aside.
QList<QRect> placement(const FrameFixture& frame)
{
    QList<QRect> places;
    for (QWidget* w : frame.menu->findChildren<QWidget*>()) {
        if (w->isVisible() && w->objectName() != QLatin1String("1037"))
            places << w->geometry();
    }
    return places;
}

bool highlighted(const FrameFixture& frame, const char* id)
{
    return static_cast<ImageButton*>(frame.menuButton(id))->textColor() == QColor(0, 0, 255);
}

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

// The logins enable their functions and exclude each other; a wrong
// password is told on the menu the person works in (the main window has not
// been shown yet) and changes nothing; the stock alarm runs at the first
// supervisor login of a run only.
TEST(FunctionMenu, TheLoginsEnableTheirFunctionsAndAFunctionShowsItsGroupAndPage)
{
    FrameFixture frame;
    frame.db.exec(
        "INSERT INTO tbl_StoreMgr (ProductName, ProductStockCount, PromptCount, GUID) VALUES (?, '5', '10', ?)",
        {QStringLiteral("螺丝"), GuidText()});
    auto* picture = frame.menu->findChild<QLabel*>(QStringLiteral("1037")); // 登录密码为空
    EXPECT_FALSE(picture->isHidden());
    const QList<QRect> places = placement(frame);
    frame.db.exec("UPDATE tbl_UserPassword SET LoginPassword = 'secret'");
    EXPECT_EQ(enabledFunctions(frame), QStringLiteral("0"));
    for (const char* id : {"1022", "1021", "1025", "1028", "1093"})
        EXPECT_TRUE(frame.menuButton(id)->isHidden()) << id;
    // The provider row starts highlighted.
    EXPECT_TRUE(highlighted(frame, "1030") && highlighted(frame, "1036"));
    EXPECT_FALSE(highlighted(frame, "1016"));

    frame.loginAsSupervisor(QStringLiteral("Secret"));
    EXPECT_EQ(frame.user.texts(), QStringList {QStringLiteral("密码输入错误，请重新输入。")});
    EXPECT_TRUE(frame.user.owners == std::vector<QPointer<QWidget>> {frame.menu.get()});
    frame.answerPrompt(QStringLiteral("secret"), true);
    QTest::mouseClick(frame.menuButton("1015"), Qt::LeftButton);
    EXPECT_EQ(enabledFunctions(frame), QStringLiteral("0"));
    EXPECT_EQ(frame.user.messages.size(), 1u); // cancelled: nothing said

    frame.user.clear();
    frame.loginAsSupervisor(QStringLiteral("secret"));
    EXPECT_EQ(enabledFunctions(frame), QStringLiteral("14"));
    EXPECT_EQ(frame.user.modalDialogs,
        (QStringList {QStringLiteral("CDlgValidatePassword"), QStringLiteral("CDlgProductCountTip")}));
    frame.answerPrompt(QStringLiteral("secret"));
    QTest::mouseClick(frame.menuButton("1035"), Qt::LeftButton);
    EXPECT_EQ(enabledFunctions(frame), QStringLiteral("0 参数设置"));
    frame.user.clear();
    frame.loginAsSupervisor(QStringLiteral("secret"));
    EXPECT_EQ(enabledFunctions(frame), QStringLiteral("14"));
    EXPECT_EQ(frame.user.modalDialogs, QStringList {QStringLiteral("CDlgValidatePassword")});
    EXPECT_TRUE(frame.user.messages.empty());

    // A function shows its group and page; the main window then owns the
    // message boxes, and its 功能菜单 looks at the stored password again before
    // showing the menu, which highlights the group the main window shows.
    // Closing the menu only hides it.
    CDlgMainDlg& main = *frame.mainDlg;
    frame.datePicker()->setDate(QDate(2011, 5, 17));
    // Answers the group and page shown, which alone of the groups is visible.
    const auto choose = [&](const char* id) {
        if (main.isVisible())
            QTest::mouseClick(frame.mainButton("1002"), Qt::LeftButton); // 功能菜单
        QTest::mouseClick(frame.menuButton(id), Qt::LeftButton);
        EXPECT_TRUE(main.isVisible() && !frame.menu->isVisible()) << id;
        for (int group = 0; group < CDlgMainDlg::GroupCount; ++group)
            EXPECT_EQ(main.TabGroup(group)->isVisible(), group == main.VisibleGroup()) << id;
        return QStringLiteral("%1/%2/%3")
            .arg(main.VisibleGroup())
            .arg(main.CurrentPage())
            .arg(main.TabGroup(main.VisibleGroup())->currentIndex());
    };
    EXPECT_EQ(choose("1017"), QStringLiteral("0/1/1"));
    EXPECT_EQ(main.m_pTabGoods->ComputedDate(), QStringLiteral("2011-05-17"));
    EXPECT_TRUE(highlighted(frame, "1017"));
    frame.user.clear();
    ShowInfoMessage(QStringLiteral("保存成功。"));
    EXPECT_TRUE(frame.user.owners == std::vector<QPointer<QWidget>> {frame.mainDlg.get()});
    // The provider row's goods and finance buttons refresh their pages too;
    // 商品信息 shows its page without recomputing the store page.
    EXPECT_EQ(choose("1031"), QStringLiteral("4/1/1"));
    EXPECT_EQ(main.m_pTabProviderGoods->ComputedDate(), QStringLiteral("2011-05-17"));
    EXPECT_EQ(choose("1036"), QStringLiteral("4/3/3"));
    EXPECT_EQ(main.m_pTabFinaProvider->ComputedDate(), QStringLiteral("2011-05-17"));
    EXPECT_EQ(choose("1020"), QStringLiteral("1/1/1"));
    EXPECT_TRUE(main.m_pTabStore->ComputedDate().isEmpty());

    // 关闭窗口 while the main window shows only hides the menu.
    QTest::mouseClick(frame.mainButton("1002"), Qt::LeftButton);
    EXPECT_TRUE(picture->isHidden());
    EXPECT_TRUE(placement(frame) == places) << "the menu moved when the picture went";
    EXPECT_TRUE(highlighted(frame, "1020"));
    EXPECT_FALSE(highlighted(frame, "1030"));
    QTest::mouseClick(frame.menuButton("1014"), Qt::LeftButton);
    EXPECT_TRUE(main.isVisible() && !frame.menu->isVisible());
    // Escape behaves as 关闭窗口; the dialog's own Enter does nothing.
    frame.menu->show();
    frame.menu->setFocus();
    QTest::keyClick(frame.menu.get(), Qt::Key_Return);
    frame.menu->accept();
    EXPECT_TRUE(frame.menu->isVisible());
    QTest::keyClick(frame.menu.get(), Qt::Key_Escape);
    EXPECT_FALSE(frame.menu->isVisible());

    // A login hides the main window until it chooses a function, so the
    // administrator reaches nothing of the supervisor's pages, nor the
    // supervisor the settings page; a wrong or cancelled password leaves the
    // previous login's window as it was.
    const auto login = [&](const char* id, const QString& typed, bool cancel = false) {
        QTest::mouseClick(frame.mainButton("1002"), Qt::LeftButton);
        frame.answerPrompt(typed, cancel);
        QTest::mouseClick(frame.menuButton(id), Qt::LeftButton);
        return QStringLiteral("%1 %2").arg(main.isVisible() ? "shown" : "hidden", enabledFunctions(frame));
    };
    EXPECT_EQ(login("1035", QStringLiteral("secret")), QStringLiteral("hidden 0 参数设置"));
    EXPECT_EQ(choose("1026"), QStringLiteral("3/0/0"));
    EXPECT_EQ(login("1015", QStringLiteral("secret")), QStringLiteral("hidden 14"));
    EXPECT_EQ(choose("1023"), QStringLiteral("2/0/0"));
    frame.user.clear();
    EXPECT_EQ(login("1035", QStringLiteral("wrong")), QStringLiteral("shown 14"));
    EXPECT_EQ(login("1035", QStringLiteral("secret"), true), QStringLiteral("shown 14"));
    EXPECT_EQ(frame.user.texts(), QStringList {QStringLiteral("密码输入错误，请重新输入。")});
    EXPECT_EQ(main.VisibleGroup(), CDlgMainDlg::GroupAccounts);
    EXPECT_EQ(login("1035", QStringLiteral("secret")), QStringLiteral("hidden 0 参数设置"));
    // With the main window hidden, 关闭窗口 ends the program.
    QMetaObject::invokeMethod(frame.menuButton("1014"), "click", Qt::QueuedConnection);
    QTimer::singleShot(5000, frame.menu.get(), [] { QApplication::exit(99); });
    EXPECT_EQ(QApplication::exec(), 0);
}

TEST(PasswordPrompt, EachKindReadsItsOwnPasswordCaseSensitivelyAndCancellingAnswersTwo)
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
    // 取消, Escape and the close box answer 2, whatever was typed; the entry
    // is hidden.
    EXPECT_EQ(promptWith(PasswordFinanceSupervisor, QStringLiteral("管理Abc"), "1277"), 2);
    for (const bool escape : {true, false}) {
        CDlgValidatePassword prompt;
        prompt.show();
        EXPECT_EQ(prompt.findChild<QLineEdit*>(QStringLiteral("1278"))->echoMode(), QLineEdit::Password);
        escape ? QTest::keyClick(&prompt, Qt::Key_Escape) : void(prompt.close());
        EXPECT_EQ(prompt.result(), 2) << escape;
    }

    // A failed query is shown and refuses the entry.
    db.exec("DROP TABLE tbl_UserPassword");
    EXPECT_EQ(promptWith(PasswordFinanceSupervisor, QString()), 0);
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
}

TEST(MainWindow, OnlyTheVisiblePageRecomputes)
{
    // {group, page, recomputed page: index into the list below, -1 for none}
    const int cases[][3] = {{0, 0, 0}, {0, 1, 1}, {0, 2, -1}, {0, 3, 2}, {0, 4, -1}, {1, 0, 3}, {1, 1, 3}, {2, 0, 4},
        {2, 1, 4}, {3, 0, -1}, {4, 0, 5}, {4, 1, 6}, {4, 2, -1}, {4, 3, 7}, {4, 4, -1}};
    for (const auto& c : cases) {
        FrameFixture frame;
        CDlgMainDlg& main = *frame.mainDlg;
        main.show();
        main.ShowTabGroup(c[0]);
        main.TabGroup(c[0])->setCurrentIndex(c[1]);
        PageBase* pages[] = {main.m_pTabClient, main.m_pTabGoods, main.m_pTabFina, main.m_pTabStore,
            main.m_pTabAccountMgr, main.m_pTabProviderMgr, main.m_pTabProviderGoods, main.m_pTabFinaProvider};
        auto* bill = c[2] < 0 ? nullptr : dynamic_cast<BillPageBase*>(pages[c[2]]);
        if (bill)
            bill->m_nCurPage = 2;
        frame.datePicker()->setDate(QDate(2011, 7, 9));
        main.TabGroup(c[0] == 0 ? 4 : 0)->setCurrentIndex(1);
        EXPECT_EQ(main.CurrentPage(), c[1]);
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(pages[i]->ComputedDate(), i == c[2] ? QStringLiteral("2011-07-09") : QString())
                << "group " << c[0] << " page " << c[1] << " page index " << i;
        EXPECT_TRUE(!bill || bill->m_nCurPage == 0) << c[0] << ' ' << c[1];
    }
}

// The working date starts as the local date, shows as yyyy-MM-dd in any
// desktop language, and steps across month and year ends; whatever still
// asks for it after the window went gets today's.
TEST(MainWindow, TheWorkingDateShowsIsoDatesStepsByDaysAndGoesWithTheWindow)
{
    const QLocale previous;
    for (const QLocale& desktop :
        {QLocale(QLocale::English, QLocale::UnitedKingdom), QLocale(QLocale::Chinese, QLocale::China)}) {
        QLocale::setDefault(desktop);
        {
            FrameFixture frame;
            g_pMainDlg = frame.mainDlg.get();
            EXPECT_EQ(frame.mainDlg->GetCurrentDate(), DateText(QDate::currentDate()));
            const char* const steps[][3] = {{"2012-03-01", "1008", "2012-02-29"}, {"2011-03-01", "1008", "2011-02-28"},
                {"2011-01-01", "1008", "2010-12-31"}, {"2011-12-31", "1009", "2012-01-01"},
                {"2012-02-28", "1009", "2012-02-29"}, {"2011-04-30", "1009", "2011-05-01"}};
            for (const auto& [from, button, to] : steps) {
                frame.datePicker()->setDate(QDate::fromString(QString::fromLatin1(from), Qt::ISODate));
                QTest::mouseClick(frame.mainButton(button), Qt::LeftButton);
                EXPECT_EQ(frame.mainDlg->GetCurrentDate(), QString::fromLatin1(to));
            }
            // Every month end of a common and a leap year, forth and back.
            for (QDate first(2011, 1, 1); first.year() < 2013; first = first.addMonths(1)) {
                const QDate last = first.addMonths(1).addDays(-1);
                frame.datePicker()->setDate(last);
                QTest::mouseClick(frame.mainButton("1009"), Qt::LeftButton);
                EXPECT_EQ(frame.mainDlg->GetCurrentDate(), DateText(last.addDays(1)));
                QTest::mouseClick(frame.mainButton("1008"), Qt::LeftButton);
                EXPECT_EQ(frame.mainDlg->GetCurrentDate(), DateText(last));
            }
            frame.datePicker()->setDate(QDate(2026, 12, 1));
            EXPECT_EQ(frame.datePicker()->text(), QStringLiteral("2026-12-01")) << desktop.name().toStdString();
            EXPECT_EQ(GetCurDateString(), QStringLiteral("2026-12-01"));
        }
        EXPECT_EQ(g_pMainDlg, nullptr);
        EXPECT_EQ(GetCurDateString(), DateText(QDate::currentDate()));
    }
    QLocale::setDefault(previous);
}
