#pragma once

// Records in failure messages field by field, by name, instead of as raw
// bytes. Declared beside the records (the global namespace) so that every
// comparison finds them; every test header that compares records includes
// this one, so all tests print a record the same way.

#include <ostream>
#include <vector>

#include <QString>

#include "RecordTypes.h"

namespace RecordPrinting {

// A field's name and its value: a text as stored, or a number.
struct Field
{
    Field(const char* name, const QString& value)
        : name(name)
        , value(value)
    {
    }
    Field(const char* name, double value)
        : name(name)
        , value(value == 0.0 ? QString() : QString::number(value))
        , isNumber(true)
    {
    }
    const char* name;
    QString value;
    bool isNumber = false;
};

// {Name="text", Count=2}: only the fields that hold something, so that a
// long record stays readable; a field that differs shows on one side only or
// with two values.
inline void Print(const std::vector<Field>& fields, std::ostream* out)
{
    const char* separator = "";
    *out << '{';
    for (const Field& field : fields) {
        if (field.value.isEmpty())
            continue;
        const char* quote = field.isNumber ? "" : "\"";
        *out << separator << field.name << '=' << quote << field.value.toStdString() << quote;
        separator = ", ";
    }
    *out << '}';
}

#define JXC_FIELD(f) RecordPrinting::Field(#f, r.f)

// The twins share their field names but for a party's name and area.
template <typename Party> void PrintParty(const Party& r, const Field& name, const Field& area, std::ostream* out)
{
    Print({name, JXC_FIELD(ContactName), area, JXC_FIELD(Loan), JXC_FIELD(Tel), JXC_FIELD(Mobile), JXC_FIELD(Fax),
              JXC_FIELD(Web), JXC_FIELD(Email), JXC_FIELD(QQ), JXC_FIELD(Address), JXC_FIELD(Remark),
              JXC_FIELD(SpareNumber), JXC_FIELD(EmptySlot), JXC_FIELD(GUID), JXC_FIELD(BeginArrears),
              JXC_FIELD(ProductPriceSum), JXC_FIELD(PayoutIncome), JXC_FIELD(SumIncome), JXC_FIELD(ClientSumArrears)},
        out);
}

template <typename Line> void PrintGoodsLine(const Line& r, std::ostream* out)
{
    Print({JXC_FIELD(BillType), JXC_FIELD(BillCode), JXC_FIELD(InputDate), JXC_FIELD(CompanyName), JXC_FIELD(GUID),
              JXC_FIELD(ProductCode), JXC_FIELD(ProductName), JXC_FIELD(ProductSpec), JXC_FIELD(ProductUnit),
              JXC_FIELD(ProductAmount), JXC_FIELD(ProductUnitPrice), JXC_FIELD(ProductPrice), JXC_FIELD(ProductRemark),
              JXC_FIELD(SumMoney), JXC_FIELD(CapMoney), JXC_FIELD(Imprest), JXC_FIELD(EnableImprest),
              JXC_FIELD(ImprestBillGuid), JXC_FIELD(AccountName), JXC_FIELD(IncomeType), JXC_FIELD(FundType),
              JXC_FIELD(voucher), JXC_FIELD(SellerName), JXC_FIELD(BillRemark), JXC_FIELD(SpareText),
              JXC_FIELD(AmountChange), JXC_FIELD(EmptySlot), JXC_FIELD(SpareNumber)},
        out);
}

// The purchase side's finance bill adds its two list texts.
template <typename Bill> void PrintFinanceBill(const Bill& r, const std::vector<Field>& listTexts, std::ostream* out)
{
    std::vector<Field> fields {JXC_FIELD(BillType), JXC_FIELD(BillCode), JXC_FIELD(AccountName), JXC_FIELD(InputDate),
        JXC_FIELD(ClientName), JXC_FIELD(MoneyCount), JXC_FIELD(IncomeType), JXC_FIELD(MoneyType), JXC_FIELD(Voucher),
        JXC_FIELD(SellerName), JXC_FIELD(BillRemark), JXC_FIELD(GUID), JXC_FIELD(ListRowIndex), JXC_FIELD(EmptySlot)};
    fields.insert(fields.end(), listTexts.begin(), listTexts.end());
    Print(fields, out);
}

} // namespace RecordPrinting

inline void PrintTo(const struct_button_data& r, std::ostream* out)
{
    RecordPrinting::PrintParty(r, JXC_FIELD(ClientName), JXC_FIELD(ClientArea), out);
}

inline void PrintTo(const struct_button_provider& r, std::ostream* out)
{
    RecordPrinting::PrintParty(r, JXC_FIELD(ProviderName), JXC_FIELD(ProviderArea), out);
}

inline void PrintTo(const struct_button_goodsbill& r, std::ostream* out)
{
    RecordPrinting::PrintGoodsLine(r, out);
}

inline void PrintTo(const struct_button_provider_goodsbill& r, std::ostream* out)
{
    RecordPrinting::PrintGoodsLine(r, out);
}

inline void PrintTo(const struct_button_financebill& r, std::ostream* out)
{
    RecordPrinting::PrintFinanceBill(r, {}, out);
}

inline void PrintTo(const struct_button_financebill_provider& r, std::ostream* out)
{
    RecordPrinting::PrintFinanceBill(r, {JXC_FIELD(ListIncome), JXC_FIELD(ListPayout)}, out);
}

inline void PrintTo(const struct_button_storeproduct& r, std::ostream* out)
{
    RecordPrinting::Print(
        {JXC_FIELD(ProductCode), JXC_FIELD(ProductName), JXC_FIELD(ProductSpec), JXC_FIELD(ProductUnit),
            JXC_FIELD(StockUnitPrice), JXC_FIELD(ShipmentUnitPrice), JXC_FIELD(PromptCount), JXC_FIELD(ProductRemark),
            JXC_FIELD(ProductStockCount), JXC_FIELD(GUID), JXC_FIELD(EmptySlot)},
        out);
}

inline void PrintTo(const struct_button_account& r, std::ostream* out)
{
    RecordPrinting::Print({JXC_FIELD(AccountName), JXC_FIELD(AccountBalance), JXC_FIELD(MonthBalance), JXC_FIELD(GUID),
                              JXC_FIELD(EmptySlot)},
        out);
}

#undef JXC_FIELD
