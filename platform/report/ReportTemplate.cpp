#include "ReportTemplate.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>

#include <utility>

namespace {

// Thrown inside the parser only; fromJson turns it into the error text.
struct TemplateError
{
    QString message;
};

[[noreturn]] void fail(const QString& message)
{
    throw TemplateError {message};
}

ReportTemplate::Align parseAlign(const QJsonValue& value, ReportTemplate::Align fallback, const QString& where)
{
    if (value.isUndefined() || value.isNull())
        return fallback;
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("left"))
        return ReportTemplate::Align::Left;
    if (text == QLatin1String("center") || text == QLatin1String("centre"))
        return ReportTemplate::Align::Center;
    if (text == QLatin1String("right"))
        return ReportTemplate::Align::Right;
    fail(QStringLiteral("%1: 对齐方式 \"%2\" 无效（应为 left、center 或 right）").arg(where, value.toString()));
}

double parseNumber(
    const QJsonObject& object, const char* key, double fallback, const QString& where, double minimum = 0.0)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined() || value.isNull())
        return fallback;
    if (!value.isDouble())
        fail(QStringLiteral("%1: \"%2\" 应为数字").arg(where, QLatin1String(key)));
    const double number = value.toDouble();
    if (number < minimum)
        fail(QStringLiteral("%1: \"%2\" 不能小于 %3").arg(where, QLatin1String(key)).arg(minimum));
    return number;
}

bool parseBool(const QJsonObject& object, const char* key, bool fallback, const QString& where)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined() || value.isNull())
        return fallback;
    if (!value.isBool())
        fail(QStringLiteral("%1: \"%2\" 应为 true 或 false").arg(where, QLatin1String(key)));
    return value.toBool();
}

QString parseString(const QJsonObject& object, const char* key, const QString& fallback, const QString& where)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined() || value.isNull())
        return fallback;
    if (!value.isString())
        fail(QStringLiteral("%1: \"%2\" 应为文字").arg(where, QLatin1String(key)));
    return value.toString();
}

QJsonArray parseArray(const QJsonObject& object, const char* key, const QString& where)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined() || value.isNull())
        return {};
    if (!value.isArray())
        fail(QStringLiteral("%1: \"%2\" 应为数组").arg(where, QLatin1String(key)));
    return value.toArray();
}

QStringList parseStringList(
    const QJsonObject& object, const char* key, const QStringList& fallback, const QString& where)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined() || value.isNull())
        return fallback;
    QStringList list;
    for (const QJsonValue& entry : parseArray(object, key, where)) {
        if (!entry.isString())
            fail(QStringLiteral("%1: \"%2\" 只能包含文字").arg(where, QLatin1String(key)));
        list.append(entry.toString());
    }
    return list;
}

ReportTemplate::Item parseItem(const QJsonValue& value, const QString& where)
{
    if (!value.isObject())
        fail(QStringLiteral("%1 应为对象").arg(where));
    const QJsonObject object = value.toObject();
    ReportTemplate::Item item;
    const QString type = parseString(object, "type", QStringLiteral("text"), where).toLower();
    if (type == QLatin1String("text"))
        item.kind = ReportTemplate::ItemKind::Text;
    else if (type == QLatin1String("line"))
        item.kind = ReportTemplate::ItemKind::Line;
    else if (type == QLatin1String("box"))
        item.kind = ReportTemplate::ItemKind::Box;
    else
        fail(QStringLiteral("%1: 类型 \"%2\" 无效（应为 text、line 或 box）").arg(where, type));
    item.name = parseString(object, "name", {}, where);
    item.text = parseString(object, "text", {}, where);
    item.x = parseNumber(object, "x", 0.0, where);
    item.y = parseNumber(object, "y", 0.0, where);
    item.width = parseNumber(object, "width", 0.0, where);
    item.height = parseNumber(object, "height", 0.0, where);
    item.fontSize = parseNumber(object, "fontSize", 0.0, where);
    item.bold = parseBool(object, "bold", false, where);
    item.align = parseAlign(object.value(QLatin1String("align")), ReportTemplate::Align::Left, where);
    item.border = parseBool(object, "border", false, where);
    item.visible = parseBool(object, "visible", true, where);
    return item;
}

