// The detail window of either side, opened from its card and clicked in; its bill commands run through the main
// window, with the goods-bill editor played by the test.

#include "CDlgClientDetail.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "CDlgMainDlg.h"
#include "CDlgTabData_Fina_Provider.h"
#include "CDlgTabData_Provider.h"
#include "CapturedReports.h"
#include "FinanceBillListModel.h"
#include "FinanceBillPage.h"
#include "GoodsBillEditing.h"
#include "GoodsBillListModel.h"
#include "GoodsBillPage.h"
#include "MainPartyBillCommands.h"
#include "PartnersTestSupport.h"

namespace {

// What opening the window answers when it did not end by itself.
constexpr int kStayedOpen = -1;
constexpr int kNoWindow = -2;

// The goods-bill editor as a test plays it: every request is kept; a save (answered by `saved`) writes the
// party's bill of 2012-02-29.
class RecordingLauncher : public GoodsBillEditorLauncher
{
public:
    RecordingLauncher() { install(this); }
    ~RecordingLauncher() override { install(nullptr); }
    int Run(QWidget*, const GoodsBillEditRequest& request) override
    {
        requests.push_back(request);
        if (saved)
            onSave();
        return saved;
    }
    std::vector<GoodsBillEditRequest> requests;
    int saved = 1;
    std::function<void()> onSave;
};

// The main window's commands, offering only some of them.
class OfferedCommands : public MainPartyBillCommands
{
public:
    using MainPartyBillCommands::MainPartyBillCommands;
    bool Offers(Command command) const override { return offered.count(command) > 0; }
    std::set<Command> offered;
};

class CDlgClientDetailTest : public PartnersTest
{
protected:
    void SetUp() override
    {
        PartnersTest::SetUp();
        addParty(name, "500", "7");
        bill = addBills(name, "main 2011-05-03 1000")[0];
        openPage();
        page->SetBillCommands(&commands);
        launcher.onSave = [this] { addBills(name, "main 2012-02-29 250"); };
    }

    // Opens the window by a click on the card; act runs in it, the dialogs it opens meet what nested queues.
    // A window still open is closed.
    int openWindow(const std::function<void(CDlgClientDetail*)>& act, const std::function<void()>& nested = {})
    {
        user.onNextModal([this, act](QDialog* dialog) {
            act(qobject_cast<CDlgClientDetail*>(dialog));
            result = dialog->isVisible() ? kStayedOpen : dialog->result();
            if (result == kStayedOpen)
                dialog->reject();
            return dialog->result();
        });
        if (nested)
            nested();
        return clickCard();
    }
    int clickInWindow(const char* id, const std::function<void()>& nested = {})
    {
        return openWindow([id](CDlgClientDetail* window) { clickButton(window, id); }, nested);
    }
    int clickCard()
    {
        result = kNoWindow;
        QTest::mouseClick(page->CardAt(0), Qt::LeftButton, {}, QPoint(20, 20));
        return result;
    }
    // The password prompt: the text typed and 确定 (1276) or 取消 (1277).
    void answerPassword(const QString& typed, const char* button = "1276")
    {
        user.onNextModal([typed, button](QDialog* dialog) {
            typeText(dialog->findChild<QLineEdit*>("1278"), typed);
            clickButton(dialog, button);
            return dialog->result();
        });
    }

    CDlgMainDlg mainDlg;
    MainPartyBillCommands commands {mainDlg};
    RecordingLauncher launcher;
    CapturedReports reports;
    const QString name = "O'Neil 五金";
    QString bill;
    int result = kNoWindow;
};

} // namespace

