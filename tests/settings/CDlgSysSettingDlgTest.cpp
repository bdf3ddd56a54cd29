#include "CDlgSysSettingDlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

#include "CDlgTabSetting.h"
#include "GlobalFunctions.h"
#include "SettingsTestSupport.h"

// The settings page's 设置 opens a new settings window at each click: it
// shows a row added meanwhile, and its 确定 closes it writing nothing.
TEST(SettingsWindowTest, EachOpeningReadsAfreshAndOkClosesWritingNothing)
{
    TestDatabase db;
    ScriptedInteraction user;
    CDlgTabSetting page;
    page.show();
    QStringList lastMoneyTypes;
    for (int opening = 0; opening < 2; ++opening) {
        const QStringList before = databaseRows(db.db());
        user.onNextModal([&](QDialog *dialog) {
            auto *tabs = dialog->findChild<QTabWidget *>("1");
            EXPECT_EQ(tabs->tabText(0) + tabs->tabText(1), "软件设置数据维护");
            EXPECT_EQ(tabs->currentIndex(), 0);
            auto *moneyTypes = dialog->findChild<QTableWidget *>("1215");
            lastMoneyTypes << moneyTypes->item(moneyTypes->rowCount() - 1, 0)->text();
            // Enter in an edit or on a focused button presses nothing.
            typeText(dialog->findChild<QLineEdit *>("1232"), "secret");
            dialog->findChild<QComboBox *>("1228")->setCurrentText("含订金");
            for (const char *id : {"1232", "1223", "1229", "1231", "1355"}) {
                auto *widget = dialog->findChild<QWidget *>(id);
                widget->setFocus();
                QTest::keyClick(widget, Qt::Key_Return);
                QTest::keyClick(widget, Qt::Key_Enter);
            }
            EXPECT_TRUE(dialog->isVisible());
            clickButton(dialog, "1355");
            EXPECT_TRUE(!dialog->isVisible() && dialog->result() == 0);
            return dialog->result();
        });
        clickButton(&page, "1353");
        EXPECT_EQ(databaseRows(db.db()), before);
        db.exec("INSERT INTO tbl_MoneyType (MoneyType, GUID) VALUES ('支票', ?)", {GuidText()});
    }
    EXPECT_NE(lastMoneyTypes.value(0), "支票");
    EXPECT_EQ(lastMoneyTypes.value(1), "支票");
    EXPECT_EQ(user.modalDialogs, QStringList(2, "CDlgSysSettingDlg"));
    EXPECT_TRUE(user.messages.empty());
}
