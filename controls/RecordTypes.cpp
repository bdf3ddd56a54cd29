#include "RecordTypes.h"

#include <initializer_list>

namespace {

template<typename Record>
using TextField = QString Record::*;

template<typename Record>
void copyTexts(Record &to, const Record &from, std::initializer_list<TextField<Record>> fields)
{
    for (const auto field : fields)
        to.*field = from.*field;
}

// The party texts that both copies take, in one list per side so that the
// two sides cannot drift apart.
template<typename Party, TextField<Party> Name, TextField<Party> Area>
void copyPartyTexts(Party &shown, const Party &source, bool withStoredTotals)
{
    copyTexts<Party>(shown, source,
                     {Name, &Party::ContactName, Area, &Party::Tel, &Party::Mobile, &Party::Fax, &Party::Web,
                      &Party::Email, &Party::QQ, &Party::Address, &Party::Remark, &Party::GUID, &Party::BeginArrears});
    // The page fills Loan from the column BeginArrears; a dialog's copy may
    // still hold the value typed into it before.
    shown.Loan = source.BeginArrears;
    if (withStoredTotals)
        copyTexts<Party>(shown, source,
                         {&Party::ProductPriceSum, &Party::PayoutIncome, &Party::SumIncome, &Party::ClientSumArrears});
}

template<typename Line>
void copyGoodsLineTexts(Line &shown, const Line &source)
{
    copyTexts<Line>(shown, source,
                    {&Line::BillRemark,    &Line::Imprest,        &Line::AccountName,     &Line::IncomeType,
                     &Line::FundType,      &Line::voucher,        &Line::SellerName,      &Line::CompanyName,
                     &Line::BillCode,      &Line::CapMoney,       &Line::SumMoney,        &Line::InputDate,
                     &Line::GUID,          &Line::ProductCode,    &Line::ProductName,     &Line::ProductSpec,
                     &Line::ProductUnit,   &Line::ProductAmount,  &Line::ProductUnitPrice, &Line::ProductPrice,
                     &Line::ProductRemark, &Line::EnableImprest,  &Line::ImprestBillGuid, &Line::BillType});
}

template<typename Bill>
void copyFinanceTexts(Bill &shown, const Bill &source)
{
    copyTexts<Bill>(shown, source,
                    {&Bill::BillCode, &Bill::AccountName, &Bill::InputDate, &Bill::ClientName, &Bill::MoneyCount,
                     &Bill::IncomeType, &Bill::MoneyType, &Bill::Voucher, &Bill::SellerName, &Bill::BillRemark,
                     &Bill::GUID, &Bill::BillType});
}

// Copies every same-named field between the two bill layouts.
template<typename To, typename From>
void convertGoodsLine(To &to, const From &from)
{
    to.BillRemark = from.BillRemark;
    to.Imprest = from.Imprest;
    to.AccountName = from.AccountName;
    to.IncomeType = from.IncomeType;
    to.FundType = from.FundType;
    to.voucher = from.voucher;
    to.SellerName = from.SellerName;
    to.CompanyName = from.CompanyName;
    to.BillCode = from.BillCode;
    to.CapMoney = from.CapMoney;
    to.SumMoney = from.SumMoney;
    to.InputDate = from.InputDate;
    to.GUID = from.GUID;
    to.ImprestBillGuid = from.ImprestBillGuid;
    to.ProductCode = from.ProductCode;
    to.ProductName = from.ProductName;
    to.ProductSpec = from.ProductSpec;
    to.ProductUnit = from.ProductUnit;
    to.ProductAmount = from.ProductAmount;
    to.ProductUnitPrice = from.ProductUnitPrice;
    to.ProductPrice = from.ProductPrice;
    to.ProductRemark = from.ProductRemark;
    to.SpareText = from.SpareText;
    to.AmountChange = from.AmountChange;
    to.EnableImprest = from.EnableImprest;
    to.BillType = from.BillType;
    to.EmptySlot = from.EmptySlot;
    to.SpareNumber = from.SpareNumber;
}

template<typename To, typename From>
void convertFinanceBill(To &to, const From &from)
{
    to.BillCode = from.BillCode;
    to.AccountName = from.AccountName;
    to.InputDate = from.InputDate;
    to.ClientName = from.ClientName;
    to.MoneyCount = from.MoneyCount;
    to.IncomeType = from.IncomeType;
    to.MoneyType = from.MoneyType;
    to.Voucher = from.Voucher;
    to.SellerName = from.SellerName;
    to.BillRemark = from.BillRemark;
    to.GUID = from.GUID;
    to.BillType = from.BillType;
    to.ListRowIndex = from.ListRowIndex;
    to.EmptySlot = from.EmptySlot;
}

template<typename To, typename From>
void convertPartyCommon(To &to, const From &from)
{
    to.ContactName = from.ContactName;
    to.Loan = from.Loan;
    to.Tel = from.Tel;
    to.Mobile = from.Mobile;
    to.Fax = from.Fax;
    to.Web = from.Web;
    to.Email = from.Email;
    to.QQ = from.QQ;
    to.Address = from.Address;
    to.Remark = from.Remark;
    to.SpareNumber = from.SpareNumber;
    to.EmptySlot = from.EmptySlot;
    to.GUID = from.GUID;
    to.BeginArrears = from.BeginArrears;
    to.ProductPriceSum = from.ProductPriceSum;
    to.PayoutIncome = from.PayoutIncome;
    to.SumIncome = from.SumIncome;
    to.ClientSumArrears = from.ClientSumArrears;
}

} // namespace

