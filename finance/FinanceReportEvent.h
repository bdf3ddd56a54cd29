#pragma once

#include "CGridppReportEventImpl.h"

#include <QString>

#include <array>
#include <cstddef>

// The sinks of the finance reports. Each is given the titles of the
// template fields it fills and a function that turns one of its rows (and
// the row's place in its copy) into the texts of those fields, in the same
// order; every row becomes one record. A field the template lacks is
// skipped.
template <typename Row, std::size_t N> class FinanceReportEvent : public CGridppReportRowsEventImpl<Row>
{
public:
    using Titles = std::array<const char *, N>;
    using Texts = std::array<QString, N>;
    using TextsOf = Texts (*)(const Row &row, int index);

    void Initialize() override
    {
        for (std::size_t i = 0; i < N; ++i)
            m_fields[i] = this->FindField(QString::fromUtf8(m_titles[i]));
    }
    void FetchRecord() override { FillRecords(); }
    int FillRecords()
    {
        int index = 0;
        return this->FillRecordsWith([this, &index](const Row &row) {
            const Texts texts = m_textsOf(row, index++);
            for (std::size_t i = 0; i < N; ++i)
                this->SetFieldText(m_fields[i], texts[i]);
        });
    }

protected:
    FinanceReportEvent(const Titles &titles, TextsOf textsOf)
        : m_titles(titles)
        , m_textsOf(textsOf)
    {
    }

private:
    Titles m_titles;
    TextsOf m_textsOf;
    std::array<ReportField *, N> m_fields {};
};
