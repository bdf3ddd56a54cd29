#include "CDlgTabOptions.h"

#include <QComboBox>
#include <QLineEdit>

#include "CDlgValidatePassword.h"
#include "GlobalFunctions.h"
#include "ParameterList.h"
#include "PasswordStore.h"
#include "SettingsTestSupport.h"

// The three parameter lists are one design: every case runs on the
// income/payout kinds, the money types and the vouchers alike, by clicking
// and typing on the options page against a real database file.

namespace {

struct ListCase
{
    const char *label;
    const ParameterList *list;
    // The name dialog's class.
    const char *dialog;
};

void PrintTo(const ListCase &list, std::ostream *out)
{
    *out << list.label;
}

const ListCase kLists[] = {
    {"incomePayTypes", &ParameterList::IncomePayTypes(), "CDlgNewIncomeType"},
    {"moneyTypes", &ParameterList::MoneyTypes(), "CDlgNewMoneyType"},
    {"vouchers", &ParameterList::Vouchers(), "CDlgNewVoucher"},
};

class ParameterListPageTest : public ::testing::TestWithParam<ListCase>
{
protected:
    const ParameterList &list() const { return *GetParam().list; }
    QString table() const { return QLatin1String(list().table); }

    // Empties the table, then writes these names with fresh keys.
    void setRows(const QStringList &names)
    {
        db.exec(QStringLiteral("DELETE FROM %1").arg(table()).toUtf8().constData());
        for (const QString &name : names) {
            const QString sql = QStringLiteral("INSERT INTO %1 (%2, GUID) VALUES (?, ?)")
                                    .arg(table(), QLatin1String(list().nameColumn));
            db.exec(sql.toUtf8().constData(), {name, GuidText()});
        }
    }
    void openPage()
    {
        page = std::make_unique<CDlgTabOptions>();
        page->resize(900, 600);
        page->show();
        view = page->findChild<QTableWidget *>(QString::fromLatin1(list().listId));
        ASSERT_NE(view, nullptr);
    }
    // "name/GUID" of every table row in order, and of every list row.
    QStringList tableEntries()
    {
        QStringList entries;
        const QString sql = QStringLiteral("SELECT %1 || '/' || GUID FROM %2 ORDER BY RowNo")
                                .arg(QLatin1String(list().nameColumn), table());
        Statement query = db.db().prepare(sql.toUtf8().constData());
        while (query.next())
            entries << query.textAt(0);
        return entries;
    }
    QStringList listEntries() const
    {
        QStringList entries;
        for (int row = 0; row < view->rowCount(); ++row)
            entries << view->item(row, 0)->text() + QLatin1Char('/') + view->item(row, 1)->text();
        return entries;
    }
    void expectListMatchesTable() { EXPECT_EQ(listEntries(), tableEntries()); }

    // The name dialog, as a person fills it: the old name is replaced by
    // the typed one, then 确定. Answers whether the dialog closed.
    void queueName(const QString &name, bool *closed = nullptr, QString *shownName = nullptr)
    {
        const ParameterList &l = list();
        user.onNextModal([=](QDialog *dialog) {
            auto *edit = dialog->findChild<QLineEdit *>(QString::fromLatin1(l.editId));
            if (shownName)
                *shownName = edit->text();
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            typeText(edit, name);
            press(dialog, l.okId);
            if (closed)
                *closed = !dialog->isVisible();
            if (dialog->isVisible())
                press(dialog, l.cancelId);
            return dialog->result();
        });
    }
    void clickDelete(bool answer)
    {
        user.answerQuestion(answer);
        press(page.get(), list().deleteId);
    }
    // Makes every write to the table fail, as a locked or full disk would.
    void refuseWrites()
    {
        for (const char *event : {"INSERT", "UPDATE", "DELETE"}) {
            const QString sql = QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE %1 ON %2 BEGIN "
                                               "SELECT RAISE(ABORT, 'disk I/O error'); END")
                                    .arg(QLatin1String(event), table());
            db.exec(sql.toUtf8().constData());
        }
    }

