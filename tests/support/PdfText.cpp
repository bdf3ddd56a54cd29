#include "PdfText.h"

#include <QProcess>

#include <gtest/gtest.h>

QString PdfText(const QString& pdfPath)
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
