#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include "ListWorkbook.h"

// The finance-bill list as an .xls workbook: the sheet "BillSearch" (a
// second, empty sheet follows it) with the date line in row 0, the
// fourteen column titles in row 2 and one row per listed bill from row 3,
// every cell a text. No window: the page decides where the file goes, and
// what to say and open afterwards.
class FinanceBillExport
{
public:
    static QString FileName() { return QStringLiteral("store_billsearch_temp.xls"); }
    // The list rows a sheet holds below the title, the empty row and the
    // header.
    static constexpr int kMaxRows = ListWorkbook::kRowsThatFit;
    // "记录号" ... "单据备注", the party caption of the page's side fifth.
    static QStringList Headers(const QString &partyCaption);
    // "日期：2024年03月05日".
    static QString DateLine(const QDate &date);

    // rows: the fourteen shown texts of each list row. Rows beyond
    // kMaxRows are left out; *written (when given) counts the rows put in
    // the sheet. True only when the whole file was saved.
    static bool Write(const QString &path, const QString &partyCaption, const QList<QStringList> &rows,
                      const QDate &date, int *written = nullptr);
};
