#pragma once

#include "BiffRecord.h"
#include "BiffStrings.h"

#include <string_view>
#include <vector>

namespace Biff {

// The workbook globals, the first substream of the "Workbook" stream: BOF,
// WINDOW1, the FONT, XF, STYLE and BOUNDSHEET lists, SST and EOF, written in
// that order. (An EXTSST object exists but is never written.)
class Workbook
{
public:
    class Window1 : public FieldRecord
    {
    public:
        Window1();
        std::uint16_t horizontalPosition = 120;
        std::uint16_t verticalPosition = 120;
        std::uint16_t width = 0x3B1F;
        std::uint16_t height = 0x2454;
        std::uint16_t options = 0x0038;
        std::uint16_t activeSheet = 0;
        std::uint16_t firstVisibleTab = 0;
        std::uint16_t selectedSheets = 1;
        std::uint16_t tabBarWidthRatio = 600;

    protected:
        std::uint32_t ComputeDataSize() const override { return 18; }
        void StoreFields(FieldWriter& out) const override;
        bool LoadFields(FieldReader& in) override;
    };

    class Font : public FieldRecord
    {
    public:
        Font();
        std::uint16_t height = 200;
        std::uint16_t options = 0;
        std::uint16_t colourIndex = 0x7FFF;
        std::uint16_t weight = 400;
        std::uint16_t escapement = 0;
        std::uint8_t underline = 0;
        std::uint8_t family = 0;
        std::uint8_t characterSet = 0;
        std::uint8_t reserved = 0;
        ShortString name;

    protected:
        std::uint32_t ComputeDataSize() const override { return 14 + name.RecordSize(); }
        void StoreFields(FieldWriter& out) const override;
        bool LoadFields(FieldReader& in) override;
    };

    class XF : public FieldRecord
    {
    public:
        XF();
        std::uint16_t fontIndex = 0;
        std::uint16_t formatIndex = 0;
        std::uint16_t protectionType = 0xFFF5;
        std::uint8_t alignment = 0x20;
        std::uint8_t rotation = 0;
        std::uint8_t indentShrink = 0;
        std::uint8_t usedAttributes = 0;
        std::uint32_t borderLines = 0;
        std::uint32_t borderColoursPattern = 0;
        std::uint16_t patternColours = 0x20C0;

    protected:
        std::uint32_t ComputeDataSize() const override { return 20; }
        void StoreFields(FieldWriter& out) const override;
        bool LoadFields(FieldReader& in) override;
    };

    class Style : public FieldRecord
    {
    public:
        Style();
        std::uint16_t xfIndex = 0x8000; // top bit: a built-in style
        std::uint8_t builtInId = 0;
        std::uint8_t outlineLevel = 0xFF;
        LongString name;
        bool IsBuiltIn() const { return (xfIndex & 0x8000) != 0; }

    protected:
        std::uint32_t ComputeDataSize() const override { return IsBuiltIn() ? 4 : 2 + name.RecordSize(); }
        void StoreFields(FieldWriter& out) const override;
        bool LoadFields(FieldReader& in) override;
    };

    class BoundSheet : public FieldRecord
    {
    public:
        BoundSheet();
        std::uint32_t position = 0; // stream position of the sheet's BOF
        std::uint8_t visibility = 0;
        std::uint8_t sheetType = 0;
        ShortString name;

    protected:
        std::uint32_t ComputeDataSize() const override { return 6 + name.RecordSize(); }
        void StoreFields(FieldWriter& out) const override;
        bool LoadFields(FieldReader& in) override;
    };

    // SST. The strings are held packed (their characters back to back, as
    // the file stores them) because a large export has hundreds of thousands
    // of them. Past 8224 bytes the record is cut into CONTINUE pieces; a
    // string cut in two repeats its flags byte at the start of the next piece
    // and a UTF-16 string is never cut inside a character.
    class SharedStringTable : public Record
    {
    public:
        SharedStringTable();
        std::uint32_t totalCount = 0; // cells that refer to the table

        void Clear();
        void Reserve(std::size_t strings, std::size_t characterBytes);
        std::uint32_t Add(const LongString& string);
        std::uint32_t AddWide(std::u16string_view text);
        std::uint32_t AddCompressed(std::string_view latin1);
        std::uint32_t UniqueCount() const { return static_cast<std::uint32_t>(m_entries.size()); }
        LongString At(std::uint32_t index) const;

        std::uint32_t Read(const std::uint8_t* bytes, std::size_t available) override;
        std::uint32_t Write(std::uint8_t* buffer) override;
        std::uint32_t DataSize() override;
        std::uint32_t RecordSize() override;
        bool WriteTo(ByteSink& sink) override;

    private:
        struct Entry
        {
            std::uint32_t offset; // into m_characters
            std::uint32_t count; // characters
            bool wide;
            std::uint32_t Bytes() const { return wide ? 2 * count : count; }
        };
        std::vector<std::uint8_t> m_characters;
        std::vector<Entry> m_entries;
    };

    class ExtSST : public FieldRecord
    {
    public:
        ExtSST();
        std::uint16_t stringsPerBucket = 0;
        std::vector<std::uint32_t> streamPositions;
        std::vector<std::uint16_t> recordPositions;
        std::vector<std::uint16_t> reserved;

    protected:
        std::uint32_t ComputeDataSize() const override;
        void StoreFields(FieldWriter& out) const override;
        bool LoadFields(FieldReader& in) override;
    };

    Workbook();

    std::uint32_t Write(std::uint8_t* buffer);
    bool WriteTo(ByteSink& sink);
    std::uint32_t DataSize();
    std::uint32_t RecordSize() { return DataSize(); }

    BOF bof;
    Window1 window1;
    std::vector<Font> fonts;
    std::vector<XF> xfs;
    std::vector<Style> styles;
    std::vector<BoundSheet> boundSheets;
    SharedStringTable sst;
    ExtSST extSst;
    EndOfFile eof;
};

} // namespace Biff
