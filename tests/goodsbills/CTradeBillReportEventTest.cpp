#include "CapturedReports.h"
#include "ReportDocument.h"
#include "ShipmentEditorSupport.h"

// The printed goods bill, written as a PDF and read back with poppler's
// pdftotext: the title by the bill's kind, the header and totals, the six
// detail rows, and the deposit only when the print option says so.

namespace {

struct PrintCase
{
    int mode;
    const char* billType;
    const char* title;
    bool withDeposit;
};

void PrintTo(const PrintCase& c, std::ostream* out)
{
    *out << "mode " << c.mode << (c.withDeposit ? " with deposit" : "");
}

class PrintedBill : public testing::TestWithParam<PrintCase>
{
protected:
    TestDatabase db;
    ScriptedInteraction user;
    CapturedReports captured;
};

} // namespace

TEST_P(PrintedBill, TitleHeaderSixRowsAndTheDepositByTheOption)
{
    const PrintCase c = GetParam();
    const PartySide party = c.mode >= 10 ? PartyProvider : PartyClient;
    db.exec("UPDATE tbl_MiscOption SET OptionValue = ? WHERE OptionName = '退货单打印格式设置'",
        {c.withDeposit ? QStringLiteral("含订金") : QStringLiteral("不含订金")});
    const struct_button_financebill deposit = AddFinanceBillRow(db.db(), party, QStringLiteral("收入单"),
        QStringLiteral("甲公司"), QStringLiteral("现金"), QStringLiteral("2011-05-02"), QStringLiteral("7.50"));
    GoodsBillLines stored = AddGoodsBillRows(db.db(), party, QString::fromUtf8(c.billType), QStringLiteral("甲公司"),
        QStringLiteral("2011-05-02"), {{"LS-3", "螺丝钉", "M3", "3", "2.50"}, {"LM-3", "螺母件", "M3", "2", "10"}},
        deposit.GUID);
    for (struct_button_goodsbill& line : stored)
        line.Imprest = deposit.MoneyCount; // as the store resolves it

    CDlgNewShipment editor;
    editor.SetIntMember(c.mode);
    editor.SetBillRows(stored);
    ShowEditor(editor);
    clickButton(&editor, "1115");
    ASSERT_NE(captured.last(), nullptr);
    EXPECT_EQ(captured.last()->recordCount(), 6);
    EXPECT_EQ(captured.last()->parameterText(QStringLiteral("LoanMoney")), QStringLiteral("20.00"));

    const QString text = captured.lastPdfText();
    EXPECT_TRUE(text.contains(QString::fromUtf8(c.title))) << text.toStdString();
    for (const char* expected : {"甲公司", "2011-05-02", "螺丝钉", "螺母件", "7.50", "20.00", "27.50", "欠款："})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    // The capital text, read back without its blanks.
    QString compact = text;
    compact.remove(QLatin1Char(' '));
    EXPECT_TRUE(compact.contains(QStringLiteral("贰拾柒元伍角零分"))) << text.toStdString();
    EXPECT_EQ(text.contains(QStringLiteral("订金：")), c.withDeposit) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Kinds, PrintedBill,
    testing::Values(PrintCase {2, "出货单", "产品出货单", true}, PrintCase {3, "退货单", "产品退货单", false},
        PrintCase {12, "进货单", "产品进货单", false}, PrintCase {15, "退货单", "产品退货单", true}),
    [](const testing::TestParamInfo<PrintCase>& info) { return "mode" + std::to_string(info.param.mode); });
