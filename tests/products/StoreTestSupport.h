#pragma once

// Builders and readers for the store page's tests: goods-bill lines of
// either side put straight into the database, the report the page shows
// captured instead of previewed, and PDF text read back by poppler.

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#include "GridReport.h"
#include "RecordColumns.h"
#include "ReportDocument.h"
#include "TestDatabase.h"

enum class BillSide { Sales, Purchase };

inline const char *sideName(BillSide side)
{
    return side == BillSide::Sales ? "sales" : "purchase";
}

// The main bill type of the side: 出货单 or 进货单.
inline QString mainBillType(BillSide side)
{
    return side == BillSide::Sales ? QStringLiteral("出货单") : QStringLiteral("进货单");
}

// One goods-bill line of a product: count and line amount as texts.
inline void addLine(TestDatabase &db, BillSide side, const QString &date, const QString &billType,
                    const struct_button_storeproduct &product, const QString &count, const QString &amount)
{
    struct_button_goodsbill line;
    line.GUID = GuidText();
    line.InputDate = date;
    line.BillType = billType;
    line.CompanyName = QStringLiteral("甲公司");
    line.ProductCode = product.ProductCode;
    line.ProductName = product.ProductName;
    line.ProductSpec = product.ProductSpec;
    line.ProductUnit = product.ProductUnit;
    line.ProductAmount = count;
    line.ProductPrice = amount;
    if (side == BillSide::Sales)
        db.db().insertRow(QStringLiteral("tbl_GoodsBill_shipment"), InsertColumns(line));
    else
        db.db().insertRow(QStringLiteral("tbl_goodsbill_shipment_provider"), InsertColumns(ToPurchaseLayout(line)));
}

// Keeps the documents a report would have previewed while it lives.
class CapturedReports
{
public:
    CapturedReports()
    {
        m_previous = GridReport::SetPreviewHook(
            [this](const std::shared_ptr<const ReportDocument> &document, bool, QString *) {
                documents.push_back(document);
                return true;
            });
    }
    ~CapturedReports() { GridReport::SetPreviewHook(m_previous); }

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
        process.start(QStringLiteral("pdftotext"),
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
