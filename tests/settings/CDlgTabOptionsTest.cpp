#include "CDlgTabOptions.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>

#include "CDlgTabSetting.h"
#include "ClickSupport.h"
#include "GlobalFunctions.h"
#include "ParameterList.h"
#include "PasswordStore.h"
#include "QStringPrinting.h"
#include "ScriptedInteraction.h"
#include "TestDatabase.h"

// The options page and the settings window as a person uses them, against a
// real database file.

namespace {

// Clicks (twice: double-clicks) the name of a row; the key column is hidden.
void clickName(QTableWidget *list, int row, bool twice = false)
{
    const QPoint at = list->visualItemRect(list->item(row, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

class OptionsPageTest : public ::testing::Test
{
protected:
    void openPage()
    {
        page = std::make_unique<CDlgTabOptions>();
        page->show();
    }
    template <typename T> T *control(const char *id) { return page->findChild<T *>(QString::fromLatin1(id)); }
    // The first line of every message so far.
    QStringList heads() const { return user.texts().replaceInStrings(QRegularExpression("\n.*"), QString()); }
    void exec(const QString &sql, const QStringList &values = {}) { db.exec(sql.toUtf8().constData(), values); }
    // Makes every write to the table fail, as a locked or full disk would.
    void refuseWrites(const QString &table)
    {
        for (const char *event : {"INSERT", "UPDATE", "DELETE"})
            exec(QString("CREATE TRIGGER refuse_%1_%2 BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, 'disk I/O'); END")
                     .arg(QLatin1String(event), table));
    }
    TestDatabase db;
    ScriptedInteraction user;
    std::unique_ptr<CDlgTabOptions> page;
};

// The three lists are one design: every case runs on the income/payout
// kinds, the money types and the vouchers alike.
class ParameterListTest : public OptionsPageTest, public ::testing::WithParamInterface<const ParameterList *>
{
protected:
    const ParameterList &list() const { return *GetParam(); }
    QString table() const { return QLatin1String(list().table); }
    QString nameColumn() const { return QLatin1String(list().nameColumn); }

    // Opens the page on a table of these names with fresh keys.
    void openOn(const QStringList &names)
    {
        exec(QString("DELETE FROM %1").arg(table()));
        for (const QString &name : names)
            exec(QString("INSERT INTO %1 (%2, GUID) VALUES (?, ?)").arg(table(), nameColumn()), {name, GuidText()});
        openPage();
        view = control<QTableWidget>(list().listId);
    }
    // "name/GUID" of every row of the list, which must show the table.
    QStringList entries()
    {
        QStringList shown;
        for (int row = 0; row < view->rowCount(); ++row)
            shown << view->item(row, 0)->text() + '/' + view->item(row, 1)->text();
        const QString sql = "SELECT group_concat(%1 || '/' || GUID, '|') FROM (SELECT * FROM %2 ORDER BY RowNo)";
        EXPECT_EQ(shown.join('|'), db.scalar(sql.arg(nameColumn(), table()).toUtf8())) << "list and table differ";
        return shown;
    }
    // The name dialog as a person fills it: it shows `shown`, the new name
    // is typed over it, then 确定 (and 取消 when it stays open).
    void queueName(const QString &name, const QString &shown = QString())
    {
        user.onNextModal([=, this](QDialog *dialog) {
            auto *edit = dialog->findChild<QLineEdit *>(QString::fromLatin1(list().editId));
            EXPECT_EQ(edit->text(), shown);
            edit->clear();
            typeText(edit, name);
            clickButton(dialog, list().okId);
            closed = !dialog->isVisible();
            if (!closed)
                clickButton(dialog, list().cancelId);
            return dialog->result();
        });
    }

    QTableWidget *view = nullptr;
    bool closed = false;
};

} // namespace

TEST_P(ParameterListTest, OnlyTheMarkedRowIsReachedAndListAndTableStayAlike)
{
    // Without a marked row 修改 does nothing and 删除 asks for one before it
    // counts the rows.
    openOn({"收据"});
    clickButton(page.get(), list().modifyId);
    clickButton(page.get(), list().deleteId);
    clickName(view, 0);
    clickButton(page.get(), list().deleteId);
    EXPECT_TRUE(user.modalDialogs.isEmpty());
    EXPECT_EQ(user.texts(), (QStringList{"请选择要删除的参数。", "至少要保留一个参数。"}));

    // A stored name longer than a typed one may be is shown whole.
    const QString stored = "现金（门店收银台 " + QString(20, QLatin1Char('x')) + "）";
    openOn(QStringList(3, stored));
    const QStringList before = entries();
    // Of equal names, 删除 (after its question) and 修改 take the marked row's key.
    clickName(view, 0);
    user.answerQuestion(false);
    clickButton(page.get(), list().deleteId);
    EXPECT_EQ(user.lastText(), "确定要删除这个参数吗？");
    user.answerQuestion(true);
    clickButton(page.get(), list().deleteId);
    EXPECT_EQ(entries(), before.mid(1));
    clickName(view, 1);
    queueName("退'款", stored);
    clickButton(page.get(), list().modifyId);
    EXPECT_EQ(entries(), (QStringList{before[1], "退'款/" + before[2].section('/', 1)}));

    // 新增 refuses an empty name, Enter presses nothing, and the name is
    // kept as typed, blanks and quotes too, up to 20 characters.
    const QString typed = " O'Neil 的 '预付款' " + QString(10, QLatin1Char('x'));
    user.onNextModal([&](QDialog *dialog) {
        auto *edit = dialog->findChild<QLineEdit *>(QString::fromLatin1(list().editId));
        clickButton(dialog, list().okId);
        EXPECT_EQ(user.lastText(), list().emptyNameMessage);
        typeText(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible());
        clickButton(dialog, list().okId);
        return dialog->result();
    });
    clickButton(page.get(), list().newId);
    EXPECT_EQ(entries().last().section('/', 0, 0), typed.left(20));

    // A double-click renames as 修改 does and leaves the row marked.
    queueName("货款", typed.left(20));
    clickName(view, 2, true);
    EXPECT_EQ(entries().last().section('/', 0, 0), "货款");
    EXPECT_EQ(view->currentRow(), 2);

    // A row deleted meanwhile: 修改 and 删除 say so and show the table.
    openOn({"收据", "发票", "支票", "收条"});
    const QString dropFirst = QString("DELETE FROM %1 WHERE RowNo = (SELECT MIN(RowNo) FROM %1)").arg(table());
    exec(dropFirst);
    clickName(view, 0);
    queueName("收条", "收据");
    clickButton(page.get(), list().modifyId);
    EXPECT_TRUE(closed);
    EXPECT_EQ(user.lastText(), "该参数已不存在。");
    EXPECT_EQ(entries().size(), 3);
    exec(dropFirst);
    clickName(view, 0);
    user.answerQuestion(true);
    clickButton(page.get(), list().deleteId);
    EXPECT_EQ(user.lastText(), "该参数已不存在。");
    EXPECT_EQ(entries().size(), 2);

    // A failed write is shown in words, and the typed name stays for
    // another try.
    refuseWrites(table());
    user.clear();
    queueName("支'票");
    clickButton(page.get(), list().newId);
    EXPECT_FALSE(closed);
    clickName(view, 0);
    queueName("收条", "支票");
    clickButton(page.get(), list().modifyId);
    EXPECT_FALSE(closed);
    user.answerQuestion(true);
    clickButton(page.get(), list().deleteId);
    EXPECT_EQ(heads(), (QStringList{"新增参数失败。", "修改参数失败。", "确定要删除这个参数吗？", "删除参数失败。"}));
    EXPECT_FALSE(user.texts().join('\n').contains("disk I/O"));
    EXPECT_EQ(entries().size(), 2);
}

void PrintTo(const ParameterList *list, std::ostream *out)
{
    *out << list->table;
}

INSTANTIATE_TEST_SUITE_P(Lists, ParameterListTest, ::testing::ValuesIn(ParameterList::All()),
    [](const ::testing::TestParamInfo<const ParameterList *> &info) { return std::string(info.param->table); });

TEST_F(OptionsPageTest, PasswordsAndThePrintOptionAreWrittenAlsoWithoutTheirRowsOrSayWhyNot)
{
    db.db().executeScript("DELETE FROM tbl_UserPassword WHERE UserType = '管理员'; DELETE FROM tbl_AccessTypePassword; "
                          "DELETE FROM tbl_MiscOption");
    openPage();
    // Choosing the other user type empties the login password's edit.
    auto *userType = control<QComboBox>("1225");
    typeText(control<QLineEdit>("1226"), "abc");
    userType->setFocus();
    QTest::keyClick(userType, Qt::Key_Down);
    EXPECT_EQ(userType->currentText(), "管理员");
    EXPECT_TRUE(control<QLineEdit>("1226")->text().isEmpty());

    // The edits take 10 characters, an emoji counting as one; No writes
    // nothing. The prompt then takes the new password and refuses the
    // empty one; after a failed write no success is announced.
    const QString ask = "确定要把密码改为 Ab'9改xyz😀2 吗？";
    auto change = [&](const char *edit, const char *button, int kind, const char *table) {
        user.clear();
        typeText(control<QLineEdit>(edit), "Ab'9改xyz😀2345");
        clickButton(page.get(), button);
        EXPECT_TRUE(PasswordMatches(db.db(), kind, QString()));
        user.answerQuestion(true);
        clickButton(page.get(), button);
        EXPECT_TRUE(PasswordMatches(db.db(), kind, "Ab'9改xyz😀2"));
        refuseWrites(table);
        user.answerQuestion(true);
        clickButton(page.get(), button);
        EXPECT_EQ(heads(), (QStringList{ask, ask, "密码修改成功。", ask, "修改密码失败。"}));
    };
    change("1226", "1223", PasswordAdministrator, "tbl_UserPassword");
    change("1232", "1224", PasswordDataModification, "tbl_AccessTypePassword");

    // The print option holds for the printed bills and the next opening;
    // after a failed write the box shows what the printed bills will use.
    for (const QString format : {"含订金", "不含订金"}) {
        control<QComboBox>("1228")->setCurrentText(format);
        clickButton(page.get(), "1229");
        EXPECT_EQ(user.lastText(), "单据打印格式设置为：" + format);
        EXPECT_EQ(IsReturnBillPrintWithDeposit(), format == "含订金");
        openPage();
        EXPECT_EQ(control<QComboBox>("1228")->currentText(), format);
    }
    refuseWrites("tbl_MiscOption");
    control<QComboBox>("1228")->setCurrentText("含订金");
    clickButton(page.get(), "1229");
    EXPECT_EQ(heads().last(), "设置单据打印格式失败。");
    EXPECT_EQ(control<QComboBox>("1228")->currentText(), "不含订金");
}

// The settings page's 设置 opens a new settings window at each click: it
// shows a row added meanwhile, and its 确定 closes it; Enter presses nothing
// (nothing is asked, said or opened).
TEST_F(OptionsPageTest, EachOpeningOfTheSettingsWindowReadsAfreshAndOkClosesItWritingNothing)
{
    CDlgTabSetting settings;
    settings.show();
    QStringList lastMoneyTypes;
    for (int opening = 0; opening < 2; ++opening) {
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
        clickButton(&settings, "1353");
        exec("INSERT INTO tbl_MoneyType (MoneyType, GUID) VALUES ('支票', ?)", {GuidText()});
    }
    EXPECT_EQ(lastMoneyTypes, (QStringList{"转账", "支票"}));
    EXPECT_EQ(user.modalDialogs, QStringList(2, "CDlgSysSettingDlg"));
    EXPECT_TRUE(user.messages.empty());
}
