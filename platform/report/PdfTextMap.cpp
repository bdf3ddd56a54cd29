#include "PdfTextMap.h"

#include <QRegularExpression>
#include <QSet>

#include <cctype>

namespace PdfTextMap {

namespace {

    using InFont = std::function<std::optional<char16_t>(char16_t)>;

    bool isHex4(const QByteArray& data, qsizetype at)
    {
        if (at < 1 || at + 5 > data.size() || data.at(at - 1) != '<' || data.at(at + 4) != '>')
            return false;
        for (qsizetype i = at; i < at + 4; ++i) {
            if (!std::isxdigit(static_cast<unsigned char>(data.at(i))))
                return false;
        }
        return true;
    }

    // Rewrites the 4-digit hex code starting at `at` when correct() asks to.
    void fixCode(QByteArray& data, qsizetype at, const InFont& correct)
    {
        if (!isHex4(data, at))
            return;
        bool ok = false;
        const uint code = data.mid(at, 4).toUInt(&ok, 16);
        if (!ok)
            return;
        const std::optional<char16_t> actual = correct(static_cast<char16_t>(code));
        if (!actual || *actual == code)
            return;
        const QByteArray replacement
            = QByteArray::number(static_cast<uint>(*actual), 16).toUpper().rightJustified(4, '0');
        for (qsizetype i = 0; i < 4; ++i)
            data[at + i] = replacement.at(i);
    }

    // Positions just after '<' of every <XXXX> token on the line [from, to).
    QList<qsizetype> hexTokens(const QByteArray& data, qsizetype from, qsizetype to)
    {
        QList<qsizetype> tokens;
        for (qsizetype i = from; i + 5 < to; ++i) {
            if (data.at(i) == '<' && isHex4(data, i + 1)) {
                tokens.append(i + 1);
                i += 5;
            }
        }
        return tokens;
    }

    void fixStream(QByteArray& data, qsizetype begin, qsizetype end, const InFont& correct)
    {
        enum class Block { None, Range, Char } block = Block::None;
        qsizetype lineStart = begin;
        while (lineStart < end) {
            qsizetype lineEnd = data.indexOf('\n', lineStart);
            if (lineEnd < 0 || lineEnd > end)
                lineEnd = end;
            const QByteArray line = data.mid(lineStart, lineEnd - lineStart).trimmed();
            if (line.endsWith("beginbfrange")) {
                block = Block::Range;
            } else if (line.endsWith("beginbfchar")) {
                block = Block::Char;
            } else if (line == "endbfrange" || line == "endbfchar") {
                block = Block::None;
            } else if (block != Block::None) {
                const QList<qsizetype> tokens = hexTokens(data, lineStart, lineEnd);
                if (block == Block::Char && tokens.size() == 2) {
                    fixCode(data, tokens.at(1), correct); // <source> <target>
                } else if (block == Block::Range && tokens.size() >= 3) {
                    const qsizetype bracket = data.indexOf('[', lineStart);
                    if (bracket >= 0 && bracket < lineEnd) {
                        // <low> <high> [<target> <target> ...]
                        for (qsizetype i = 2; i < tokens.size(); ++i)
                            fixCode(data, tokens.at(i), correct);
                    } else if (tokens.size() == 3 && data.mid(tokens.at(0), 4) == data.mid(tokens.at(1), 4)) {
                        // <code> <code> <target>: a range of one. Longer ranges
                        // count up from their target and are left alone.
                        fixCode(data, tokens.at(2), correct);
                    }
                }
            }
            lineStart = lineEnd + 1;
        }
    }

    // The /BaseFont of the object that refers to a map at `at`, without the
    // subset tag ("ABCDEF+") other writers put before it.
    QByteArray fontNameAround(const QByteArray& pdf, qsizetype at)
    {
        const qsizetype object = pdf.lastIndexOf(" obj", at);
        const qsizetype objectEnd = pdf.indexOf("endobj", at);
        const qsizetype key = object < 0 ? -1 : pdf.indexOf("/BaseFont", object);
        if (key < 0 || (objectEnd >= 0 && key > objectEnd))
            return {};
        qsizetype from = key + 9;
        while (from < pdf.size() && std::isspace(static_cast<unsigned char>(pdf.at(from))))
            ++from;
        if (from >= pdf.size() || pdf.at(from) != '/')
            return {};
        qsizetype to = ++from;
        while (to < pdf.size() && !std::isspace(static_cast<unsigned char>(pdf.at(to)))
            && !QByteArrayView("/<>[]()").contains(pdf.at(to)))
            ++to;
        QByteArray name = pdf.mid(from, to - from);
        if (name.size() > 7 && name.at(6) == '+')
            name.remove(0, 7);
        return name;
    }

} // namespace

QByteArray fixToUnicodeMaps(QByteArray pdf, const Correction& correct)
{
    if (!correct)
        return pdf;
    static const QRegularExpression reference(QStringLiteral("/ToUnicode (\\d+) 0 R"));
    QSet<QByteArray> done;
    const QString text = QString::fromLatin1(pdf);
    for (auto it = reference.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QByteArray number = match.captured(1).toLatin1();
        if (done.contains(number))
            continue;
        done.insert(number);
        const qsizetype object = pdf.indexOf("\n" + number + " 0 obj");
        if (object < 0)
            continue;
        const qsizetype objectEnd = pdf.indexOf("endobj", object);
        const qsizetype stream = pdf.indexOf("stream\n", object);
        if (objectEnd < 0 || stream < 0 || stream > objectEnd)
            continue;
        const qsizetype dict = pdf.indexOf("<<", object);
        // A compressed map would need inflating; the ones Qt writes are
        // plain text, and anything else is left as it is.
        if (pdf.mid(dict, stream - dict).contains("/Filter"))
            continue;
        const qsizetype begin = stream + 7;
        const qsizetype end = pdf.indexOf("endstream", begin);
        if (end < 0 || end > objectEnd)
            continue;
        const QByteArray font = fontNameAround(pdf, match.capturedStart());
        fixStream(pdf, begin, end, [&](char16_t code) { return correct(font, code); });
    }
    return pdf;
}

} // namespace PdfTextMap
