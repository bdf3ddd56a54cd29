#include "CapturedReports.h"

#include <gtest/gtest.h>

#include "PdfText.h"

QString CapturedReports::lastPdfText()
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
    return PdfText(path);
}