ReportTemplate::Band parseBand(const QJsonObject& root, const char* key)
{
    ReportTemplate::Band band;
    const QJsonValue value = root.value(QLatin1String(key));
    if (value.isUndefined() || value.isNull())
        return band;
    const QString where = QString::fromLatin1(key);
    if (!value.isObject())
        fail(QStringLiteral("\"%1\" 应为对象").arg(where));
    const QJsonObject object = value.toObject();
    band.present = true;
    band.height = parseNumber(object, "height", 0.0, where);
    const QJsonArray items = parseArray(object, "items", where);
    for (qsizetype i = 0; i < items.size(); ++i)
        band.items.append(parseItem(items.at(i), QStringLiteral("%1 的第 %2 项").arg(where).arg(i + 1)));
    return band;
}

ReportTemplate parseTemplate(const QJsonObject& root)
{
    ReportTemplate t;
    t.title = parseString(root, "title", {}, QStringLiteral("模板"));

    const QJsonValue font = root.value(QLatin1String("font"));
    if (font.isObject()) {
        const QJsonObject object = font.toObject();
        t.fontFamily = parseString(object, "family", {}, QStringLiteral("font"));
        t.fontSize = parseNumber(object, "size", t.fontSize, QStringLiteral("font"), 1.0);
    } else if (!font.isUndefined() && !font.isNull()) {
        fail(QStringLiteral("\"font\" 应为对象"));
    }

    const QJsonValue page = root.value(QLatin1String("page"));
    if (page.isObject()) {
        const QJsonObject object = page.toObject();
        const QString where = QStringLiteral("page");
        const QString paper = parseString(object, "paper", QStringLiteral("A4"), where);
        // Every report of the shop is printed on A4; other sizes would need
        // page sizes we have never checked on its printer.
        if (paper.compare(QLatin1String("A4"), Qt::CaseInsensitive) != 0)
            fail(QStringLiteral("page: 纸张 \"%1\" 不受支持（只支持 A4）").arg(paper));
        const QString orientation = parseString(object, "orientation", QStringLiteral("portrait"), where).toLower();
        if (orientation == QLatin1String("portrait"))
            t.orientation = ReportTemplate::Orientation::Portrait;
        else if (orientation == QLatin1String("landscape"))
            t.orientation = ReportTemplate::Orientation::Landscape;
        else
            fail(QStringLiteral("page: 方向 \"%1\" 无效（应为 portrait 或 landscape）").arg(orientation));
        const QString fit = parseString(object, "fitWidth", QStringLiteral("scale"), where).toLower();
        if (fit == QLatin1String("scale"))
            t.widthFit = ReportTemplate::WidthFit::Scale;
        else if (fit == QLatin1String("landscape"))
            t.widthFit = ReportTemplate::WidthFit::Landscape;
        else if (fit == QLatin1String("none"))
            t.widthFit = ReportTemplate::WidthFit::None;
        else
            fail(QStringLiteral("page: fitWidth \"%1\" 无效（应为 scale、landscape 或 none）").arg(fit));
        const QJsonValue margins = object.value(QLatin1String("margins"));
        if (margins.isDouble()) {
            const double all = margins.toDouble();
            t.margins = {all, all, all, all};
        } else if (margins.isObject()) {
            const QJsonObject m = margins.toObject();
            const QString mw = QStringLiteral("page.margins");
            t.margins.left = parseNumber(m, "left", t.margins.left, mw);
            t.margins.top = parseNumber(m, "top", t.margins.top, mw);
            t.margins.right = parseNumber(m, "right", t.margins.right, mw);
            t.margins.bottom = parseNumber(m, "bottom", t.margins.bottom, mw);
        } else if (!margins.isUndefined() && !margins.isNull()) {
            fail(QStringLiteral("page: \"margins\" 应为数字或对象"));
        }
        // A4 is 210 mm wide; leave at least a narrow strip to print on.
        if (t.margins.left + t.margins.right > 170.0 || t.margins.top + t.margins.bottom > 170.0)
            fail(QStringLiteral("page: 页边距过大"));
    } else if (!page.isUndefined() && !page.isNull()) {
        fail(QStringLiteral("\"page\" 应为对象"));
    }

    const QJsonValue detail = root.value(QLatin1String("detail"));
    if (detail.isObject()) {
        const QJsonObject object = detail.toObject();
        const QString where = QStringLiteral("detail");
        t.rowHeight = parseNumber(object, "rowHeight", 0.0, where);
        t.headerRowHeight = parseNumber(object, "headerRowHeight", 0.0, where);
        t.grid = parseBool(object, "grid", true, where);
        t.showColumnHeader = parseBool(object, "columnHeader", true, where);
    } else if (!detail.isUndefined() && !detail.isNull()) {
        fail(QStringLiteral("\"detail\" 应为对象"));
    }

    QSet<QString> seen;
    const QJsonArray parameters = parseArray(root, "parameters", QStringLiteral("模板"));
    for (qsizetype i = 0; i < parameters.size(); ++i) {
        const QString where = QStringLiteral("parameters 的第 %1 项").arg(i + 1);
        if (!parameters.at(i).isObject())
            fail(QStringLiteral("%1 应为对象").arg(where));
        const QJsonObject object = parameters.at(i).toObject();
        ReportTemplate::Parameter parameter;
        parameter.name = parseString(object, "name", {}, where).trimmed();
        if (parameter.name.isEmpty())
            fail(QStringLiteral("%1 缺少 name").arg(where));
        if (seen.contains(QLatin1String("p:") + parameter.name))
            fail(QStringLiteral("参数 \"%1\" 重复").arg(parameter.name));
        seen.insert(QLatin1String("p:") + parameter.name);
        parameter.defaultText = parseString(object, "default", {}, where);
        parameter.printInDefaultHeader = parseBool(object, "print", true, where);
        t.parameters.append(parameter);
    }

    const QJsonArray columns = parseArray(root, "columns", QStringLiteral("模板"));
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const QString where = QStringLiteral("columns 的第 %1 项").arg(i + 1);
        if (!columns.at(i).isObject())
            fail(QStringLiteral("%1 应为对象").arg(where));
        const QJsonObject object = columns.at(i).toObject();
        ReportTemplate::Column column;
        column.field = parseString(object, "field", {}, where).trimmed();
        if (column.field.isEmpty())
            fail(QStringLiteral("%1 缺少 field").arg(where));
        if (seen.contains(QLatin1String("f:") + column.field))
            fail(QStringLiteral("字段 \"%1\" 重复").arg(column.field));
        seen.insert(QLatin1String("f:") + column.field);
        column.caption = parseString(object, "caption", column.field, where);
        column.width = parseNumber(object, "width", 0.0, where);
        column.align = parseAlign(object.value(QLatin1String("align")), ReportTemplate::Align::Left, where);
        column.decimals = static_cast<int>(parseNumber(object, "decimals", -1.0, where, -1.0));
        t.columns.append(column);
    }

    t.pageHeader = parseBand(root, "pageHeader");
    t.reportHeader = parseBand(root, "reportHeader");
    t.reportFooter = parseBand(root, "reportFooter");
    t.pageFooter = parseBand(root, "pageFooter");

    const QJsonValue totals = root.value(QLatin1String("totals"));
    if (totals.isObject()) {
        const QJsonObject object = totals.toObject();
        const QString where = QStringLiteral("totals");
        t.totals.field = parseString(object, "field", {}, where);
        if (!t.totals.field.isEmpty() && t.columnIndex(t.totals.field) < 0)
            fail(QStringLiteral("totals: 字段 \"%1\" 不是模板的列").arg(t.totals.field));
        t.totals.markers = parseStringList(object, "markers", t.totals.markers, where);
        t.totals.bold = parseBool(object, "bold", true, where);
    } else if (!totals.isUndefined() && !totals.isNull()) {
        fail(QStringLiteral("\"totals\" 应为对象"));
    }

    const QJsonValue sumRow = root.value(QLatin1String("sumRow"));
    if (sumRow.isObject()) {
        const QJsonObject object = sumRow.toObject();
        const QString where = QStringLiteral("sumRow");
        t.sumRow.present = true;
        t.sumRow.label = parseString(object, "label", t.sumRow.label, where);
        t.sumRow.fields = parseStringList(object, "fields", {}, where);
        t.sumRow.decimals = static_cast<int>(parseNumber(object, "decimals", 2.0, where));
        for (const QString& field : std::as_const(t.sumRow.fields)) {
            if (t.columnIndex(field) < 0)
                fail(QStringLiteral("sumRow: 字段 \"%1\" 不是模板的列").arg(field));
        }
    } else if (!sumRow.isUndefined() && !sumRow.isNull()) {
        fail(QStringLiteral("\"sumRow\" 应为对象"));
    }
    return t;
}

} // namespace

