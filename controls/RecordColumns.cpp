#include "RecordColumns.h"

#include <vector>

namespace {

template<typename Record>
struct Column
{
    const char *name;
    QString Record::*field;
};

template<typename Record>
using Columns = std::vector<Column<Record>>;

template<typename Record>
Database::Row valuesOf(const Record &record, const Columns<Record> &columns)
{
    Database::Row row;
    row.reserve(columns.size());
    for (const auto &column : columns)
        row.emplace_back(QString::fromLatin1(column.name), record.*(column.field));
    return row;
}

template<typename Record>
void readInto(const Statement &row, Record &record, const Columns<Record> &columns)
{
    for (const auto &column : columns)
        record.*(column.field) = row.text(QString::fromLatin1(column.name));
    record.EmptySlot = 0;
}

// A party's columns in the order a new row gets them; name and area are the
// side's own columns.
template<typename Party, QString Party::*Name, QString Party::*Area>
Columns<Party> partyInsertColumns(const char *nameColumn, const char *areaColumn)
{
    return {{nameColumn, Name},
            {"Loan", &Party::Loan},
            {"ContactName", &Party::ContactName},
            {areaColumn, Area},
            {"Tel", &Party::Tel},
            {"Mobile", &Party::Mobile},
            {"Fax", &Party::Fax},
            {"Web", &Party::Web},
            {"Email", &Party::Email},
            {"QQ", &Party::QQ},
            {"Address", &Party::Address},
            {"Remark", &Party::Remark},
            {"GUID", &Party::GUID},
            {"BeginArrears", &Party::BeginArrears},
            {"ProductPriceSum", &Party::ProductPriceSum},
            {"PayoutIncome", &Party::PayoutIncome},
            {"SumIncome", &Party::SumIncome},
            {"ClientSumArrears", &Party::ClientSumArrears}};
}

template<typename Party, QString Party::*Name, QString Party::*Area>
void readParty(const Statement &row, Party &record, const char *nameColumn, const char *areaColumn)
{
    readInto<Party>(row, record,
                    {{nameColumn, Name},
                     {"ContactName", &Party::ContactName},
                     {areaColumn, Area},
                     // The pages never read the column Loan: the opening
                     // arrears they know are those of BeginArrears.
                     {"BeginArrears", &Party::Loan},
                     {"Tel", &Party::Tel},
                     {"Mobile", &Party::Mobile},
                     {"Fax", &Party::Fax},
                     {"Web", &Party::Web},
                     {"Email", &Party::Email},
                     {"QQ", &Party::QQ},
                     {"Address", &Party::Address},
                     {"Remark", &Party::Remark},
                     {"GUID", &Party::GUID},
                     {"BeginArrears", &Party::BeginArrears},
                     {"ProductPriceSum", &Party::ProductPriceSum},
                     {"PayoutIncome", &Party::PayoutIncome},
                     {"SumIncome", &Party::SumIncome},
                     {"ClientSumArrears", &Party::ClientSumArrears}});
}

// The two sides add a line with the same columns; only ImprestBillGuid
// stands elsewhere (between EnableImprest and BillType on the purchase side).
template<typename Line>
Columns<Line> goodsLineColumns(bool imprestGuidBeforeBillType)
{
    Columns<Line> columns = {{"BillRemark", &Line::BillRemark}, {"Imprest", &Line::Imprest},
                             {"AccountName", &Line::AccountName}, {"IncomeType", &Line::IncomeType},
                             {"FundType", &Line::FundType},       {"voucher", &Line::voucher},
                             {"SellerName", &Line::SellerName},   {"CompanyName", &Line::CompanyName},
                             {"BillCode", &Line::BillCode},       {"CapMoney", &Line::CapMoney},
                             {"SumMoney", &Line::SumMoney},       {"GUID", &Line::GUID},
                             {"EnableImprest", &Line::EnableImprest}};
    const Column<Line> imprestGuid{"ImprestBillGuid", &Line::ImprestBillGuid};
    const Column<Line> billType{"BillType", &Line::BillType};
    columns.push_back(imprestGuidBeforeBillType ? imprestGuid : billType);
    columns.push_back(imprestGuidBeforeBillType ? billType : imprestGuid);
    columns.insert(columns.end(), {{"InputDate", &Line::InputDate},
                                   {"ProductCode", &Line::ProductCode},
                                   {"ProductName", &Line::ProductName},
                                   {"ProductSpec", &Line::ProductSpec},
                                   {"ProductUnit", &Line::ProductUnit},
                                   {"ProductAmount", &Line::ProductAmount},
                                   {"ProductUnitPrice", &Line::ProductUnitPrice},
                                   {"ProductPrice", &Line::ProductPrice},
                                   {"ProductRemark", &Line::ProductRemark}});
    return columns;
}

using SalesLine = struct_button_goodsbill;
using PurchaseLine = struct_button_provider_goodsbill;

const Columns<SalesLine> &salesLineColumns()
{
    static const Columns<SalesLine> columns = goodsLineColumns<SalesLine>(false);
    return columns;
}

const Columns<PurchaseLine> &purchaseLineColumns()
{
    static const Columns<PurchaseLine> columns = goodsLineColumns<PurchaseLine>(true);
    return columns;
}

template<typename Bill>
Columns<Bill> financeColumns()
{
    return {{"BillCode", &Bill::BillCode},     {"AccountName", &Bill::AccountName}, {"InputDate", &Bill::InputDate},
            {"ClientName", &Bill::ClientName}, {"MoneyCount", &Bill::MoneyCount},   {"IncomeType", &Bill::IncomeType},
            {"MoneyType", &Bill::MoneyType},   {"Voucher", &Bill::Voucher},         {"SellerName", &Bill::SellerName},
            {"BillRemark", &Bill::BillRemark}, {"GUID", &Bill::GUID},               {"BillType", &Bill::BillType}};
}

using Product = struct_button_storeproduct;
const Columns<Product> kProductColumns = {
    {"ProductCode", &Product::ProductCode},         {"ProductName", &Product::ProductName},
    {"ProductSpec", &Product::ProductSpec},         {"ProductUnit", &Product::ProductUnit},
    {"StockUnitPrice", &Product::StockUnitPrice},   {"ShipmentUnitPrice", &Product::ShipmentUnitPrice},
    {"PromptCount", &Product::PromptCount},         {"ProductRemark", &Product::ProductRemark},
    {"ProductStockCount", &Product::ProductStockCount}, {"GUID", &Product::GUID}};

using Account = struct_button_account;
const Columns<Account> kAccountColumns = {{"AccountName", &Account::AccountName},
                                         {"AccountBalance", &Account::AccountBalance},
                                         {"MonthBalance", &Account::MonthBalance},
                                         {"GUID", &Account::GUID}};

using Client = struct_button_data;
using Provider = struct_button_provider;

} // namespace

