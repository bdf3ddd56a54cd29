// The record dialog of either side, typed into and clicked as a person
// would: its checks, what it stores and its result codes.

#include "CDlgNewClient.h"

#include <QLabel>
#include <QRadioButton>

#include "PartnersTestSupport.h"
#include "PartyPage.h"
#include "RecordColumns.h"

namespace {

// The edits in the order of the form, with what a person types.
const char *const kEditIds[] = {"1065", "1053", "1055", "1056", "1057", "1058", "1059", "1060", "1061", "1062", "1063"};

class CDlgNewClientTest : public ::testing::TestWithParam<SideCase>
{
protected:
    void SetUp() override
    {
        SetWorkingDate(QDate(2011, 5, 17));
        if (side().side == PartyClient)
            page = std::make_unique<CDlgTabClient>(4, nullptr);
        else
            page = std::make_unique<CDlgTabProviderMgr>(4, nullptr);
        page->resize(600, 260);
    }
    void TearDown() override { page.reset(); }

    const SideCase &side() const { return GetParam(); }
    bool provider() const { return side().side == PartyProvider; }

    // A dialog as the page or the detail window sets it up.
    std::unique_ptr<CDlgNewClient> dialogFor(bool modify, const struct_button_data *record = nullptr)
    {
        auto dialog = std::make_unique<CDlgNewClient>();
        dialog->SetPage(page.get());
        dialog->SetMode(modify ? (provider() ? ClientEditModifyProvider : ClientEditModifyClient)
                               : (provider() ? ClientEditNewProvider : ClientEditNewClient));
        if (record)
            dialog->SetRecord(*record);
        dialog->show();
        return dialog;
    }
    static QLineEdit *edit(QDialog *dialog, const char *id)
    {
        return dialog->findChild<QLineEdit *>(QString::fromLatin1(id));
    }
    static void fill(QDialog *dialog, const QStringList &texts)
    {
        for (int i = 0; i < texts.size(); ++i) {
            edit(dialog, kEditIds[i])->clear();
            typeText(edit(dialog, kEditIds[i]), texts[i]);
        }
    }
    static QStringList typical(const QString &name, const QString &arrears = QStringLiteral("120"))
    {
        return {name, QStringLiteral("王五"), arrears, QStringLiteral("0512-1"), QStringLiteral("139"),
            QStringLiteral("0512-2"), QStringLiteral("www.example.cn"), QStringLiteral("a@b.cn"),
            QStringLiteral("12345"), QStringLiteral("苏州"), QStringLiteral("备注")};
    }
    QString stored(const QString &name)
    {
        const QString sql
            = QStringLiteral("SELECT %2 || '|' || Loan || '|' || BeginArrears || '|' || ContactName || "
                             "'|' || Remark || '|' || ProductPriceSum || '|' || SumIncome || '|' || "
                             "length(GUID) FROM %1 WHERE %3 = ?")
                  .arg(side().partyTable, provider() ? QStringLiteral("ProviderArea") : QStringLiteral("ClientArea"),
                      side().nameColumn);
        return db.scalar(sql.toUtf8().constData(), {name});
    }

    TestDatabase db;
    ScriptedInteraction user;
    std::unique_ptr<PartyPage> page;
};

} // namespace

TEST_P(CDlgNewClientTest, ANewPartyIsStoredAfterEveryFieldIsFilled)
{
    AddParty(db, side(), QStringLiteral("旧单位"));
    QStringList captions;
    user.onNextModal([&](QDialog *dialog) {
        captions << dialog->windowTitle() << dialog->findChild<QLabel *>(QStringLiteral("1423"))->text()
                 << dialog->findChild<QLabel *>(QStringLiteral("1424"))->text();
        EXPECT_TRUE(dialog->findChild<QRadioButton *>(QStringLiteral("1066"))->isChecked());
        QStringList texts = typical(QStringLiteral("O'Neil 新单位"), QStringLiteral(" -12.50 "));
        texts.last().clear();
        fill(dialog, texts);
        clickButton(dialog, "1068");
        clickButton(dialog, "1064");
        EXPECT_TRUE(dialog->isVisible());
        typeText(edit(dialog, "1063"), QStringLiteral("备注"));
        clickButton(dialog, "1064");
        return dialog->result();
    });
    clickButton(page.get(), provider() ? "1357" : "1042");

    const QStringList expected = provider() ? QStringList{"新增供应商", "供应商名称：", "供应商地区："}
                                            : QStringList{"客户资料输入", "客户名称：", "客户地区："};
    EXPECT_EQ(captions, expected);
    EXPECT_EQ(user.texts(), (QStringList{"请填写完整信息。", QStringLiteral("新增%1成功。").arg(side().word)}));
    // Stored as typed, without the blanks around the number.
    EXPECT_EQ(stored(QStringLiteral("O'Neil 新单位")), QStringLiteral("2|-12.50|-12.50|王五|备注|0|0|36"));
    EXPECT_EQ(page->RecordCount(), 2);
    EXPECT_EQ(page->CardParty(1).ClientName, QStringLiteral("O'Neil 新单位"));
}

