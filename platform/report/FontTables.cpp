#include "FontTables.h"

#include <QList>
#include <QRawFont>
#include <QtEndian>

#include <iterator>
#include <utility>

namespace FontTables {

namespace {

    QByteArray be16(quint16 value)
    {
        QByteArray bytes(2, '\0');
        qToBigEndian(value, bytes.data());
        return bytes;
    }

    QByteArray be32(quint32 value)
    {
        QByteArray bytes(4, '\0');
        qToBigEndian(value, bytes.data());
        return bytes;
    }

    // Family (1), subfamily (2), full name (4) and PostScript name (6), in
    // the Windows Unicode encoding every font reader takes.
    QByteArray namingTable(const QString& name, const QString& style)
    {
        const std::pair<quint16, QString> names[]
            = {{1, name}, {2, style.isEmpty() ? QStringLiteral("Regular") : style}, {4, name}, {6, name}};
        QByteArray records;
        QByteArray strings;
        for (const auto& [id, text] : names) {
            QByteArray utf16;
            for (QChar ch : text)
                utf16 += be16(ch.unicode());
            records += be16(3) + be16(1) + be16(0x409) + be16(id) + be16(quint16(utf16.size()))
                + be16(quint16(strings.size()));
            strings += utf16;
        }
        const quint16 count = std::size(names);
        return be16(0) + be16(count) + be16(quint16(6 + 12 * count)) + records + strings;
    }

    quint16 read16(const QByteArray& data, qsizetype at)
    {
        return at + 2 <= data.size() ? qFromBigEndian<quint16>(data.constData() + at) : 0;
    }

} // namespace

QByteArray postScriptName(const QRawFont& font)
{
    const QByteArray table = font.fontTable("name");
    const qsizetype strings = read16(table, 4);
    QByteArray mac;
    for (qsizetype record = 6; record + 12 <= table.size() && record < 6 + 12 * read16(table, 2); record += 12) {
        const quint16 platform = read16(table, record);
        const qsizetype at = strings + read16(table, record + 10);
        const QByteArray text = table.mid(at, read16(table, record + 8));
        if (read16(table, record + 6) != 6 || text.isEmpty())
            continue;
        if (platform == 3) { // UTF-16, preferred as by FreeType
            QByteArray name;
            for (qsizetype i = 0; i + 1 < text.size(); i += 2)
                name += static_cast<char>(read16(text, i));
            return name.replace(' ', '_');
        }
        if (platform == 1)
            mac = text;
    }
    return mac.replace(' ', '_');
}

QByteArray copyNamed(const QRawFont& font, const QString& name)
{
    // Outlines in either flavour, the metrics and the character map;
    // whatever the font lacks is left out.
    static const char* const tags[] = {"CFF ", "CFF2", "OS/2", "VORG", "cmap", "cvt ", "fpgm", "gasp", "glyf", "head",
        "hhea", "hmtx", "loca", "maxp", "name", "post", "prep", "vhea", "vmtx"};
    QList<std::pair<QByteArray, QByteArray>> tables;
    bool outlines = false;
    bool cff = false;
    for (const char* tag : tags) {
        const QByteArray data = qstrcmp(tag, "name") == 0 ? namingTable(name, font.styleName()) : font.fontTable(tag);
        if (data.isEmpty())
            continue;
        cff = cff || qstrncmp(tag, "CFF", 3) == 0;
        outlines = outlines || cff || qstrcmp(tag, "glyf") == 0;
        tables.append({QByteArray(tag, 4), data});
    }
    if (!outlines)
        return {};

    // The table directory, sorted by tag as the tag list is.
    const auto count = static_cast<quint16>(tables.size());
    quint16 log2 = 0;
    while ((2u << log2) <= count)
        ++log2;
    const auto searchRange = static_cast<quint16>((1u << log2) * 16);
    QByteArray data = be32(cff ? 0x4F54544F /* OTTO */ : 0x00010000) + be16(count) + be16(searchRange) + be16(log2)
        + be16(static_cast<quint16>(count * 16 - searchRange));
    QByteArray body;
    const quint32 start = 12 + 16 * count;
    for (const auto& [tag, table] : std::as_const(tables)) {
        // Checksums are left 0: readers do not check them.
        data += tag + be32(0) + be32(start + static_cast<quint32>(body.size())) + be32(quint32(table.size()));
        body += table;
        body.append((4 - body.size() % 4) % 4, '\0');
    }
    return data + body;
}

} // namespace FontTables