void UpdateCopy(struct_button_data &shown, const struct_button_data &source)
{
    copyPartyTexts<struct_button_data, &struct_button_data::ClientName, &struct_button_data::ClientArea>(shown, source,
                                                                                                       true);
}

void UpdateCopy(struct_button_provider &shown, const struct_button_provider &source)
{
    copyPartyTexts<struct_button_provider, &struct_button_provider::ProviderName,
                   &struct_button_provider::ProviderArea>(shown, source, true);
}

void RefreshCopy(struct_button_data &shown, const struct_button_data &source)
{
    copyPartyTexts<struct_button_data, &struct_button_data::ClientName, &struct_button_data::ClientArea>(shown, source,
                                                                                                       false);
}

void RefreshCopy(struct_button_provider &shown, const struct_button_provider &source)
{
    copyPartyTexts<struct_button_provider, &struct_button_provider::ProviderName,
                   &struct_button_provider::ProviderArea>(shown, source, false);
}

void UpdateCopy(struct_button_goodsbill &shown, const struct_button_goodsbill &source)
{
    copyGoodsLineTexts(shown, source);
}

void UpdateCopy(struct_button_provider_goodsbill &shown, const struct_button_provider_goodsbill &source)
{
    copyGoodsLineTexts(shown, source);
}

void UpdateCopy(struct_button_financebill &shown, const struct_button_financebill &source)
{
    copyFinanceTexts(shown, source);
}

void UpdateCopy(struct_button_financebill_provider &shown, const struct_button_financebill_provider &source)
{
    copyFinanceTexts(shown, source);
}

void RefreshCopy(struct_button_financebill &shown, const struct_button_financebill &source)
{
    copyFinanceTexts(shown, source);
}

void RefreshCopy(struct_button_financebill_provider &shown, const struct_button_financebill_provider &source)
{
    copyFinanceTexts(shown, source);
}

void UpdateCopy(struct_button_storeproduct &shown, const struct_button_storeproduct &source)
{
    using P = struct_button_storeproduct;
    copyTexts<P>(shown, source,
                 {&P::ProductCode, &P::ProductName, &P::ProductSpec, &P::ProductUnit, &P::StockUnitPrice,
                  &P::ShipmentUnitPrice, &P::PromptCount, &P::ProductRemark, &P::ProductStockCount, &P::GUID});
}

void UpdateCopy(struct_button_account &shown, const struct_button_account &source)
{
    using A = struct_button_account;
    copyTexts<A>(shown, source, {&A::AccountName, &A::AccountBalance, &A::MonthBalance, &A::GUID});
}

struct_button_data ToClientLayout(const struct_button_provider &provider)
{
    struct_button_data client;
    client.ClientName = provider.ProviderName;
    client.ClientArea = provider.ProviderArea;
    convertPartyCommon(client, provider);
    return client;
}

struct_button_provider ToProviderLayout(const struct_button_data &client)
{
    struct_button_provider provider;
    provider.ProviderName = client.ClientName;
    provider.ProviderArea = client.ClientArea;
    convertPartyCommon(provider, client);
    return provider;
}

struct_button_goodsbill ToSalesLayout(const struct_button_provider_goodsbill &line)
{
    struct_button_goodsbill sales;
    convertGoodsLine(sales, line);
    return sales;
}

struct_button_provider_goodsbill ToPurchaseLayout(const struct_button_goodsbill &line)
{
    struct_button_provider_goodsbill purchase;
    convertGoodsLine(purchase, line);
    return purchase;
}

struct_button_financebill ToSalesLayout(const struct_button_financebill_provider &bill)
{
    struct_button_financebill sales;
    convertFinanceBill(sales, bill);
    return sales;
}

struct_button_financebill_provider ToPurchaseLayout(const struct_button_financebill &bill)
{
    struct_button_financebill_provider purchase;
    convertFinanceBill(purchase, bill);
    return purchase;
}
