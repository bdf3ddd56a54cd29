#include "BiffRecord.h"
#include "BiffStrings.h"
#include "BiffWorkbook.h"
#include "BiffWorksheet.h"
#include "LittleEndian.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using CellBlock = Biff::Worksheet::CellTable::RowBlock::CellBlock;

std::vector<std::uint8_t> Written(Biff::Record& record)
{
    std::vector<std::uint8_t> bytes(record.RecordSize());
    EXPECT_EQ(record.Write(bytes.data()), bytes.size());
    return bytes;
}

// The (id, length) of each piece of a written record.
std::vector<std::pair<std::uint16_t, std::uint16_t>> Pieces(const std::vector<std::uint8_t>& bytes)
{
    std::vector<std::pair<std::uint16_t, std::uint16_t>> pieces;
    std::size_t pos = 0;
    while (pos + 4 <= bytes.size()) {
        const auto length = LittleEndianRead<std::uint16_t>(bytes.data(), pos + 2);
        pieces.emplace_back(LittleEndianRead<std::uint16_t>(bytes.data(), pos), length);
        pos += 4u + length;
    }
    EXPECT_EQ(pos, bytes.size());
    return pieces;
}

TEST(BiffRecord, DataPastOnePieceGoesIntoContinueRecords)
{
    Biff::Record record(0x1234);
    record.data.assign(8224, 0xAB);
    record.dataSize = 8224;
    record.recordSize = 8228;
    EXPECT_EQ(Pieces(Written(record)).size(), 1u);

    Biff::Record longer(0x1234);
    longer.data.assign(8225, 0xAB);
    longer.dataSize = 8225;
    longer.recordSize = 8225 + 8;
    const auto pieces = Pieces(Written(longer));
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[1], std::make_pair(Biff::kContinueId, std::uint16_t {1}));

    Biff::Record cut(0x1234);
    cut.data.assign(25, 0x11);
    cut.dataSize = 25;
    cut.continueIndices = {10, 20};
    cut.recordSize = 25 + 12;
    const auto cutPieces = Pieces(Written(cut));
    ASSERT_EQ(cutPieces.size(), 3u);
    EXPECT_EQ(cutPieces[0].second, 10);
    EXPECT_EQ(cutPieces[1], std::make_pair(Biff::kContinueId, std::uint16_t {10}));
    EXPECT_EQ(cutPieces[2], std::make_pair(Biff::kContinueId, std::uint16_t {5}));

    // Reading joins the pieces back and stops at a truncated buffer.
    std::vector<std::uint8_t> bytes = Written(cut);
    Biff::Record read;
    EXPECT_EQ(read.Read(bytes.data(), bytes.size()), bytes.size());
    EXPECT_EQ(read.data, cut.data);
    EXPECT_EQ(read.continueIndices, (std::vector<std::uint32_t> {10, 20}));
    EXPECT_EQ(read.Read(bytes.data(), bytes.size() - 1), 0u);
}

TEST(BiffRecord, StringFieldsKeepLatinTextCompressedAndEverythingElseUtf16)
{
    Biff::ShortString name;
    name.SetNarrow("Sheet1");
    std::vector<std::uint8_t> bytes(name.RecordSize());
    name.Write(bytes.data());
    EXPECT_EQ(bytes.size(), 8u);
    EXPECT_EQ(bytes[0], 6);
    EXPECT_EQ(bytes[1], 0);

    name.SetNarrow("货品");
    EXPECT_TRUE(name.IsUnicode());
    EXPECT_EQ(name.DataSize(), 6u);
    EXPECT_EQ(name.ToUtf8(), "货品");

    name.SetNarrow("Caf\xC3\xA9"); // é fits one byte
    EXPECT_FALSE(name.IsUnicode());
    EXPECT_EQ(name.ToUtf8(), "Caf\xC3\xA9");

    // The count byte never wraps: a long name is cut at 255 characters.
    name.SetWide(std::u16string(300, u'x'));
    EXPECT_EQ(name.StringSize(), 255u);
    bytes.assign(name.RecordSize(), 0);
    name.Write(bytes.data());
    EXPECT_EQ(bytes[0], 255);

    Biff::LongString empty;
    empty.wide.clear();
    std::uint8_t three[3] = {9, 9, 9};
    empty.Write(three);
    EXPECT_EQ(three[0], 0);
    EXPECT_EQ(three[2], 1);

    const Biff::LongString latin = Biff::LongString::FromUtf8("abc");
    EXPECT_FALSE(latin.IsWide());
    EXPECT_EQ(latin.DataSize(), 6u);
    const Biff::LongString chinese = Biff::LongString::FromUtf8("中文");
    EXPECT_TRUE(chinese.IsWide());
    EXPECT_EQ(chinese.DataSize(), 7u);
}

