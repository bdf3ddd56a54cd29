#pragma once

#include "CGridppReportEventImpl.h"
#include "GridReport.h"

#include <QSizeF>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

// Helpers shared by the report tests: sample templates, an independent PDF
// reader (poppler's pdftotext/pdfinfo run as subprocesses), a sink in the
// shape every report sink of the program takes, and a report over a sample
// template with such a sink.

QString reportTestData(const QString& fileName);

// The text of each page, as pdftotext lays it out; a failure of the reader
// is a test failure.
QStringList pdfPageTexts(const QString& pdfPath);

// The size of the first page in points, as pdfinfo reads it.
QSizeF pdfPageSize(const QString& pdfPath);

// A sink like the program's: looks its fields up by title at Initialize
// and hands every row over at FetchRecord, one text per title (a field the
// template lacks is skipped). It can be told to fail in either event, and
// counts both.
class RowsReportEvent : public CGridppReportRowsEventImpl<QStringList>
{
public:
    // The product sums report's fields, and a 备注 that not every template has.
    explicit RowsReportEvent(
        QStringList titles = QString("产品编号 产品名称 产品规格 销售数量 销售总额 备注").split(' '))
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

// A report over a sample template with its sink (of the given titles, the
// product sums report's by default) connected and filled.
class ReportTest : public ::testing::Test
{
protected:
    void load(const char* templateFile, const QList<QStringList>& rows, QStringList titles = {});
    // The report rendered to a PDF file in dir, read back page by page.
    QStringList render(const char* fileName);

    QTemporaryDir dir;
    GridReport report;
    std::optional<RowsReportEvent> sink {std::in_place};
};
