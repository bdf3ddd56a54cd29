#include "ReportObjects.h"

ReportRecordset::ReportRecordset(int fieldCount)
    : m_fieldCount(fieldCount)
{
}

void ReportRecordset::AppendRecord()
{
    m_pending = QStringList(m_fieldCount);
    m_open = true;
}

bool ReportRecordset::PostRecord()
{
    if (!m_open)
        return false;
    m_records.append(std::move(m_pending));
    m_pending = QStringList();
    m_open = false;
    return true;
}

void ReportRecordset::CancelRecord()
{
    m_pending = QStringList();
    m_open = false;
}

void ReportRecordset::clear()
{
    CancelRecord();
    m_records.clear();
}

void ReportRecordset::reset(int fieldCount)
{
    clear();
    m_fieldCount = fieldCount;
}

QList<QStringList> ReportRecordset::takeRecords()
{
    CancelRecord();
    return std::exchange(m_records, {});
}

bool ReportRecordset::setOpenValue(int index, const QString& text)
{
    if (!m_open || index < 0 || index >= m_pending.size())
        return false;
    m_pending[index] = text;
    return true;
}

QString ReportRecordset::openValue(int index) const
{
    if (!m_open || index < 0 || index >= m_pending.size())
        return {};
    return m_pending.at(index);
}
