#include "ShipmentEditorSupport.h"

// The deposit of a goods bill: a finance bill of its own, opened in the
// finance editor's mode for the goods bill's kind, new or existing; its
// GUID and amount go into every line at the next save.

namespace {

struct DepositCase
{
    int goodsMode;
    int newMode;
    int existingMode;
};

void PrintTo(const DepositCase& c, std::ostream* out)
{
    *out << "mode " << c.goodsMode;
}

class DepositModes : public testing::TestWithParam<DepositCase>
{
protected:
    void SetUp() override { SetWorkingDate(QDate(2011, 5, 3)); }
    void TearDown() override { SetWorkingDate(QDate()); }

    TestDatabase db;
    ScriptedInteraction user;
    ScriptedDepositEditor finance {db.db()};
};

// Opens the editor in the mode with what its opener hands over: a stored
// bill of the mode's kind, a line made out to the party, or nothing.
void OpenForMode(CDlgNewShipment& editor, TestDatabase& db, ScriptedInteraction& user, int mode)
{
    const GoodsBillModeInfo info = GoodsBillModeInfo::For(mode);
    const PartySide party = info.side().party;
    const QString company = party == PartyClient ? QStringLiteral("甲客户") : QStringLiteral("乙供应商");
    editor.SetIntMember(mode);
    if (info.isChange()) {
        editor.SetBillRows(AddGoodsBillRows(
            db.db(), party, info.billType, company, QStringLiteral("2011-05-02"), {{"A1", "螺丝", "M3", "1", "5"}}));
    } else if (info.fromPartyWindow) {
        struct_button_goodsbill line;
        line.CompanyName = company;
        editor.SetBillRows({line});
    }
    ShowEditor(editor);
    if (info.isChange()) {
        AnswerPassword(user, QString());
        clickButton(&editor, "1114");
    } else if (!info.fromPartyWindow) {
        TypeIntoCell(editor.Grid(), Grid::HeadRow, Grid::CompanyColumn, company);
    }
}

} // namespace

TEST_P(DepositModes, ANewDepositBillThenTheSameBillAgain)
{
    const DepositCase c = GetParam();
    CDlgNewShipment editor;
    OpenForMode(editor, db, user, c.goodsMode);
    Grid* grid = editor.Grid();

    clickButton(&editor, "1429");
    ASSERT_EQ(finance.requests.size(), 1u);
    EXPECT_EQ(finance.requests[0].mode, c.newMode);
    EXPECT_EQ(finance.requests[0].companyName, grid->CellText(Grid::HeadRow, Grid::CompanyColumn));
    EXPECT_FALSE(finance.requests[0].companyName.isEmpty());
    EXPECT_EQ(finance.requests[0].goodsBillCode, grid->CellText(Grid::HeadRow, Grid::CodeColumn));
    EXPECT_TRUE(finance.requests[0].depositGuid.isEmpty());
    EXPECT_EQ(editor.findChild<QLineEdit*>(QStringLiteral("1119"))->text(), QStringLiteral("100.00"));

    finance.amount = QStringLiteral("120.00");
    clickButton(&editor, "1429");
    ASSERT_EQ(finance.requests.size(), 2u);
    EXPECT_EQ(finance.requests[1].mode, c.existingMode);
    EXPECT_EQ(finance.requests[1].depositGuid, editor.DepositGuid());
    EXPECT_EQ(editor.findChild<QLineEdit*>(QStringLiteral("1119"))->text(), QStringLiteral("120.00"));
}

INSTANTIATE_TEST_SUITE_P(Modes, DepositModes,
    testing::Values(DepositCase {0, 20, 22}, DepositCase {2, 20, 22}, DepositCase {6, 20, 22}, DepositCase {8, 20, 22},
        DepositCase {1, 21, 23}, DepositCase {3, 21, 23}, DepositCase {7, 21, 23}, DepositCase {9, 21, 23},
        DepositCase {10, 17, 19}, DepositCase {12, 17, 19}, DepositCase {14, 17, 19}, DepositCase {16, 17, 19},
        DepositCase {11, 16, 18}, DepositCase {13, 16, 18}, DepositCase {15, 16, 18}, DepositCase {17, 16, 18}),
    [](const testing::TestParamInfo<DepositCase>& info) { return "mode" + std::to_string(info.param.goodsMode); });

