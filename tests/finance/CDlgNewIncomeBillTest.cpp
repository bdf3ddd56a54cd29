#include "CDlgNewIncomeBill.h"

#include <QCalendarWidget>
#include <QLocale>

#include "CDlgBillFind_Provider_Fina.h"
#include "Database.h"
#include "FinanceBillPage.h"
#include "FinanceBillStore.h"
#include "FinanceTestSupport.h"
#include "Interaction.h"

// The finance bill editor as its openers run it, typed into and clicked as
// a person would, writing through the real finance pages.

namespace {

// What each mode must do, written out from the modes' description.
struct ModeCase
{
    int mode;
    PartySide side;
    const char *billType;
    bool isNew;
    bool deposit;
    bool nameLocked;
    const char *title;
    int picture;
    const char *nameLabel;
    const char *code; // the proposed code of a new bill on 2024-03-05
    bool deleteShown;
    const char *message;
    bool reportRow;
};

void PrintTo(const ModeCase &c, std::ostream *os)
{
    *os << "mode " << c.mode;
}

constexpr PartySide C = PartyClient;
constexpr PartySide P = PartyProvider;
const char *const kIn = "收入单";
const char *const kOut = "支出单";
const char *const kNewSales = "新增销售财务单据成功。";
const char *const kModSales = "修改销售财务单据成功。";
const char *const kNewPurchase = "新增采购财务单据成功。";
const char *const kModPurchase = "修改采购财务单据成功。";

// clang-format off
const ModeCase kModeCases[] = {
    { 0, C, kIn,  true,  false, false, "新增财务收入", 221, "客户名称",   "SR_XS_20240305",    false, kNewSales,    false},
    { 1, C, kOut, true,  false, false, "新增财务支出", 272, "客户名称",   "ZC_XS_20240305",    false, kNewSales,    false},
    { 2, C, kIn,  false, false, false, "修改财务收入", 270, "客户名称",   nullptr,             true,  kModSales,    false},
    { 3, C, kOut, false, false, false, "修改财务支出", 271, "客户名称",   nullptr,             true,  kModSales,    false},
    { 6, C, kIn,  true,  false, true,  "新增财务收入", 221, "客户名称",   "SR_XS_20240305",    false, kNewSales,    false},
    { 7, C, kOut, true,  false, true,  "新增财务支出", 272, "客户名称",   "ZC_XS_20240305",    false, kNewSales,    false},
    { 8, C, kIn,  false, false, false, "修改财务收入", 270, "客户名称",   nullptr,             true,  kModSales,    true },
    { 9, C, kOut, false, false, false, "修改财务支出", 271, "客户名称",   nullptr,             true,  kModSales,    true },
    {10, P, kIn,  true,  false, false, "新增财务收入", 221, "供应商名称", "SR_CG_20240305",    false, kNewPurchase, false},
    {11, P, kOut, true,  false, false, "新增财务支出", 272, "供应商名称", "ZC_CG_20240305",    false, kNewPurchase, false},
    {12, P, kIn,  false, false, false, "修改财务收入", 270, "供应商名称", nullptr,             true,  kModPurchase, false},
    {13, P, kOut, false, false, false, "修改财务支出", 271, "供应商名称", nullptr,             true,  kModPurchase, false},
    {14, P, kIn,  false, false, false, "修改财务收入", 270, "供应商名称", nullptr,             true,  kModPurchase, true },
    {15, P, kOut, false, false, false, "修改财务支出", 271, "供应商名称", nullptr,             true,  kModPurchase, true },
    {16, P, kIn,  true,  true,  false, "新增财务收入", 221, "供应商名称", "SR_CG_DJ_20240305", false, kNewPurchase, false},
    {17, P, kOut, true,  true,  false, "新增财务支出", 272, "供应商名称", "ZC_CG_DJ_20240305", false, kNewPurchase, false},
    {18, P, kIn,  false, true,  false, "修改财务收入", 270, "供应商名称", nullptr,             false, kModPurchase, false},
    {19, P, kOut, false, true,  false, "修改财务支出", 271, "供应商名称", nullptr,             false, kModPurchase, false},
    {20, C, kIn,  true,  true,  false, "新增财务收入", 221, "客户名称",   "SR_XS_DJ_20240305", false, kNewSales,    false},
    {21, C, kOut, true,  true,  false, "新增财务支出", 272, "客户名称",   "ZC_XS_DJ_20240305", false, kNewSales,    false},
    {22, C, kIn,  false, true,  false, "修改财务收入", 270, "客户名称",   nullptr,             false, kModSales,    false},
    {23, C, kOut, false, true,  false, "修改财务支出", 271, "客户名称",   nullptr,             false, kModSales,    false},
    {24, P, kIn,  true,  false, true,  "新增财务收入", 221, "供应商名称", "SR_CG_20240305",    false, kNewPurchase, false},
    {25, P, kOut, true,  false, true,  "新增财务支出", 272, "供应商名称", "ZC_CG_20240305",    false, kNewPurchase, false},
};
// clang-format on

// Two parties on each side, the accounts 现金 (the schema's) and 工行, and
// both finance pages, on the working day 2024-03-05.
class EditorFixture
{
public:
    EditorFixture()
    {
        SetWorkingDate(QDate(2024, 3, 5));
        for (const char *name : {"甲", "乙"})
            AddClientRow(db.db(), u(name));
        for (const char *name : {"甲供", "乙供"})
            AddProviderRow(db.db(), u(name));
        AddAccountRow(db.db(), u("工行"));
        sales = std::make_unique<CDlgTabFina>(4, nullptr);
        purchase = std::make_unique<CDlgTabFina_Provider>(4, nullptr);
    }
    ~EditorFixture() { SetWorkingDateSource(nullptr); }