TEST_P(CDlgNewClientTest, TheOpeningArrearsMustBeADecimalNumber)
{
    for (const char *typed : {"12元", "1,000", "+5", "1e3", "--3", "."}) {
        user.clear();
        auto dialog = dialogFor(false);
        fill(dialog.get(), typical(QStringLiteral("甲"), QString::fromUtf8(typed)));
        clickButton(dialog.get(), "1064");
        EXPECT_EQ(user.texts(), QStringList{"起初欠款必须是数字，请重新输入。"}) << typed;
        EXPECT_TRUE(dialog->isVisible()) << typed;
    }
    EXPECT_EQ(CountWhere(db, side().partyTable, side().nameColumn, QStringLiteral("甲")), 0);
}

TEST_P(CDlgNewClientTest, ADuplicateNameOrAFailedWriteKeepsTheDialogOpen)
{
    AddParty(db, side(), QStringLiteral("甲"));
    auto dialog = dialogFor(false);
    fill(dialog.get(), typical(QStringLiteral("甲")));
    clickButton(dialog.get(), "1064");
    EXPECT_EQ(user.texts(), QStringList{side().info().DuplicateNameMessage()});
    EXPECT_TRUE(dialog->isVisible());

    db.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON %1 BEGIN SELECT RAISE(ABORT, 'disk is full'); END")
                .arg(side().partyTable)
                .toUtf8()
                .constData());
    user.clear();
    fill(dialog.get(), typical(QStringLiteral("乙")));
    clickButton(dialog.get(), "1064");
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
    EXPECT_TRUE(user.messages[0].text.startsWith(QStringLiteral("保存%1资料失败。").arg(side().word)));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(edit(dialog.get(), "1065")->text(), QStringLiteral("乙"));
}

TEST_P(CDlgNewClientTest, CancelEscapeAndTheCloseBoxEndWithZero)
{
    for (int way = 0; way < 3; ++way) {
        auto dialog = dialogFor(false);
        fill(dialog.get(), typical(QStringLiteral("甲")));
        if (way == 0)
            clickButton(dialog.get(), "1052");
        else if (way == 1)
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
        else
            dialog->close();
        EXPECT_FALSE(dialog->isVisible()) << way;
        EXPECT_EQ(dialog->result(), 0) << way;
    }
    // Enter in a field saves nothing either.
    auto dialog = dialogFor(false);
    fill(dialog.get(), typical(QStringLiteral("甲")));
    QTest::keyClick(edit(dialog.get(), "1063"), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(CountWhere(db, side().partyTable, side().nameColumn, QStringLiteral("甲")), 0);
    EXPECT_TRUE(user.messages.empty());
}

TEST_P(CDlgNewClientTest, AChangeIsWrittenFirstAndEndsWithTwo)
{
    struct_button_data party = AddParty(db, side(), QStringLiteral("甲"), QStringLiteral("5"), QStringLiteral("7"));
    db.exec(QStringLiteral("UPDATE %1 SET ContactName = '张三', Tel = '1', Mobile = '2', Fax = '3', Web = '4', "
                           "Email = '5', QQ = '6', Address = '7', Remark = '8', SumIncome = '99'")
                .arg(side().partyTable)
                .toUtf8()
                .constData());
    page->ListPage(0);
    party = page->CardParty(0);
    ASSERT_EQ(party.ClientName, QStringLiteral("甲"));

    auto dialog = dialogFor(true, &party);
    EXPECT_EQ(dialog->windowTitle(), provider() ? QStringLiteral("修改供应商") : QStringLiteral("客户资料输入"));
    QStringList shown;
    for (const char *id : kEditIds)
        shown << edit(dialog.get(), id)->text();
    EXPECT_EQ(shown, (QStringList{"甲", "张三", "5", "1", "2", "3", "4", "5", "6", "7", "8"}));
    // A stored area that is no known code selects none of the three.
    for (const char *id : {"1066", "1068", "1067"})
        EXPECT_FALSE(dialog->findChild<QRadioButton *>(QString::fromLatin1(id))->isChecked()) << id;

    // The names are limited in characters, not bytes.
    edit(dialog.get(), "1065")->clear();
    typeText(edit(dialog.get(), "1065"), QStringLiteral("甲乙丙丁戊己庚辛壬癸子丑寅卯辰巳午未申酉戌亥"));
    EXPECT_EQ(edit(dialog.get(), "1065")->text().size(), 20);
    edit(dialog.get(), "1065")->clear();
    typeText(edit(dialog.get(), "1065"), QStringLiteral("甲改"));
    clickButton(dialog.get(), "1064");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), 2);
    EXPECT_EQ(user.texts(), QStringList{QStringLiteral("修改%1成功。").arg(side().word)});
    // The area stays unset; the totals are the finance side's.
    EXPECT_EQ(stored(QStringLiteral("甲改")), QStringLiteral("|5|5|张三|8||99|36"));
    EXPECT_EQ(page->CardParty(0).ClientName, QStringLiteral("甲改"));

    // The party deleted meanwhile: said so, nothing written.
    PartyStore(db.db(), side().info()).DeleteParty(party.GUID);
    user.clear();
    auto again = dialogFor(true, &party);
    clickButton(again.get(), "1064");
    EXPECT_EQ(user.texts(), QStringList{side().info().GoneMessage()});
    EXPECT_TRUE(again->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Sides, CDlgNewClientTest, ::testing::ValuesIn(kSides), SideLabel);
