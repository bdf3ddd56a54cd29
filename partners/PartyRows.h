#pragma once

#include <QString>

#include "Database.h"
#include "RecordTypes.h"

struct PartySideInfo;

// Reading and writing the rows of either side in one layout: parties in
// the client layout (struct_button_data), bill lines and finance rows in
// the sales layout (struct_button_goodsbill). The party code works in
// these layouts on both sides and converts by field name where a card or a
// sink of the provider side needs its own.

struct_button_data ReadParty(const Statement &row, const PartySideInfo &side);
Database::Row PartyInsertColumns(const struct_button_data &party, const PartySideInfo &side);
struct_button_goodsbill ReadGoodsLine(const Statement &row, const PartySideInfo &side);

// The record of a side's card layout and back.
inline struct_button_data AsParty(const struct_button_data &client)
{
    return client;
}
inline struct_button_data AsParty(const struct_button_provider &provider)
{
    return ToClientLayout(provider);
}
template <typename Record> Record FromParty(const struct_button_data &party);
template <> inline struct_button_data FromParty<struct_button_data>(const struct_button_data &party)
{
    return party;
}
template <> inline struct_button_provider FromParty<struct_button_provider>(const struct_button_data &party)
{
    return ToProviderLayout(party);
}

// " AND Column IN (?, ?, ...)" for count placeholders.
QString InPlaceholders(const char *column, int count);
