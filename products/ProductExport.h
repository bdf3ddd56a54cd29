#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// The product-information list as an .xls workbook: sheet "ProductSearch",
// the date line in row 0, the column titles in row 2 and one row per
// product from row 3, every cell a text. No window; the page decides where
// the file goes and what to do with it.
class ProductExport
{
public:
    // The fixed name in the user's export folder, replaced by each export.
    static QString FileName() { return QStringLiteral("store_productsearch_temp.xls"); }
    // How many products a sheet of 65,536 rows holds below the date line,
    // the empty row and the column titles; later ones are not written.
    static int MaxProducts();
    static QStringList Headers();
    // "日期：2024年03月05日".
    static QString DateLine(const QDate &date);

    // rows: the six shown texts of each list row (code, name, variant,
    // purchase price, sales price, stock count), of which the first
    // MaxProducts() are written. True only when the file was written; false
    // for an empty path.
    static bool Write(const QString &path, const QList<QStringList> &rows, const QDate &date);
};
