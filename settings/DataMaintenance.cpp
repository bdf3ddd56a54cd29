#include "DataMaintenance.h"

#include <QDir>
#include <QStandardPaths>
#include <QFile>
#include <QFileInfo>

#include "Database.h"
#include "GlobalFunctions.h"
#include "Interaction.h"
#include "ProgramDatabase.h"

QString DefaultBackupFileName(const QDate &date)
{
    return QStringLiteral("汀岑进销存%1-%2-%3.mdb").arg(date.year()).arg(date.month()).arg(date.day());
}

void BackupDatabase(QWidget *parent)
{
    const QString suggested = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(DefaultBackupFileName(QDate::currentDate()));
    QString path = Interaction::current().saveFileName(parent, QStringLiteral("备份数据"), suggested,
                                                       QStringLiteral("Mdb Files (*.mdb);;All Files (*)"));
    if (path.isEmpty())
        return;
    const QFileInfo chosen(path);
    if (chosen.completeBaseName().isEmpty()) {
        ShowInfoMessage(QStringLiteral("请输入文件名。"));
        return;
    }
    if (chosen.suffix().isEmpty())
        path += QStringLiteral(".mdb");

    const QString source = DatabaseFilePath();
    QString error;
    if (QFileInfo(path).absoluteFilePath() == QFileInfo(source).absoluteFilePath()) {
        error = QStringLiteral("不能备份到数据库文件自身。");
    } else {
        // Copy to a temporary name first so that a failed copy never
        // destroys an older backup of the same name.
        const QString partial = path + QStringLiteral(".part");
        QFile::remove(partial);
        QFile file(source);
        if (!file.copy(partial)) {
            error = file.errorString();
        } else {
            QFile::remove(path);
            if (!QFile::rename(partial, path)) {
                QFile::remove(partial);
                error = QStringLiteral("无法写入 %1").arg(path);
            }
        }
    }
    if (error.isEmpty())
        ShowInfoMessage(QStringLiteral("数据库备份成功。"));
    else
        ShowErrorMessage(QStringLiteral("数据库备份失败：%1").arg(error));
}