int ReportTemplate::columnIndex(const QString& field) const
{
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (columns.at(i).field == field)
            return static_cast<int>(i);
    }
    return -1;
}

const ReportTemplate::Parameter* ReportTemplate::parameter(const QString& name) const
{
    for (const Parameter& p : parameters) {
        if (p.name == name)
            return &p;
    }
    return nullptr;
}

std::optional<ReportTemplate> ReportTemplate::fromJson(
    const QByteArray& json, const QString& sourceName, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (error)
            *error = QStringLiteral("报表模板 %1 格式错误（第 %2 个字节）：%3")
                         .arg(sourceName)
                         .arg(parseError.offset)
                         .arg(parseError.errorString());
        return std::nullopt;
    }
    if (!document.isObject()) {
        if (error)
            *error = QStringLiteral("报表模板 %1 格式错误：顶层应为对象").arg(sourceName);
        return std::nullopt;
    }
    try {
        return parseTemplate(document.object());
    } catch (const TemplateError& e) {
        if (error)
            *error = QStringLiteral("报表模板 %1 格式错误：%2").arg(sourceName, e.message);
        return std::nullopt;
    }
}

std::optional<ReportTemplate> ReportTemplate::fromFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("无法打开报表模板 %1：%2").arg(path, file.errorString());
        return std::nullopt;
    }
    // Templates are a few kilobytes; anything far larger is not one of ours.
    constexpr qint64 maxTemplateSize = 4 * 1024 * 1024;
    if (file.size() > maxTemplateSize) {
        if (error)
            *error = QStringLiteral("报表模板 %1 过大，不是有效的模板").arg(path);
        return std::nullopt;
    }
    const QByteArray json = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("无法读取报表模板 %1：%2").arg(path, file.errorString());
        return std::nullopt;
    }
    return fromJson(json, path, error);
}

