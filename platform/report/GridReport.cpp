#include "GridReport.h"

#include "ReportDocument.h"
#include "ReportPreviewDialog.h"

#include <QSet>

#include <algorithm>
#include <exception>

namespace {

GridReport::PreviewHook& previewHook()
{
    static GridReport::PreviewHook hook;
    return hook;
}

// 0 answers a failed connection and 0xFEFEFEFE is the sinks' "not
// connected" mark, so neither may ever be a cookie.
constexpr quint32 notConnectedMark = 0xFEFEFEFEu;

QString eventName(int eventId)
{
    switch (eventId) {
    case ReportEvents::Initialize:
        return QStringLiteral("Initialize");
    case ReportEvents::FetchRecord:
        return QStringLiteral("FetchRecord");
    default:
        return QStringLiteral("事件 %1").arg(eventId);
    }
}

} // namespace

GridReport::GridReport() = default;

GridReport::~GridReport()
{
    // Detach every sink first: a sink answering ConnectionClosed may try to
    // disconnect and must find nothing left to change.
    const std::vector<Connection> connections = std::exchange(m_connections, {});
    for (const Connection& c : connections)
        c.sink->ConnectionClosed(this);
}

bool GridReport::LoadTemplateFile(const QString& path)
{
    // The pages join the program folder and the template name with a
    // backslash, as the program always has; on Linux that would be part of
    // the file name.
    QString file = path;
    file.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString error;
    std::optional<ReportTemplate> loaded = ReportTemplate::fromFile(file, &error);
    return installTemplate(std::move(loaded), file, error);
}

bool GridReport::LoadTemplateFromJson(const QByteArray& json, const QString& sourceName)
{
    QString error;
    std::optional<ReportTemplate> loaded = ReportTemplate::fromJson(json, sourceName, &error);
    return installTemplate(std::move(loaded), sourceName, error);
}

bool GridReport::installTemplate(std::optional<ReportTemplate> loaded, const QString& source, const QString& error)
{
    m_lastError.clear();
    if (m_producing) {
        // The sinks hold the current fields until the output ends.
        fail(QStringLiteral("报表 %1 正在生成，不能更换模板").arg(m_templatePath));
        return false;
    }
    m_templatePath = source;
    m_fieldByName.clear();
    m_parameterByName.clear();
    m_controlByName.clear();
    m_fields.clear();
    m_parameters.clear();
    m_controls.clear();
    m_recordset.reset(0);
    m_template.reset();
    if (!loaded) {
        m_loadError = error;
        fail(error);
        return false;
    }
    m_loadError.clear();
    m_template = std::make_shared<const ReportTemplate>(std::move(*loaded));
    const ReportTemplate& t = *m_template;

    m_recordset.reset(static_cast<int>(t.columns.size()));
    for (qsizetype i = 0; i < t.columns.size(); ++i) {
        auto field = std::make_unique<ReportField>(t.columns.at(i).field, static_cast<int>(i), &m_recordset);
        m_fieldByName.insert(field->Name(), field.get());
        m_fields.push_back(std::move(field));
    }
    for (const ReportTemplate::Parameter& p : t.parameters) {
        auto parameter = std::make_unique<ReportParameter>(p.name, p.defaultText);
        m_parameterByName.insert(parameter->Name(), parameter.get());
        m_parameters.push_back(std::move(parameter));
    }
    for (const ReportTemplate::Band* band : {&t.pageHeader, &t.reportHeader, &t.reportFooter, &t.pageFooter}) {
        for (const ReportTemplate::Item& item : band->items) {
            // Items sharing a name are one control: hiding it hides them all.
            if (item.name.isEmpty() || m_controlByName.contains(item.name))
                continue;
            auto control = std::make_unique<ReportControl>(item.name, item.visible);
            m_controlByName.insert(control->Name(), control.get());
            m_controls.push_back(std::move(control));
        }
    }
    return true;
}

ReportField* GridReport::FindFieldByName(const QString& name) const
{
    return m_fieldByName.value(name, nullptr);
}

ReportParameter* GridReport::FindParameterByName(const QString& name) const
{
    return m_parameterByName.value(name, nullptr);
}

ReportControl* GridReport::FindControlByName(const QString& name) const
{
    return m_controlByName.value(name, nullptr);
}

quint32 GridReport::ConnectEvents(IGridppReportEvents* sink)
{
    m_lastError.clear();
    if (!sink) {
        fail(QStringLiteral("无法连接报表事件：接收器为空"));
        return 0;
    }
    if (IsConnected(sink)) {
        fail(QStringLiteral("无法连接报表事件：该接收器已连接"));
        return 0;
    }
    quint32 cookie = m_nextCookie++;
    while (cookie == 0 || cookie == notConnectedMark)
        cookie = m_nextCookie++;
    m_connections.push_back({cookie, sink});
    return cookie;
}

