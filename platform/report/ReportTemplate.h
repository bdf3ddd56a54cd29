#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// A report template: what a report prints and where, read from our own JSON
// format (the files keep the .grf names the pages load). It holds no data;
// the records and parameter values are bound by field and parameter name
// when the report is produced. Plain value type, no Qt widgets involved.
struct ReportTemplate
{
    enum class Align { Left, Center, Right };
    enum class Orientation { Portrait, Landscape };
    // What to do with a table wider than the page.
    enum class WidthFit {
        Scale, // shrink columns and table font together
        Landscape, // turn the page; shrink as well if still too wide
        None, // let it run off the page
    };
    enum class ItemKind { Text, Line, Box };

    struct Margins
    {
        double left = 15.0;
        double top = 15.0;
        double right = 15.0;
        double bottom = 15.0;
    };

    struct Parameter
    {
        QString name;
        QString defaultText;
        // Shown as a line of the default report header (templates without
        // a header of their own).
        bool printInDefaultHeader = true;
    };

    struct Column
    {
        QString field; // the name sinks look the field up by
        QString caption; // column header; the field name when not given
        double width = 0.0; // mm; 0 shares the width left over
        Align align = Align::Left;
        int decimals = -1; // >= 0: numbers are printed with this many decimals
    };

    // A text, line or box placed in a band, in mm from the band's top-left
    // corner. Texts may hold {Parameter}, {Title}, {PageNumber} and
    // {PageCount}.
    struct Item
    {
        ItemKind kind = ItemKind::Text;
        QString name; // optional; named items can be hidden by the caller
        QString text;
        double x = 0.0;
        double y = 0.0;
        double width = 0.0; // 0: to the band's right edge
        double height = 0.0; // 0: one line of the item's font
        double fontSize = 0.0; // pt; 0: the template's font size
        bool bold = false;
        Align align = Align::Left;
        bool border = false;
        bool visible = true;
    };

    struct Band
    {
        bool present = false;
        double height = 0.0; // mm; 0: just below the lowest item
        QList<Item> items;
    };

    struct Totals
    {
        QString field; // the column whose text marks the row; empty: the first
        QStringList markers {QStringLiteral("总合计"), QStringLiteral("总计行")};
        bool bold = true;
    };

    // A sum row that the component computes itself, for templates that sum
    // columns rather than receiving a totals row from the sink.
    struct SumRow
    {
        bool present = false;
        QString label = QStringLiteral("合计");
        QStringList fields;
        int decimals = 2;
    };

    QString title;
    QString fontFamily; // preferred family, tried before the built-in list
    double fontSize = 9.0; // pt
    Orientation orientation = Orientation::Portrait;
    Margins margins;
    WidthFit widthFit = WidthFit::Scale;
    double rowHeight = 0.0; // mm; 0: from the font size
    double headerRowHeight = 0.0; // mm; 0: from the font size
    bool grid = true;
    bool showColumnHeader = true;

    QList<Parameter> parameters;
    QList<Column> columns;
    Band pageHeader; // every page, top
    Band reportHeader; // first page, above the table
    Band reportFooter; // after the last row
    Band pageFooter; // every page, bottom
    Totals totals;
    SumRow sumRow;

    // Index of the column holding the field, or -1.
    int columnIndex(const QString& field) const;
    const Parameter* parameter(const QString& name) const;

    // Parses the JSON text; on failure answers nothing and sets *error to a
    // message that names sourceName.
    static std::optional<ReportTemplate> fromJson(const QByteArray& json, const QString& sourceName, QString* error);
    static std::optional<ReportTemplate> fromFile(const QString& path, QString* error);

    // The header a template gets when it defines none: the title and one
    // line per printed parameter.
    Band defaultReportHeader() const;
    // The page line "第 N 页 / 共 M 页" centred at the bottom.
    Band defaultPageFooter() const;
};