    TestDatabase db;
    ScriptedInteraction user;
    std::unique_ptr<CDlgTabOptions> page;
    QTableWidget *view = nullptr;
};

} // namespace

TEST_P(ParameterListPageTest, AddRenameAndDeleteKeepListAndTableAlike)
{
    setRows({QStringLiteral("货款"), QStringLiteral("其它")});
    openPage();
    EXPECT_EQ(listNames(view), (QStringList{QStringLiteral("货款"), QStringLiteral("其它")}));
    EXPECT_TRUE(view->isColumnHidden(1));

    const QString quoted = QStringLiteral("O'Neil 的 '预付款'");
    queueName(quoted);
    press(page.get(), list().newId);
    EXPECT_EQ(user.modalDialogs, QStringList{QLatin1String(GetParam().dialog)});
    expectListMatchesTable();
    ASSERT_EQ(view->rowCount(), 3);
    EXPECT_EQ(view->item(2, 0)->text(), quoted);
    EXPECT_EQ(view->item(2, 1)->text().size(), 36);

    // 修改 on the marked row shows its name and renames only that row.
    selectRow(view, 2);
    QString shown;
    queueName(QStringLiteral("退'款"), nullptr, &shown);
    press(page.get(), list().modifyId);
    EXPECT_EQ(shown, quoted);
    expectListMatchesTable();
    EXPECT_EQ(listNames(view).last(), QStringLiteral("退'款"));

    // A double-click on a row does the same and leaves that row marked.
    queueName(QStringLiteral("货款（现结）"));
    doubleClickRow(view, 0);
    expectListMatchesTable();
    EXPECT_EQ(listNames(view).first(), QStringLiteral("货款（现结）"));
    EXPECT_EQ(view->currentRow(), 0);

    // 删除 asks first; No keeps the row.
    selectRow(view, 2);
    clickDelete(false);
    EXPECT_EQ(user.lastText(), QStringLiteral("确定要删除这个参数吗？"));
    EXPECT_EQ(view->rowCount(), 3);
    clickDelete(true);
    expectListMatchesTable();
    EXPECT_EQ(listNames(view), (QStringList{QStringLiteral("货款（现结）"), QStringLiteral("其它")}));
    // Deleting says nothing more than its question.
    EXPECT_EQ(user.messages.back().kind, ScriptedInteraction::Message::Question);
}

TEST_P(ParameterListPageTest, OfTwoEqualNamesOnlyTheMarkedRowIsRenamedOrDeleted)
{
    setRows({QStringLiteral("现金"), QStringLiteral("现金"), QStringLiteral("其它")});
    openPage();
    const QStringList before = tableEntries();

    selectRow(view, 1);
    queueName(QStringLiteral("现金（门店）"));
    press(page.get(), list().modifyId);
    expectListMatchesTable();
    EXPECT_EQ(tableEntries().first(), before.first());
    EXPECT_TRUE(tableEntries()[1].startsWith(QStringLiteral("现金（门店）/")));

    // Put the name back, then delete the first of the two.
    selectRow(view, 1);
    queueName(QStringLiteral("现金"));
    press(page.get(), list().modifyId);
    selectRow(view, 0);
    clickDelete(true);
    expectListMatchesTable();
    EXPECT_EQ(tableEntries(), (QStringList{before[1], before[2]}));

    // The kept row is still there at the next opening.
    openPage();
    expectListMatchesTable();
    EXPECT_EQ(listNames(view), (QStringList{QStringLiteral("现金"), QStringLiteral("其它")}));
}

TEST_P(ParameterListPageTest, DeleteAsksForAMarkedRowBeforeItCountsTheRows)
{
    setRows({QStringLiteral("收据")});
    openPage();
    clickDelete(true);
    EXPECT_EQ(user.texts(), QStringList{QStringLiteral("请选择要删除的参数。")});

    selectRow(view, 0);
    clickDelete(true);
    EXPECT_EQ(
        user.texts(), (QStringList{QStringLiteral("请选择要删除的参数。"), QStringLiteral("至少要保留一个参数。")}));
    EXPECT_EQ(tableEntries().size(), 1);
    expectListMatchesTable();

    // 修改 without a marked row does nothing at all.
    view->clearSelection();
    press(page.get(), list().modifyId);
    EXPECT_TRUE(user.modalDialogs.isEmpty());
}

