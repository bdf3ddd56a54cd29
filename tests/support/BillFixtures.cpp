#include "BillFixtures.h"

#include "Database.h"
#include "GlobalFunctions.h"
#include "RecordColumns.h"

struct_button_data AddClientRow(Database &db, const QString &name, const QString &area, const QString &beginArrears)
{
    struct_button_data client;
    client.ClientName = name;
    client.ClientArea = area;
    client.Loan = client.BeginArrears = beginArrears;
    client.GUID = GuidText();
    db.insertRow(QLatin1String(RecordTable<struct_button_data>::name), InsertColumns(client));
    return client;
}

struct_button_provider AddProviderRow(Database &db, const QString &name, const QString &area,
                                      const QString &beginArrears)
{
    struct_button_provider provider;
    provider.ProviderName = name;
    provider.ProviderArea = area;
    provider.Loan = provider.BeginArrears = beginArrears;
    provider.GUID = GuidText();
    db.insertRow(QLatin1String(RecordTable<struct_button_provider>::name), InsertColumns(provider));
    return provider;
}

struct_button_storeproduct AddProductRow(Database &db, const QString &code, const QString &name, const QString &spec,
                                         const QString &stockCount)
{
    // Unit 个, purchase price 8.00, sales price 10.00, alarm count 5.
    const struct_button_storeproduct product {code, name, spec, QStringLiteral("个"), QStringLiteral("8.00"),
                                              QStringLiteral("10.00"), QStringLiteral("5"), QString(), stockCount,
                                              GuidText()};
    db.insertRow(QLatin1String(RecordTable<struct_button_storeproduct>::name), InsertColumns(product));
    return product;
}

struct_button_account AddAccountRow(Database &db, const QString &name)
{
    const struct_button_account account {name, QStringLiteral("0.00"), QStringLiteral("0.00"), GuidText()};
    db.insertRow(QLatin1String(RecordTable<struct_button_account>::name), InsertColumns(account));
    return account;
}

std::vector<struct_button_goodsbill> AddGoodsBillRows(Database &db, PartySide side, const QString &billType,
                                                      const QString &company, const QString &date,
                                                      const std::vector<FixtureLine> &lines,
                                                      const QString &depositGuid)
{
    double total = 0.0;
    for (const FixtureLine &line : lines)
        total += StrToDouble(line.amount) * StrToDouble(line.unitPrice);
    const QString guid = GuidText();
    const QString code = (side == PartyClient ? QStringLiteral("XS_") : QStringLiteral("CG_")) + date;
    std::vector<struct_button_goodsbill> written;
    for (const FixtureLine &line : lines) {
        struct_button_goodsbill row;
        row.Imprest = QStringLiteral("0");
        row.CompanyName = company;
        row.BillCode = code;
        row.SumMoney = DoubleToStr(total);
        row.InputDate = date;
        row.GUID = guid;
        row.ProductCode = line.code;
        row.ProductName = line.name;
        row.ProductSpec = line.spec;
        row.ProductUnit = QStringLiteral("个");
        row.ProductAmount = line.amount;
        row.ProductUnitPrice = line.unitPrice;
        row.ProductPrice = DoubleToStr(StrToDouble(line.amount) * StrToDouble(line.unitPrice));
        row.ImprestBillGuid = depositGuid;
        row.EnableImprest = QStringLiteral("禁用预付款");
        row.BillType = billType;
        if (side == PartyClient)
            db.insertRow(QLatin1String(RecordTable<struct_button_goodsbill>::name), InsertColumns(row));
        else
            db.insertRow(QLatin1String(RecordTable<struct_button_provider_goodsbill>::name),
                         InsertColumns(ToPurchaseLayout(row)));
        written.push_back(row);
    }
    return written;
}

struct_button_financebill AddFinanceBillRow(Database &db, PartySide side, const QString &billType,
                                            const QString &party, const QString &account, const QString &date,
                                            const QString &amount)
{
    struct_button_financebill bill;
    bill.BillCode = (billType == QStringLiteral("收入单") ? QStringLiteral("SR_") : QStringLiteral("ZC_")) + date;
    bill.AccountName = account;
    bill.InputDate = date;
    bill.ClientName = party;
    bill.MoneyCount = amount;
    bill.IncomeType = QStringLiteral("货款");
    bill.MoneyType = QStringLiteral("现金");
    bill.GUID = GuidText();
    bill.BillType = billType;
    if (side == PartyClient)
        db.insertRow(QLatin1String(RecordTable<struct_button_financebill>::name), InsertColumns(bill));
    else
        db.insertRow(QLatin1String(RecordTable<struct_button_financebill_provider>::name),
                     InsertColumns(ToPurchaseLayout(bill)));
    return bill;
}
