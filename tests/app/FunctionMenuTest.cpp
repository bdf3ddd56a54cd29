#include <QLabel>
#include <QTabWidget>

#include <gtest/gtest.h>

#include "CDlgTabStore.h"
#include "FrameFixture.h"
#include "FinanceBillPage.h"
#include "GoodsBillPage.h"
#include "ImageButton.h"

namespace {

const char *const kFunctionButtons[] = {"1016", "1017", "1018", "1022", "1019", "1020", "1021",
                                        "1023", "1024", "1025", "1030", "1031", "1036", "1028"};

int enabledFunctionButtons(const FrameFixture &frame)
{
    int enabled = 0;
    for (const char *id : kFunctionButtons)
        enabled += frame.menuButton(id)->isEnabled() ? 1 : 0;
    return enabled;
}

QColor captionColor(const FrameFixture &frame, const char *id)
{
    return static_cast<ImageButton *>(frame.menuButton(id))->textColor();
}

} // namespace

TEST(FunctionMenu, NothingCanBeChosenBeforeALogin)
{
    FrameFixture frame;
    EXPECT_EQ(enabledFunctionButtons(frame), 0);
    EXPECT_FALSE(frame.menuButton("1026")->isEnabled());
    for (const char *id : {"1015", "1035", "1013", "1014"})
        EXPECT_TRUE(frame.menuButton(id)->isEnabled()) << id;
    for (const char *id : {"1022", "1021", "1025", "1028", "1093"})
        EXPECT_TRUE(frame.menuButton(id)->isHidden()) << id;
    // The provider row starts highlighted.
    EXPECT_EQ(captionColor(frame, "1030"), QColor(0, 0, 255));
    EXPECT_EQ(captionColor(frame, "1036"), QColor(0, 0, 255));
    EXPECT_EQ(captionColor(frame, "1016"), QColor(0, 0, 0));
}

TEST(FunctionMenu, TheLoginsEnableTheirFunctionsAndExcludeEachOther)
{
    FrameFixture frame;
    frame.loginAsSupervisor();
    EXPECT_EQ(enabledFunctionButtons(frame), 14);
    EXPECT_FALSE(frame.menuButton("1026")->isEnabled());

    frame.answerPrompt(QString());
    QTest::mouseClick(frame.menuButton("1035"), Qt::LeftButton);
    EXPECT_EQ(enabledFunctionButtons(frame), 0);
    EXPECT_TRUE(frame.menuButton("1026")->isEnabled());

    frame.loginAsSupervisor();
    EXPECT_EQ(enabledFunctionButtons(frame), 14);
    EXPECT_FALSE(frame.menuButton("1026")->isEnabled());
    EXPECT_TRUE(frame.user.messages.empty());
}

TEST(FunctionMenu, AWrongPasswordIsToldAndChangesNothing)
{
    FrameFixture frame;
    frame.db.exec("UPDATE tbl_UserPassword SET LoginPassword = 'secret'");
    frame.menu->UpdatePasswordPicture();
    frame.loginAsSupervisor(QStringLiteral("Secret"));
    EXPECT_EQ(frame.user.texts(), QStringList{QStringLiteral("密码输入错误，请重新输入。")});
    EXPECT_EQ(enabledFunctionButtons(frame), 0);
    // The box is centred on the menu the person works in, not on the
    // main window that has not been shown yet.
    ASSERT_EQ(frame.user.owners.size(), 1u);
    EXPECT_EQ(frame.user.owners[0], frame.menu.get());

    frame.user.clear();
    frame.answerPrompt(QStringLiteral("secret"), true);
    QTest::mouseClick(frame.menuButton("1015"), Qt::LeftButton);
    EXPECT_TRUE(frame.user.messages.empty()); // cancelled: nothing said
    EXPECT_EQ(enabledFunctionButtons(frame), 0);

    frame.loginAsSupervisor(QStringLiteral("secret"));
    EXPECT_EQ(enabledFunctionButtons(frame), 14);

    // Once the main window is shown, it owns the boxes.
    QTest::mouseClick(frame.menuButton("1019"), Qt::LeftButton);
    ASSERT_TRUE(frame.mainDlg->isVisible());
    frame.user.clear();
    frame.user.owners.clear();
    ShowInfoMessage(QStringLiteral("保存成功。"));
    ASSERT_EQ(frame.user.owners.size(), 1u);
    EXPECT_EQ(frame.user.owners[0], frame.mainDlg.get());
}

TEST(FunctionMenu, TheEmptyPasswordPictureFollowsTheStoredPassword)
{
    FrameFixture frame;
    auto *picture = frame.menu->findChild<QLabel *>(QStringLiteral("1037"));
    EXPECT_FALSE(picture->isHidden());
    frame.db.exec("UPDATE tbl_UserPassword SET LoginPassword = 'x' WHERE UserType = '财务主管'");
    // The main window's 功能菜单 looks again before showing the menu.
    frame.loginAsSupervisor(QStringLiteral("x"));
    QTest::mouseClick(frame.menuButton("1019"), Qt::LeftButton);
    QTest::mouseClick(frame.mainButton("1002"), Qt::LeftButton);
    EXPECT_TRUE(picture->isHidden());
    EXPECT_TRUE(frame.menu->isVisible());
    // The menu highlights the group the main window shows.
    EXPECT_EQ(captionColor(frame, "1019"), QColor(0, 0, 255));
    EXPECT_EQ(captionColor(frame, "1030"), QColor(0, 0, 0));
}

