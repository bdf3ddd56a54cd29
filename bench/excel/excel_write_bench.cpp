// Writes one sheet of 65,536 rows x 10 columns of short Chinese texts and
// numbers (the shape of a large bill export) and reports the time taken, the
// peak memory and the file size. xlwt_write_bench.py writes the same
// workbook with python's xlwt for comparison.
//
//   excel_write_bench [output.xls] [rows]

#include "ExcelFile.h"
#include "ExcelText.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#if defined(__unix__)
#include <sys/resource.h>
#endif

namespace {

// The same generator as the python script: keep the two in step.
const std::u16string kSyllables
    = u"货品单据编号客户供应商仓库数量单价金额日期备注收入支出帐户订金退货进货出货规格华美达新鑫源盛泰";
const char16_t* const kUnits[] = {u"个", u"箱", u"件", u"套", u"米"};

std::u16string Text(int seed, int length)
{
    std::u16string text;
    for (int i = 0; i < length; ++i)
        text.push_back(kSyllables[static_cast<std::size_t>(seed * 31 + i * 7) % kSyllables.size()]);
    return text;
}

std::u16string Ascii(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

long PeakKilobytes()
{
#if defined(__unix__)
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#else
    return -1;
#endif
}

} // namespace

int main(int argc, char** argv)
{
    const std::string path
        = argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "excel_write_bench.xls").string();
    const int rows = argc > 2 ? std::atoi(argv[2]) : 65536;
    const long startKb = PeakKilobytes();
    const auto start = std::chrono::steady_clock::now();

    ExcelFile file;
    file.New(1);
    file.RenameWorksheet("Sheet1", "BillSearch");
    ExcelSheet* sheet = file.GetWorksheet("BillSearch");
    for (int r = 0; r < rows; ++r) {
        const auto row = static_cast<std::uint32_t>(r);
        const int count = r % 500 + 1;
        const int priceCents = r % 10000 + 100;
        sheet->Cell(row, 0)->SetWString(Text(r % 200, 4));
        sheet->Cell(row, 1)->SetWString(Text(1000 + r % 1000, 6));
        std::u16string spec = Text(3000 + r % 300, 3);
        spec += Ascii(std::to_string(r % 50));
        sheet->Cell(row, 2)->SetWString(spec);
        sheet->Cell(row, 3)->SetWString(kUnits[r % 5]);
        std::u16string remark = u"第";
        remark += Ascii(std::to_string(r));
        remark += u"行";
        sheet->Cell(row, 4)->SetWString(remark);
        sheet->Cell(row, 5)->SetInteger(count);
        sheet->Cell(row, 6)->SetDouble(priceCents / 100.0);
        sheet->Cell(row, 7)->SetDouble(static_cast<double>(count) * priceCents / 100.0);
        sheet->Cell(row, 8)->SetDouble((r % 7) * 50.5);
        sheet->Cell(row, 9)->SetInteger(r + 1);
    }
    const auto filled = std::chrono::steady_clock::now();
    const bool saved = file.SaveAs(path);
    const auto done = std::chrono::steady_clock::now();
    const long peakKb = PeakKilobytes();

    const auto seconds = [](auto a, auto b) { return std::chrono::duration<double>(b - a).count(); };
    const double sizeMb = static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
    std::printf("excel writer: %s, %d rows x 10 columns\n", saved ? "saved" : "FAILED", rows);
    std::printf("  fill %.3f s, save %.3f s, total %.3f s\n", seconds(start, filled), seconds(filled, done),
        seconds(start, done));
    std::printf("  file %.2f MB (%s)\n", sizeMb, path.c_str());
    std::printf("  peak memory %.2f MB (%.2f MB at start), %.2fx the file size\n", peakKb / 1024.0, startKb / 1024.0,
        peakKb / 1024.0 / sizeMb);
    return saved ? 0 : 1;
}
