// The record dialog of either side, opened from the page and used as a person would: its checks, what it
// stores and its result codes. A change through it is in the detail window's tests, but for a failed one.

#include "CDlgNewClient.h"

#include "PartnersTestSupport.h"

namespace {

class CDlgNewClientTest : public PartnersTest
{
protected:
    // Opens the dialog from the page; act types and clicks in it.
    void openDialog(const std::function<void(QDialog*)>& act)
    {
        user.onNextModal([act](QDialog* dialog) {
            act(dialog);
            return dialog->result();
        });
        clickButton(page.get(), side().provider() ? "1357" : "1042");
    }
};

// Types the name, the opening arrears and the other fields in form order, the remark only when there is one.
void fill(QDialog* dialog, const QString& name, const QString& arrears = "120", const QString& remark = "x")
{
    const QStringList texts = {name, "王五", arrears, "1", "2", "3", "4", "5", "6", "苏州", remark};
    const QList<QLineEdit*> edits = dialog->findChildren<QLineEdit*>();
    for (int i = 0; i < texts.size(); ++i) {
        edits[i]->clear();
        typeText(edits[i], texts[i]);
    }
}

} // namespace

TEST_P(CDlgNewClientTest, ANewPartyIsStoredOnceEveryCheckPasses)
{
    addParty("甲");
    openPage();
    openDialog([](QDialog* dialog) {
        for (const char* typed : {"12元", "1,000", "+5", "1e3", "--3", "."}) {
            fill(dialog, "O'Neil 新单位", typed);
            clickButton(dialog, "1064");
        }
        fill(dialog, "甲");
        clickButton(dialog, "1064");
        fill(dialog, "O'Neil 新单位", " -12.50 ", "");
        clickButton(dialog, "1068");
        clickButton(dialog, "1064");
        typeText(dialog->findChild<QLineEdit*>("1063"), "备注");
        clickButton(dialog, "1064");
        EXPECT_EQ(dialog->result(), 1);
    });
    const QString number = "起初欠款必须是数字，请重新输入。";
    EXPECT_EQ(user.texts(),
        (QStringList {number, number, number, number, number, number, side().info().DuplicateNameMessage(),
            "请填写完整信息。", QString("新增%1成功。").arg(side().word)}));
    // Stored as typed, without the blanks around the number.
    const QString stored
        = QString("SELECT %1 || '|' || Loan || '|' || BeginArrears || '|' || Remark || '|' || "
                  "length(GUID) FROM %2 WHERE %3 = ?")
              .arg(side().provider() ? "ProviderArea" : "ClientArea", side().partyTable, side().nameColumn);
    EXPECT_EQ(db.scalar(stored.toUtf8().constData(), {"O'Neil 新单位"}), "2|-12.50|-12.50|备注|36");
    EXPECT_EQ(page->RecordCount(), 2);
    EXPECT_EQ(page->CardParty(1).ClientName, "O'Neil 新单位");
}

TEST_P(CDlgNewClientTest, AFailedAddOrChangeKeepsTheDialogOpen)
{
    addParty("甲");
    openPage();
    exec(
        "CREATE TRIGGER refuse_add BEFORE INSERT ON %1 BEGIN SELECT RAISE(ABORT, 'disk full'); END", side().partyTable);
    exec("CREATE TRIGGER refuse_change BEFORE UPDATE ON %1 BEGIN SELECT RAISE(ABORT, 'disk full'); END",
        side().partyTable);
    const auto save = [](QDialog* dialog) {
        fill(dialog, "乙");
        clickButton(dialog, "1064");
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->findChild<QLineEdit*>("1065")->text(), "乙");
    };
    openDialog(save);
    // A change of the first card's party, set up as the detail window sets it up.
    CDlgNewClient change;
    change.SetMode(side().provider() ? ClientEditModifyProvider : ClientEditModifyClient);
    change.SetPage(page.get());
    change.SetClientButton(dynamic_cast<CBCGPDataButton*>(page->CardAt(0)));
    change.SetProviderButton(dynamic_cast<CBCGPProviderButton*>(page->CardAt(0)));
    change.SetRecord(page->CardParty(0));
    change.show();
    save(&change);
    ASSERT_EQ(user.messages.size(), 2u);
    for (const auto& message : user.messages) {
        EXPECT_EQ(message.kind, ScriptedInteraction::Message::Error);
        EXPECT_TRUE(message.text.startsWith(QString("保存%1资料失败。").arg(side().word)));
    }
    EXPECT_EQ(partyCount("乙"), 0);
    EXPECT_EQ(page->CardParty(0).ClientName, "甲");
}

TEST_P(CDlgNewClientTest, CancelEscapeAndTheCloseBoxEndWithZeroAndEnterSavesNothing)
{
    openPage();
    for (int way = 0; way < 4; ++way) {
        openDialog([way](QDialog* dialog) {
            fill(dialog, "甲");
            if (way == 0)
                clickButton(dialog, "1052");
            else if (way == 1)
                QTest::keyClick(dialog, Qt::Key_Escape);
            else if (way == 2)
                dialog->close();
            else
                QTest::keyClick(dialog->findChild<QLineEdit*>("1063"), Qt::Key_Return);
            EXPECT_EQ(dialog->isVisible(), way == 3) << way;
            EXPECT_EQ(dialog->result(), 0) << way;
        });
    }
    EXPECT_EQ(partyCount("甲"), 0);
    EXPECT_TRUE(user.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Sides, CDlgNewClientTest, ::testing::ValuesIn(kSides), SideLabel);