namespace {

class Deposit : public EditorSideTest
{
protected:
    QString DepositTable() const
    {
        return side.party == PartyClient ? QStringLiteral("tbl_FinanceBill_income")
                                         : QStringLiteral("tbl_FinanceBill_income_provider");
    }
    int DepositBills()
    {
        return db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(DepositTable()).toUtf8().constData()).toInt();
    }

    ScriptedDepositEditor finance {db.db()};
};

} // namespace

TEST_P(Deposit, ItsGuidAndAmountGoIntoEveryLineAtTheSave)
{
    CDlgNewShipment editor;
    editor.SetIntMember(side.newMode);
    ShowEditor(editor);
    TypeIntoCell(editor.Grid(), Grid::HeadRow, Grid::CompanyColumn, Party(side));
    TypeLine(editor.Grid(), 2, screw, QStringLiteral("1"), QStringLiteral("50"));
    TypeLine(editor.Grid(), 3, nut, QStringLiteral("2"), QStringLiteral("30"));
    finance.amount = QStringLiteral("88.80");
    clickButton(&editor, "1429");
    ASSERT_EQ(DepositBills(), 1);
    clickButton(&editor, "1112");
    EXPECT_EQ(editor.result(), 1);

    const QString guid = editor.DepositGuid();
    EXPECT_EQ(
        db.scalar(QStringLiteral("SELECT MoneyCount FROM %1 WHERE GUID = ?").arg(DepositTable()).toUtf8().constData(),
            {guid}),
        QStringLiteral("88.80"));
    EXPECT_EQ(StoredColumn(db, side.party, "ImprestBillGuid"), QStringList(2, guid));
    EXPECT_EQ(StoredColumn(db, side.party, "Imprest"), QStringList(2, QStringLiteral("88.80")));
}

TEST_P(Deposit, ALinkToABillThatIsGoneIsClearedAndANewBillOpens)
{
    const struct_button_financebill old = AddFinanceBillRow(db.db(), side.party, QStringLiteral("收入单"), Party(side),
        QStringLiteral("现金"), QStringLiteral("2011-05-01"), QStringLiteral("40.00"));
    GoodsBillLines stored = AddGoodsBillRows(db.db(), side.party, QString::fromUtf8(side.billType), Party(side),
        QStringLiteral("2011-05-02"), {{screw.ProductCode, screw.ProductName, screw.ProductSpec, "1", "50"}}, old.GUID);
    stored.front().Imprest = old.MoneyCount;
    // The deposit bill is deleted on the finance side after the bill was
    // loaded.
    db.exec(QStringLiteral("DELETE FROM %1").arg(DepositTable()).toUtf8().constData());

    CDlgNewShipment editor;
    editor.SetIntMember(side.changeMode);
    editor.SetBillRows(stored);
    ShowEditor(editor);
    Unlock(editor);
    finance.amount = QStringLiteral("25.00");
    clickButton(&editor, "1429");
    ASSERT_EQ(finance.requests.size(), 1u);
    EXPECT_EQ(finance.requests[0].mode, side.party == PartyClient ? 20 : 17);
    EXPECT_TRUE(finance.requests[0].depositGuid.isEmpty());
    EXPECT_NE(editor.DepositGuid(), old.GUID);

    clickButton(&editor, "1112");
    EXPECT_EQ(editor.result(), 1);
    EXPECT_EQ(StoredColumn(db, side.party, "ImprestBillGuid"), QStringList {editor.DepositGuid()});
    EXPECT_EQ(StoredColumn(db, side.party, "Imprest"), QStringList {QStringLiteral("25.00")});
}

