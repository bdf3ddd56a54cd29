#pragma once

#include "BiffRecord.h"

#include <string>
#include <variant>
#include <vector>

namespace Biff {

// One worksheet substream: BOF, INDEX, DIMENSIONS, the cell table, WINDOW2
// and EOF, written in that order. The cell table is a list of row blocks of
// up to 32 rows, each holding its ROW records, its cell records and a DBCELL.
class Worksheet
{
public:
    class Index : public FieldRecord
    {
    public:
        Index();
        std::uint32_t firstUsedRow = 0;
        std::uint32_t lastUsedRowPlus1 = 0;
        // Stream offset of each row block's DBCELL, one per row block.
        std::vector<std::uint32_t> dbCellPositions;

    protected:
        std::uint32_t ComputeDataSize() const override;
        void StoreFields(FieldWriter& out) const override;
        bool LoadFields(FieldReader& in) override;
    };

    class Dimensions : public FieldRecord
    {
    public:
        Dimensions();
        std::uint32_t firstUsedRow = 0;
        std::uint32_t lastUsedRowPlus1 = 0;
        std::uint16_t firstUsedColumn = 0;
        std::uint16_t lastUsedColumnPlus1 = 0;

    protected:
        std::uint32_t ComputeDataSize() const override { return 14; }
        void StoreFields(FieldWriter& out) const override;
        bool LoadFields(FieldReader& in) override;
    };

    class Window2 : public FieldRecord
    {
    public:
        static constexpr std::uint16_t kSelected = 0x0200;
        Window2();
        std::uint16_t options = 0x06B6;
        std::uint16_t firstVisibleRow = 0;
        std::uint16_t firstVisibleColumn = 0;
        std::uint16_t gridLineColour = 64;
        std::uint16_t zoomPageBreakPreview = 0;
        std::uint16_t zoomNormal = 0;

    protected:
        std::uint32_t ComputeDataSize() const override { return 18; }
        void StoreFields(FieldWriter& out) const override;
        bool LoadFields(FieldReader& in) override;
    };

    class CellTable
    {
    public:
        class RowBlock
        {
        public:
            class Row : public FieldRecord
            {
            public:
                Row();
                std::uint16_t row = 0;
                std::uint16_t firstColumn = 0;
                std::uint16_t lastColumnPlus1 = 0;
                std::uint16_t height = 255;
                std::uint32_t optionFlags = 0;

            protected:
                std::uint32_t ComputeDataSize() const override { return 16; }
                void StoreFields(FieldWriter& out) const override;
                bool LoadFields(FieldReader& in) override;
            };

            class DBCell : public FieldRecord
            {
            public:
                DBCell();
                std::uint32_t firstRowOffset = 0; // back from the DBCELL to the block's first ROW
                std::vector<std::uint16_t> offsets; // one per ROW

            protected:
                std::uint32_t ComputeDataSize() const override;
                void StoreFields(FieldWriter& out) const override;
                bool LoadFields(FieldReader& in) override;
            };

            // One cell record of any of the eight cell kinds.
            class CellBlock
            {
            public:
                struct CellRecord : FieldRecord
                {
                    using FieldRecord::FieldRecord;
                    std::uint16_t row = 0;
                    std::uint16_t column = 0;
                };

                class Blank : public CellRecord
                {
                public:
                    Blank();
                    std::uint16_t xfIndex = 0;

                protected:
                    std::uint32_t ComputeDataSize() const override { return 6; }
                    void StoreFields(FieldWriter& out) const override;
                    bool LoadFields(FieldReader& in) override;
                };

                class BoolErr : public CellRecord
                {
                public:
                    BoolErr();
                    std::uint16_t xfIndex = 0;
                    std::uint8_t value = 0;
                    std::uint8_t isError = 0;

                protected:
                    std::uint32_t ComputeDataSize() const override { return 8; }
                    void StoreFields(FieldWriter& out) const override;
                    bool LoadFields(FieldReader& in) override;
                };

                class LabelSST : public CellRecord
                {
                public:
                    LabelSST();
                    std::uint16_t xfIndex = 0;
                    std::uint32_t sstIndex = 0;

                protected:
                    std::uint32_t ComputeDataSize() const override { return 10; }
                    void StoreFields(FieldWriter& out) const override;
                    bool LoadFields(FieldReader& in) override;
                };

                class MulBlank : public CellRecord
                {
                public:
                    MulBlank();
                    std::vector<std::uint16_t> xfIndices;
                    std::uint16_t lastColumn = 0;

                protected:
                    std::uint32_t ComputeDataSize() const override;
                    void StoreFields(FieldWriter& out) const override;
                    bool LoadFields(FieldReader& in) override;
                };

                struct MulRKEntry
                {
                    std::uint16_t xfIndex = 0;
                    std::uint32_t rk = 0;
                };

                class MulRK : public CellRecord
                {
                public:
                    MulRK();
                    std::vector<MulRKEntry> entries;
                    std::uint16_t lastColumn = 0;

                protected:
                    std::uint32_t ComputeDataSize() const override;
                    void StoreFields(FieldWriter& out) const override;
                    bool LoadFields(FieldReader& in) override;
                };

                class Number : public CellRecord
                {
                public:
                    Number();
                    std::uint16_t xfIndex = 0;
                    double value = 0.0;

                protected:
                    std::uint32_t ComputeDataSize() const override { return 14; }
                    void StoreFields(FieldWriter& out) const override;
                    bool LoadFields(FieldReader& in) override;
                };

                class RK : public CellRecord
                {
                public:
                    RK();
                    std::uint16_t xfIndex = 0;
                    std::uint32_t rk = 0;

                protected:
                    std::uint32_t ComputeDataSize() const override { return 10; }
                    void StoreFields(FieldWriter& out) const override;
                    bool LoadFields(FieldReader& in) override;
                };

