#include <QLabel>
#include <QTabWidget>

#include <gtest/gtest.h>

#include "CDlgTabStore.h"
#include "FinanceBillPage.h"
#include "FrameFixture.h"
#include "GoodsBillPage.h"
#include "ImageButton.h"

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

} // namespace

// The logins enable their functions and exclude each other; the stock
// alarm runs at the first supervisor login of a run only.
TEST(FunctionMenu, TheLoginsEnableTheirFunctionsAndTheStockAlarmRunsOnce)
{
    FrameFixture frame;
    frame.db.exec(
        "INSERT INTO tbl_StoreMgr (ProductName, ProductStockCount, PromptCount, GUID) VALUES (?, '5', '10', ?)",
        {QStringLiteral("螺丝"), GuidText()});
    EXPECT_EQ(enabledFunctions(frame), QStringLiteral("0"));
    for (const char* id : {"1022", "1021", "1025", "1028", "1093"})
        EXPECT_TRUE(frame.menuButton(id)->isHidden()) << id;
    // The provider row starts highlighted.
    EXPECT_TRUE(highlighted(frame, "1030") && highlighted(frame, "1036"));
    EXPECT_FALSE(highlighted(frame, "1016"));

    frame.loginAsSupervisor();
    EXPECT_EQ(enabledFunctions(frame), QStringLiteral("14"));
    EXPECT_EQ(frame.user.modalDialogs,
        (QStringList {QStringLiteral("CDlgValidatePassword"), QStringLiteral("CDlgProductCountTip")}));
    frame.answerPrompt(QString());
    QTest::mouseClick(frame.menuButton("1035"), Qt::LeftButton);
    EXPECT_EQ(enabledFunctions(frame), QStringLiteral("0 参数设置"));
    frame.user.clear();
    frame.loginAsSupervisor();
    EXPECT_EQ(enabledFunctions(frame), QStringLiteral("14"));
    EXPECT_EQ(frame.user.modalDialogs, QStringList {QStringLiteral("CDlgValidatePassword")});
    EXPECT_TRUE(frame.user.messages.empty());
}

TEST(FunctionMenu, AWrongPasswordIsToldOnTheMenuAndChangesNothing)
{
    FrameFixture frame;
    auto* picture = frame.menu->findChild<QLabel*>(QStringLiteral("1037")); // 登录密码为空
    EXPECT_FALSE(picture->isHidden());
    const QList<QRect> places = placement(frame);
    frame.db.exec("UPDATE tbl_UserPassword SET LoginPassword = 'secret'");
    frame.loginAsSupervisor(QStringLiteral("Secret"));
    EXPECT_EQ(frame.user.texts(), QStringList {QStringLiteral("密码输入错误，请重新输入。")});
    EXPECT_EQ(enabledFunctions(frame), QStringLiteral("0"));
    // The box is centred on the menu the person works in, not on the
    // main window that has not been shown yet.
    ASSERT_EQ(frame.user.owners.size(), 1u);
    EXPECT_EQ(frame.user.owners[0], frame.menu.get());

    frame.user.clear();
    frame.answerPrompt(QStringLiteral("secret"), true);
    QTest::mouseClick(frame.menuButton("1015"), Qt::LeftButton);
    EXPECT_TRUE(frame.user.messages.empty()); // cancelled: nothing said
    EXPECT_EQ(enabledFunctions(frame), QStringLiteral("0"));
    frame.loginAsSupervisor(QStringLiteral("secret"));
    EXPECT_EQ(enabledFunctions(frame), QStringLiteral("14"));

    // Once the main window is shown, it owns the boxes.
    QTest::mouseClick(frame.menuButton("1019"), Qt::LeftButton);
    ASSERT_TRUE(frame.mainDlg->isVisible());
    frame.user.owners.clear();
    ShowInfoMessage(QStringLiteral("保存成功。"));
    ASSERT_EQ(frame.user.owners.size(), 1u);
    EXPECT_EQ(frame.user.owners[0], frame.mainDlg.get());

    // The main window's 功能菜单 looks at the stored password again before
    // showing the menu, which highlights the group the main window shows.
    QTest::mouseClick(frame.mainButton("1002"), Qt::LeftButton);
    EXPECT_TRUE(frame.menu->isVisible());
    EXPECT_TRUE(picture->isHidden());
    EXPECT_TRUE(placement(frame) == places) << "the menu moved when the picture went";
    EXPECT_TRUE(highlighted(frame, "1019"));
    EXPECT_FALSE(highlighted(frame, "1030"));
}

TEST(FunctionMenu, AFunctionShowsItsGroupAndPageAndClosingTheMenuOnlyHidesIt)
{
    FrameFixture frame;
    CDlgMainDlg& main = *frame.mainDlg;
    frame.datePicker()->setDate(QDate(2011, 5, 17));
    frame.loginAsSupervisor();
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
}
