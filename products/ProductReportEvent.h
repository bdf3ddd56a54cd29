#pragma once

#include "CGridppReportEventImpl.h"

#include <QString>

#include <array>
#include <cstddef>

#include "ProductSums.h"

// What a row of the month balance or the trade detail prints in its first
// column: "总合计" when the row is marked "总计行" as a totals row, else
// its own text.
inline QString FirstColumnText(const QString &rowKind, const QString &text)
{
    return rowKind == QStringLiteral("总计行") ? kTotalsRowTitle : text;
}

// The sinks of the product reports. Each is given the titles of the
// template fields it fills and a function that turns one of its rows into
// the texts of those fields, in the same order; every row becomes one
// record. A field the template lacks is skipped.
template<typename Row, std::size_t N>
class ProductReportEvent : public CGridppReportRowsEventImpl<Row>
{
public:
    using Titles = std::array<const char *, N>;
    using Texts = std::array<QString, N>;
    using TextsOf = Texts (*)(const Row &row);

    void Initialize() override
    {
        for (std::size_t i = 0; i < N; ++i)
            m_fields[i] = this->FindField(QString::fromUtf8(m_titles[i]));
    }
    void FetchRecord() override { FillRecords(); }
    int FillRecords()
    {
        return this->FillRecordsWith([this](const Row &row) {
            const Texts texts = m_textsOf(row);
            for (std::size_t i = 0; i < N; ++i)
                this->SetFieldText(m_fields[i], texts[i]);
        });
    }

protected:
    ProductReportEvent(const Titles &titles, TextsOf textsOf)
        : m_titles(titles)
        , m_textsOf(textsOf)
    {
    }

private:
    Titles m_titles;
    TextsOf m_textsOf;
    std::array<ReportField *, N> m_fields{};
};
