#include "CDlgSysSettingDlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "CDlgTabSetting.h"
#include "SettingsTestSupport.h"

// The settings page's 设置 opens a new settings window at each click, as
// a person finds it.

namespace {

class SettingsWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { page.show(); }

    // Opens the window with 1353 and lets `look` work in it before 确定.
    void openSettings(const std::function<void(QDialog *)> &look)
    {
        user.onNextModal([&](QDialog *dialog) {
            look(dialog);
            press(dialog, "1355");
            EXPECT_FALSE(dialog->isVisible());
            return dialog->result();
        });
        press(&page, "1353");
    }

    TestDatabase db;
    ScriptedInteraction user;
    CDlgTabSetting page;
};

} // namespace

TEST_F(SettingsWindowTest, TheWindowOpensOnTheOptionsTabWithDataMaintenanceSecond)
{
    int result = -1;
    user.onNextModal([&](QDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("程序设置"));
        auto *tabs = dialog->findChild<QTabWidget *>(QStringLiteral("1"));
        EXPECT_EQ(tabs->count(), 2);
        EXPECT_EQ(tabs->tabText(0), QStringLiteral("软件设置"));
        EXPECT_EQ(tabs->tabText(1), QStringLiteral("数据维护"));
        EXPECT_EQ(tabs->currentIndex(), 0);
        EXPECT_FALSE(tabs->tabIcon(0).isNull());
        EXPECT_STREQ(tabs->widget(0)->metaObject()->className(), "CDlgTabOptions");
        EXPECT_STREQ(tabs->widget(1)->metaObject()->className(), "CDlgTabDataMgr");
        press(dialog, "1355");
        result = dialog->result();
        return result;
    });
    press(&page, "1353");
    EXPECT_EQ(user.modalDialogs, QStringList{QStringLiteral("CDlgSysSettingDlg")});
    EXPECT_EQ(result, 0);
}

TEST_F(SettingsWindowTest, EachOpeningShowsRowsAddedMeanwhile)
{
    QStringList first;
    openSettings(
        [&](QDialog *dialog) { first = listNames(dialog->findChild<QTableWidget *>(QStringLiteral("1215"))); });
    db.exec("INSERT INTO tbl_MoneyType (MoneyType, GUID) VALUES ('支票', 'A0000000-0000-0000-0000-000000000001')");
    QStringList second;
    openSettings(
        [&](QDialog *dialog) { second = listNames(dialog->findChild<QTableWidget *>(QStringLiteral("1215"))); });
    EXPECT_EQ(second, first + QStringList{QStringLiteral("支票")});
}

TEST_F(SettingsWindowTest, OkWritesNothingAndEnterPressesNoButton)
{
    const QStringList before = databaseRows(db.db());
    openSettings([&](QDialog *dialog) {
        auto *login = dialog->findChild<QLineEdit *>(QStringLiteral("1226"));
        typeText(login, QStringLiteral("secret"));
        QTest::keyClick(login, Qt::Key_Return);
        typeText(dialog->findChild<QLineEdit *>(QStringLiteral("1232")), QStringLiteral("other"));
        dialog->findChild<QComboBox *>(QStringLiteral("1228"))->setCurrentText(QStringLiteral("含订金"));
        // Enter on a focused button presses nothing either, 确定 included.
        for (const char *id : {"1223", "1229", "1231", "1355"}) {
            auto *button = dialog->findChild<QPushButton *>(QString::fromLatin1(id));
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Return);
            QTest::keyClick(button, Qt::Key_Enter);
        }
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(user.messages.empty());
        EXPECT_TRUE(user.modalDialogs.size() == 1);
    });
    EXPECT_EQ(databaseRows(db.db()), before);
    EXPECT_TRUE(user.messages.empty());
}
