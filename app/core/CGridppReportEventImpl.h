#pragma once

#include "GridReport.h"
#include "GridppReportEvents.h"

#include <QString>

#include <iterator>
#include <ranges>
#include <utility>
#include <vector>

// The base of every report sink of the program (the classes ending in
// ReportEvent). It answers every event of a report with an operation that
// does nothing; a sink overrides Initialize, to look its fields up by
// title, and FetchRecord, to hand its rows over. It keeps the report it
// fills and its connection to it, and disconnects itself when destroyed.
class CGridppReportEventImpl : public IGridppReportEvents
{
public:
    // The cookie of a sink that is not connected.
    static constexpr quint32 NotConnected = 0xFEFEFEFEu;

    CGridppReportEventImpl() = default;
    ~CGridppReportEventImpl() override { Disconnect(); }
    CGridppReportEventImpl(const CGridppReportEventImpl&) = delete;
    CGridppReportEventImpl& operator=(const CGridppReportEventImpl&) = delete;

    // The report this sink fills.
    GridReport* Report() const { return m_report; }

    // Makes report the one this sink fills and connects to its events.
    // Fails, changing nothing, when the sink is already connected (to this
    // or another report) or report is null.
    bool ConnectTo(GridReport* report)
    {
        if (!report || IsConnected())
            return false;
        const quint32 cookie = report->ConnectEvents(this);
        if (cookie == 0)
            return false;
        m_report = report;
        m_cookie = cookie;
        return true;
    }

    // Ends the connection; false when there was none.
    bool Disconnect()
    {
        if (!IsConnected())
            return false;
        if (m_report)
            m_report->DisconnectEvents(m_cookie);
        m_cookie = NotConnected;
        return true;
    }

    bool IsConnected() const { return m_cookie != NotConnected; }
    quint32 Cookie() const { return m_cookie; }

    // The events, in the order of the interface; none does anything here.
    void Initialize() override { }
    void FetchRecord() override { }
    void OnEvent3() override { }
    void OnEvent4(const QString&) override { }
    void OnEvent20(ReportObject*) override { }
    void OnEvent22(ReportObject*) override { }
    void OnEvent23(ReportObject*) override { }
    void OnEvent24(ReportObject*, ReportObject*, int, int, int, int) override { }
    void OnEvent30() override { }
    void OnEvent31() override { }
    void OnEvent32(ReportObject*) override { }
    void OnEvent33(ReportObject*) override { }
    void OnEvent34() override { }
    void OnEvent35() override { }
    void OnEvent36() override { }
    void OnEvent37() override { }
    void OnEvent38() override { }
    void OnEvent39() override { }
    void OnEvent40() override { }
    void OnEvent41() override { }
    void OnEvent42(int) override { }
    void OnEvent43() override { }
    void OnEvent50(ReportObject*) override { }
    void OnEvent51(ReportObject*) override { }
    void OnEvent60(ReportObject*) override { }
    void OnEvent65(ReportObject*, const QString&, bool) override { }

protected:
    void ConnectionClosed(GridReport* report) override
    {
        if (report == m_report) {
            m_report = nullptr;
            m_cookie = NotConnected;
        }
    }

    // The report's field of that title; null when the sink has no report
    // or the template lacks the field.
    ReportField* FindField(const QString& title) const { return m_report ? m_report->FindFieldByName(title) : nullptr; }

    // A field the template lacks is skipped rather than written through.
    static void SetFieldText(ReportField* field, const QString& text)
    {
        if (field)
            field->SetAsText(text);
    }

    // One detail record: append, let fill set the fields, post.
    template <typename Fill> bool AppendRecordWith(Fill&& fill)
    {
        if (!m_report)
            return false;
        m_report->GetDetailSection()->GetRecordset()->AppendRecord();
        std::forward<Fill>(fill)();
        return m_report->GetDetailSection()->GetRecordset()->PostRecord();
    }

private:
    GridReport* m_report = nullptr;
    quint32 m_cookie = NotConnected;
};

// A sink that holds its own copy of the rows to print. SetRecords replaces
// the rows; FillRecordsWith hands every row to the report, one record each,
// with fill(row) setting the fields:
//
//   void FetchRecord() override { FillRecords(); }
//   int FillRecords()
//   {
//       return FillRecordsWith([this](const ProductCountTipInfo &row) {
//           SetFieldText(m_code, row.ProductCode);
//           SetFieldText(m_name, row.ProductName);
//       });
//   }
template <typename Row> class CGridppReportRowsEventImpl : public CGridppReportEventImpl
{
public:
    // Empties the rows and appends a copy of each given row, in order.
    template <std::ranges::input_range Rows> int SetRecords(const Rows& rows)
    {
        // Copy first: rows may be this sink's own array.
        std::vector<Row> copy(std::ranges::begin(rows), std::ranges::end(rows));
        m_rows = std::move(copy);
        return 1;
    }

    const std::vector<Row>& Records() const { return m_rows; }

protected:
    template <typename Fill> int FillRecordsWith(Fill&& fill)
    {
        if (!Report())
            return 0;
        for (const Row& row : m_rows)
            AppendRecordWith([&] { fill(row); });
        return 1;
    }

private:
    std::vector<Row> m_rows;
};
