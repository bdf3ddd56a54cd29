// The user's own, owner-only export folder, the write beside the target, and
// whether the desktop has a program for a file. (Planted links and the
// message saying where the file is are tried through the product export.)

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ExportFile.h"
#include "FrameTestSupport.h"
#include "Interaction.h"
#include "QStringPrinting.h"

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool openToOthers(const QString& path)
{
    return QFileInfo(path).permissions()
        & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
            | QFileDevice::WriteOther | QFileDevice::ExeOther);
}

} // namespace

TEST(ExportFile, TheFolderIsTheUsersOwnAndOwnerOnly)
{
    TemporaryCacheFolder cache;
    QString error;
    const QString folder = ExportFolder(&error);
    ASSERT_EQ(folder, cache.exportFolder()) << error.toStdString();
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_FALSE(openToOthers(folder));
    EXPECT_EQ(ExportPath(QStringLiteral("a.xls")), QDir(folder).filePath(QStringLiteral("a.xls")));
    // A folder left open to others is closed again.
    QFile::setPermissions(folder, QFileInfo(folder).permissions() | QFileDevice::ReadOther | QFileDevice::ExeOther);
    EXPECT_EQ(ExportFolder(), folder);
    EXPECT_FALSE(openToOthers(folder));
}

// A failed write leaves the old file as it was and nothing beside it.
TEST(ExportFile, AFailedWriteKeepsTheOldFileAndSaysWhere)
{
    TemporaryCacheFolder cache;
    const QString folder = ExportFolder();
    const QString target = QDir(folder).filePath(QStringLiteral("export.xls"));
    ASSERT_TRUE(writeFile(target, "last week's export"));
    QString error;
    // The writer fails halfway, after writing part of the new file.
    EXPECT_FALSE(WriteThenRename(
        target, [](const QString& path) { return writeFile(path, "half") && false; }, &error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(target))) << error.toStdString();
    EXPECT_EQ(contents(target), QByteArray("last week's export"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList {QStringLiteral("export.xls")});
    // A folder that cannot be written to says so.
    const QString nowhere = QDir(cache.path()).filePath(QStringLiteral("no/such/folder/export.xls"));
    EXPECT_FALSE(WriteThenRename(
        nowhere, [](const QString& path) { return writeFile(path, "x"); }, &error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(nowhere))) << error.toStdString();
}

// The desktop's opener reports success when it merely started; whether the
// desktop has a program for the file is asked first, so that the person
// is told where the file is instead of seeing nothing.
TEST(ExportFile, TheDesktopIsAskedWhetherItHasAProgramForTheFile)
{
    QTemporaryDir tools;
    const auto inTools = [&](const char* name) { return QDir(tools.path()).filePath(QString::fromLatin1(name)); };
    ASSERT_TRUE(
        writeFile(inTools("xdg-mime"), "#!/bin/sh\n[ \"$3\" = text/plain ] && echo texteditor.desktop\nexit 0\n"));
    QFile::setPermissions(inTools("xdg-mime"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    ASSERT_TRUE(writeFile(inTools("README.md"), "# 说明\n") && writeFile(inTools("export.xls"), "x"));

    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", tools.path().toUtf8() + ':' + path);
    // Markdown is a kind of plain text, which has a program.
    EXPECT_TRUE(DesktopInteraction::hasProgramFor(inTools("README.md")));
    EXPECT_FALSE(DesktopInteraction::hasProgramFor(inTools("export.xls")));
    EXPECT_FALSE(DesktopInteraction().openWithDesktop(inTools("export.xls")));
    // A desktop that cannot be asked is left to open it.
    qputenv("PATH", QDir(tools.path()).filePath(QStringLiteral("empty")).toUtf8());
    EXPECT_TRUE(DesktopInteraction::hasProgramFor(inTools("export.xls")));
    qputenv("PATH", path);
}
