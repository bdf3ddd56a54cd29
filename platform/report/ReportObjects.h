#pragma once

#include "GridppReportEvents.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// The small objects a GridReport hands to its callers. They are kept in one
// header because none of them means anything without the others: a field
// writes into the recordset's open record, the detail section only leads to
// the recordset. The GridReport owns them all; pointers stay valid until
// the next template is loaded or the report is destroyed.

class ReportRecordset;

// The detail records of a report: AppendRecord opens a record, the fields'
// SetAsText fill it, PostRecord keeps it. A record that is never posted is
// dropped (by the next AppendRecord or when the report is produced).
class ReportRecordset : public ReportObject
{
public:
    explicit ReportRecordset(int fieldCount = 0);

    void AppendRecord();
    // False when no record is open.
    bool PostRecord();
    void CancelRecord();
    int RecordCount() const { return static_cast<int>(m_records.size()); }

    const QList<QStringList>& records() const { return m_records; }
    // Empties the records; used by the report before it raises its events.
    void clear();
    // Empties the records and sets the number of fields of a record.
    void reset(int fieldCount);
    // Hands the posted records out and leaves the recordset empty.
    QList<QStringList> takeRecords();

    // Field access for ReportField.
    bool setOpenValue(int index, const QString& text);
    QString openValue(int index) const;

private:
    int m_fieldCount = 0;
    bool m_open = false;
    QStringList m_pending;
    QList<QStringList> m_records;
};

class ReportDetailSection : public ReportObject
{
public:
    explicit ReportDetailSection(ReportRecordset* recordset)
        : m_recordset(recordset)
    {
    }
    ReportRecordset* GetRecordset() const { return m_recordset; }

private:
    ReportRecordset* m_recordset;
};

// One column of the detail records, found by its name.
class ReportField : public ReportObject
{
public:
    ReportField(QString name, int index, ReportRecordset* recordset)
        : m_name(std::move(name))
        , m_index(index)
        , m_recordset(recordset)
    {
    }

    const QString& Name() const { return m_name; }
    int index() const { return m_index; }
    // Sets this field of the open record; false (and nothing changes) when
    // no record is open.
    bool SetAsText(const QString& text) { return m_recordset->setOpenValue(m_index, text); }
    QString AsText() const { return m_recordset->openValue(m_index); }

private:
    QString m_name;
    int m_index;
    ReportRecordset* m_recordset;
};

// A named text that the template prints where it places {name}.
class ReportParameter : public ReportObject
{
public:
    ReportParameter(QString name, QString text)
        : m_name(std::move(name))
        , m_text(std::move(text))
    {
    }

    const QString& Name() const { return m_name; }
    void SetAsText(const QString& text) { m_text = text; }
    const QString& AsText() const { return m_text; }

private:
    QString m_name;
    QString m_text;
};

// A named item of a template band that the caller may hide; hiding lasts
// for every later output of the same report until shown again.
class ReportControl : public ReportObject
{
public:
    ReportControl(QString name, bool visible)
        : m_name(std::move(name))
        , m_visible(visible)
    {
    }

    const QString& Name() const { return m_name; }
    void SetVisible(bool visible) { m_visible = visible; }
    bool IsVisible() const { return m_visible; }

private:
    QString m_name;
    bool m_visible;
};
