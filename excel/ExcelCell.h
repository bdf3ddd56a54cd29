#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct ExcelTextStore;

enum class ExcelCellType : std::uint8_t {
    Empty = 0,
    Integer = 1,
    Double = 2,
    String = 3, // 8-bit text, taken as UTF-8
    WString = 4, // UTF-16 text
};

// One cell of a sheet: empty, an integer, a floating value or a text. Cells
// belong to their sheet; a pointer from ExcelSheet::Cell is meant to be used
// at once (a later Cell call on the same sheet may move it).
//
// Texts longer than the 32,767 characters a spreadsheet cell can hold are
// cut there, never inside a character.
class ExcelCell
{
public:
    static constexpr std::size_t kMaxTextLength = 32767;

    ExcelCell() = default;

    ExcelCellType Type() const { return m_type; }

    // Integer: true for integer and floating cells (a floating value is
    // truncated toward zero and held to the int range).
    bool Get(int& value) const;
    // Double: true for floating and integer cells.
    bool Get(double& value) const;
    // Text: true only for a cell of the matching text type.
    bool Get(std::string& value) const;
    bool Get(std::u16string& value) const;
    int GetInteger() const;
    double GetDouble() const;
    // Length of the text: bytes for an 8-bit text, UTF-16 units for a wide
    // text, 0 for other cells.
    std::size_t GetStringLength() const;

    void Set(int value) { SetInteger(value); }
    void Set(double value) { SetDouble(value); }
    void Set(std::string_view text) { SetString(text); }
    void Set(std::u16string_view text) { SetWString(text); }
    void SetInteger(int value);
    void SetDouble(double value);
    // An empty text empties the cell.
    void SetString(std::string_view utf8);
    void SetString(const char* utf8);
    void SetWString(std::u16string_view text);
    void SetWString(const char16_t* text);
    void EraseContents();

    // The text without copying; empty for other cell types.
    std::string_view StringView() const;
    std::u16string_view WStringView() const;
    std::uint32_t TextId() const { return m_text; }
    std::uint16_t Column() const { return m_column; }

private:
    friend class ExcelSheet;
    ExcelCell(ExcelTextStore* store, std::uint16_t column)
        : m_store(store)
        , m_column(column)
    {
    }

    ExcelTextStore* m_store = nullptr;
    union {
        std::int32_t m_integer = 0;
        double m_double;
        std::uint32_t m_text;
    };
    std::uint16_t m_column = 0;
    ExcelCellType m_type = ExcelCellType::Empty;
};
