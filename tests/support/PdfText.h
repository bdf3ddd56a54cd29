#pragma once

#include <QString>

// The text of a PDF file as poppler's pdftotext lays it out (-layout,
// UTF-8); a failure of the reader is a test failure and an empty text.
QString PdfText(const QString& pdfPath);
