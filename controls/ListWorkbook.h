#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <span>
#include <string>

// A list page's rows as an .xls workbook: the named sheet (an empty second
// sheet follows it) with the date line in row 0, the column titles in row
// 2 and one row per list row from row 3, every cell a text. No window: the
// page decides where the file goes and what to tell the person.
class ListWorkbook
{
public:
    // The list rows a sheet of 65,536 rows holds below the date line, the
    // empty row and the titles; later rows are not written.
    static constexpr int kRowsThatFit = 65536 - 3;

    // "日期：2024年03月05日".
    static QString DateLine(const QDate& date);

    // Whether an empty text gets a cell of its own or leaves the cell out.
    enum class EmptyTexts { Written, LeftOut };

    // Writes the titles and the first kRowsThatFit rows, each cut to the
    // titles' columns. Answers how many rows were written, or nothing when
    // the file was not saved (an empty path included).
    static std::optional<int> Write(const QString& path, const std::string& sheetName, const QStringList& titles,
        std::span<const QStringList> rows, const QDate& date, EmptyTexts empty = EmptyTexts::Written);
};
