#include "ExportFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "GlobalFunctions.h"
#include "Interaction.h"

namespace {

constexpr QFileDevice::Permissions kOwnerOnly =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadUser |
    QFileDevice::WriteUser | QFileDevice::ExeUser;

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

QString ExportFolder(QString *error)
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty()) {
        setError(error, QStringLiteral("找不到用户的缓存文件夹。"));
        return QString();
    }
    const QString folder = QDir(cache).filePath(QStringLiteral("tingcen-jxc/exports"));
    const QFileInfo info(folder);
    if (info.isSymLink()) {
        setError(error, QStringLiteral("导出文件夹 %1 是一个链接，为安全起见不使用它。").arg(QDir::toNativeSeparators(folder)));
        return QString();
    }
    if (!info.exists() && !QDir().mkpath(folder)) {
        setError(error, QStringLiteral("无法创建导出文件夹 %1。").arg(QDir::toNativeSeparators(folder)));
        return QString();
    }
    const QFileInfo created(folder);
    if (!created.isDir()) {
        setError(error, QStringLiteral("%1 不是文件夹。").arg(QDir::toNativeSeparators(folder)));
        return QString();
    }
#ifdef Q_OS_UNIX
    if (created.ownerId() != ::getuid()) {
        setError(error, QStringLiteral("导出文件夹 %1 属于其他用户。").arg(QDir::toNativeSeparators(folder)));
        return QString();
    }
#endif
    if ((created.permissions() & ~kOwnerOnly) && !QFile::setPermissions(folder, kOwnerOnly)) {
        setError(error, QStringLiteral("无法设置导出文件夹 %1 的权限。").arg(QDir::toNativeSeparators(folder)));
        return QString();
    }
    return folder;
}

QString ExportPath(const QString &fileName, QString *error)
{
    const QString folder = ExportFolder(error);
    return folder.isEmpty() ? QString() : QDir(folder).filePath(fileName);
}

bool WriteThenRename(const QString &target, const std::function<bool(const QString &)> &write, QString *error)
{
    const QString shown = QDir::toNativeSeparators(target);
    // The new file is made with a fresh, exclusive name in the target's
    // folder, so the rename below stays on one file system.
    QTemporaryFile temporary(target + QStringLiteral(".XXXXXX"));
    temporary.setAutoRemove(false);
    if (!temporary.open()) {
        setError(error, QStringLiteral("无法在 %1 所在的文件夹中写文件。").arg(shown));
        return false;
    }
    const QString temporaryPath = temporary.fileName();
    temporary.close();
    if (!write(temporaryPath)) {
        QFile::remove(temporaryPath);
        setError(error, QStringLiteral("写入文件 %1 失败（磁盘已满或没有权限）。").arg(shown));
        return false;
    }
    std::error_code code;
    std::filesystem::rename(std::filesystem::path(temporaryPath.toStdU16String()),
                            std::filesystem::path(target.toStdU16String()), code);
    if (code) {
        QFile::remove(temporaryPath);
        setError(error, QStringLiteral("无法把文件保存为 %1。").arg(shown));
        return false;
    }
    return true;
}

void OpenExportedFile(const QString &path)
{
    Interaction::current().openWithDesktop(path, [path] {
        ShowInfoMessage(QStringLiteral("文件已保存在 %1，但没能用本机的程序打开它。").arg(QDir::toNativeSeparators(path)));
    });
}

QString ExportCutMessage(int written, int total, const QString &unit)
{
    return QStringLiteral("共 %1 %3，工作表只放得下前 %2 %3，其余的没有导出。").arg(total).arg(written).arg(unit);
}