TEST_P(ParameterListPageTest, TheNameDialogChecksTheNameAndTakesItAsTyped)
{
    setRows({QStringLiteral("收据"), QStringLiteral("发票")});
    openPage();
    const ParameterList &l = list();
    user.onNextModal([&](QDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("参数设置"));
        auto *edit = dialog->findChild<QLineEdit *>(QString::fromLatin1(l.editId));
        EXPECT_TRUE(edit->text().isEmpty());
        press(dialog, l.okId);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(user.lastText(), l.emptyNameMessage);
        // Enter presses no button.
        typeText(edit, QStringLiteral("abc"));
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible());
        // 20 characters at most; blanks stay.
        edit->clear();
        typeText(edit, QStringLiteral(" 两个空格 ") + QString(30, QLatin1Char('x')));
        EXPECT_EQ(edit->text().size(), 20);
        press(dialog, l.okId);
        EXPECT_FALSE(dialog->isVisible());
        return dialog->result();
    });
    press(page.get(), l.newId);
    expectListMatchesTable();
    EXPECT_EQ(listNames(view).last(), QStringLiteral(" 两个空格 ") + QString(14, QLatin1Char('x')));

    // 取消 after typing writes nothing.
    const QStringList before = tableEntries();
    user.onNextModal([&](QDialog *dialog) {
        typeText(dialog->findChild<QLineEdit *>(QString::fromLatin1(l.editId)), QStringLiteral("不要"));
        press(dialog, l.cancelId);
        return dialog->result();
    });
    press(page.get(), l.newId);
    EXPECT_EQ(tableEntries(), before);
    expectListMatchesTable();
}

TEST_P(ParameterListPageTest, AFailedWriteIsShownAndLeavesListAndTableAlike)
{
    setRows({QStringLiteral("收据"), QStringLiteral("发票")});
    openPage();
    refuseWrites();
    const QStringList before = tableEntries();

    bool closed = true;
    queueName(QStringLiteral("支票"), &closed);
    press(page.get(), list().newId);
    EXPECT_FALSE(closed) << "the typed name stays for another try";
    EXPECT_TRUE(user.lastText().startsWith(QStringLiteral("新增参数失败。\n")));

    selectRow(view, 0);
    queueName(QStringLiteral("收条"), &closed);
    press(page.get(), list().modifyId);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(user.lastText().startsWith(QStringLiteral("修改参数失败。\n")));

    clickDelete(true);
    EXPECT_TRUE(user.lastText().startsWith(QStringLiteral("删除参数失败。\n")));
    for (const ScriptedInteraction::Message &message : user.messages)
        EXPECT_FALSE(message.text.contains(QStringLiteral("disk I/O error"))) << message.text.toStdString();

    EXPECT_EQ(tableEntries(), before);
    expectListMatchesTable();
}

TEST_P(ParameterListPageTest, AnEntryGoneMeanwhileIsSaidAndTheListReloaded)
{
    setRows({QStringLiteral("收据"), QStringLiteral("发票"), QStringLiteral("支票")});
    openPage();
    const QString sql
        = QStringLiteral("DELETE FROM %1 WHERE RowNo IN (SELECT RowNo FROM %1 ORDER BY RowNo LIMIT 1)").arg(table());
    db.exec(sql.toUtf8().constData());

    selectRow(view, 0);
    bool closed = false;
    queueName(QStringLiteral("收条"), &closed);
    press(page.get(), list().modifyId);
    EXPECT_TRUE(closed);
    EXPECT_EQ(user.lastText(), QStringLiteral("该参数已不存在。"));
    expectListMatchesTable();
    EXPECT_EQ(listNames(view), (QStringList{QStringLiteral("发票"), QStringLiteral("支票")}));

    db.exec(sql.toUtf8().constData());
    selectRow(view, 0);
    clickDelete(true);
    EXPECT_EQ(user.lastText(), QStringLiteral("该参数已不存在。"));
    expectListMatchesTable();
}

