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
    CapturedReports()
        : m_previous(
            GridReport::SetPreviewHook([this](const std::shared_ptr<const ReportDocument>& document, bool, QString*) {
                documents.push_back(document);
                return true;
            }))
    {
    }
    ~CapturedReports() { GridReport::SetPreviewHook(m_previous); }
    CapturedReports(const CapturedReports&) = delete;
    CapturedReports& operator=(const CapturedReports&) = delete;

    // The last document, or null when none was shown.
    const ReportDocument* last() const { return documents.empty() ? nullptr : documents.back().get(); }

    // The text of the last document as poppler reads its PDF; no document
    // is a test failure.
    QString lastPdfText();

    std::vector<std::shared_ptr<const ReportDocument>> documents;

private:
    GridReport::PreviewHook m_previous;
    QTemporaryDir m_folder;
};
