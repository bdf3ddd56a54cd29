#pragma once

#include "GridppReportEvents.h"
#include "ReportObjects.h"
#include "ReportTemplate.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QPrinter;
class ReportDocument;

// The report object a page creates for each of its reports: it loads a
// template, takes parameter texts, raises Initialize and FetchRecord on the
// connected sinks so they hand over the records, and produces the report
// as a preview, a print or a PDF file. Errors come back as false with the
// text in lastError(); the object never shows a message itself. It owns the
// fields, parameters, controls and recordset it hands out; connected sinks
// stay the caller's. GUI thread only.
class GridReport
{
public:
    // Shows a produced document to the person. Answers false with *error
    // set when it could not. Installed process-wide so that tests of any
    // page can keep preview windows from opening.
    using PreviewHook
        = std::function<bool(const std::shared_ptr<const ReportDocument>& document, bool modal, QString* error)>;

    GridReport();
    ~GridReport();
    GridReport(const GridReport&) = delete;
    GridReport& operator=(const GridReport&) = delete;

    // Loads a template file; backslashes in the path count as folder
    // separators. On failure the report holds no template, and every later
    // output fails with the same error, which names the path.
    bool LoadTemplateFile(const QString& path);
    bool LoadTemplateFromJson(const QByteArray& json, const QString& sourceName);
    bool IsTemplateLoaded() const { return m_template != nullptr; }
    const QString& lastError() const { return m_lastError; }

    // Null when the template has no such field, parameter or control: the
    // caller skips it. Valid until the next template load.
    ReportField* FindFieldByName(const QString& name) const;
    ReportParameter* FindParameterByName(const QString& name) const;
    ReportControl* FindControlByName(const QString& name) const;
    ReportDetailSection* GetDetailSection() { return &m_detailSection; }

    // Connects a sink; answers its cookie, or 0 when the sink is null or
    // already connected to this report. The sink must disconnect before it
    // is destroyed; the report tells it when the report goes first.
    quint32 ConnectEvents(IGridppReportEvents* sink);
    bool DisconnectEvents(quint32 cookie);
    bool IsConnected(const IGridppReportEvents* sink) const;

    // Raises one event on every connected sink. False for an unknown event
    // id or when a sink threw.
    bool FireEvent(int eventId, const ReportEventArgs& args = {});

    // Raises Initialize and FetchRecord and lays the records out. Null on
    // failure (no template, a sink threw, output already running).
    std::shared_ptr<const ReportDocument> Generate();

    // Produces the report and shows it through the preview hook (by
    // default a print preview from which the person prints or saves a
    // PDF). modal: wait until the preview closes.
    bool ShowReport(bool modal = true);
    // The output call of the report pages: any non-zero flag shows the
    // preview modally.
    bool OutputReport(int flag) { return ShowReport(flag != 0); }
    bool RenderToPdf(const QString& path);
    // Prints straight to the printer, in the template's paper layout.
    bool PrintReport(QPrinter& printer);

    // Replaces the process-wide preview; an empty hook restores the print
    // preview dialog. Answers the hook it replaced.
    static PreviewHook SetPreviewHook(PreviewHook hook);

private:
    struct Connection
    {
        quint32 cookie;
        IGridppReportEvents* sink;
    };

    bool installTemplate(std::optional<ReportTemplate> loaded, const QString& source, const QString& error);
    bool raise(int eventId, const ReportEventArgs& args);
    void fail(const QString& message) { m_lastError = message; }

    std::shared_ptr<const ReportTemplate> m_template;
    QString m_templatePath;
    QString m_loadError;
    QString m_lastError;

    std::vector<std::unique_ptr<ReportField>> m_fields;
    std::vector<std::unique_ptr<ReportParameter>> m_parameters;
    std::vector<std::unique_ptr<ReportControl>> m_controls;
    QHash<QString, ReportField*> m_fieldByName;
    QHash<QString, ReportParameter*> m_parameterByName;
    QHash<QString, ReportControl*> m_controlByName;
    ReportRecordset m_recordset;
    ReportDetailSection m_detailSection {&m_recordset};

    std::vector<Connection> m_connections;
    quint32 m_nextCookie = 1;
    bool m_producing = false;
};