ReportTemplate::Band ReportTemplate::defaultReportHeader() const
{
    Band band;
    double y = 0.0;
    if (!title.isEmpty()) {
        Item item;
        item.text = QStringLiteral("{Title}");
        item.y = y;
        item.height = 9.0;
        item.fontSize = 16.0;
        item.bold = true;
        item.align = Align::Center;
        band.items.append(item);
        y += item.height + 1.0;
    }
    for (const Parameter& p : parameters) {
        if (!p.printInDefaultHeader)
            continue;
        Item item;
        item.text = QLatin1Char('{') + p.name + QLatin1Char('}');
        item.y = y;
        item.height = 6.0;
        item.fontSize = 10.0;
        item.align = Align::Center;
        band.items.append(item);
        y += item.height;
    }
    band.present = !band.items.isEmpty();
    band.height = band.present ? y + 3.0 : 0.0;
    return band;
}

ReportTemplate::Band ReportTemplate::defaultPageFooter() const
{
    Band band;
    Item item;
    item.text = QStringLiteral("第 {PageNumber} 页 / 共 {PageCount} 页");
    item.y = 2.0;
    item.height = 5.0;
    item.fontSize = 8.0;
    item.align = Align::Center;
    band.items.append(item);
    band.present = true;
    band.height = 7.0;
    return band;
}
