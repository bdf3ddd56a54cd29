#include "ExcelCell.h"

#include "ExcelText.h"
#include "ExcelTextStore.h"

#include <cmath>
#include <limits>

bool ExcelCell::Get(int& value) const
{
    if (m_type == ExcelCellType::Integer) {
        value = m_integer;
        return true;
    }
    if (m_type == ExcelCellType::Double) {
        const double truncated = std::trunc(m_double);
        if (std::isnan(truncated))
            value = 0;
        else if (truncated <= static_cast<double>(std::numeric_limits<int>::min()))
            value = std::numeric_limits<int>::min();
        else if (truncated >= static_cast<double>(std::numeric_limits<int>::max()))
            value = std::numeric_limits<int>::max();
        else
            value = static_cast<int>(truncated);
        return true;
    }
    return false;
}

bool ExcelCell::Get(double& value) const
{
    if (m_type == ExcelCellType::Double) {
        value = m_double;
        return true;
    }
    if (m_type == ExcelCellType::Integer) {
        value = m_integer;
        return true;
    }
    return false;
}

bool ExcelCell::Get(std::string& value) const
{
    if (m_type != ExcelCellType::String)
        return false;
    value.assign(StringView());
    return true;
}

bool ExcelCell::Get(std::u16string& value) const
{
    if (m_type != ExcelCellType::WString)
        return false;
    value.assign(WStringView());
    return true;
}

int ExcelCell::GetInteger() const
{
    int value = 0;
    return Get(value) ? value : 0;
}

double ExcelCell::GetDouble() const
{
    double value = 0.0;
    return Get(value) ? value : 0.0;
}

std::size_t ExcelCell::GetStringLength() const
{
    if (m_type == ExcelCellType::String)
        return StringView().size();
    if (m_type == ExcelCellType::WString)
        return WStringView().size();
    return 0;
}

void ExcelCell::SetInteger(int value)
{
    m_integer = value;
    m_type = ExcelCellType::Integer;
}

void ExcelCell::SetDouble(double value)
{
    m_double = value;
    m_type = ExcelCellType::Double;
}

void ExcelCell::SetString(std::string_view utf8)
{
    if (utf8.empty() || m_store == nullptr) {
        EraseContents();
        return;
    }
    m_text = m_store->narrow.Intern(ExcelText::CutUtf8(utf8, kMaxTextLength));
    m_type = ExcelCellType::String;
}

void ExcelCell::SetString(const char* utf8)
{
    SetString(utf8 == nullptr ? std::string_view() : std::string_view(utf8));
}

void ExcelCell::SetWString(std::u16string_view text)
{
    if (text.empty() || m_store == nullptr) {
        EraseContents();
        return;
    }
    m_text = m_store->wide.Intern(ExcelText::CutUtf16(text, kMaxTextLength));
    m_type = ExcelCellType::WString;
}

void ExcelCell::SetWString(const char16_t* text)
{
    SetWString(text == nullptr ? std::u16string_view() : std::u16string_view(text));
}

void ExcelCell::EraseContents()
{
    m_type = ExcelCellType::Empty;
}

std::string_view ExcelCell::StringView() const
{
    return m_type == ExcelCellType::String ? m_store->narrow.Text(m_text) : std::string_view();
}

std::u16string_view ExcelCell::WStringView() const
{
    return m_type == ExcelCellType::WString ? m_store->wide.Text(m_text) : std::u16string_view();
}
