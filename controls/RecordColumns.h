#pragma once

#include "Database.h"
#include "RecordTypes.h"

// Where each record lives in the database: its table, the column/value pairs
// a store adds a row with, and the reading of a result row into a record by
// column name. Stores use these so that no page repeats the column lists.

template<typename Record>
struct RecordTable;
template<>
struct RecordTable<struct_button_data>
{
    static constexpr const char *name = "tbl_clientmgr";
};
template<>
struct RecordTable<struct_button_provider>
{
    static constexpr const char *name = "tbl_ProviderMgr";
};
template<>
struct RecordTable<struct_button_goodsbill>
{
    static constexpr const char *name = "tbl_GoodsBill_shipment";
};
template<>
struct RecordTable<struct_button_provider_goodsbill>
{
    static constexpr const char *name = "tbl_goodsbill_shipment_provider";
};
template<>
struct RecordTable<struct_button_financebill>
{
    static constexpr const char *name = "tbl_FinanceBill_income";
};
template<>
struct RecordTable<struct_button_financebill_provider>
{
    static constexpr const char *name = "tbl_FinanceBill_income_provider";
};
template<>
struct RecordTable<struct_button_storeproduct>
{
    static constexpr const char *name = "tbl_StoreMgr";
};
template<>
struct RecordTable<struct_button_account>
{
    static constexpr const char *name = "tbl_AccountMgr";
};

// The columns of a new row with their values, in the order the program adds
// them (for Database::insertRow). Every column gets a text.
Database::Row InsertColumns(const struct_button_data &record);
Database::Row InsertColumns(const struct_button_provider &record);
Database::Row InsertColumns(const struct_button_goodsbill &record);
Database::Row InsertColumns(const struct_button_provider_goodsbill &record);
Database::Row InsertColumns(const struct_button_financebill &record);
Database::Row InsertColumns(const struct_button_financebill_provider &record);
Database::Row InsertColumns(const struct_button_storeproduct &record);
Database::Row InsertColumns(const struct_button_account &record);

// Fills every field that has a column from the statement's current row, by
// column name (a NULL or missing column gives an empty text), and sets
// EmptySlot to 0: a row read is a real record. Fields without a column keep
// their values. A party's Loan is read from the column BeginArrears.
void ReadColumns(const Statement &row, struct_button_data &record);
void ReadColumns(const Statement &row, struct_button_provider &record);
void ReadColumns(const Statement &row, struct_button_goodsbill &record);
void ReadColumns(const Statement &row, struct_button_provider_goodsbill &record);
void ReadColumns(const Statement &row, struct_button_financebill &record);
void ReadColumns(const Statement &row, struct_button_financebill_provider &record);
void ReadColumns(const Statement &row, struct_button_storeproduct &record);
void ReadColumns(const Statement &row, struct_button_account &record);

template<typename Record>
Record RecordFromRow(const Statement &row)
{
    Record record;
    ReadColumns(row, record);
    return record;
}
