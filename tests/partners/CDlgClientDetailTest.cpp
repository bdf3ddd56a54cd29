// The detail window of either side, opened from its card and driven by
// clicks, against scripted bill commands.

#include "CDlgClientDetail.h"

#include <QLabel>
#include <QPushButton>

#include "CapturedReports.h"
#include "PartnersTestSupport.h"
#include "PartyPage.h"
#include "PartyStatements.h"

namespace {

using Call = ScriptedBillCommands::Call;
using Command = PartyBillCommands::Command;

class CDlgClientDetailTest : public ::testing::TestWithParam<SideCase>
{
protected:
    void SetUp() override
    {
        SetWorkingDate(QDate(2011, 5, 17));
        party = AddParty(db, side(), name, QStringLiteral("500"));
        AddBill(db, side(), side().main(), name, QStringLiteral("2011-05-03"), QStringLiteral("1000"));
        if (side().side == PartyClient)
            page = std::make_unique<CDlgTabClient>(4, nullptr);
        else
            page = std::make_unique<CDlgTabProviderMgr>(4, nullptr);
        page->resize(600, 260);
        page->show();
        page->SetBillCommands(&commands);
    }
    void TearDown() override { page.reset(); }

    const SideCase &side() const { return GetParam(); }
    bool provider() const { return side().side == PartyProvider; }
    int other(int clientValue, int providerValue) const { return provider() ? providerValue : clientValue; }

    // Opens the window by a click on the card; act runs in it, and the
    // dialogs it opens meet what nested queues. Answers the window's
    // result; a window still open after act is closed and noted.
    int openWindow(const std::function<void(CDlgClientDetail *)> &act, const std::function<void()> &nested = {})
    {
        stayedOpen = false;
        user.onNextModal([this, act](QDialog *dialog) {
            auto *window = qobject_cast<CDlgClientDetail *>(dialog);
            if (!window) {
                ADD_FAILURE() << "not the detail window";
                return -1;
            }
            act(window);
            if (window->isVisible()) {
                stayedOpen = true;
                window->reject();
            }
            m_result = window->result();
            return m_result;
        });
        if (nested)
            nested();
        return clickCard();
    }
    int clickCard()
    {
        QTest::mouseClick(page->CardAt(0), Qt::LeftButton, {}, QPoint(20, 20));
        return lastResult();
    }
    int lastResult() const { return m_result; }

    // The password prompt: the text typed and 确定, or 取消.
    void answerPassword(const QString &typed, bool cancel = false)
    {
        user.onNextModal([typed, cancel](QDialog *dialog) {
            typeText(dialog->findChild<QLineEdit *>(QStringLiteral("1278")), typed);
            clickButton(dialog, cancel ? "1277" : "1276");
            return dialog->result();
        });
    }

    TestDatabase db;
    ScriptedInteraction user;
    ScriptedBillCommands commands;
    CapturedReports reports;
    std::unique_ptr<PartyPage> page;
    const QString name = QStringLiteral("O'Neil 五金");
    struct_button_data party;
    bool stayedOpen = false;
    int m_result = -1;
};

} // namespace

