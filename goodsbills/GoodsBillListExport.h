#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

// The goods-bill report page's list as an .xls workbook: sheet
// "BillSearch", the date line in row 0, the column titles in row 2 and one
// row per bill from row 3, every cell a whole text. No window: the page
// decides where the file goes and what to tell the user.
class GoodsBillListExport
{
public:
    static QString FileName() { return QStringLiteral("store_billsearch_temp.xls"); }
    // "日期：2024年03月05日".
    static QString DateLine(const QDate &date);
    // How many bills a sheet holds below the title rows.
    static int RowsThatFit();

    // Writes the titles and as many rows as fit; true only when the whole
    // file was saved.
    static bool Write(
        const QString &path, const QStringList &titles, const std::vector<QStringList> &rows, const QDate &date);
};