// The window shows the card's party, disables the commands not offered and ends with 2 on Escape; each command
// runs for the party on the side's pages of the main window, and the window ends when it says.
TEST_P(CDlgClientDetailTest, ItShowsTheCardsPartyAndEachCommandRunsThroughTheMainWindowForIt)
{
    using Command = PartyBillCommands::Command;
    OfferedCommands offering(mainDlg);
    offering.offered = {Command::ActivatePage, Command::ShowFinanceBills};
    page->SetBillCommands(&offering);
    QString seen;
    const int ended = openWindow([&](CDlgClientDetail* window) {
        seen = window->windowTitle();
        for (const char* id : {"1340", "1341", "1344"})
            seen += " " + window->findChild<QLineEdit*>(id)->text();
        seen += " ";
        for (const char* id : {"1091", "1069", "1070", "1071", "1076", "1077", "1080", "1082", "1074", "1078"})
            seen += window->findChild<QPushButton*>(id)->isEnabled() ? "1" : "0";
        EXPECT_TRUE(window->findChild<QPushButton*>("1079")->isHidden());
        QTest::keyClick(window, Qt::Key_Escape);
    });
    EXPECT_EQ(ended, 2);
    EXPECT_EQ(seen, name + " 500 1000.00 1500.00 0000001111");
    // Without a goods-bill editor the main window offers no new goods bill; with one, every command (below).
    GoodsBillEditorLauncher::install(nullptr);
    EXPECT_FALSE(commands.Offers(Command::NewGoodsBill));
    GoodsBillEditorLauncher::install(&launcher);
    page->SetBillCommands(&commands);

    // The working month a leap February; the main window on 2011-07-09. Another party's bill is listed nowhere.
    SetWorkingDate(QDate(2012, 2, 10));
    auto* picker = mainDlg.findChild<QDateEdit*>("1007");
    picker->setDate(QDate(2011, 7, 9));
    addBills("别家", "main 2012-02-10 5");
    const bool provider = side().provider();
    const int group = provider ? CDlgMainDlg::GroupProvider : CDlgMainDlg::GroupClient;
    // The main window's group and tab, and the computed date of the side's goods and finance-bill pages.
    const auto shows = [&] {
        PageBase* goods = provider ? static_cast<PageBase*>(mainDlg.m_pTabProviderGoods) : mainDlg.m_pTabGoods;
        PageBase* finance = provider ? static_cast<PageBase*>(mainDlg.m_pTabFinaProvider) : mainDlg.m_pTabFina;
        return QString("%1/%2 %3 %4")
            .arg(mainDlg.VisibleGroup())
            .arg(mainDlg.TabGroup(group)->currentIndex())
            .arg(goods->ComputedDate(), finance->ComputedDate());
    };
    // A saved sales bill shows the goods-bill page, a saved purchase bill leaves the window open; an unsaved one
    // leaves it open either way. The editor runs on the side's page in the button's mode.
    EXPECT_EQ(clickInWindow("1091"), provider ? kStayedOpen : 1);
    EXPECT_EQ(shows(), provider ? "0/0  " : QString("0/1 2011-07-09 ")); // the main window starts on group 0
    launcher.saved = 0;
    EXPECT_EQ(clickInWindow("1069"), kStayedOpen);
    QStringList requests;
    for (const GoodsBillEditRequest& r : launcher.requests) {
        requests << QString::number(r.mode) + " " + r.lines.at(0).CompanyName
                + (r.salesPage == mainDlg.m_pTabGoods && !r.purchasePage                ? " sales"
                        : r.purchasePage == mainDlg.m_pTabProviderGoods && !r.salesPage ? " purchase"
                                                                                        : " ?");
    }
    EXPECT_EQ(requests.join(", "),
        provider ? "17 " + name + " purchase, 16 " + name + " purchase" : "6 " + name + " sales, 7 " + name + " sales");
    // The card took the figures of the bill saved from the window.
    EXPECT_EQ(page->CardParty(0).ProductPriceSum, "1250.00");
    EXPECT_EQ(page->CardParty(0).ClientSumArrears, "1750.00");

    // A finance bill of the party, saved, shows the finance-bill page, recomputed even when it already shows;
    // cancelled, the window stays.
    mainDlg.ShowTabGroup(group);
    mainDlg.ActivateTab(group, 3);
    mainDlg.SetCurrentPage(3);
    {
        const QSignalBlocker quiet(picker);
        picker->setDate(QDate(2011, 7, 10));
    }
    QStringList editors;
    EXPECT_EQ(clickInWindow("1070",
                  [&] {
                      user.onNextModal([&](QDialog* editor) {
                          editors << editor->windowTitle();
                          typeText(editor->findChild<QLineEdit*>("1138"), "40");
                          clickButton(editor, "1141");
                          return editor->result();
                      });
                  }),
        1);
    EXPECT_TRUE(shows().startsWith(QString("%1/3 ").arg(group)));
    EXPECT_TRUE(shows().endsWith("2011-07-10"));
    EXPECT_EQ(clickInWindow("1071",
                  [&] {
                      user.onNextModal([&](QDialog* editor) {
                          editors << editor->windowTitle();
                          editor->reject();
                          return editor->result();
                      });
                  }),
        kStayedOpen);
    EXPECT_EQ(editors, QStringList({"新增财务收入", "新增财务支出"}));
    EXPECT_EQ(db.scalar(QString("SELECT group_concat(ClientName || ' ' || MoneyCount || ' ' || BillType) FROM %1")
                            .arg(side().financeTable)
                            .toUtf8()
                            .constData()),
        name + " 40 收入单");

    // The party's bills of the working month, or all of them, on the side's report pages.
    addBills(name, "pay 2011-05-05 12");
    const auto listed = [&](const char* button) {
        EXPECT_EQ(clickInWindow(button), 1) << button;
        return shows().section(' ', 0, 0)
            + QString(" %1 %2")
                  .arg((provider ? mainDlg.m_pTabGoodsReportProvider : mainDlg.m_pTabGoodsReportClient)
                           ->List()
                           .rowCount())
                  .arg((provider ? mainDlg.m_pTabFinaReportProvider : mainDlg.m_pTabFinaReportClient)
                           ->ListModel()
                           .rowCount());
    };
    EXPECT_EQ(listed("1076"), QString("%1/2 1 0").arg(group));
    EXPECT_EQ(listed("1077"), QString("%1/2 2 0").arg(group));
    EXPECT_EQ(listed("1080"), QString("%1/4 2 1").arg(group));
    EXPECT_EQ(listed("1082"), QString("%1/4 2 2").arg(group));
}

