#pragma once

#include <QString>

// The records that carry one database row between the list pages, the record
// cards, the record dialogs and the reports. All amounts, prices and counts
// are texts, as stored. Every field is initialised; copying a record copies
// every field. The partial copies below are what a card takes over when a
// page or a dialog refreshes it.
//
// `EmptySlot` (1: the record only fills an empty slot of a page's card grid,
// whose card stays hidden; 0: a real row) has no column. Some pages call it
// IsBlank, hence the accessor on the records they use.

// One client, a row of tbl_clientmgr.
struct struct_button_data
{
    QString ClientName;
    QString ContactName;
    QString ClientArea; // "1" 本地, "2" 省内, "3" 其它
    // A second copy of the opening arrears: written to the column Loan,
    // loaded from the column BeginArrears.
    QString Loan;
    QString Tel;
    QString Mobile;
    QString Fax;
    QString Web;
    QString Email;
    QString QQ;
    QString Address;
    QString Remark;
    double SpareNumber = 0.0; // carried along, read by nobody
    int EmptySlot = 0;
    QString GUID;
    QString BeginArrears;
    QString ProductPriceSum;
    QString PayoutIncome;
    QString SumIncome;
    QString ClientSumArrears;

    int &IsBlank() { return EmptySlot; }
    int IsBlank() const { return EmptySlot; }
    bool operator==(const struct_button_data &) const = default;
};

// One provider, a row of tbl_ProviderMgr: the client's layout with the first
// and third fields named for the provider side.
struct struct_button_provider
{
    QString ProviderName;
    QString ContactName;
    QString ProviderArea;
    QString Loan;
    QString Tel;
    QString Mobile;
    QString Fax;
    QString Web;
    QString Email;
    QString QQ;
    QString Address;
    QString Remark;
    double SpareNumber = 0.0;
    int EmptySlot = 0;
    QString GUID;
    QString BeginArrears;
    QString ProductPriceSum;
    QString PayoutIncome;
    QString SumIncome;
    QString ClientSumArrears;

    int &IsBlank() { return EmptySlot; }
    int IsBlank() const { return EmptySlot; }
    bool operator==(const struct_button_provider &) const = default;
};

// One line of a sales goods bill, a row of tbl_GoodsBill_shipment. A bill is
// every line with one GUID; each line repeats the bill's header fields.
struct struct_button_goodsbill
{
    QString BillRemark;
    QString Imprest; // deposit amount
    QString AccountName;
    QString IncomeType;
    QString FundType;
    QString voucher;
    QString SellerName;
    QString CompanyName;
    QString BillCode;
    QString CapMoney;
    QString SumMoney;
    QString InputDate;
    QString GUID;
    QString ProductCode;
    QString ProductName;
    QString ProductSpec;
    QString ProductUnit;
    QString ProductAmount;
    QString ProductUnitPrice;
    QString ProductPrice;
    QString ProductRemark;
    QString SpareText; // no column feeds it
    QString ImprestBillGuid;
    // The count change of the line against the bill as loaded; only the bill
    // editor's stock update sets and reads it.
    double AmountChange = 0.0;
    QString EnableImprest; // "启用预付款" or "禁用预付款"
    QString BillType;      // "出货单" or "退货单"
    int EmptySlot = 0;
    int SpareNumber = 0;

    int &IsBlank() { return EmptySlot; }
    int IsBlank() const { return EmptySlot; }
    bool operator==(const struct_button_goodsbill &) const = default;
};

// One line of a purchase goods bill, a row of tbl_goodsbill_shipment_provider.
// Same fields as the sales line, but ImprestBillGuid follows GUID; code that
// moves lines between the two converts by name (see below), never by place.
struct struct_button_provider_goodsbill
{
    QString BillRemark;
    QString Imprest;
    QString AccountName;
    QString IncomeType;
    QString FundType;
    QString voucher;
    QString SellerName;
    QString CompanyName; // the provider's name
    QString BillCode;
    QString CapMoney;
    QString SumMoney;
    QString InputDate;
    QString GUID;
    QString ImprestBillGuid;
    QString ProductCode;
    QString ProductName;
    QString ProductSpec;
    QString ProductUnit;
    QString ProductAmount;
    QString ProductUnitPrice;
    QString ProductPrice;
    QString ProductRemark;
    QString SpareText;
    double AmountChange = 0.0;
    QString EnableImprest;
    QString BillType; // "进货单" or "退货单"
    int EmptySlot = 0;
    int SpareNumber = 0;

    int &IsBlank() { return EmptySlot; }
    int IsBlank() const { return EmptySlot; }
    bool operator==(const struct_button_provider_goodsbill &) const = default;
};

