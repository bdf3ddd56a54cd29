#include "DataMaintenance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "Database.h"
#include "DatabaseCopy.h"
#include "GlobalFunctions.h"
#include "Interaction.h"

namespace {

const QString kFilter = QStringLiteral("Mdb Files (*.mdb);;All Files (*)");

QString DocumentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

// Ends the program the way closing its main window does: the event loop
// returns the code and the application object cleans up.
void EndProgram(int code)
{
    QCoreApplication::exit(code);
}

} // namespace

QString DefaultBackupFileName(const QDate &date)
{
    return QStringLiteral("汀岑进销存%1-%2-%3.mdb").arg(date.year()).arg(date.month()).arg(date.day());
}

void BackupDatabase(QWidget *parent)
{
    const QString suggested = QDir(DocumentsFolder()).filePath(DefaultBackupFileName(QDate::currentDate()));
    QString path = Interaction::current().saveFileName(parent, QStringLiteral("备份数据"), suggested, kFilter);
    if (path.isEmpty())
        return;
    const QFileInfo chosen(path);
    if (chosen.completeBaseName().isEmpty()) {
        ShowInfoMessage(QStringLiteral("请输入文件名。"));
        return;
    }
    if (chosen.suffix().isEmpty()) {
        path += QStringLiteral(".mdb");
        // The dialog asked about the name as typed, not about this one.
        if (QFileInfo::exists(path)
            && AskYesNo(QStringLiteral("“%1”已存在，要替换它吗？").arg(QDir::toNativeSeparators(path))) != IDYES)
            return;
    }
    QString error;
    try {
        error = DatabaseCopy(connection()).Backup(path);
    } catch (const DbError &failure) {
        TraceLog(failure.detail());
        error = failure.displayText();
    }
    if (error.isEmpty())
        ShowInfoMessage(QStringLiteral("数据库备份成功。"));
    else
        ShowErrorMessage(QStringLiteral("数据库备份失败：%1").arg(error));
}

void RestoreDatabase(QWidget *parent)
{
    if (AskYesNo(QStringLiteral("数据库恢复将导致当前数据全部丢失，是否继续？")) != IDYES)
        return;
    const QString path
        = Interaction::current().openFileName(parent, QStringLiteral("恢复数据"), DocumentsFolder(), kFilter);
    if (path.isEmpty())
        return;
    if (!g_pConnection || !g_pConnection->isOpen()) {
        ShowErrorMessage(QStringLiteral("数据库恢复失败：数据库没有连接。"));
        return;
    }
    Database &live = *g_pConnection;
    const DatabaseCopy::RestoreOutcome outcome = DatabaseCopy(live).Restore(path);
    if (!outcome.restored) {
        if (live.isOpen()) {
            ShowErrorMessage(QStringLiteral("数据库恢复失败：%1").arg(outcome.error));
            return;
        }
        // Without a database the day's work cannot go on; the next start
        // opens whatever the data folder holds.
        ShowErrorMessage(QStringLiteral("数据库恢复失败：%1\n汀岑进销存将退出，请重新启动。").arg(outcome.error));
        EndProgram(1);
        return;
    }
    ShowInfoMessage(
        QStringLiteral("数据库恢复成功，为了使用新的数据库，需要立即重启汀岑进销存。\n恢复前的数据另存为：%1")
            .arg(QDir::toNativeSeparators(outcome.sideCopy)));
    try {
        live.close();
    } catch (const DbError &failure) {
        // The restored file is complete on disk; the process end releases
        // the connection all the same.
        TraceLog(failure.detail());
    }
    EndProgram(0);
}
