#pragma once

#include <QList>
#include <QString>

#include <optional>

#include "RecordTypes.h"

class Database;
struct PartySideInfo;

// What the party pages filter by: the area code ("" for 所有, else "1" to
// "3") and a part of the name ("" for none; matched literally, so "%",
// "_" and "\" are plain characters).
struct PartyFilter
{
    QString area;
    QString namePart;

    bool operator==(const PartyFilter &) const = default;
};

// The rows of tbl_clientmgr or tbl_ProviderMgr, one design given the side.
// Records are in the client layout on both sides. Rows are changed and
// deleted by GUID; names are unique within a side (old files may hold
// duplicates, which still load). A rename carries the party's bills,
// price list and register rows along, in one transaction. It opens no
// window; callers catch DbError.
class PartyStore
{
public:
    PartyStore(Database &db, const PartySideInfo &side);

    // The parties matching the filter, in table order: how many, and
    // `limit` of them from `first` on.
    int CountParties(const PartyFilter &filter);
    QList<struct_button_data> PartiesPage(const PartyFilter &filter, int first, int limit);
    // Every party, in table order.
    QList<struct_button_data> AllParties();
    // Nothing for an empty GUID or a party that is gone.
    std::optional<struct_button_data> PartyByGuid(const QString &guid);
    // Whether a party of the side other than the one with that GUID bears
    // the name.
    bool NameTaken(const QString &name, const QString &exceptGuid = QString());

    enum class Outcome { Done, DuplicateName, Gone, NoKey };
    // Adds the row with every column of the record. NoKey without a GUID,
    // DuplicateName when the side has a party of that name.
    Outcome AddParty(const struct_button_data &party);
    // Rewrites every column but the key and the four stored totals of the
    // row with the record's GUID. A new name must not be another party's
    // of the side; a kept name is never refused, even when a namesake
    // from old data bears it too. Renaming a party renames it in its
    // side's goods bills, finance bills and price list, and in the
    // register when the other side has no party of the old name; when
    // another party of the side still bears the old name (old data), only
    // the row is renamed, since the bills cannot be told apart. Gone when
    // no row has the GUID (or there is none).
    Outcome UpdateParty(const struct_button_data &party);
    // Gone when no row has the GUID (or there is none).
    Outcome DeleteParty(const QString &guid);

private:
    void RenameEverywhere(const QString &oldName, const QString &newName);

    Database &m_db;
    const PartySideInfo &m_side;
};

// "%", "_" and "\" escaped for LIKE ... ESCAPE '\'.
QString EscapeLike(const QString &text);