TEST(BiffRecord, FixedSizesOfTheGlobalsAndWorksheetRecords)
{
    Biff::Workbook globals;
    EXPECT_EQ(globals.RecordSize(), 58u); // BOF, WINDOW1, empty SST, EOF
    Biff::Workbook::BoundSheet sheet;
    EXPECT_EQ(sheet.RecordSize(), 18u);
    Biff::Workbook::Font font;
    EXPECT_EQ(font.RecordSize(), 30u);
    Biff::Workbook::Style style;
    EXPECT_EQ(style.RecordSize(), 8u);
    style.xfIndex = 0x0001;
    style.name = Biff::LongString::FromUtf8("abc");
    EXPECT_EQ(style.RecordSize(), 12u);

    Biff::Worksheet worksheet;
    EXPECT_EQ(worksheet.RecordSize(), 88u);
    std::vector<std::uint8_t> bytes(88);
    EXPECT_EQ(worksheet.Write(bytes.data()), 88u);

    Biff::Worksheet::Index index;
    index.dbCellPositions.assign(40, 0);
    EXPECT_EQ(index.RecordSize(), 180u);

    Biff::Worksheet::CellTable::RowBlock block;
    block.rows.resize(1);
    CellBlock::MulRK mulRk;
    mulRk.entries.resize(3);
    mulRk.lastColumn = 2;
    block.cells.emplace_back(mulRk);
    block.dbCell.offsets.push_back(0);
    EXPECT_EQ(block.RecordSize(), 58u);

    CellBlock::RK rk;
    rk.row = 1;
    rk.column = 2;
    rk.rk = 22;
    CellBlock holder(rk);
    EXPECT_EQ(holder.Kind(), 0x027E);
    std::vector<std::uint8_t> rkBytes(holder.RecordSize());
    ASSERT_EQ(holder.Write(rkBytes.data()), 14u);
    EXPECT_EQ(rkBytes[0], 0x7E);
    EXPECT_EQ(rkBytes[1], 0x02);
    EXPECT_EQ(rkBytes[2], 0x0A);

    CellBlock::MulBlank blanks;
    blanks.column = 2;
    blanks.xfIndices.resize(4);
    blanks.lastColumn = 5;
    CellBlock blankHolder(blanks);
    std::vector<std::uint8_t> blankBytes(blankHolder.RecordSize());
    ASSERT_EQ(blankHolder.Write(blankBytes.data()), 18u);
    EXPECT_EQ(LittleEndianRead<std::uint16_t>(blankBytes.data(), 16), 5);
}

