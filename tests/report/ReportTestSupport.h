#pragma once

#include "CGridppReportEventImpl.h"

#include <QSizeF>
#include <QString>
#include <QStringList>

#include <stdexcept>

// Helpers shared by the report tests: sample templates, an independent PDF
// reader (poppler's pdftotext/pdfinfo run as subprocesses) and a sink in
// the shape every report sink of the program takes.

QString reportTestData(const QString& fileName);

// The text of each page, as pdftotext lays it out; a failure of the reader
// is a test failure.
QStringList pdfPageTexts(const QString& pdfPath);

struct PdfInfo
{
    int pages = 0;
    QSizeF pageSizePoints;
};
PdfInfo pdfInfo(const QString& pdfPath);

// A sink like the program's: looks its fields up by title at Initialize
// and hands every row over at FetchRecord, one text per title (a field the
// template lacks is skipped). It can be told to fail in either event, and
// counts both.
class RowsReportEvent : public CGridppReportRowsEventImpl<QStringList>
{
public:
    // The product sums report's fields, and a 备注 that not every template has.
    explicit RowsReportEvent(
        QStringList titles = {QStringLiteral("产品编号"), QStringLiteral("产品名称"), QStringLiteral("产品规格"),
            QStringLiteral("销售数量"), QStringLiteral("销售总额"), QStringLiteral("备注")})
        : m_titles(std::move(titles))
    {
    }

    void Initialize() override
    {
        ++initializeCount;
        if (throwInInitialize)
            throw std::runtime_error("字段查找失败");
        m_fields.clear();
        for (const QString& title : m_titles)
            m_fields.append(FindField(title));
    }

    void FetchRecord() override
    {
        ++fetchCount;
        if (throwInFetch)
            throw std::runtime_error("数据库连接已断开");
        FillRecordsWith([this](const QStringList& row) {
            for (qsizetype i = 0; i < m_fields.size(); ++i)
                SetFieldText(m_fields.at(i), row.value(i));
        });
    }

    int initializeCount = 0;
    int fetchCount = 0;
    bool throwInInitialize = false;
    bool throwInFetch = false;

private:
    QStringList m_titles;
    QList<ReportField*> m_fields;
};

// n product rows (code, name, variant, count, amount, remark "无") and, when
// withTotals, the "总合计" row summing them.
QList<QStringList> makeProductRows(int n, bool withTotals);