TEST(FunctionMenu, TheStockAlarmRunsAtTheFirstSupervisorLoginOnly)
{
    FrameFixture frame;
    frame.db.db().insertRow(QStringLiteral("tbl_StoreMgr"), {{QStringLiteral("ProductName"), QStringLiteral("螺丝")},
                                                             {QStringLiteral("ProductStockCount"), QStringLiteral("5")},
                                                             {QStringLiteral("PromptCount"), QStringLiteral("10")},
                                                             {QStringLiteral("GUID"), GuidText()}});
    frame.loginAsSupervisor();
    EXPECT_EQ(frame.user.modalDialogs, (QStringList{QStringLiteral("CDlgValidatePassword"), QStringLiteral("CDlgProductCountTip")}));
    EXPECT_TRUE(frame.menu->HasRunStockAlarm());

    frame.user.clear();
    frame.loginAsSupervisor();
    EXPECT_EQ(frame.user.modalDialogs, QStringList{QStringLiteral("CDlgValidatePassword")});
}

TEST(FunctionMenu, AFunctionShowsItsGroupAndPageAndHidesTheMenu)
{
    FrameFixture frame;
    SetWorkingDate(QDate(2011, 5, 17)); // replaced by the picker below
    frame.datePicker()->setDate(QDate(2011, 5, 17));
    frame.loginAsSupervisor();

    QTest::mouseClick(frame.menuButton("1017"), Qt::LeftButton);
    EXPECT_TRUE(frame.mainDlg->isVisible());
    EXPECT_FALSE(frame.menu->isVisible());
    EXPECT_EQ(frame.mainDlg->VisibleGroup(), 0);
    EXPECT_EQ(frame.mainDlg->CurrentPage(), 1);
    EXPECT_EQ(frame.mainDlg->TabGroup(0)->currentIndex(), 1);
    EXPECT_TRUE(frame.mainDlg->TabGroup(0)->isVisible());
    EXPECT_FALSE(frame.mainDlg->TabGroup(4)->isVisible());
    EXPECT_EQ(frame.mainDlg->m_pTabGoods->ComputedDate(), QStringLiteral("2011-05-17"));
    EXPECT_EQ(captionColor(frame, "1017"), QColor(0, 0, 255));

    // The provider row's goods and finance buttons refresh their pages too.
    QTest::mouseClick(frame.mainButton("1002"), Qt::LeftButton);
    QTest::mouseClick(frame.menuButton("1031"), Qt::LeftButton);
    EXPECT_EQ(frame.mainDlg->VisibleGroup(), 4);
    EXPECT_EQ(frame.mainDlg->m_pTabProviderGoods->ComputedDate(), QStringLiteral("2011-05-17"));
    QTest::mouseClick(frame.mainButton("1002"), Qt::LeftButton);
    QTest::mouseClick(frame.menuButton("1036"), Qt::LeftButton);
    EXPECT_EQ(frame.mainDlg->TabGroup(4)->currentIndex(), 3);
    EXPECT_EQ(frame.mainDlg->m_pTabFinaProvider->ComputedDate(), QStringLiteral("2011-05-17"));

    // 商品信息 shows its page without recomputing the store page.
    QTest::mouseClick(frame.mainButton("1002"), Qt::LeftButton);
    QTest::mouseClick(frame.menuButton("1020"), Qt::LeftButton);
    EXPECT_EQ(frame.mainDlg->TabGroup(1)->currentIndex(), 1);
    EXPECT_TRUE(frame.mainDlg->m_pTabStore->ComputedDate().isEmpty());
}

TEST(FunctionMenu, ClosingTheMenuWhileTheMainWindowShowsOnlyHidesIt)
{
    FrameFixture frame;
    frame.loginAsSupervisor();
    QTest::mouseClick(frame.menuButton("1016"), Qt::LeftButton);
    QTest::mouseClick(frame.mainButton("1002"), Qt::LeftButton);
    ASSERT_TRUE(frame.menu->isVisible());
    QTest::mouseClick(frame.menuButton("1014"), Qt::LeftButton);
    EXPECT_FALSE(frame.menu->isVisible());
    EXPECT_TRUE(frame.mainDlg->isVisible());
    // Escape behaves as 关闭窗口; the dialog's own Enter does nothing.
    frame.menu->show();
    frame.menu->setFocus();
    QTest::keyClick(frame.menu.get(), Qt::Key_Return);
    frame.menu->accept();
    EXPECT_TRUE(frame.menu->isVisible());
    QTest::keyClick(frame.menu.get(), Qt::Key_Escape);
    EXPECT_FALSE(frame.menu->isVisible());
}
