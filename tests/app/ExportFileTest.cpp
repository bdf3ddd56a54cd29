// The user's own, owner-only export folder, the write beside the target, and
// the desktop's opener judged by how it ends. (Planted links and the
// message saying where the file is are tried through the product export.)

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

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

TEST(ExportFile, TheFolderIsTheUsersOwnAndOwnerOnlyAFailedWriteKeepsTheOldFileAndSaysWhere)
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

    // A failed write leaves the old file as it was and nothing beside it.
    const QString target = QDir(folder).filePath(QStringLiteral("export.xls"));
    ASSERT_TRUE(writeFile(target, "last week's export"));
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

// The desktop's opener is judged by how it ends, and the window is not
// held while it runs: a stand-in xdg-open waits for a sign from the test
// before it exits with the status it is given.
TEST(ExportFile, TheOpenerRunsOnItsOwnAndItsFailureIsReported)
{
    QTemporaryDir tools;
    const auto inTools = [&](const char* name) { return QDir(tools.path()).filePath(QString::fromLatin1(name)); };
    ASSERT_TRUE(writeFile(inTools("xdg-open"),
        "#!/bin/sh\nwhile [ ! -e \"$(dirname \"$0\")/go\" ]; do sleep 0.01; done\n"
        "echo \"$1\" >> \"$(dirname \"$0\")/opened\"\nexit \"$(cat \"$(dirname \"$0\")/status\")\"\n"));
    QFile::setPermissions(inTools("xdg-open"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    ASSERT_TRUE(writeFile(inTools("export.xls"), "x"));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", tools.path().toUtf8() + ':' + path);

    const QString file = inTools("export.xls");
    int opened = 0;
    for (const auto& [status, failed] : {std::pair {"3", 1}, std::pair {"0", 0}}) {
        QFile::remove(inTools("go"));
        ASSERT_TRUE(writeFile(inTools("status"), status));
        int failures = 0;
        DesktopInteraction().openWithDesktop(file, [&] { ++failures; });
        QCoreApplication::processEvents();
        EXPECT_EQ(failures, 0) << "the opener has not ended yet";
        ASSERT_TRUE(writeFile(inTools("go"), ""));
        ++opened;
        EXPECT_TRUE(QTest::qWaitFor([&] { return contents(inTools("opened")).count('\n') == opened; }, 10000));
        // A failure is reported once the opener ends; a success never is.
        EXPECT_EQ(QTest::qWaitFor([&] { return failures > 0; }, failed ? 10000 : 500), failed == 1) << status;
        EXPECT_EQ(failures, failed) << "exit status " << status;
    }
    EXPECT_EQ(contents(inTools("opened")), (file + '\n' + file + '\n').toUtf8());

    // No opener at all is a failure too.
    qputenv("PATH", QDir(tools.path()).filePath(QStringLiteral("empty")).toUtf8());
    int failures = 0;
    DesktopInteraction().openWithDesktop(file, [&] { ++failures; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return failures == 1; }, 10000));
    qputenv("PATH", path);
}
