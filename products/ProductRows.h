#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "RecordTypes.h"

class Database;
class Statement;

// The statement helpers of the stores over tbl_StoreMgr.

// Prepares sql and binds the values to its first placeholders, in order.
Statement PrepareBound(Database &db, const QString &sql, const QStringList &values);
// Every row the query still yields, as a product record.
QList<struct_button_storeproduct> ReadProducts(Statement &query);
