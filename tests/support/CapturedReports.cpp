#include "CapturedReports.h"

#include <gtest/gtest.h>

#include "PdfText.h"

CapturedReports::CapturedReports()
{
    m_previous
        = GridReport::SetPreviewHook([this](const std::shared_ptr<const ReportDocument>& document, bool, QString*) {
              documents.push_back(document);
              return true;
          });
}

CapturedReports::~CapturedReports()
{
    GridReport::SetPreviewHook(m_previous);
}

const ReportDocument* CapturedReports::last() const
{
    return documents.empty() ? nullptr : documents.back().get();
}

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
