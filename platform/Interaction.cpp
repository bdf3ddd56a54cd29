#include "Interaction.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QProcess>
#include <QUrl>

namespace {
Interaction *s_installed = nullptr;
}

Interaction &Interaction::current()
{
    static DesktopInteraction desktop;
    return s_installed ? *s_installed : desktop;
}

void Interaction::install(Interaction *interaction)
{
    s_installed = interaction;
}

void DesktopInteraction::information(QWidget *parent, const QString &caption, const QString &text)
{
    QMessageBox::information(parent, caption, text);
}

bool DesktopInteraction::question(QWidget *parent, const QString &caption, const QString &text)
{
    return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void DesktopInteraction::error(QWidget *parent, const QString &caption, const QString &text)
{
    QMessageBox::warning(parent, caption, text);
}

QString DesktopInteraction::saveFileName(QWidget *parent, const QString &caption, const QString &suggestedPath,
                                         const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, suggestedPath, filter);
}

QString DesktopInteraction::openFileName(QWidget *parent, const QString &caption, const QString &directory,
                                         const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, directory, filter);
}

int DesktopInteraction::runModal(QDialog *dialog)
{
    return dialog->exec();
}

bool DesktopInteraction::hasProgramFor(const QString &path)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // xdg-open is started and forgotten: it reports success even when it
    // then finds no program for the file, and nothing opens. The desktop's
    // own list of default programs is asked first, for the file's type and
    // the types it is a kind of (Markdown is plain text).
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
    QStringList types{type.name()};
    types += type.allAncestors();
    for (const QString &name : std::as_const(types)) {
        QProcess query;
        query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), name});
        if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
            return true; // no answer: leave it to the desktop
        if (!query.readAllStandardOutput().trimmed().isEmpty())
            return true;
    }
    return false;
#else
    Q_UNUSED(path);
    return true;
#endif
}

bool DesktopInteraction::openWithDesktop(const QString &pathOrUrl)
{
    if (!QFileInfo::exists(pathOrUrl))
        return QDesktopServices::openUrl(QUrl(pathOrUrl));
    return hasProgramFor(pathOrUrl) && QDesktopServices::openUrl(QUrl::fromLocalFile(pathOrUrl));
}
