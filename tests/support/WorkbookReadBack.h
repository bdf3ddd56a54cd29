#pragma once

// Exported workbooks read back by python's xlrd, which knows nothing of
// our writer.

#include <QList>
#include <QString>
#include <QStringList>

// What is read of the sheet.
enum class SheetReadBack {
    Rows, // every row
    CountAndRows, // the row count as a row of its own, then every row
    CountAndEdges, // the row count as a row of its own, then rows 0 to 2 and the last
};

// The workbook's sheet names, then the rows of the named sheet; a cell
// that is neither a text nor empty reads as "#<type>". A file xlrd cannot
// read is a test failure.
QList<QStringList> ReadBackSheet(const QString& path, const QString& sheet, SheetReadBack what = SheetReadBack::Rows);