TEST_P(CDlgClientDetailTest, AChangeNeedsTheDataModificationPasswordAndADeleteIsAskedFirst)
{
    db.exec("UPDATE tbl_AccessTypePassword SET AccessPassword = 'abc'");
    // A stored contact longer than the field's limit; a new name of 20 characters, the last an emoji.
    const QString contact = QString("联系人").repeated(8), newName = "甲乙丙丁戊己庚辛壬癸子丑寅卯辰巳午未申😀";
    exec("UPDATE %1 SET ContactName = ?, Tel = '1', Mobile = '2', Fax = '3', Web = '4', Email = '5', QQ = '6', "
         "Address = '7', Remark = '8', SumIncome = '99'",
        side().partyTable, {contact});
    // Wrong: said so; cancelled: nothing; the record dialog cancelled: the window stays each time.
    EXPECT_EQ(clickInWindow("1074", [this] { answerPassword("abd"); }), kStayedOpen);
    EXPECT_EQ(user.texts(), QStringList {"密码输入错误，请重新输入。"});
    user.clear();
    EXPECT_EQ(clickInWindow("1074", [this] { answerPassword("", "1277"); }), kStayedOpen);
    EXPECT_TRUE(user.messages.empty());
    EXPECT_EQ(user.modalDialogs, (QStringList {"CDlgClientDetail", "CDlgValidatePassword"}));
    EXPECT_EQ(clickInWindow("1074", [this] { answerPassword("abc"); }), kStayedOpen);
    // A refused write keeps the record dialog open with what was typed; saved, the record dialog ends with 2, the
    // window with 1, and the card shows the change.
    exec("CREATE TRIGGER refuse BEFORE UPDATE ON %1 BEGIN SELECT RAISE(ABORT, 'disk full'); END", side().partyTable);
    QStringList shown;
    const int saved = clickInWindow("1074", [&] {
        answerPassword("abc");
        user.onNextModal([&](QDialog* dialog) {
            for (const QLineEdit* edit : dialog->findChildren<QLineEdit*>())
                shown << edit->text();
            // A stored area that is no known code selects none of the three.
            for (const QRadioButton* area : dialog->findChildren<QRadioButton*>())
                EXPECT_FALSE(area->isChecked()) << area->text().toStdString();
            // The name is limited in characters: typing stops after the emoji, which stays whole.
            auto* nameEdit = dialog->findChild<QLineEdit*>("1065");
            nameEdit->clear();
            typeText(nameEdit, newName + "酉");
            clickButton(dialog, "1064");
            EXPECT_TRUE(dialog->isVisible() && nameEdit->text() == newName && page->CardParty(0).ClientName == name);
            db.exec("DROP TRIGGER refuse");
            clickButton(dialog, "1064");
            EXPECT_EQ(dialog->result(), 2);
            return dialog->result();
        });
    });
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(shown, (QStringList {name, contact, "500", "1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(user.texts(),
        (QStringList {QString("保存%1资料失败。\n数据与已有记录冲突，没有写入。").arg(side().word),
            QString("修改%1成功。").arg(side().word)}));
    // The bills followed the name: the card's figures are unchanged. The long contact is stored whole; the
    // stored totals are the finance side's.
    EXPECT_EQ(page->CardParty(0).ClientName, newName);
    EXPECT_EQ(page->CardParty(0).ClientSumArrears, "1500.00");
    EXPECT_EQ(db.scalar(QString("SELECT %1 || ContactName || SumIncome FROM %2")
                            .arg(side().nameColumn, side().partyTable)
                            .toUtf8()
                            .constData()),
        newName + contact + "99");

    // A delete is asked first and ends the window with 0; a party deleted elsewhere opens no window.
    user.clear();
    addParty("乙");
    page->ListPage(0);
    user.answerQuestion(false);
    EXPECT_EQ(clickInWindow("1075"), kStayedOpen);
    EXPECT_EQ(user.texts(), QStringList {QString("确定要删除这个%1吗？").arg(side().word)});
    // A refused delete says so and keeps the window and the party.
    exec("CREATE TRIGGER refuse BEFORE DELETE ON %1 BEGIN SELECT RAISE(ABORT, 'disk full'); END", side().partyTable);
    user.clear();
    user.answerQuestion(true);
    EXPECT_EQ(clickInWindow("1075"), kStayedOpen);
    EXPECT_EQ(user.texts(),
        (QStringList {QString("确定要删除这个%1吗？").arg(side().word),
            QString("删除%1失败。\n数据与已有记录冲突，没有写入。").arg(side().word)}));
    EXPECT_EQ(partyCount(newName), 1);
    db.exec("DROP TRIGGER refuse");
    user.answerQuestion(true);
    EXPECT_EQ(clickInWindow("1075"), 0);
    EXPECT_EQ(partyCount(newName), 0);
    EXPECT_EQ(page->RecordCount(), 1);
    EXPECT_EQ(page->CardParty(0).ClientName, "乙");
    EXPECT_FALSE(page->IsCardShown(1));
    PartyStore(db.db(), side().info()).DeleteParty(page->CardParty(0).GUID);
    user.clear();
    EXPECT_EQ(clickCard(), kNoWindow);
    EXPECT_EQ(user.texts(), QStringList {side().info().GoneMessage()});
    EXPECT_EQ(page->RecordCount(), 0);
}

TEST_P(CDlgClientDetailTest, ThePriceListAndTheReportsAreThePartysOwn)
{
    // April: 100 of goods, 40.5 paid. May: a bill with a deposit, which is a finance bill of its own, and a
    // total typed by hand, 250 for lines of 230; a stored "-2" of the reducing kind, which counts, and shows,
    // as 2. The other side's bills count nowhere.
    const QStringList c = addBills(name,
        "main 2011-04-30 100; pay 2011-04-01 40.5; dep 2011-05-03 50; main 2011-05-03 2x100+30; ret 2011-05-31 20; "
        "owed 2011-05-10 15; owing 2011-05-11 4; owed 2011-07-01 99; pay 2011-05-05 12; cut 2011-05-20 5; "
        "cut 2011-05-21 -2; other 2011-05-03 1000; otherpay 2011-05-03 1000");
    exec("UPDATE %1 SET SumMoney = '250' WHERE SumMoney = '230.00'", side().goodsTable);
    // The deposit bears a code as long as the editor makes them.
    const QString deposit = side().provider() ? "ZC_CG_DJ_20110503" : "SR_XS_DJ_20110503";
    exec("UPDATE %1 SET BillCode = ? WHERE BillCode = ?", side().financeTable, {deposit, c[2]});
    QString owner, pdf;
    QStringList preset;
    const int ended = openWindow(
        [&](CDlgClientDetail* window) {
            clickButton(window, "1078");
            clickButton(window, "1072");
            pdf = reports.lastPdfText();
            clickButton(window, "1073");
            clickButton(window, "1073");
            window->OnMonthStatement();
            SetWorkingDate(QDate(2011, 6, 17));
            window->OnMonthStatement();
        },
        [&] {
            user.onNextModal([&](QDialog* dialog) {
                owner = dialog->findChild<QLabel*>("1282")->text();
                clickButton(dialog, "1001");
                return dialog->result();
            });
            choosePeriod(true, &preset);
            choosePeriod();
            choosePeriod(false);
        });
    EXPECT_EQ(ended, kStayedOpen);
    EXPECT_TRUE(owner.contains(name)) << owner.toStdString();
    EXPECT_EQ(preset, (QStringList {"2011-05-01", "2011-05-31"}));
    ASSERT_EQ(reports.documents.size(), 4u);
    const QString at = "2011-05-03|" + bill + "|LS-01|螺栓|M8|";
    const QStringList lines = {at + "1|1000|1000.00", at + "2|100|200.00", at + "1|30|30.00"};
    const QString returned = "2011-05-31|" + c[4] + "|LS-01|螺栓|M8|1|20|20.00";
    const QString goods = side().provider() ? "进货" : "出货";
    const QString d4 = "|-----|-----|-----|-----", d7 = d4 + "|-----|-----|-----";
    // The survey sums the bill totals: 1250 - 20 - (50 + 12 - 5 + 2), after 500 + 100 - 40.5. A title dashes
    // four columns; a total shows its label, count and amount.
    const ReportDocument& survey = *reports.documents[0];
    EXPECT_EQ(survey.title(), side().provider() ? "采购概况统计" : "销售概况统计");
    EXPECT_EQ(survey.parameterText("ClientName"), name);
    EXPECT_EQ(survey.parameterText("DateRange"), "2011-05-01 到 2011-05-31");
    EXPECT_EQ(Printed(survey),
        (QStringList {"时段" + goods + "记录" + d4 + "|||"} + lines
            + QStringList {"||||时段" + goods + "合计|4.00||1250.00", "时段退货记录" + d4 + "|||", returned,
                "||||时段退货合计|1.00||20.00", "||||时段实际货款|||1230.00", "时段财务收支" + d4 + "|||",
                "2011-05-03|" + deposit + "||||||50", "2011-05-05|" + c[8] + "||||||12",
                "2011-05-20|" + c[9] + "||||||-5", "2011-05-21|" + c[10] + "||||||2", "||||时段收支合计|||59.00",
                "||||时段新欠款|||1171.00", "||||前累计欠款|||559.50", "||||新累计欠款|||1730.50"}));
    // The one report read back from its PDF, the long code whole.
    for (const QString& text : {survey.title(), name, deposit, QString("时段财务收支"), QString("1730.50")})
        EXPECT_TRUE(pdf.contains(text)) << text.toStdString() << "\n" << pdf.toStdString();
    // The product detail sums the lines; 单位名称 shows the bill's company, a total dashes seven columns.
    const ReportDocument& detail = *reports.documents[1];
    EXPECT_EQ(detail.title(), side().provider() ? "货品采购明细" : "货品销售明细");
    const QString line = "2011-05-03|" + QString(side().mainKind) + "|" + bill + "|" + name + "|LS-01|螺栓|M8|个|";
    EXPECT_EQ(Printed(detail),
        (QStringList {line + "1|1000|1000.00|", line + "2|100|200.00|", line + "1|30|30.00|",
            d7.mid(1) + "|合计|4.00||1230.00|",
            "2011-05-31|退货单|" + c[4] + "|" + name + "|LS-01|螺栓|M8|个|1|20|20.00|",
            d7.mid(1) + "|合计|1.00||20.00|"}));
    // The month statement of the working month sums the lines; a title dashes seven columns, a total shows
    // only its label and amount; a payable counts against the party, the deposit once.
    EXPECT_EQ(reports.documents[2]->parameterText("DateRange"), "2011年05月份");
    EXPECT_EQ(Printed(*reports.documents[2]),
        (lines
            + QStringList {"||||||货款合计|1230.00", "退货" + d7, returned, "||||||退货合计|20.00",
                "||||||实际货款|1210.00", "应付应收" + d7, "2011-05-10|||||||15", "2011-05-11|||||||-4",
                "||||||应收合计|11.00", "||||||前累计欠款|559.50", "本月付款" + d7, "2011-05-03|||||||50",
                "2011-05-05|||||||12", "2011-05-20|||||||-5", "2011-05-21|||||||2", "||||||付款合计|59.00",
                "||||||新累计欠款|1721.50"}));
    // An empty month states the arrears before it.
    EXPECT_EQ(Printed(*reports.documents[3]),
        (QStringList {"||||||货款合计|0.00", "退货" + d7, "||||||退货合计|0.00", "||||||实际货款|0.00", "应付应收" + d7,
            "||||||应收合计|0.00", "||||||前累计欠款|1730.50", "本月付款" + d7, "||||||付款合计|0.00",
            "||||||新累计欠款|1730.50"}));
}

INSTANTIATE_TEST_SUITE_P(Sides, CDlgClientDetailTest, ::testing::ValuesIn(kSides), ::testing::PrintToStringParamName());
