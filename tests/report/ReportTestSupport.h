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

// The text of each page, as pdftotext lays it out; empty when it failed.
QStringList pdfPageTexts(const QString& pdfPath);

struct PdfInfo
{
    int pages = 0;
    QSizeF pageSizePoints;
};
PdfInfo pdfInfo(const QString& pdfPath);

// One printed product line.
struct ProductSumRow
{
    QString code;
    QString name;
    QString spec;
    QString count;
    QString amount;
};

// A sink like the product sums report's: looks its five fields up by title
// at Initialize and hands every row over at FetchRecord. It can be told to
// fail in either event, and counts what it received.
class ProductSumReportEvent : public CGridppReportRowsEventImpl<ProductSumRow>
{
public:
    void Initialize() override
    {
        ++initializeCount;
        if (throwInInitialize)
            throw std::runtime_error("字段查找失败");
        m_code = FindField(QStringLiteral("产品编号"));
        m_name = FindField(QStringLiteral("产品名称"));
        m_spec = FindField(QStringLiteral("产品规格"));
        m_count = FindField(QStringLiteral("销售数量"));
        m_amount = FindField(QStringLiteral("销售总额"));
        m_remark = FindField(QStringLiteral("备注")); // not in every template
    }

    void FetchRecord() override
    {
        ++fetchCount;
        if (throwInFetch)
            throw std::runtime_error("数据库连接已断开");
        FillRecords();
    }

    int FillRecords()
    {
        return FillRecordsWith([this](const ProductSumRow& row) {
            SetFieldText(m_code, row.code);
            SetFieldText(m_name, row.name);
            SetFieldText(m_spec, row.spec);
            SetFieldText(m_count, row.count);
            SetFieldText(m_amount, row.amount);
            SetFieldText(m_remark, QStringLiteral("无"));
        });
    }

    bool remarkFound() const { return m_remark != nullptr; }

    int initializeCount = 0;
    int fetchCount = 0;
    bool throwInInitialize = false;
    bool throwInFetch = false;

private:
    ReportField* m_code = nullptr;
    ReportField* m_name = nullptr;
    ReportField* m_spec = nullptr;
    ReportField* m_count = nullptr;
    ReportField* m_amount = nullptr;
    ReportField* m_remark = nullptr;
};

// n product rows and, when withTotals, the "总合计" row summing them.
QList<ProductSumRow> makeProductRows(int n, bool withTotals);