    static QString partyOf(PartySide side) { return side == PartyClient ? u("甲") : u("甲供"); }

    // The editor on both pages, with the bill handed in the side's layout.
    void prepare(CDlgNewIncomeBill &editor, PartySide side, const struct_button_financebill &bill, int mode)
    {
        editor.SetFinaTab(sales.get());
        editor.SetProviderFinaTab(purchase.get());
        if (side == PartyProvider)
            editor.SetProviderBill(ToPurchaseLayout(bill));
        else
            editor.SetBill(bill);
        editor.SetReportPage(&report);
        editor.SetProviderReportPage(&report);
        editor.SetMode(mode);
    }

    TestDatabase db;
    ScriptedInteraction user;
    RecordingReportPage report;
    std::unique_ptr<CDlgTabFina> sales;
    std::unique_ptr<CDlgTabFina_Provider> purchase;
};

class EditorModeTest : public ::testing::TestWithParam<ModeCase>, public EditorFixture
{
};

TEST_P(EditorModeTest, ShowsAndWritesTheModesBill)
{
    const ModeCase &c = GetParam();
    const FinanceBillSide &side = FinanceBillSide::For(c.side);
    const QString party = partyOf(c.side);

    struct_button_financebill bill;
    if (c.isNew) {
        if (c.nameLocked || c.deposit)
            bill.ClientName = party;
        if (c.deposit)
            bill.BillRemark = u("XS_CH_20240301");
    } else {
        bill = addBill(db, c.side, u(c.billType), party, u("工行"), u("2024-02-10"), u("80"));
        bill.ListRowIndex = 3;
    }

    CDlgNewIncomeBill editor;
    prepare(editor, c.side, bill, c.mode);
    user.onNextModal([&](QDialog *d) {
        EditorControls e(d);
        EXPECT_EQ(d->windowTitle(), u(c.title));
        EXPECT_EQ(e.picture()->property("picture").toInt(), c.picture);
        EXPECT_FALSE(e.picture()->pixmap().isNull());
        EXPECT_EQ(e.nameLabel()->text(), u(c.nameLabel));
        EXPECT_EQ(e.name()->isEnabled(), !c.nameLocked);
        EXPECT_EQ(e.deleteButton()->isVisible(), c.deleteShown);
        EXPECT_EQ(e.name()->count(), 2); // the side's names
        EXPECT_EQ(e.name()->itemText(0), party);
        if (c.isNew) {
            EXPECT_EQ(e.code()->text(), u(c.code));
            EXPECT_EQ(e.date()->date(), QDate(2024, 3, 5));
            EXPECT_EQ(e.name()->currentText(), c.nameLocked || c.deposit ? party : QString());
            EXPECT_EQ(e.remark()->text(), c.deposit ? u("单据订金（XS_CH_20240301）。") : QString());
            EXPECT_EQ(e.account()->currentText(), u("现金"));
            if (!c.nameLocked && !c.deposit)
                e.typeName(party);
        } else {
            EXPECT_EQ(e.code()->text(), bill.BillCode);
            EXPECT_EQ(e.date()->date(), QDate(2024, 2, 10));
            EXPECT_EQ(e.name()->currentText(), party);
            EXPECT_EQ(e.amount()->text(), u("80"));
            EXPECT_EQ(e.account()->currentText(), u("工行"));
            EXPECT_EQ(e.kind()->currentText(), u("货款"));
        }
        e.typeAmount(u("12.50"));
        e.ok();
        return d->result();
    });
    EXPECT_EQ(Interaction::current().runModal(&editor), 1);
    EXPECT_EQ(user.texts(), QStringList{u(c.message)});

    ASSERT_EQ(rowCount(db, side.table), 1);
    EXPECT_EQ(rowCount(db, FinanceBillSide::For(c.side == C ? P : C).table), 0);
    QString guid;
    QString amount;
    editor.GetDepositInfo(guid, amount);
    EXPECT_EQ(amount, u("12.50"));
    if (!c.isNew) {
        EXPECT_EQ(guid, bill.GUID);
    }
    EXPECT_EQ(storedColumn(db, side, "MoneyCount", guid), u("12.50"));
    EXPECT_EQ(storedColumn(db, side, "BillType", guid), u(c.billType));
    EXPECT_EQ(storedColumn(db, side, "ClientName", guid), party);
    EXPECT_EQ(storedColumn(db, side, "InputDate", guid), c.isNew ? u("2024-03-05") : u("2024-02-10"));
    EXPECT_EQ(storedColumn(db, side, "BillCode", guid), c.isNew ? u(c.code) : bill.BillCode);
    EXPECT_EQ(report.updated, c.reportRow ? std::vector<QString>{guid + u(" 12.50")} : std::vector<QString>{});

    const bool income = u(c.billType) == kIncomeBill;
    EXPECT_EQ(storedSumIncome(db, side, party), income ? u("12.50") : u("0.00"));
    EXPECT_EQ(storedBalance(db, c.isNew ? u("现金") : u("工行")), income ? u("12.50") : u("-12.50"));
}

INSTANTIATE_TEST_SUITE_P(Modes, EditorModeTest, ::testing::ValuesIn(kModeCases),
                         [](const ::testing::TestParamInfo<ModeCase> &info) {
                             return "mode" + std::to_string(info.param.mode);
                         });

class EditorTest : public ::testing::Test, public EditorFixture
{
protected:
    // A new client-side income bill (mode 0) with every list on its first
    // item and the name 甲 typed; the handler then does the rest.
    int runNewBill(const std::function<void(QDialog *, EditorControls &)> &then)
    {
        CDlgNewIncomeBill editor;
        prepare(editor, PartyClient, struct_button_financebill(), 0);
        user.onNextModal([&](QDialog *d) {
            EditorControls e(d);
            e.typeName(u("甲"));
            then(d, e);
            return d->result();
        });
        const int result = Interaction::current().runModal(&editor);
        editor.GetDepositInfo(lastGuid, lastAmount);
        return result;
    }

