#pragma once

#include "RecordPrinting.h"
#include "RecordTypes.h"

// Records whose every text is distinct ("<tag>:<field>") and whose numbers
// depend on the tag, so that a copy that takes or misses any field shows.
#define JXC_SET(field) record.field = tag + QStringLiteral(":" #field)

template<typename Party>
void fillParty(Party &record, const QString &tag)
{
    JXC_SET(ContactName); JXC_SET(Loan); JXC_SET(Tel); JXC_SET(Mobile); JXC_SET(Fax); JXC_SET(Web);
    JXC_SET(Email); JXC_SET(QQ); JXC_SET(Address); JXC_SET(Remark); JXC_SET(GUID); JXC_SET(BeginArrears);
    JXC_SET(ProductPriceSum); JXC_SET(PayoutIncome); JXC_SET(SumIncome); JXC_SET(ClientSumArrears);
    record.SpareNumber = tag.size() + 0.5;
}
inline void fill(struct_button_data &record, const QString &tag)
{
    JXC_SET(ClientName); JXC_SET(ClientArea); fillParty(record, tag);
}
inline void fill(struct_button_provider &record, const QString &tag)
{
    JXC_SET(ProviderName); JXC_SET(ProviderArea); fillParty(record, tag);
}

template<typename Line>
void fillLine(Line &record, const QString &tag)
{
    JXC_SET(BillRemark); JXC_SET(Imprest); JXC_SET(AccountName); JXC_SET(IncomeType); JXC_SET(FundType);
    JXC_SET(voucher); JXC_SET(SellerName); JXC_SET(CompanyName); JXC_SET(BillCode); JXC_SET(CapMoney);
    JXC_SET(SumMoney); JXC_SET(InputDate); JXC_SET(GUID); JXC_SET(ProductCode); JXC_SET(ProductName);
    JXC_SET(ProductSpec); JXC_SET(ProductUnit); JXC_SET(ProductAmount); JXC_SET(ProductUnitPrice);
    JXC_SET(ProductPrice); JXC_SET(ProductRemark); JXC_SET(SpareText); JXC_SET(ImprestBillGuid);
    JXC_SET(EnableImprest); JXC_SET(BillType);
    record.AmountChange = tag.size() + 0.25;
    record.SpareNumber = tag.size() * 3;
}
inline void fill(struct_button_goodsbill &record, const QString &tag) { fillLine(record, tag); }
inline void fill(struct_button_provider_goodsbill &record, const QString &tag) { fillLine(record, tag); }

template<typename Bill>
void fillBill(Bill &record, const QString &tag)
{
    JXC_SET(BillCode); JXC_SET(AccountName); JXC_SET(InputDate); JXC_SET(ClientName); JXC_SET(MoneyCount);
    JXC_SET(IncomeType); JXC_SET(MoneyType); JXC_SET(Voucher); JXC_SET(SellerName); JXC_SET(BillRemark);
    JXC_SET(GUID); JXC_SET(BillType);
    record.ListRowIndex = tag.size() * 7;
}
inline void fill(struct_button_financebill &record, const QString &tag) { fillBill(record, tag); }
inline void fill(struct_button_financebill_provider &record, const QString &tag)
{
    fillBill(record, tag); JXC_SET(ListIncome); JXC_SET(ListPayout);
}

inline void fill(struct_button_storeproduct &record, const QString &tag)
{
    JXC_SET(ProductCode); JXC_SET(ProductName); JXC_SET(ProductSpec); JXC_SET(ProductUnit); JXC_SET(StockUnitPrice);
    JXC_SET(ShipmentUnitPrice); JXC_SET(PromptCount); JXC_SET(ProductRemark); JXC_SET(ProductStockCount);
    JXC_SET(GUID);
}
inline void fill(struct_button_account &record, const QString &tag)
{
    JXC_SET(AccountName); JXC_SET(AccountBalance); JXC_SET(MonthBalance); JXC_SET(GUID);
}
#undef JXC_SET

template<typename Record>
Record filled(const QString &tag)
{
    Record record;
    fill(record, tag);
    record.EmptySlot = tag.size() % 2;
    return record;
}

// What a copy or a read takes: every field of `source` that has a column,
// a party's Loan from BeginArrears; the rest stays as in `kept`.
#define JXC_KEEP(field) if constexpr (requires { expected.field; }) expected.field = kept.field;
template<typename Record>
Record columnFields(const Record &source, const Record &kept)
{
    Record expected = source;
    JXC_KEEP(EmptySlot) JXC_KEEP(SpareNumber) JXC_KEEP(SpareText) JXC_KEEP(AmountChange) JXC_KEEP(ListRowIndex)
    JXC_KEEP(ListIncome) JXC_KEEP(ListPayout)
    if constexpr (requires { expected.BeginArrears; })
        expected.Loan = source.BeginArrears;
    return expected;
}
#undef JXC_KEEP
