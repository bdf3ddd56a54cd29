#pragma once

// What the tests of the accounts page, the 财务月结 report and the
// finance-bill report page share: reports caught instead of previewed and
// read back from their PDF, and exported workbooks read back by python's
// xlrd, which knows nothing of our writer.

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "GridReport.h"
#include "ReportDocument.h"

// Every report shown while it lives is kept instead of previewed.
class FinanceReportCapture
{
public:
    FinanceReportCapture()
    {
        m_previous = GridReport::SetPreviewHook(
            [this](const std::shared_ptr<const ReportDocument> &document, bool, QString *) {
                documents.push_back(document);
                return true;
            });
    }
    ~FinanceReportCapture() { GridReport::SetPreviewHook(m_previous); }
    FinanceReportCapture(const FinanceReportCapture &) = delete;
    FinanceReportCapture &operator=(const FinanceReportCapture &) = delete;

    // The text of the last document as poppler reads its PDF.
    QString lastPdfText()
    {
        if (documents.empty()) {
            ADD_FAILURE() << "no report was shown";
            return {};
        }
        const QString path = m_folder.filePath(QStringLiteral("report.pdf"));
        QString error;
        if (!documents.back()->writePdf(path, &error)) {
            ADD_FAILURE() << "writing the PDF failed: " << error.toStdString();
            return {};
        }
        QProcess process;
        process.start(
            QStringLiteral("pdftotext"),
            {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            ADD_FAILURE() << "pdftotext failed";
            return {};
        }
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    std::vector<std::shared_ptr<const ReportDocument>> documents;

private:
    GridReport::PreviewHook m_previous;
    QTemporaryDir m_folder;
};

// The sheet names, then every row of the sheet "BillSearch"; a cell that
// is not a text or empty reads as "#<type>".
inline QList<QStringList> readBillSearchWorkbook(const QString &path)
{
    static const char *const script = R"(
import json, sys, xlrd
book = xlrd.open_workbook(sys.argv[1])
sheet = book.sheet_by_name('BillSearch')
cell = lambda r, c: sheet.cell_value(r, c) if sheet.cell_type(r, c) in (0, 1) else '#%d' % sheet.cell_type(r, c)
print(json.dumps([book.sheet_names()] + [[cell(r, c) for c in range(sheet.ncols)] for r in range(sheet.nrows)]))
)";
    const QString python = qEnvironmentVariable("JXC_PYTHON", QStringLiteral("/usr/bin/python3"));
    QProcess process;
    process.start(python, {QStringLiteral("-c"), QString::fromLatin1(script), path});
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        ADD_FAILURE() << "xlrd could not read the file: " << process.readAllStandardError().toStdString();
    QList<QStringList> rows;
    for (const QJsonValue &row : QJsonDocument::fromJson(process.readAllStandardOutput()).array())
        rows << row.toVariant().toStringList();
    return rows;
}