TEST_P(CDlgClientDetailTest, ItShowsTheCardsPartyWithTheSidesCaptions)
{
    QStringList seen;
    openWindow([&](CDlgClientDetail *window) {
        seen << window->windowTitle() << window->findChild<QLineEdit *>(QStringLiteral("1340"))->text()
             << window->findChild<QLineEdit *>(QStringLiteral("1341"))->text()
             << window->findChild<QLineEdit *>(QStringLiteral("1344"))->text()
             << window->findChild<QLabel *>(QStringLiteral("1431"))->text();
        for (const char *id : {"1091", "1069", "1074", "1075", "1072", "1073"})
            seen << window->findChild<QPushButton *>(QString::fromLatin1(id))->text();
        EXPECT_TRUE(window->findChild<QPushButton *>(QStringLiteral("1079"))->isHidden());
        QTest::keyClick(window, Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(window->result(), 2);
    });
    const QStringList client = {"O'Neil 五金", "500", "1000.00", "1500.00", "已收总额", "销售出货", "销售退货",
        "客户修改", "客户删除", "销售概况统计", "货品销售明细"};
    const QStringList purchase = {"O'Neil 五金", "500", "1000.00", "1500.00", "已付金额", "采购退货", "采购进货",
        "供应商修改", "供应商删除", "采购概况统计", "货品采购明细"};
    EXPECT_EQ(seen, provider() ? purchase : client);
    EXPECT_TRUE(commands.calls.empty());
}

TEST_P(CDlgClientDetailTest, NewGoodsBillsRunInTheSidesModes)
{
    // Saved: a sales bill shows the goods-bill page and ends the window; a
    // purchase bill leaves it open.
    openWindow([](CDlgClientDetail *window) { clickButton(window, "1091"); });
    std::vector<Call> expected = {{"NewGoodsBill", side().side, other(6, 17), name, {}, {}}};
    if (!provider())
        expected.push_back({"ActivatePage", PartyClient, 1, {}, {}, {}});
    EXPECT_EQ(commands.calls, expected);
    EXPECT_EQ(stayedOpen, provider());

    commands.calls.clear();
    commands.saved = 0;
    openWindow([](CDlgClientDetail *window) { clickButton(window, "1069"); });
    EXPECT_EQ(commands.calls, (std::vector<Call>{{"NewGoodsBill", side().side, other(7, 16), name, {}, {}}}));
    EXPECT_TRUE(stayedOpen);
}

TEST_P(CDlgClientDetailTest, NewFinanceBillsRunInTheSidesModesAndShowTheFinancePage)
{
    openWindow([](CDlgClientDetail *window) { clickButton(window, "1070"); });
    EXPECT_EQ(commands.calls,
        (std::vector<Call>{{"NewFinanceBill", side().side, other(6, 24), name, {}, {}},
            {"ActivatePage", side().side, 3, {}, {}, {}}}));
    EXPECT_FALSE(stayedOpen);

    commands.calls.clear();
    commands.saved = 0;
    openWindow([](CDlgClientDetail *window) { clickButton(window, "1071"); });
    EXPECT_EQ(commands.calls, (std::vector<Call>{{"NewFinanceBill", side().side, other(7, 25), name, {}, {}}}));
    EXPECT_TRUE(stayedOpen);
}

TEST_P(CDlgClientDetailTest, BillListsCoverTheWorkingMonthOrAllTimeAndEndTheWindow)
{
    SetWorkingDate(QDate(2012, 2, 10));
    const struct
    {
        const char *button;
        const char *command;
        const char *first;
        const char *last;
    } cases[] = {{"1076", "ShowGoodsBills", "2012-02-01", "2012-02-29"}, {"1077", "ShowGoodsBills", "", ""},
        {"1080", "ShowFinanceBills", "2012-02-01", "2012-02-29"}, {"1082", "ShowFinanceBills", "", ""}};
    for (const auto &c : cases) {
        commands.calls.clear();
        openWindow([&](CDlgClientDetail *window) { clickButton(window, c.button); });
        EXPECT_EQ(commands.calls,
            (std::vector<Call>{{QString::fromLatin1(c.command), side().side, -1, name, QString::fromLatin1(c.first),
                QString::fromLatin1(c.last)}}))
            << c.button;
        EXPECT_FALSE(stayedOpen) << c.button;
    }
}

TEST_P(CDlgClientDetailTest, CommandsThatAreNotWiredAreDisabled)
{
    commands.offered = {Command::ActivatePage, Command::ShowFinanceBills};
    QList<bool> enabled;
    openWindow([&](CDlgClientDetail *window) {
        for (const char *id : {"1091", "1069", "1070", "1071", "1076", "1077", "1080", "1082", "1074", "1078"})
            enabled << window->findChild<QPushButton *>(QString::fromLatin1(id))->isEnabled();
        clickButton(window, "1091");
    });
    EXPECT_EQ(enabled, (QList<bool>{false, false, false, false, false, false, true, true, true, true}));
    EXPECT_TRUE(commands.calls.empty());

    page->SetBillCommands(nullptr);
    enabled.clear();
    openWindow([&](CDlgClientDetail *window) {
        for (const char *id : {"1091", "1070", "1076", "1080"})
            enabled << window->findChild<QPushButton *>(QString::fromLatin1(id))->isEnabled();
    });
    EXPECT_EQ(enabled, (QList<bool>{false, false, false, false}));
}

TEST_P(CDlgClientDetailTest, AChangeNeedsTheDataModificationPassword)
{
    db.exec("UPDATE tbl_AccessTypePassword SET AccessPassword = 'abc'");
    // Wrong: said so, the window stays.
    openWindow([](CDlgClientDetail *window) { clickButton(window, "1074"); },
        [this] { answerPassword(QStringLiteral("abd")); });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(user.texts(), QStringList{"密码输入错误，请重新输入。"});
    // Cancelled: nothing.
    user.clear();
    openWindow(
        [](CDlgClientDetail *window) { clickButton(window, "1074"); }, [this] { answerPassword(QString(), true); });
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(user.messages.empty());
    EXPECT_EQ(user.modalDialogs, (QStringList{"CDlgClientDetail", "CDlgValidatePassword"}));
    // The record dialog cancelled: the window stays.
    user.clear();
    openWindow([](CDlgClientDetail *window) { clickButton(window, "1074"); },
        [this] {
            answerPassword(QStringLiteral("abc"));
            user.onNextModal([](QDialog *dialog) {
                clickButton(dialog, "1052");
                return dialog->result();
            });
        });
    EXPECT_TRUE(stayedOpen);
    // Saved: the window ends with 1 and the card shows the change.
    user.clear();
    QString shownName;
    const auto change = [&](QDialog *dialog) {
        auto *nameEdit = dialog->findChild<QLineEdit *>(QStringLiteral("1065"));
        shownName = nameEdit->text();
        nameEdit->clear();
        typeText(nameEdit, QStringLiteral("新名"));
        for (const char *id : {"1053", "1056", "1057", "1058", "1059", "1060", "1061", "1062", "1063"})
            typeText(dialog->findChild<QLineEdit *>(QString::fromLatin1(id)), QStringLiteral("x"));
        clickButton(dialog, "1064");
        return dialog->result();
    };
    openWindow([](CDlgClientDetail *window) { clickButton(window, "1074"); },
        [&] {
            answerPassword(QStringLiteral("abc"));
            user.onNextModal(change);
        });
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(shownName, name);
    EXPECT_EQ(page->CardParty(0).ClientName, QStringLiteral("新名"));
    // The bills followed the name: the card's figures are unchanged.
    EXPECT_EQ(page->CardParty(0).ClientSumArrears, QStringLiteral("1500.00"));
    EXPECT_EQ(user.texts(), QStringList{QStringLiteral("修改%1成功。").arg(side().word)});
}

TEST_P(CDlgClientDetailTest, ADeleteAskedFirstEndsTheWindowWithZero)
{
    AddParty(db, side(), QStringLiteral("乙"));
    page->ListPage(0);
    user.answerQuestion(false);
    openWindow([](CDlgClientDetail *window) { clickButton(window, "1075"); });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(user.texts(), QStringList{QStringLiteral("确定要删除这个%1吗？").arg(side().word)});
    EXPECT_EQ(page->RecordCount(), 2);

    user.answerQuestion(true);
    openWindow([](CDlgClientDetail *window) { clickButton(window, "1075"); });
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(lastResult(), 0);
    EXPECT_EQ(CountWhere(db, side().partyTable, side().nameColumn, name), 0);
    EXPECT_EQ(page->RecordCount(), 1);
    QStringList shown;
    for (int k = 0; k < page->PoolSize(); ++k) {
        if (page->IsCardShown(k))
            shown << page->CardParty(k).ClientName;
    }
    EXPECT_EQ(shown, QStringList{"乙"});
}

TEST_P(CDlgClientDetailTest, APartyDeletedElsewhereOpensNoWindow)
{
    PartyStore(db.db(), side().info()).DeleteParty(party.GUID);
    clickCard();
    EXPECT_TRUE(user.modalDialogs.isEmpty());
    EXPECT_EQ(user.texts(), QStringList{side().info().GoneMessage()});
    EXPECT_EQ(page->RecordCount(), 0);
}

TEST_P(CDlgClientDetailTest, TheCardsFiguresFollowABillSavedFromTheWindow)
{
    commands.onNewBill
        = [this] { AddBill(db, side(), side().main(), name, QStringLiteral("2011-05-20"), QStringLiteral("250")); };
    openWindow([](CDlgClientDetail *window) { clickButton(window, "1091"); });
    EXPECT_EQ(page->CardParty(0).ProductPriceSum, QStringLiteral("1250.00"));
    EXPECT_EQ(page->CardParty(0).ClientSumArrears, QStringLiteral("1750.00"));
}

TEST_P(CDlgClientDetailTest, ThePriceListIsThePartysOwn)
{
    QString shownOwner;
    openWindow([](CDlgClientDetail *window) { clickButton(window, "1078"); },
        [&] {
            user.onNextModal([&](QDialog *dialog) {
                shownOwner = dialog->findChild<QLabel *>(QStringLiteral("1282"))->text();
                clickButton(dialog, "1001");
                return dialog->result();
            });
        });
    EXPECT_EQ(user.modalDialogs, (QStringList{"CDlgClientDetail", "CDlgPriceListDlg"}));
    EXPECT_TRUE(shownOwner.contains(name)) << shownOwner.toStdString();
    EXPECT_TRUE(stayedOpen);
}

TEST_P(CDlgClientDetailTest, TheSurveyAndTheProductDetailAreReportsOfTheChosenPeriod)
{
    AddPayment(db, side(), side().settle(), name, QStringLiteral("2011-05-09"), QStringLiteral("300"));
    QStringList preset;
    QStringList texts;
    openWindow(
        [&](CDlgClientDetail *window) {
            clickButton(window, "1072");
            texts << reports.lastPdfText();
            clickButton(window, "1073");
            texts << reports.lastPdfText();
            clickButton(window, "1073");
        },
        [&] {
            choosePeriod(user, QDate(2011, 5, 1), QDate(2011, 5, 31), true, &preset);
            choosePeriod(user, QDate(2011, 5, 1), QDate(2011, 5, 31));
            choosePeriod(user, QDate(2011, 5, 1), QDate(2011, 5, 31), false);
        });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(preset, (QStringList{"2011-05-01", "2011-05-31"}));
    ASSERT_EQ(reports.documents.size(), 2u);
    const auto &survey = *reports.documents[0];
    EXPECT_EQ(survey.title(), provider() ? QStringLiteral("采购概况统计") : QStringLiteral("销售概况统计"));
    EXPECT_EQ(survey.parameterText(QStringLiteral("ClientName")), name);
    EXPECT_EQ(survey.parameterText(QStringLiteral("DateRange")), QStringLiteral("2011-05-01 到 2011-05-31"));
    EXPECT_EQ(survey.records().size(), 12);
    EXPECT_EQ(survey.records().last(), (QStringList{"", "", "", "", "新累计欠款", "", "", "1200.00"}));
    const auto &detail = *reports.documents[1];
    EXPECT_EQ(detail.title(), provider() ? QStringLiteral("货品采购明细") : QStringLiteral("货品销售明细"));
    ASSERT_EQ(detail.records().size(), 3);
    // 单位名称 shows the bill's company.
    EXPECT_EQ(detail.records()[0].mid(0, 4), (QStringList{"2011-05-03", side().main(), detail.records()[0][2], name}));
    EXPECT_TRUE(texts[0].contains(QStringLiteral("新累计欠款"))) << texts[0].toStdString();
    EXPECT_TRUE(texts[0].contains(QStringLiteral("1200.00")));
    EXPECT_TRUE(texts[1].contains(QStringLiteral("合计")));
    EXPECT_TRUE(texts[1].contains(name)) << texts[1].toStdString();
}

TEST_P(CDlgClientDetailTest, TheMonthStatementIsBuiltForTheWorkingMonth)
{
    AddRegisterRow(db, name, QStringLiteral("2011-05-10"), QStringLiteral("15"));
    QStringList text;
    openWindow([&](CDlgClientDetail *window) {
        window->OnMonthStatement();
        text << reports.lastPdfText();
    });
    ASSERT_EQ(reports.documents.size(), 1u);
    const auto &month = *reports.documents[0];
    EXPECT_EQ(month.parameterText(QStringLiteral("DateRange")), QStringLiteral("2011年05月份"));
    EXPECT_EQ(month.records().first()[0], QStringLiteral("2011-05-03"));
    EXPECT_EQ(month.records().last(), (QStringList{"", "", "", "", "", "", "新累计欠款", "1515.00"}));
    EXPECT_TRUE(text[0].contains(QStringLiteral("2011年05月份"))) << text[0].toStdString();
    EXPECT_TRUE(text[0].contains(QStringLiteral("应付应收")));
}

INSTANTIATE_TEST_SUITE_P(Sides, CDlgClientDetailTest, ::testing::ValuesIn(kSides), SideLabel);
