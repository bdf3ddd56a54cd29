#pragma once

#include <QString>

class GridReport;

// Base of every object a report hands out (fields, parameters, controls,
// sections, recordsets), so that events can pass any of them.
class ReportObject
{
public:
    virtual ~ReportObject() = default;
};

// The outgoing event interface of a report: the report raises these on
// every connected sink, on the GUI thread, while it produces its output.
// The report itself raises Initialize and then FetchRecord; the other
// events exist so that a sink answers every event id of the interface and
// can be raised explicitly (GridReport::FireEvent). Numbers in the names
// are the event ids.
class IGridppReportEvents
{
public:
    virtual ~IGridppReportEvents() = default;

    virtual void Initialize() = 0; // 1: look the fields up
    virtual void FetchRecord() = 0; // 2: hand the records over
    virtual void OnEvent3() = 0;
    virtual void OnEvent4(const QString& text) = 0;
    virtual void OnEvent20(ReportObject* object) = 0;
    virtual void OnEvent22(ReportObject* object) = 0;
    virtual void OnEvent23(ReportObject* object) = 0;
    virtual void OnEvent24(ReportObject* first, ReportObject* second, int a, int b, int c, int d) = 0;
    virtual void OnEvent30() = 0;
    virtual void OnEvent31() = 0;
    virtual void OnEvent32(ReportObject* object) = 0;
    virtual void OnEvent33(ReportObject* object) = 0;
    virtual void OnEvent34() = 0;
    virtual void OnEvent35() = 0;
    virtual void OnEvent36() = 0;
    virtual void OnEvent37() = 0;
    virtual void OnEvent38() = 0;
    virtual void OnEvent39() = 0;
    virtual void OnEvent40() = 0;
    virtual void OnEvent41() = 0;
    virtual void OnEvent42(int value) = 0;
    virtual void OnEvent43() = 0;
    virtual void OnEvent50(ReportObject* object) = 0;
    virtual void OnEvent51(ReportObject* object) = 0;
    virtual void OnEvent60(ReportObject* object) = 0;
    virtual void OnEvent65(ReportObject* object, const QString& text, bool flag) = 0;

    // Not an event: the report tells a connected sink that the connection
    // is gone because the report is being destroyed, so the sink never
    // reaches back into a dead report.
    virtual void ConnectionClosed(GridReport* report) = 0;
};

// The arguments of one event, for the events that carry any.
struct ReportEventArgs
{
    QString text;
    ReportObject* first = nullptr;
    ReportObject* second = nullptr;
    int values[4] = {0, 0, 0, 0};
    bool flag = false;
};

namespace ReportEvents {
inline constexpr int Initialize = 1;
inline constexpr int FetchRecord = 2;

// The event ids of the interface, in the order of its operations.
inline constexpr int allIds[]
    = {1, 2, 3, 4, 20, 22, 23, 24, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 50, 51, 60, 65};

// Calls the sink's operation for the event id; false for an unknown id.
bool dispatch(IGridppReportEvents& sink, int eventId, const ReportEventArgs& args);
} // namespace ReportEvents
