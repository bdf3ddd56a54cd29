#include "WorkbookReadBack.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

// argv: the file, the sheet, then "rows", "count" or "edges" (the order of
// SheetReadBack).
const char* const kReadSheet = R"(
import json, sys, xlrd
book = xlrd.open_workbook(sys.argv[1])
sheet = book.sheet_by_name(sys.argv[2])
cell = lambda r, c: sheet.cell_value(r, c) if sheet.cell_type(r, c) in (0, 1) else '#%d' % sheet.cell_type(r, c)
rows = [0, 1, 2, sheet.nrows - 1] if sys.argv[3] == 'edges' else range(sheet.nrows)
count = [] if sys.argv[3] == 'rows' else [[str(sheet.nrows)]]
print(json.dumps([book.sheet_names()] + count + [[cell(r, c) for c in range(sheet.ncols)] for r in rows]))
)";
const char* const kModeWords[] = {"rows", "count", "edges"};

} // namespace

QList<QStringList> ReadBackSheet(const QString& path, const QString& sheet, SheetReadBack what)
{
    const QString python = qEnvironmentVariable("JXC_PYTHON", QStringLiteral("/usr/bin/python3"));
    QProcess process;
    process.start(python,
        {QStringLiteral("-c"), QString::fromLatin1(kReadSheet), path, sheet,
            QString::fromLatin1(kModeWords[int(what)])});
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        ADD_FAILURE() << "xlrd could not read the file: " << process.readAllStandardError().toStdString();
    QList<QStringList> rows;
    for (const QJsonValue& row : QJsonDocument::fromJson(process.readAllStandardOutput()).array())
        rows << row.toVariant().toStringList();
    return rows;
}