                // Carried so that formula records can be held and written
                // back; the writer itself never builds one.
                class Formula : public CellRecord
                {
                public:
                    class Array : public FieldRecord
                    {
                    public:
                        Array();
                        std::uint16_t firstRow = 0;
                        std::uint16_t lastRow = 0;
                        std::uint8_t firstColumn = 0;
                        std::uint8_t lastColumn = 0;
                        std::uint16_t options = 0;
                        std::uint32_t reserved = 0;
                        std::vector<std::uint8_t> formula;

                    protected:
                        std::uint32_t ComputeDataSize() const override
                        {
                            return static_cast<std::uint32_t>(12 + formula.size());
                        }
                        void StoreFields(FieldWriter& out) const override;
                        bool LoadFields(FieldReader& in) override;
                    };

                    class ShrFmla : public FieldRecord
                    {
                    public:
                        ShrFmla();
                        std::uint16_t firstRow = 0;
                        std::uint16_t lastRow = 0;
                        std::uint8_t firstColumn = 0;
                        std::uint8_t lastColumn = 0;
                        std::uint16_t word = 0;
                        std::vector<std::uint8_t> formula;

                    protected:
                        explicit ShrFmla(std::uint16_t id)
                            : FieldRecord(id)
                        {
                        }
                        std::uint32_t ComputeDataSize() const override
                        {
                            return static_cast<std::uint32_t>(8 + formula.size());
                        }
                        void StoreFields(FieldWriter& out) const override;
                        bool LoadFields(FieldReader& in) override;
                    };

                    class ShrFmla1 : public ShrFmla
                    {
                    public:
                        ShrFmla1()
                            : ShrFmla(0x04BC)
                        {
                        }
                    };

                    class Table : public FieldRecord
                    {
                    public:
                        Table();
                        std::uint16_t firstRow = 0;
                        std::uint16_t lastRow = 0;
                        std::uint8_t firstColumn = 0;
                        std::uint8_t lastColumn = 0;
                        std::uint16_t options = 0;
                        std::uint16_t inputRow1 = 0;
                        std::uint16_t inputColumn1 = 0;
                        std::uint16_t inputRow2 = 0;
                        std::uint16_t inputColumn2 = 0;

                    protected:
                        std::uint32_t ComputeDataSize() const override { return 16; }
                        void StoreFields(FieldWriter& out) const override;
                        bool LoadFields(FieldReader& in) override;
                    };

                    // The formula's string result: count, flags, UTF-16 units;
                    // an empty result has no record.
                    class String : public FieldRecord
                    {
                    public:
                        String();
                        std::u16string text;

                    protected:
                        std::uint32_t ComputeDataSize() const override;
                        void StoreFields(FieldWriter& out) const override;
                        bool LoadFields(FieldReader& in) override;
                    };

                    Formula();
                    std::uint32_t Read(const std::uint8_t* bytes, std::size_t available) override;
                    std::uint32_t Write(std::uint8_t* buffer) override;
                    std::uint32_t RecordSize() override;

                    std::uint16_t xfIndex = 0;
                    std::uint64_t result = 0;
                    std::uint16_t options = 0;
                    std::uint16_t word = 0;
                    std::vector<std::uint8_t> rest;
                    std::int16_t followerKind = -1;
                    Array array;
                    ShrFmla shrFmla;
                    ShrFmla1 shrFmla1;
                    Table table;
                    String string;

                protected:
                    std::uint32_t ComputeDataSize() const override
                    {
                        return static_cast<std::uint32_t>(18 + rest.size());
                    }
                    void StoreFields(FieldWriter& out) const override;
                    bool LoadFields(FieldReader& in) override;

                private:
                    Record* Follower();
                };

                CellBlock() = default;
                template <typename T>
                explicit CellBlock(T record)
                    : m_record(std::move(record))
                {
                }

                // The record id of the held record, -1 for none.
                std::int16_t Kind() const;
                std::uint32_t Read(const std::uint8_t* bytes, std::size_t available);
                std::uint32_t Write(std::uint8_t* buffer);
                std::uint32_t RecordSize();
                std::uint16_t RowIndex() const;
                std::uint16_t ColumnIndex() const;

                template <typename T> T* Get() { return std::get_if<T>(&m_record); }
                template <typename T> const T* Get() const { return std::get_if<T>(&m_record); }

                std::uint8_t flag = 1;

            private:
                // Only one record is ever written, so only one is held.
                std::variant<std::monostate, Blank, BoolErr, LabelSST, MulBlank, MulRK, Number, RK, Formula> m_record;
            };

            std::uint32_t Write(std::uint8_t* buffer);
            std::uint32_t DataSize();
            std::uint32_t RecordSize() { return DataSize(); }
            void Clear();

            std::vector<Row> rows;
            std::vector<CellBlock> cells;
            DBCell dbCell;
        };

        std::uint32_t Write(std::uint8_t* buffer);
        std::uint32_t DataSize();
        std::uint32_t RecordSize() { return DataSize(); }

        std::vector<RowBlock> rowBlocks;
    };

    Worksheet();

    std::uint32_t Write(std::uint8_t* buffer);
    std::uint32_t DataSize();
    std::uint32_t RecordSize() { return DataSize(); }

    // The records before and after the cell table. A large sheet writes its
    // row blocks one at a time between the two, never holding all of them.
    std::uint32_t HeadSize();
    std::uint32_t TailSize();
    bool WriteHead(ByteSink& sink);
    bool WriteTail(ByteSink& sink);

    BOF bof;
    Index index;
    Dimensions dimensions;
    CellTable cellTable;
    Window2 window2;
    EndOfFile eof;
};

} // namespace Biff
