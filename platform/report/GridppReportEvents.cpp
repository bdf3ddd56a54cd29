#include "GridppReportEvents.h"

namespace ReportEvents {

bool dispatch(IGridppReportEvents& sink, int eventId, const ReportEventArgs& a)
{
    switch (eventId) {
    case 1:
        sink.Initialize();
        return true;
    case 2:
        sink.FetchRecord();
        return true;
    case 3:
        sink.OnEvent3();
        return true;
    case 4:
        sink.OnEvent4(a.text);
        return true;
    case 20:
        sink.OnEvent20(a.first);
        return true;
    case 22:
        sink.OnEvent22(a.first);
        return true;
    case 23:
        sink.OnEvent23(a.first);
        return true;
    case 24:
        sink.OnEvent24(a.first, a.second, a.values[0], a.values[1], a.values[2], a.values[3]);
        return true;
    case 30:
        sink.OnEvent30();
        return true;
    case 31:
        sink.OnEvent31();
        return true;
    case 32:
        sink.OnEvent32(a.first);
        return true;
    case 33:
        sink.OnEvent33(a.first);
        return true;
    case 34:
        sink.OnEvent34();
        return true;
    case 35:
        sink.OnEvent35();
        return true;
    case 36:
        sink.OnEvent36();
        return true;
    case 37:
        sink.OnEvent37();
        return true;
    case 38:
        sink.OnEvent38();
        return true;
    case 39:
        sink.OnEvent39();
        return true;
    case 40:
        sink.OnEvent40();
        return true;
    case 41:
        sink.OnEvent41();
        return true;
    case 42:
        sink.OnEvent42(a.values[0]);
        return true;
    case 43:
        sink.OnEvent43();
        return true;
    case 50:
        sink.OnEvent50(a.first);
        return true;
    case 51:
        sink.OnEvent51(a.first);
        return true;
    case 60:
        sink.OnEvent60(a.first);
        return true;
    case 65:
        sink.OnEvent65(a.first, a.text, a.flag);
        return true;
    default:
        return false;
    }
}

} // namespace ReportEvents
