#include "CDlgSelBillDlg.h"

#include <QPushButton>

#include "GoodsBillPage.h"
#include "GoodsBillTestSupport.h"
#include "ScriptedInteraction.h"

// The bill-type chooser: its captions and the modes it opens the editor in,
// per side; Esc opens nothing.

TEST(CDlgSelBillDlgTest, CaptionsAndModesPerSide)
{
    TestDatabase db;
    ScriptedInteraction user;
    ScriptedLauncher launcher;
    CDlgTabGoods sales(2, nullptr);
    CDlgTabProviderGoods purchase(2, nullptr);
    struct Case
    {
        PartySide side;
        const char *button;
        const char *caption;
        int mode;
    };
    const Case cases[] = {{PartyClient, "1095", "销售出货单", 0}, {PartyClient, "1096", "销售退货单", 1},
        {PartyProvider, "1095", "采购退货单", 11}, {PartyProvider, "1096", "采购进货单", 10}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.caption);
        launcher.requests.clear();
        launcher.onRun = [](const GoodsBillEditRequest &) { return 1; };
        CDlgSelBillDlg chooser;
        if (c.side == PartyProvider) {
            chooser.SetSide(PartyProvider);
            chooser.SetProviderGoodsTab(&purchase);
        } else {
            chooser.SetGoodsTab(&sales);
        }
        EXPECT_EQ(chooser.windowTitle(), QStringLiteral("选择单据类型"));
        auto *button = chooser.findChild<QPushButton *>(QString::fromLatin1(c.button));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromUtf8(c.caption));
        chooser.show();
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_EQ(launcher.requests.size(), 1u);
        EXPECT_EQ(launcher.requests[0].mode, c.mode);
        EXPECT_TRUE(launcher.requests[0].lines.empty());
        EXPECT_EQ(launcher.requests[0].salesPage, c.side == PartyClient ? &sales : nullptr);
        EXPECT_EQ(launcher.requests[0].purchasePage, c.side == PartyProvider ? &purchase : nullptr);
        // The chooser closes with 0 whatever the editor answered.
        EXPECT_FALSE(chooser.isVisible());
        EXPECT_EQ(chooser.result(), 0);
    }
}

TEST(CDlgSelBillDlgTest, EscapeAndEnterOpenNothing)
{
    TestDatabase db;
    ScriptedInteraction user;
    ScriptedLauncher launcher;
    CDlgSelBillDlg chooser;
    chooser.show();
    chooser.findChild<QPushButton *>(QStringLiteral("1095"))->setFocus();
    QTest::keyClick(&chooser, Qt::Key_Return);
    EXPECT_TRUE(launcher.requests.empty());
    EXPECT_TRUE(chooser.isVisible());
    QTest::keyClick(&chooser, Qt::Key_Escape);
    EXPECT_FALSE(chooser.isVisible());
    EXPECT_EQ(chooser.result(), 0);
    EXPECT_TRUE(launcher.requests.empty());
}