bool GridReport::DisconnectEvents(quint32 cookie)
{
    for (auto it = m_connections.begin(); it != m_connections.end(); ++it) {
        if (it->cookie == cookie) {
            m_connections.erase(it);
            return true;
        }
    }
    return false;
}

bool GridReport::IsConnected(const IGridppReportEvents* sink) const
{
    for (const Connection& c : m_connections) {
        if (c.sink == sink)
            return true;
    }
    return false;
}

bool GridReport::raise(int eventId, const ReportEventArgs& args)
{
    // A sink may disconnect (itself or another) while handling the event;
    // walk a copy and skip the ones gone meanwhile.
    const std::vector<Connection> connections = m_connections;
    for (const Connection& c : connections) {
        const bool stillConnected = std::any_of(
            m_connections.begin(), m_connections.end(), [&](const Connection& now) { return now.cookie == c.cookie; });
        if (!stillConnected)
            continue;
        try {
            ReportEvents::dispatch(*c.sink, eventId, args);
        } catch (const std::exception& e) {
            fail(QStringLiteral("报表 %1 处理 %2 时出错：%3")
                     .arg(m_templatePath, eventName(eventId), QString::fromLocal8Bit(e.what())));
            return false;
        } catch (...) {
            fail(QStringLiteral("报表 %1 处理 %2 时出错：未知错误").arg(m_templatePath, eventName(eventId)));
            return false;
        }
    }
    return true;
}

bool GridReport::FireEvent(int eventId, const ReportEventArgs& args)
{
    m_lastError.clear();
    if (!std::any_of(
            std::begin(ReportEvents::allIds), std::end(ReportEvents::allIds), [&](int id) { return id == eventId; })) {
        fail(QStringLiteral("报表事件 %1 不存在").arg(eventId));
        return false;
    }
    return raise(eventId, args);
}

std::shared_ptr<const ReportDocument> GridReport::Generate()
{
    m_lastError.clear();
    if (m_producing) {
        // A sink asking for output from inside an event would refill the
        // records that are being filled.
        fail(QStringLiteral("报表 %1 正在生成，不能重复输出").arg(m_templatePath));
        return nullptr;
    }
    if (!m_template) {
        fail(m_loadError.isEmpty() ? QStringLiteral("报表尚未载入模板") : m_loadError);
        return nullptr;
    }
    struct ProducingGuard
    {
        bool& flag;
        explicit ProducingGuard(bool& f)
            : flag(f)
        {
            flag = true;
        }
        ~ProducingGuard() { flag = false; }
    } guard(m_producing);

    m_recordset.clear();
    if (!raise(ReportEvents::Initialize, {}) || !raise(ReportEvents::FetchRecord, {})) {
        m_recordset.clear();
        return nullptr;
    }

    ReportDocument::Input input;
    input.reportTemplate = m_template;
    for (const auto& p : m_parameters)
        input.parameters.insert(p->Name(), p->AsText());
    for (const auto& c : m_controls) {
        if (!c->IsVisible())
            input.hiddenControls.insert(c->Name());
    }
    input.records = m_recordset.takeRecords();
    return std::make_shared<const ReportDocument>(std::move(input));
}

bool GridReport::ShowReport(bool modal)
{
    const std::shared_ptr<const ReportDocument> document = Generate();
    if (!document)
        return false;
    const PreviewHook hook = previewHook() ? previewHook() : PreviewHook(&ReportPreviewDialog::showDocument);
    QString error;
    if (!hook(document, modal, &error)) {
        fail(error.isEmpty() ? QStringLiteral("无法显示报表 %1").arg(m_templatePath) : error);
        return false;
    }
    return true;
}

bool GridReport::RenderToPdf(const QString& path)
{
    const std::shared_ptr<const ReportDocument> document = Generate();
    if (!document)
        return false;
    QString error;
    if (!document->writePdf(path, &error)) {
        fail(error);
        return false;
    }
    return true;
}

bool GridReport::PrintReport(QPrinter& printer)
{
    const std::shared_ptr<const ReportDocument> document = Generate();
    if (!document)
        return false;
    document->applyPageLayout(printer);
    QString error;
    if (!document->print(printer, &error)) {
        fail(error);
        return false;
    }
    return true;
}

GridReport::PreviewHook GridReport::SetPreviewHook(PreviewHook hook)
{
    return std::exchange(previewHook(), std::move(hook));
}
