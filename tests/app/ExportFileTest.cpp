// The export folder every export writes into: the user's own, owner-only
// folder; files written beside the target and renamed over it, so that a
// planted link is replaced and a failed write keeps the old file; and the
// person told where the file is when nothing can open it.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ExportFile.h"
#include "FrameTestSupport.h"
#include "Interaction.h"

namespace {

constexpr QFileDevice::Permissions kGroupOrOthers = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                     QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                     QFileDevice::WriteOther | QFileDevice::ExeOther;

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class ExportFileTest : public ::testing::Test
{
protected:
    QString expectedFolder() const { return cache.exportFolder(); }

    TemporaryCacheFolder cache;
};

} // namespace

TEST_F(ExportFileTest, TheFolderIsTheUsersOwnAndOwnerOnly)
{
    QString error;
    const QString folder = ExportFolder(&error);
    ASSERT_EQ(folder, expectedFolder()) << error.toStdString();
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_FALSE(QFileInfo(folder).permissions() & kGroupOrOthers);
    EXPECT_EQ(ExportPath(QStringLiteral("store_productsearch_temp.xls")),
              QDir(folder).filePath(QStringLiteral("store_productsearch_temp.xls")));

    // A folder left open to others is closed again.
    QFile::setPermissions(folder, QFileInfo(folder).permissions() | QFileDevice::ReadOther | QFileDevice::ExeOther);
    EXPECT_EQ(ExportFolder(), folder);
    EXPECT_FALSE(QFileInfo(folder).permissions() & kGroupOrOthers);
}

TEST_F(ExportFileTest, ALinkInPlaceOfTheFolderIsNotUsed)
{
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QDir().mkpath(QDir(cache.path()).filePath(QStringLiteral("tingcen-jxc"))));
    ASSERT_TRUE(QFile::link(elsewhere.path(), expectedFolder()));
    QString error;
    EXPECT_TRUE(ExportFolder(&error).isEmpty());
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(expectedFolder()))) << error.toStdString();
    EXPECT_TRUE(ExportPath(QStringLiteral("a.xls")).isEmpty());
}

TEST_F(ExportFileTest, ALinkAtTheTargetIsReplacedNotFollowed)
{
    const QString folder = ExportFolder();
    ASSERT_FALSE(folder.isEmpty());
    QTemporaryDir elsewhere;
    const QString victim = QDir(elsewhere.path()).filePath(QStringLiteral("someone-elses.txt"));
    ASSERT_TRUE(writeFile(victim, "precious"));
    const QString target = QDir(folder).filePath(QStringLiteral("export.xls"));
    ASSERT_TRUE(QFile::link(victim, target));

    QString error;
    ASSERT_TRUE(WriteThenRename(target, [](const QString &path) { return writeFile(path, "workbook"); }, &error))
        << error.toStdString();
    EXPECT_FALSE(QFileInfo(target).isSymLink());
    EXPECT_EQ(contents(target), QByteArray("workbook"));
    EXPECT_EQ(contents(victim), QByteArray("precious"));
}

TEST_F(ExportFileTest, AFailedWriteKeepsTheOldFileAndLeavesNothingBehind)
{
    const QString folder = ExportFolder();
    const QString target = QDir(folder).filePath(QStringLiteral("export.xls"));
    ASSERT_TRUE(writeFile(target, "last week's export"));

    QString error;
    // The writer fails halfway, after writing part of the new file.
    EXPECT_FALSE(WriteThenRename(
        target, [](const QString &path) { return writeFile(path, "half") && false; }, &error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(target))) << error.toStdString();
    EXPECT_EQ(contents(target), QByteArray("last week's export"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("export.xls")});

    // A folder that cannot be written to says so.
    const QString nowhere = QDir(cache.path()).filePath(QStringLiteral("no/such/folder/export.xls"));
    EXPECT_FALSE(WriteThenRename(nowhere, [](const QString &path) { return writeFile(path, "x"); }, &error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(nowhere))) << error.toStdString();
}

TEST_F(ExportFileTest, WithoutAProgramForTheFileThePersonLearnsWhereItIs)
{
    RecordingUser user;
    const QString path = ExportPath(QStringLiteral("store_productsearch_temp.xls"));
    OpenExportedFile(path);
    EXPECT_EQ(user.openedWithDesktop, QStringList{path});
    EXPECT_TRUE(user.messages.empty());

    user.opensFiles = false;
    OpenExportedFile(path);
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_TRUE(user.messages[0].text.contains(QDir::toNativeSeparators(path))) << user.messages[0].text.toStdString();

    EXPECT_EQ(ExportCutMessage(65533, 70000, QStringLiteral("个货品")),
              QStringLiteral("共 70000 个货品，工作表只放得下前 65533 个货品，其余的没有导出。"));
}

// The desktop's opener reports success when it merely started; whether the
// desktop has a program for the file is asked first, so that the person
// is told where the file is instead of seeing nothing.
TEST_F(ExportFileTest, TheDesktopIsAskedWhetherItHasAProgramForTheFile)
{
    QTemporaryDir tools;
    const QString script = QDir(tools.path()).filePath(QStringLiteral("xdg-mime"));
    ASSERT_TRUE(writeFile(script, "#!/bin/sh\n[ \"$3\" = text/plain ] && echo texteditor.desktop\nexit 0\n"));
    QFile::setPermissions(script, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString readme = QDir(tools.path()).filePath(QStringLiteral("README.md"));
    const QString workbook = QDir(tools.path()).filePath(QStringLiteral("export.xls"));
    ASSERT_TRUE(writeFile(readme, "# 说明\n"));
    ASSERT_TRUE(writeFile(workbook, "x"));

    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", tools.path().toUtf8() + ':' + path);
    // Markdown is a kind of plain text, which has a program.
    EXPECT_TRUE(DesktopInteraction::hasProgramFor(readme));
    EXPECT_FALSE(DesktopInteraction::hasProgramFor(workbook));
    EXPECT_FALSE(DesktopInteraction().openWithDesktop(workbook));
    // A desktop that cannot be asked is left to open it.
    qputenv("PATH", QDir(cache.path()).absolutePath().toUtf8());
    EXPECT_TRUE(DesktopInteraction::hasProgramFor(workbook));
    qputenv("PATH", path);
}
