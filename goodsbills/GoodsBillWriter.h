#pragma once

#include <QString>
#include <QStringList>

#include "GoodsBillLines.h"

class Database;

// Adds, changes and deletes a goods bill of one side together with the
// stock counts its lines move, each in one transaction: either the bill's
// rows and every stock count change, or nothing. Stock moves per product
// key (code, name, variant) by the net change between the stored
// lines and the new ones, with the bill kind's sign. Every failure is a
// DbError, thrown after the rollback.
class GoodsBillWriter
{
public:
    struct Outcome
    {
        // "name（variant）" (just the name when it has none) of every
        // product key whose stock had to move but has no row in
        // tbl_StoreMgr; its lines moved no stock.
        QStringList missingProducts;
        // False for a change or delete whose GUID had no rows; such a call
        // writes nothing.
        bool found = true;
    };

    GoodsBillWriter(Database &db, const GoodsBillSide &side);

    // Every line carries the bill's GUID; a bill without lines or without
    // a GUID in its first line is refused before anything is written.
    Outcome Add(const GoodsBillLines &lines);
    // Replaces the stored bill of lines[0].GUID.
    Outcome Change(const GoodsBillLines &lines);
    // Deletes the bill and gives back exactly its stored lines' stock.
    Outcome Delete(const QString &guid);

private:
    // In one transaction: takes away the stored bill of guid (when
    // replacesStored; not found ends it) and adds the lines (when given),
    // then moves the stock by the difference.
    Outcome write(const QString &guid, const GoodsBillLines *lines, bool replacesStored);

    Database &m_db;
    const GoodsBillSide &m_side;
};

// What the person is told when a bill they opened is gone.
QString BillGoneNote();

// Tells the person how a write went: the success sentence, if any, with the
// products whose stock did not move because the shop has no product row for
// them (Outcome::missingProducts); or, for a bill gone meanwhile, only
// BillGoneNote(). Says nothing when there is nothing to say. Answers
// whether the bill was found.
bool ShowWriteOutcome(const GoodsBillWriter::Outcome &outcome, const QString &success = QString());