Database::Row InsertColumns(const struct_button_data &record)
{
    return valuesOf(record, partyInsertColumns<Client, &Client::ClientName, &Client::ClientArea>("ClientName",
                                                                                                  "ClientArea"));
}

Database::Row InsertColumns(const struct_button_provider &record)
{
    return valuesOf(record, partyInsertColumns<Provider, &Provider::ProviderName, &Provider::ProviderArea>(
                                "ProviderName", "ProviderArea"));
}

Database::Row InsertColumns(const struct_button_goodsbill &record)
{
    return valuesOf(record, salesLineColumns());
}

Database::Row InsertColumns(const struct_button_provider_goodsbill &record)
{
    return valuesOf(record, purchaseLineColumns());
}

Database::Row InsertColumns(const struct_button_financebill &record)
{
    return valuesOf(record, financeColumns<struct_button_financebill>());
}

Database::Row InsertColumns(const struct_button_financebill_provider &record)
{
    return valuesOf(record, financeColumns<struct_button_financebill_provider>());
}

Database::Row InsertColumns(const struct_button_storeproduct &record)
{
    return valuesOf(record, kProductColumns);
}

Database::Row InsertColumns(const struct_button_account &record)
{
    return valuesOf(record, kAccountColumns);
}

void ReadColumns(const Statement &row, struct_button_data &record)
{
    readParty<Client, &Client::ClientName, &Client::ClientArea>(row, record, "ClientName", "ClientArea");
}

void ReadColumns(const Statement &row, struct_button_provider &record)
{
    readParty<Provider, &Provider::ProviderName, &Provider::ProviderArea>(row, record, "ProviderName",
                                                                          "ProviderArea");
}

void ReadColumns(const Statement &row, struct_button_goodsbill &record)
{
    readInto(row, record, salesLineColumns());
}

void ReadColumns(const Statement &row, struct_button_provider_goodsbill &record)
{
    readInto(row, record, purchaseLineColumns());
}

void ReadColumns(const Statement &row, struct_button_financebill &record)
{
    readInto(row, record, financeColumns<struct_button_financebill>());
}

void ReadColumns(const Statement &row, struct_button_financebill_provider &record)
{
    readInto(row, record, financeColumns<struct_button_financebill_provider>());
}

void ReadColumns(const Statement &row, struct_button_storeproduct &record)
{
    readInto(row, record, kProductColumns);
}

void ReadColumns(const Statement &row, struct_button_account &record)
{
    readInto(row, record, kAccountColumns);
}
