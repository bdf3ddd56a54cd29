#pragma once

#include <QPrintPreviewDialog>
#include <QString>

#include <memory>

class QAction;
class QPrintPreviewWidget;
class ReportDocument;

// The print preview of a produced report, in Chinese, with the printer's
// own print button and a button that saves the report as a PDF file. It
// keeps the document alive for as long as it is open. File names are asked
// and errors shown through the program's Interaction seam, so tests can
// script them.
class ReportPreviewDialog : public QPrintPreviewDialog
{
public:
    explicit ReportPreviewDialog(std::shared_ptr<const ReportDocument> document, QWidget* parent = nullptr);

    const ReportDocument& document() const { return *m_document; }
    QAction* saveAsPdfAction() const { return m_saveAsPdf; }
    // The page view inside the dialog.
    QPrintPreviewWidget* previewWidget() const;

    // Asks for a file name and writes the PDF there; false when cancelled
    // or when writing failed (the failure is shown to the person).
    bool saveAsPdf();

    // The default preview hook of GridReport.
    static bool showDocument(const std::shared_ptr<const ReportDocument>& document, bool modal, QString* error);

    // Loads Qt's own Chinese texts for the preview's buttons, once.
    static void installChineseTranslation();

private:
    void openLargeAtPageWidth();
    QString suggestedPdfPath() const;

    std::shared_ptr<const ReportDocument> m_document;
    QAction* m_saveAsPdf = nullptr;
};
