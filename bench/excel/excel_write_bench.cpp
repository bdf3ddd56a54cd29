// Writes one sheet of 65,536 rows x 10 columns of short Chinese texts and
// numbers (the shape of a large bill export) five times, then has python's
// xlwt write the same workbook (xlwt_write_bench.py) three times, and prints
// the two goals: at least 5 times faster than xlwt (median against median)
// and a peak memory under 3 times the file's size.
//
//   excel_write_bench [output.xls] [rows]

#include "BenchTiming.h"
#include "ExcelFile.h"
#include "ExcelText.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

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

// Fills and saves the workbook once; answers the seconds taken, or a
// negative number when the save failed.
double WriteWorkbook(const std::string& path, int rows)
{
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
    if (!file.SaveAs(path))
        return -1.0;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs the xlwt script once; answers its "total" seconds, or a negative
// number when python or xlwt could not run it.
double RunXlwt(const std::string& path, int rows)
{
    const char* python = std::getenv("JXC_PYTHON");
    const std::string command = std::string(python && *python ? python : "/usr/bin/python3") + " '"
        + JXC_XLWT_BENCH_SCRIPT + "' '" + path + "' " + std::to_string(rows) + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return -1.0;
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = pclose(pipe);
    const std::size_t at = output.find("total ");
    if (status != 0 || at == std::string::npos) {
        std::fprintf(stderr, "xlwt did not run:\n%s", output.c_str());
        return -1.0;
    }
    return std::atof(output.c_str() + at + 6);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string path
        = argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "excel_write_bench.xls").string();
    const int rows = argc > 2 ? std::atoi(argv[2]) : 65536;
    const long startKb = PeakKilobytes();

    std::vector<double> ours;
    for (int run = 0; run < 5; ++run) {
        const double seconds = WriteWorkbook(path, rows);
        if (seconds < 0) {
            std::printf("excel writer: saving %s FAILED\n", path.c_str());
            return 1;
        }
        ours.push_back(seconds);
    }
    const long peakKb = PeakKilobytes();
    const double sizeMb = static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
    const BenchTiming writer = TimingOf(ours);
    std::printf("excel writer: %d rows x 10 columns, file %.2f MB (%s)\n", rows, sizeMb, path.c_str());
    std::printf("  write and save: median %.3f s  max %.3f s\n", writer.median, writer.max);

    const std::string xlwtPath = path + ".xlwt.xls";
    std::vector<double> theirs;
    for (int run = 0; run < 3; ++run) {
        const double seconds = RunXlwt(xlwtPath, rows);
        if (seconds < 0)
            break;
        theirs.push_back(seconds);
    }
    std::filesystem::remove(xlwtPath);
    if (theirs.empty()) {
        std::printf("speed against python3-xlwt: xlwt could not be run  goal >= 5x  (goal missed)\n");
    } else {
        const BenchTiming xlwt = TimingOf(theirs);
        const double ratio = xlwt.median / writer.median;
        std::printf("  python3-xlwt: median %.3f s  max %.3f s\n", xlwt.median, xlwt.max);
        std::printf(
            "speed against python3-xlwt: %.1fx faster (median %.3f s against %.3f s, max %.3f s)  goal >= 5x  %s\n",
            ratio, writer.median, xlwt.median, writer.max, GoalVerdict(ratio >= 5.0));
    }
    const double memoryRatio = peakKb / 1024.0 / sizeMb;
    std::printf("peak memory: %.2f MB (%.2f MB at start), %.2fx the file size  goal < 3x  %s\n", peakKb / 1024.0,
        startKb / 1024.0, memoryRatio, GoalVerdict(memoryRatio < 3.0));
    return 0;
}
