#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

#include "GridReport.h"
#include "ReportDocument.h"

// Keeps every document a report would have previewed while it lives,
// instead of showing the preview; the hook before it is put back after.
class CapturedReports
{
public:
    CapturedReports();
    ~CapturedReports();
    CapturedReports(const CapturedReports&) = delete;
    CapturedReports& operator=(const CapturedReports&) = delete;

    // The last document, or null when none was shown.
    const ReportDocument* last() const;

    // The text of the last document as poppler reads its PDF; no document
    // is a test failure.
    QString lastPdfText();

    std::vector<std::shared_ptr<const ReportDocument>> documents;

private:
    GridReport::PreviewHook m_previous;
    QTemporaryDir m_folder;
};