// One sales-side finance bill, a row of tbl_FinanceBill_income.
struct struct_button_financebill
{
    QString BillCode;
    QString AccountName;
    QString InputDate;
    QString ClientName;
    QString MoneyCount;
    QString IncomeType;
    QString MoneyType;
    QString Voucher;
    QString SellerName;
    QString BillRemark;
    QString GUID;
    QString BillType; // "收入单" or "支出单"
    int ListRowIndex = 0; // the bill-report page's list row, carried by the editor
    int EmptySlot = 0;

    bool operator==(const struct_button_financebill &) const = default;
};

// One purchase-side finance bill, a row of tbl_FinanceBill_income_provider.
struct struct_button_financebill_provider
{
    QString BillCode;
    QString AccountName;
    QString InputDate;
    QString ClientName; // the provider's name
    QString MoneyCount;
    QString IncomeType;
    QString MoneyType;
    QString Voucher;
    QString SellerName;
    QString BillRemark;
    QString GUID;
    QString BillType;
    // The bill-report page keeps a list row's income and payout texts here.
    QString ListIncome;
    QString ListPayout;
    int ListRowIndex = 0;
    int EmptySlot = 0;

    bool operator==(const struct_button_financebill_provider &) const = default;
};

// One product, a row of tbl_StoreMgr.
struct struct_button_storeproduct
{
    QString ProductCode;
    QString ProductName;
    QString ProductSpec;
    QString ProductUnit;
    QString StockUnitPrice;
    QString ShipmentUnitPrice;
    QString PromptCount;
    QString ProductRemark;
    QString ProductStockCount;
    QString GUID;
    int EmptySlot = 0;

    bool operator==(const struct_button_storeproduct &) const = default;
};

// One account, a row of tbl_AccountMgr.
struct struct_button_account
{
    QString AccountName;
    QString AccountBalance;
    QString MonthBalance;
    QString GUID;
    int EmptySlot = 0;

    bool operator==(const struct_button_account &) const = default;
};

// Partial copies into the record a card shows. UpdateCopy is the full
// refresh of a listing or a save; RefreshCopy (parties and finance bills) the
// one that leaves the figures the page computed for the card alone.
//
// Parties: every text, but the shown Loan takes the source's BeginArrears
// (the page loads Loan from that column); not SpareNumber, not EmptySlot.
// RefreshCopy leaves ProductPriceSum, PayoutIncome, SumIncome and
// ClientSumArrears as shown.
void UpdateCopy(struct_button_data &shown, const struct_button_data &source);
void UpdateCopy(struct_button_provider &shown, const struct_button_provider &source);
void RefreshCopy(struct_button_data &shown, const struct_button_data &source);
void RefreshCopy(struct_button_provider &shown, const struct_button_provider &source);
// Goods-bill lines: the 24 column texts; not SpareText, AmountChange,
// EmptySlot or SpareNumber.
void UpdateCopy(struct_button_goodsbill &shown, const struct_button_goodsbill &source);
void UpdateCopy(struct_button_provider_goodsbill &shown, const struct_button_provider_goodsbill &source);
// Finance bills: the twelve column texts, for both operations.
void UpdateCopy(struct_button_financebill &shown, const struct_button_financebill &source);
void UpdateCopy(struct_button_financebill_provider &shown, const struct_button_financebill_provider &source);
void RefreshCopy(struct_button_financebill &shown, const struct_button_financebill &source);
void RefreshCopy(struct_button_financebill_provider &shown, const struct_button_financebill_provider &source);
// Products: the ten texts. Accounts: the four texts.
void UpdateCopy(struct_button_storeproduct &shown, const struct_button_storeproduct &source);
void UpdateCopy(struct_button_account &shown, const struct_button_account &source);

// Conversions between the two sides' layouts, field by field by name. A
// party keeps every field (name and area move to the other side's names).
struct_button_data ToClientLayout(const struct_button_provider &provider);
struct_button_provider ToProviderLayout(const struct_button_data &client);
// Goods-bill lines keep every field.
struct_button_goodsbill ToSalesLayout(const struct_button_provider_goodsbill &line);
struct_button_provider_goodsbill ToPurchaseLayout(const struct_button_goodsbill &line);
// Finance bills: the twelve texts and the two numbers; the purchase side's
// two list texts are dropped going to the sales layout and empty coming back.
struct_button_financebill ToSalesLayout(const struct_button_financebill_provider &bill);
struct_button_financebill_provider ToPurchaseLayout(const struct_button_financebill &bill);