    QString lastGuid;
    QString lastAmount;
};

TEST_F(EditorTest, TheAmountMustBeADecimalNumber)
{
    const int result = runNewBill([&](QDialog *d, EditorControls &e) {
        e.typeAmount(u("1234567890.123"));
        EXPECT_EQ(e.amount()->text(), u("1234567890.1"));
        for (const char *typed : {"1,000", "abc", "-5", "12.", "1e3", "１２"}) {
            user.clear();
            e.typeAmount(u(typed));
            e.ok();
            EXPECT_EQ(user.texts(), QStringList{u("“金额”只能填写数字。")}) << typed;
            EXPECT_TRUE(d->isVisible()) << typed;
        }
        user.clear();
        e.typeAmount(QString());
        e.ok();
        EXPECT_EQ(user.texts(), QStringList{u("请输入完整信息。")});
        EXPECT_EQ(rowCount(db, "tbl_FinanceBill_income"), 0);
        user.clear();
        e.typeAmount(u("1200.5"));
        e.ok();
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(storedColumn(db, FinanceBillSide::Sales(), "MoneyCount", lastGuid), u("1200.5"));
    EXPECT_EQ(lastAmount, u("1200.5"));
}

TEST_F(EditorTest, EveryFieldButSellerAndRemarkIsNeeded)
{
    const int result = runNewBill([&](QDialog *d, EditorControls &e) {
        e.typeAmount(u("5"));
        const auto refused = [&](const char *what) {
            user.clear();
            e.ok();
            EXPECT_EQ(user.texts(), QStringList{u("请输入完整信息。")}) << what;
            EXPECT_TRUE(d->isVisible()) << what;
        };
        EditorControls::retype(e.code(), QString());
        refused("code");
        EditorControls::retype(e.code(), u("SR_XS_X"));
        e.typeName(QString());
        refused("name");
        e.typeName(u("甲"));
        for (QComboBox *list : {e.account(), e.kind(), e.moneyType(), e.voucher()}) {
            list->setCurrentIndex(-1);
            refused(qPrintable(list->objectName()));
            list->setCurrentIndex(0);
        }
        EditorControls::retype(e.seller(), QString());
        EditorControls::retype(e.remark(), QString());
        user.clear();
        e.ok();
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(storedColumn(db, FinanceBillSide::Sales(), "BillCode", lastGuid), u("SR_XS_X"));
    EXPECT_EQ(storedColumn(db, FinanceBillSide::Sales(), "SellerName", lastGuid), QString());
}

TEST_F(EditorTest, WithoutAnyVoucherNothingCanBeSaved)
{
    db.exec("DELETE FROM tbl_Voucher");
    const int result = runNewBill([&](QDialog *, EditorControls &e) {
        EXPECT_EQ(e.voucher()->count(), 0);
        e.typeAmount(u("5"));
        e.ok();
        EXPECT_EQ(user.texts(), QStringList{u("请输入完整信息。")});
        e.cancel();
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(rowCount(db, "tbl_FinanceBill_income"), 0);
    EXPECT_TRUE(lastGuid.isEmpty());
}

TEST_F(EditorTest, AStoredTextNoListHasLeavesThatListUnchosen)
{
    struct_button_financebill bill =
        addBill(db, PartyClient, kIncomeBill, u("甲"), u("已删帐户"), u("2024-02-29"), u("80"));
    CDlgNewIncomeBill editor;
    prepare(editor, PartyClient, bill, 2);
    user.onNextModal([&](QDialog *d) {
        EditorControls e(d);
        EXPECT_EQ(e.account()->currentIndex(), -1);
        EXPECT_EQ(e.date()->date(), QDate(2024, 2, 29));
        e.ok();
        EXPECT_EQ(user.texts(), QStringList{u("请输入完整信息。")});
        e.account()->setCurrentIndex(1);
        e.ok();
        return d->result();
    });
    EXPECT_EQ(Interaction::current().runModal(&editor), 1);
    EXPECT_EQ(storedColumn(db, FinanceBillSide::Sales(), "AccountName", bill.GUID), u("工行"));
    // Moved off the gone account: 工行 now holds the bill.
    EXPECT_EQ(storedBalance(db, u("工行")), u("80.00"));
}

TEST_F(EditorTest, StoredTextsLongerThanTypingAllowsAreKeptWhole)
{
    const QString guid = addBill(db, PartyClient, kIncomeBill, u("甲"), u("工行"), u("2024-02-29"), u("80")).GUID;
    const std::pair<const char *, QString> stored[] = {{"BillCode", u("SR_XS_") + QString(300, u'9')},
                                                       {"ClientName", QString(300, QChar(0x7532))},
                                                       {"MoneyCount", u("1234567890.12")},
                                                       {"BillRemark", QString(3000, QChar(0x5907))}};
    for (const auto &[column, text] : stored)
        db.exec(QStringLiteral("UPDATE tbl_FinanceBill_income SET %1 = ?").arg(u(column)).toUtf8().constData(), {text});
    const struct_button_financebill bill = *FinanceBillStore(db.db(), FinanceBillSide::Sales()).BillByGuid(guid);
    CDlgNewIncomeBill editor;
    prepare(editor, PartyClient, bill, 2);
    user.onNextModal([&](QDialog *d) {
        EditorControls e(d);
        EditorControls::retype(e.seller(), u("小李"));
        e.ok();
        return d->result();
    });
    EXPECT_EQ(Interaction::current().runModal(&editor), 1);
    for (const auto &[column, text] : stored)
        EXPECT_EQ(storedColumn(db, FinanceBillSide::Sales(), column, bill.GUID), text) << column;
    EXPECT_EQ(storedColumn(db, FinanceBillSide::Sales(), "SellerName", bill.GUID), u("小李"));
}

TEST_F(EditorTest, EveryDateFieldShowsAndStoresIsoDatesWhateverTheDesktop)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    // Every date field of the finance windows, the deposit editor's being
    // this editor: yyyy-MM-dd and a Chinese calendar on any desktop.
    CDlgBillFind_Provider_Fina search;
    search.show();
    QStringList shown;
    const int result = runNewBill([&](QDialog *, EditorControls &e) {
        for (QDateEdit *field :
             {e.date(), search.findChild<QDateEdit *>(u("1408")), search.findChild<QDateEdit *>(u("1409"))})
            shown << field->text() + u(" ") + field->calendarWidget()->locale().monthName(12);
        e.date()->setFocus();
        e.date()->setDate(QDate(2024, 2, 29));
        // The code follows the working date, not the picker.
        EXPECT_EQ(e.code()->text(), u("SR_XS_20240305"));
        e.typeAmount(u("5"));
        e.ok();
    });
    QLocale::setDefault(before);
    EXPECT_EQ(shown, (QStringList{u("2024-03-05 十二月"), u("2024-03-01 十二月"), u("2024-03-31 十二月")}));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(storedColumn(db, FinanceBillSide::Sales(), "InputDate", lastGuid), u("2024-02-29"));
}

TEST_F(EditorTest, EnterSavesNothing)
{
    const int result = runNewBill([&](QDialog *d, EditorControls &e) {
        e.typeAmount(u("5"));
        QTest::keyClick(e.amount(), Qt::Key_Return);
        QTest::keyClick(e.amount(), Qt::Key_Enter);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(rowCount(db, "tbl_FinanceBill_income"), 0);
        e.cancel();
    });
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(user.texts().isEmpty());
}

TEST_F(EditorTest, AFailedInsertKeepsTheEditorOpenAndChangesNothing)
{
    addBill(db, PartyClient, kIncomeBill, u("甲"), u("现金"), u("2024-03-05"), u("7"));
    sales->resize(1000, 700);
    sales->RefreshByDate(u("2024-03-05"));
    const QString pageLine = sales->PageLine();
    db.exec("CREATE TRIGGER refuse BEFORE INSERT ON tbl_FinanceBill_income BEGIN SELECT RAISE(ABORT, '磁盘已满'); END");
    const int result = runNewBill([&](QDialog *d, EditorControls &e) {
        e.typeAmount(u("5"));
        e.ok();
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(e.amount()->text(), u("5"));
        e.cancel();
    });
    EXPECT_EQ(result, 0);
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].kind, ScriptedInteraction::Message::Error);
    EXPECT_TRUE(user.messages[0].text.startsWith(u("保存财务单据失败。")));
    EXPECT_TRUE(lastGuid.isEmpty());
    EXPECT_TRUE(lastAmount.isEmpty());
    EXPECT_EQ(rowCount(db, "tbl_FinanceBill_income"), 1);
    EXPECT_EQ(sales->PageLine(), pageLine);
    EXPECT_EQ(sales->VisibleCardCount(), 1);
}

TEST_F(EditorTest, AChangeOfABillThatIsGoneEndsWithoutWriting)
{
    for (PartySide side : {PartyClient, PartyProvider}) {
        const struct_button_financebill bill =
            addBill(db, side, kPayoutBill, partyOf(side), u("工行"), u("2024-03-05"), u("80"));
        CDlgNewIncomeBill editor;
        prepare(editor, side, bill, side == PartyClient ? 9 : 15);
        user.clear();
        report.removed.clear();
        user.onNextModal([&](QDialog *d) {
            EditorControls e(d);
            db.exec(QStringLiteral("DELETE FROM %1")
                        .arg(QLatin1String(FinanceBillSide::For(side).table))
                        .toUtf8()
                        .constData());
            e.typeAmount(u("9"));
            e.ok();
            return d->result();
        });
        EXPECT_EQ(Interaction::current().runModal(&editor), 0);
        EXPECT_EQ(user.texts(), QStringList{u("该财务单据已不存在，可能已被删除。")});
        EXPECT_EQ(rowCount(db, FinanceBillSide::For(side).table), 0);
        EXPECT_EQ(report.removed, std::vector<QString>{bill.GUID});
        EXPECT_TRUE(report.updated.empty());
        QString guid;
        QString amount;
        editor.GetDepositInfo(guid, amount);
        EXPECT_TRUE(guid.isEmpty());
    }
}

TEST_F(EditorTest, ADeleteFromTheReportListAsksRecomputesAndRemovesTheRow)
{
    for (PartySide side : {PartyClient, PartyProvider}) {
        const QString party = partyOf(side);
        addBill(db, side, kIncomeBill, party, u("工行"), u("2024-03-01"), u("100"));
        const struct_button_financebill bill =
            addBill(db, side, kIncomeBill, party, u("工行"), u("2024-03-05"), u("30"));
        CDlgNewIncomeBill editor;
        prepare(editor, side, bill, side == PartyClient ? 8 : 14);
        report.removed.clear();
        user.clear();
        user.answerQuestion(false);
        user.answerQuestion(true);
        user.onNextModal([&](QDialog *d) {
            EditorControls e(d);
            e.remove();
            EXPECT_TRUE(d->isVisible());
            EXPECT_EQ(rowCount(db, FinanceBillSide::For(side).table), 2);
            e.remove();
            return d->result();
        });
        EXPECT_EQ(Interaction::current().runModal(&editor), 0);
        EXPECT_EQ(user.texts(), (QStringList{u("确定要删除这个单据吗？"), u("确定要删除这个单据吗？")}));
        EXPECT_EQ(rowCount(db, FinanceBillSide::For(side).table), 1);
        EXPECT_EQ(report.removed, std::vector<QString>{bill.GUID});
        EXPECT_EQ(storedSumIncome(db, FinanceBillSide::For(side), party), u("100.00"));
    }
    // The second delete recomputed the balance over both tables.
    EXPECT_EQ(storedBalance(db, u("工行")), u("200.00"));
}

} // namespace