INSTANTIATE_TEST_SUITE_P(Lists, ParameterListPageTest, ::testing::ValuesIn(kLists),
    [](const ::testing::TestParamInfo<ListCase> &info) { return info.param.label; });

namespace {

class OptionsPageTest : public ::testing::Test
{
protected:
    void openPage()
    {
        page = std::make_unique<CDlgTabOptions>();
        page->show();
    }
    template <typename T> T *control(const char *id)
    {
        auto *widget = page->findChild<T *>(QString::fromLatin1(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }
    // The password prompt of the login, as the function menu runs it.
    int prompt(int kind, const QString &typed)
    {
        CDlgValidatePassword dialog;
        dialog.SetPasswordKind(kind);
        dialog.show();
        typeText(dialog.findChild<QLineEdit *>(QStringLiteral("1278")), typed);
        press(&dialog, "1276");
        return dialog.result();
    }
    void refuseWrites(const char *table)
    {
        for (const char *event : {"INSERT", "UPDATE"}) {
            const QString sql = QStringLiteral("CREATE TRIGGER refuse_%1_%2 BEFORE %1 ON %2 BEGIN "
                                               "SELECT RAISE(ABORT, 'disk I/O error'); END")
                                    .arg(QLatin1String(event), QLatin1String(table));
            db.exec(sql.toUtf8().constData());
        }
    }

    TestDatabase db;
    ScriptedInteraction user;
    std::unique_ptr<CDlgTabOptions> page;
};

} // namespace

TEST_F(OptionsPageTest, ALoginPasswordSetForAMissingRowHoldsAtTheNextPrompt)
{
    db.exec("DELETE FROM tbl_UserPassword WHERE UserType = '管理员'");
    openPage();
    auto *userType = control<QComboBox>("1225");
    auto *edit = control<QLineEdit>("1226");
    EXPECT_EQ(userType->currentText(), QStringLiteral("财务主管"));
    typeText(edit, QStringLiteral("abc"));
    // Choosing the other user type empties the edit.
    userType->setFocus();
    QTest::keyClick(userType, Qt::Key_Down);
    EXPECT_EQ(userType->currentText(), QStringLiteral("管理员"));
    EXPECT_TRUE(edit->text().isEmpty());

    typeText(edit, QStringLiteral("Ab'9xyz12345"));
    EXPECT_EQ(edit->text(), QStringLiteral("Ab'9xyz123"));
    user.answerQuestion(true);
    press(page.get(), "1223");
    EXPECT_EQ(user.texts(),
        (QStringList{QStringLiteral("确定要把密码改为 Ab'9xyz123 吗？"), QStringLiteral("密码修改成功。")}));
    EXPECT_EQ(edit->text(), QStringLiteral("Ab'9xyz123"));

    EXPECT_EQ(prompt(PasswordAdministrator, QStringLiteral("Ab'9xyz123")), 1);
    EXPECT_EQ(prompt(PasswordAdministrator, QString()), 0);
    EXPECT_EQ(prompt(PasswordAdministrator, QStringLiteral("ab'9xyz123")), 0);
    // The other user keeps its (empty) password.
    EXPECT_EQ(prompt(PasswordFinanceSupervisor, QString()), 1);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM tbl_UserPassword"), QStringLiteral("2"));

    // An empty password is offered and stored after the question.
    QTest::keyClick(userType, Qt::Key_Up);
    QTest::keyClick(userType, Qt::Key_Down);
    user.clear();
    user.answerQuestion(true);
    press(page.get(), "1223");
    EXPECT_EQ(user.texts(), (QStringList{QStringLiteral("确定要把密码改为  吗？"), QStringLiteral("密码修改成功。")}));
    EXPECT_EQ(prompt(PasswordAdministrator, QString()), 1);
}

TEST_F(OptionsPageTest, TheDataModificationPasswordIsCreatedWhenMissingAndAskedFirst)
{
    db.exec("DELETE FROM tbl_AccessTypePassword");
    openPage();
    auto *edit = control<QLineEdit>("1232");
    typeText(edit, QStringLiteral("改资料"));
    user.answerQuestion(false);
    press(page.get(), "1224");
    EXPECT_EQ(user.texts(), QStringList{QStringLiteral("确定要把密码改为 改资料 吗？")});
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM tbl_AccessTypePassword"), QStringLiteral("0"));

    user.answerQuestion(true);
    press(page.get(), "1224");
    EXPECT_EQ(user.lastText(), QStringLiteral("密码修改成功。"));
    EXPECT_EQ(prompt(PasswordDataModification, QStringLiteral("改资料")), 1);
    EXPECT_EQ(prompt(PasswordDataModification, QString()), 0);
}

TEST_F(OptionsPageTest, ThePrintOptionIsStoredAndShownAtTheNextOpening)
{
    openPage();
    auto *format = control<QComboBox>("1228");
    EXPECT_EQ(format->currentText(), QStringLiteral("不含订金"));
    format->setFocus();
    QTest::keyClick(format, Qt::Key_Down);
    press(page.get(), "1229");
    EXPECT_EQ(user.texts(), QStringList{QStringLiteral("单据打印格式设置为：含订金")});
    EXPECT_TRUE(IsReturnBillPrintWithDeposit());
    openPage();
    EXPECT_EQ(control<QComboBox>("1228")->currentText(), QStringLiteral("含订金"));

    // Without its row the box opens on 不含订金, and storing creates it.
    db.exec("DELETE FROM tbl_MiscOption");
    openPage();
    format = control<QComboBox>("1228");
    EXPECT_EQ(format->currentText(), QStringLiteral("不含订金"));
    format->setCurrentText(QStringLiteral("含订金"));
    press(page.get(), "1229");
    EXPECT_TRUE(IsReturnBillPrintWithDeposit());
    format->setCurrentText(QStringLiteral("不含订金"));
    press(page.get(), "1229");
    EXPECT_FALSE(IsReturnBillPrintWithDeposit());
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM tbl_MiscOption"), QStringLiteral("1"));
}

TEST_F(OptionsPageTest, NoSuccessIsAnnouncedAfterAFailedWrite)
{
    for (const char *table : {"tbl_UserPassword", "tbl_AccessTypePassword", "tbl_MiscOption"})
        refuseWrites(table);
    openPage();
    typeText(control<QLineEdit>("1226"), QStringLiteral("123"));
    typeText(control<QLineEdit>("1232"), QStringLiteral("456"));
    control<QComboBox>("1228")->setCurrentText(QStringLiteral("含订金"));
    user.answerQuestion(true);
    press(page.get(), "1223");
    user.answerQuestion(true);
    press(page.get(), "1224");
    press(page.get(), "1229");

    QStringList errors;
    for (const ScriptedInteraction::Message &message : user.messages) {
        EXPECT_NE(message.kind, ScriptedInteraction::Message::Information) << message.text.toStdString();
        if (message.kind == ScriptedInteraction::Message::Error)
            errors << message.text.section(QLatin1Char('\n'), 0, 0);
    }
    EXPECT_EQ(errors,
        (QStringList{QStringLiteral("修改密码失败。"), QStringLiteral("修改密码失败。"),
            QStringLiteral("设置单据打印格式失败。")}));
    EXPECT_EQ(prompt(PasswordFinanceSupervisor, QString()), 1);
    EXPECT_EQ(prompt(PasswordDataModification, QString()), 1);
    EXPECT_FALSE(IsReturnBillPrintWithDeposit());
    EXPECT_EQ(control<QComboBox>("1228")->currentText(), QStringLiteral("不含订金"));
}