TEST_P(Deposit, AClosedFinanceEditorChangesNothingAndAStoredBillWaitsForItsPassword)
{
    const GoodsBillLines stored = AddGoodsBillRows(db.db(), side.party, QString::fromUtf8(side.billType), Party(side),
        QStringLiteral("2011-05-02"), {{screw.ProductCode, screw.ProductName, screw.ProductSpec, "1", "50"}});
    CDlgNewShipment editor;
    editor.SetIntMember(side.changeMode);
    editor.SetBillRows(stored);
    ShowEditor(editor);
    EXPECT_FALSE(Button(&editor, "1429")->isEnabled());
    clickButton(&editor, "1429");
    EXPECT_TRUE(finance.requests.empty());

    Unlock(editor);
    finance.saves = false;
    clickButton(&editor, "1429");
    EXPECT_EQ(finance.requests.size(), 1u);
    EXPECT_EQ(editor.findChild<QLineEdit*>(QStringLiteral("1119"))->text(), QStringLiteral("0"));
    EXPECT_TRUE(editor.DepositGuid().isEmpty());
    clickButton(&editor, "1113");
    EXPECT_EQ(editor.result(), 0);
    EXPECT_TRUE(user.texts().isEmpty());
}

TEST_P(Deposit, LeavingAfterWritingADepositBillSaysItStaysWithItsAmount)
{
    for (const char* leave : {"cancel", "escape"}) {
        user.clear();
        CDlgNewShipment editor;
        editor.SetIntMember(side.newMode);
        ShowEditor(editor);
        TypeIntoCell(editor.Grid(), Grid::HeadRow, Grid::CompanyColumn, Party(side));
        finance.amount = QStringLiteral("66.60");
        clickButton(&editor, "1429");
        if (QByteArray(leave) == "cancel") {
            clickButton(&editor, "1113");
            EXPECT_EQ(editor.result(), 0);
        } else {
            QTest::keyClick(&editor, Qt::Key_Escape);
            EXPECT_EQ(editor.result(), 2);
        }
        ASSERT_EQ(user.texts().size(), 1) << leave;
        EXPECT_TRUE(user.lastText().contains(QStringLiteral("66.60")));
        EXPECT_TRUE(user.lastText().contains(QStringLiteral("不会删除")));
    }
    EXPECT_EQ(DepositBills(), 2);
    EXPECT_EQ(RowCount(db, LineTable(side.party)), 0);
}

TEST_P(Deposit, DeletingTheBillAsksKnowingItsDepositBillStays)
{
    const struct_button_financebill deposit = AddFinanceBillRow(db.db(), side.party, QStringLiteral("收入单"),
        Party(side), QStringLiteral("现金"), QStringLiteral("2011-05-01"), QStringLiteral("40.00"));
    CDlgNewShipment editor;
    editor.SetIntMember(side.changeMode);
    editor.SetBillRows(StoreBill(QString(), deposit.GUID));
    ShowEditor(editor);
    Unlock(editor);
    user.answerQuestion(true);
    clickButton(&editor, "1111");
    EXPECT_EQ(editor.result(), 1);
    EXPECT_EQ(user.texts(),
        QStringList {
            QStringLiteral("确定要删除这个单据吗？\n订金单据 %1（40.00 元）已经记入财务单据，删除本单据不会删除它。")
                .arg(deposit.BillCode)});
    EXPECT_EQ(RowCount(db, LineTable(side.party)), 0);
    EXPECT_EQ(DepositBills(), 1);
}

INSTANTIATE_TEST_SUITE_P(Sides, Deposit, testing::Values(kSalesSide, kPurchaseSide), SideName);

TEST(DepositWithoutFinanceEditor, SaysSoAndRecordsNothing)
{
    TestDatabase db;
    ScriptedInteraction user;
    CDlgNewShipment editor;
    editor.SetIntMember(0);
    ShowEditor(editor);
    clickButton(&editor, "1429");
    EXPECT_EQ(user.texts().size(), 1);
    EXPECT_TRUE(editor.DepositGuid().isEmpty());
    EXPECT_TRUE(editor.findChild<QLineEdit*>(QStringLiteral("1119"))->text().isEmpty());
}
