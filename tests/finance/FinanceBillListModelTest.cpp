#include "FinanceBillListModel.h"

#include "FinanceTestSupport.h"

// The report page's rows: the texts of each column, the three sorts and
// the rewriting and removing of rows, without a database.

namespace {

FinanceBillListRow row(PartySide table, const QString &type, const QString &account, const QString &date,
                       const QString &amount, const QString &code)
{
    FinanceBillListRow listed;
    listed.table = table;
    listed.bill = makeBill(type, u("甲"), account, date, amount);
    listed.bill.BillCode = code;
    return listed;
}

QStringList column(const FinanceBillListModel &model, int column)
{
    QStringList texts;
    for (int r = 0; r < model.rowCount(); ++r)
        texts << model.data(model.index(r, column)).toString();
    return texts;
}

} // namespace

TEST(FinanceBillListModel, IncomePayoutAndTotalColumns)
{
    struct Case
    {
        const QString &type;
        const char *amount;
        QStringList shown; // 收入, 支出, 合计
    };
    const Case cases[] = {
        {kPayoutBill, "12.50", {u("0"), u("12.50"), u("-12.50")}},
        {kIncomeBill, "12.50", {u("12.50"), u("0"), u("12.50")}},
        // An old payout typed with a sign: its total negates the sign.
        {kPayoutBill, "-5", {u("0"), u("-5"), u("5")}},
        {kPayoutBill, "0", {u("0"), u("0"), u("0")}},
        {u("其它单"), "7", {QString(), QString(), QString()}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.amount);
        FinanceBillListModel model;
        model.SetRows({row(PartyClient, c.type, u("现金"), u("2024-03-01"), u(c.amount), u("C"))});
        const QStringList texts = model.RowTexts(0);
        EXPECT_EQ(texts.mid(FinanceBillListModel::ColumnIncome, 3), c.shown);
        const struct_button_financebill_provider printed = model.CollectListRows().at(0);
        EXPECT_EQ((QStringList {printed.ListIncome, printed.ListPayout, printed.MoneyCount}), c.shown);
    }

    FinanceBillListModel model;
    const FinanceBillListRow listed = row(PartyProvider, kIncomeBill, u("工行"), u("2024-03-01"), u("9"), u("P"));
    model.SetRows({listed});
    const struct_button_financebill &bill = listed.bill;
    EXPECT_EQ(model.RowTexts(0),
              (QStringList {u("0"), bill.BillType, u("P"), bill.InputDate, bill.AccountName, bill.ClientName, u("9"),
                            u("0"), u("9"), bill.SellerName, bill.MoneyType, bill.Voucher, bill.IncomeType,
                            bill.BillRemark, bill.GUID}));
    EXPECT_EQ(model.headerData(FinanceBillListModel::ColumnParty, Qt::Horizontal).toString(), u("单位名称"));
    model.SetPartyCaption(FinanceBillListModel::PartyCaption(BillListProvider));
    EXPECT_EQ(model.headerData(FinanceBillListModel::ColumnParty, Qt::Horizontal).toString(), u("供应商名称"));
    EXPECT_EQ(FinanceBillListModel::PartyCaption(BillListClient), u("客户名称"));
}

TEST(FinanceBillListModel, SortsAreStableAscendingAndRenumber)
{
    FinanceBillListModel model;
    model.SetRows({
        row(PartyClient, kIncomeBill, u("现金"), u("2009-02-01"), u("100"), u("A")),
        row(PartyClient, kPayoutBill, u("工商银行"), u("2009-01-31"), u("20"), u("B")),
        row(PartyProvider, kIncomeBill, u("阿里"), u("2009-02-01"), u("99.5"), u("C")),
        row(PartyClient, kPayoutBill, u("现金"), u("2009-01-31"), u("3"), u("D")),
        row(PartyClient, u("其它单"), u("农业银行"), u("2009-01-15"), u("1"), u("E")),
        row(PartyProvider, kIncomeBill, u("支付宝"), u("2009-02-01"), u("0"), u("F")),
    });
    // Equal keys keep their order: A before C before F, B before D.
    model.SortBy(FinanceBillListModel::SortByDate);
    EXPECT_EQ(column(model, FinanceBillListModel::ColumnBillCode),
              (QStringList {u("E"), u("B"), u("D"), u("A"), u("C"), u("F")}));
    EXPECT_EQ(column(model, FinanceBillListModel::ColumnNumber),
              (QStringList {u("0"), u("1"), u("2"), u("3"), u("4"), u("5")}));
    // Chinese names in pinyin order: a-li, gong-shang, nong-ye, xian-jin, zhi-fu-bao.
    model.SortBy(FinanceBillListModel::SortByAccount);
    EXPECT_EQ(column(model, FinanceBillListModel::ColumnBillCode),
              (QStringList {u("C"), u("B"), u("E"), u("D"), u("A"), u("F")}));
    // By amount: payouts first, a bill of neither kind counts 0, numbers
    // compare as numbers.
    model.SortBy(FinanceBillListModel::SortByAmount);
    EXPECT_EQ(column(model, FinanceBillListModel::ColumnBillCode),
              (QStringList {u("B"), u("D"), u("E"), u("F"), u("C"), u("A")}));
    // Sorting what is in order keeps it and numbers it again.
    model.RemoveRow(0);
    EXPECT_EQ(column(model, FinanceBillListModel::ColumnNumber).first(), u("1"));
    model.SortBy(FinanceBillListModel::SortByAmount);
    EXPECT_EQ(column(model, FinanceBillListModel::ColumnBillCode),
              (QStringList {u("D"), u("E"), u("F"), u("C"), u("A")}));
    EXPECT_EQ(column(model, FinanceBillListModel::ColumnNumber).first(), u("0"));
}

TEST(FinanceBillListModel, RowsAreFoundByTableAndGuid)
{
    FinanceBillListModel model;
    FinanceBillListRow client = row(PartyClient, kIncomeBill, u("现金"), u("2024-03-01"), u("1"), u("C"));
    FinanceBillListRow provider = client;
    provider.table = PartyProvider;
    provider.bill.BillCode = u("P");
    model.SetRows({client, provider, row(PartyClient, kIncomeBill, u("现金"), u("2024-03-01"), u("2"), u("X"))});
    EXPECT_EQ(model.FindRow(PartyProvider, client.bill.GUID), 1);
    EXPECT_EQ(model.FindRow(PartyClient, client.bill.GUID), 0);
    EXPECT_EQ(model.FindRow(PartyClient, client.bill.GUID.toLower()), -1);

    struct_button_financebill changed = provider.bill;
    changed.MoneyCount = u("8");
    changed.BillType = kPayoutBill;
    model.UpdateRow(1, changed);
    EXPECT_EQ(model.RowTexts(1).mid(0, 3), (QStringList {u("1"), kPayoutBill, u("P")}));
    EXPECT_EQ(model.RowTexts(1).at(FinanceBillListModel::ColumnTotal), u("-8"));
    // Removing leaves a gap in the numbers until the next sort or search.
    model.RemoveRow(0);
    EXPECT_EQ(column(model, FinanceBillListModel::ColumnNumber), (QStringList {u("1"), u("2")}));
}
