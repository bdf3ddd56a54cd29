#pragma once

#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

// The text of a PDF file as poppler's pdftotext lays it out (-layout,
// UTF-8); a failure of the reader is a test failure and an empty text.
inline QString PdfText(const QString& pdfPath)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
        {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdfPath, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed";
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}
