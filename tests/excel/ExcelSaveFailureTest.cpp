// Saving answers false whenever the workbook did not reach the disk whole.

#include "ExcelFile.h"

#include "ExcelTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#if defined(__unix__)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using ExcelTest::TempDir;

void FillLarge(ExcelFile& file)
{
    file.New(1);
    ExcelSheet* sheet = file.WorksheetAt(0);
    for (std::uint32_t r = 0; r < 20000; ++r) {
        sheet->Cell(r, 0)->SetInteger(static_cast<int>(r));
        sheet->Cell(r, 1)->SetWString(std::u16string(u"货品") + std::u16string(1, static_cast<char16_t>(0x4E00 + r)));
    }
}

// A path that cannot be made and a full disk fail the save, and a later
// Save does not write into the file that failed; a workbook never saved
// has nowhere to save to.
TEST(ExcelSaveFailure, AFileThatCannotBeWrittenIsReportedNotHidden)
{
    TempDir dir;
    ExcelFile file;
    EXPECT_FALSE(file.Save());
    FillLarge(file);
    for (const std::string& path : {dir.File("missing-folder/out.xls"), dir.File(""), std::string("/dev/full")}) {
        EXPECT_FALSE(file.SaveAs(path)) << path;
        EXPECT_FALSE(file.Save()) << path;
    }
    ASSERT_TRUE(file.SaveAs(dir.File("ok.xls")));
}

#if defined(__unix__)
// A file-size limit makes the disk refuse writes half-way through the
// stream: the save must notice. The limit applies to the process, so the
// save runs in a child.
TEST(ExcelSaveFailure, AWriteRefusedHalfWayFailsTheSave)
{
    TempDir dir;
    const std::string path = dir.File("limited.xls");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit {};
        limit.rlim_cur = limit.rlim_max = 64 * 1024;
        setrlimit(RLIMIT_FSIZE, &limit);
        ExcelFile file;
        FillLarge(file);
        _exit(file.SaveAs(path) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "SaveAs reported success over a truncated file";

    // The same workbook without the limit saves fine and is larger than it.
    ExcelFile file;
    FillLarge(file);
    ASSERT_TRUE(file.SaveAs(path));
    EXPECT_GT(std::filesystem::file_size(path), 64u * 1024);
}
#endif

} // namespace