TEST(BiffRecord, CellRecordsReadBackWhatWasWritten)
{
    CellBlock::MulRK mulRk;
    mulRk.row = 7;
    mulRk.column = 3;
    mulRk.entries = {{0, 6}, {0, 10}, {0, 14}};
    mulRk.lastColumn = 5;
    CellBlock::Formula formula;
    formula.row = 8;
    formula.rest = {1, 2, 3};
    formula.followerKind = 0x00BC;
    formula.shrFmla.formula = {9, 9};
    formula.string.text = u"结果";

    std::vector<std::uint8_t> bytes;
    for (CellBlock block : {CellBlock(mulRk), CellBlock(formula)}) {
        std::vector<std::uint8_t> one(block.RecordSize());
        block.Write(one.data());
        bytes.insert(bytes.end(), one.begin(), one.end());
    }
    CellBlock first;
    const std::uint32_t taken = first.Read(bytes.data(), bytes.size());
    ASSERT_EQ(taken, 28u);
    ASSERT_NE(first.Get<CellBlock::MulRK>(), nullptr);
    EXPECT_EQ(first.Get<CellBlock::MulRK>()->entries.size(), 3u);
    EXPECT_EQ(first.Get<CellBlock::MulRK>()->entries[2].rk, 14u);
    EXPECT_EQ(first.ColumnIndex(), 3);

    CellBlock second;
    ASSERT_EQ(second.Read(bytes.data() + taken, bytes.size() - taken), bytes.size() - taken);
    const auto* read = second.Get<CellBlock::Formula>();
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->followerKind, 0x00BC);
    EXPECT_EQ(read->shrFmla.formula, (std::vector<std::uint8_t> {9, 9}));
    EXPECT_EQ(read->string.text, u"结果");
    EXPECT_EQ(read->rest, (std::vector<std::uint8_t> {1, 2, 3}));
    EXPECT_EQ(second.Read(bytes.data() + taken, 10), 0u);
}

// Writes an SST and walks its pieces as a reader would: every piece within
// 8224 bytes, split strings resumed with their flags byte, UTF-16 never cut
// inside a character.
TEST(BiffRecord, SharedStringTableCutsIntoContinueRecordsAndReadsBack)
{
    Biff::Workbook::SharedStringTable sst;
    std::vector<std::u16string> texts;
    for (int i = 0; i < 40; ++i) {
        std::u16string text;
        for (int k = 0; k < 300 + 97 * i; ++k)
            text.push_back(
                i % 3 == 0 ? static_cast<char16_t>(u'a' + k % 26) : static_cast<char16_t>(0x4E00 + (k * 7 + i) % 2000));
        texts.push_back(text);
        if (i % 3 == 0)
            sst.AddCompressed(std::string(text.begin(), text.end()));
        else
            sst.AddWide(text);
    }
    sst.totalCount = 77;
    std::vector<std::uint8_t> bytes(sst.RecordSize());
    ASSERT_EQ(sst.Write(bytes.data()), bytes.size());

    const auto pieces = Pieces(bytes);
    ASSERT_GT(pieces.size(), 5u);
    EXPECT_EQ(pieces[0].first, 0x00FC);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_LE(pieces[i].second, 8224);
        if (i > 0) {
            EXPECT_EQ(pieces[i].first, Biff::kContinueId);
        }
    }

    Biff::Workbook::SharedStringTable read;
    ASSERT_EQ(read.Read(bytes.data(), bytes.size()), bytes.size());
    EXPECT_EQ(read.totalCount, 77u);
    ASSERT_EQ(read.UniqueCount(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(read.At(static_cast<std::uint32_t>(i)).Characters(), texts[i]) << i;
        EXPECT_EQ(read.At(static_cast<std::uint32_t>(i)).IsWide(), i % 3 != 0) << i;
    }
}

TEST(BiffRecord, SharedStringHeaderNeverSplitsNearAPieceEnd)
{
    // The first string leaves 5 bytes in the first piece: the next string
    // must start whole in a CONTINUE record.
    Biff::Workbook::SharedStringTable sst;
    sst.AddCompressed(std::string(8224 - 8 - 3 - 5, 'x'));
    sst.AddCompressed("abcdef");
    std::vector<std::uint8_t> bytes(sst.RecordSize());
    ASSERT_EQ(sst.Write(bytes.data()), bytes.size());
    const auto pieces = Pieces(bytes);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].second, 8224 - 5);
    EXPECT_EQ(pieces[1].second, 9u);
    EXPECT_EQ(bytes[bytes.size() - 9], 6); // the string's own count, no flags byte first
}

} // namespace
