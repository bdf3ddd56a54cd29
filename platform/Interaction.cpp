#include "Interaction.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

#include "FileDialog.h"

namespace {
Interaction *s_installed = nullptr;

// Empty when the person cancelled. A save dialog has asked about replacing
// the chosen file before it closes.
QString chosenFile(QWidget *parent, const QString &caption, const QString &path, const QString &filter,
                   QFileDialog::AcceptMode mode)
{
    FileDialog dialog(parent, caption, path, filter, mode);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}
} // namespace

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
    return chosenFile(parent, caption, suggestedPath, filter, QFileDialog::AcceptSave);
}

QString DesktopInteraction::openFileName(QWidget *parent, const QString &caption, const QString &directory,
                                         const QString &filter)
{
    return chosenFile(parent, caption, directory, filter, QFileDialog::AcceptOpen);
}

int DesktopInteraction::runModal(QDialog *dialog)
{
    return dialog->exec();
}

void DesktopInteraction::openWithDesktop(const QString &pathOrUrl, const std::function<void()> &failed)
{
    const QUrl url = QFileInfo::exists(pathOrUrl) ? QUrl::fromLocalFile(pathOrUrl) : QUrl(pathOrUrl);
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // QDesktopServices reports success as soon as xdg-open has started, even
    // when it then finds no program and nothing opens. The opener runs on
    // its own instead, and its exit status is the answer. It may run as long
    // as the program it started (on some desktops it waits for it), so it
    // belongs to no window and is never killed: it goes when it ends.
    auto *opener = new QProcess;
    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({url.isLocalFile() ? url.toLocalFile() : url.toString()});
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(opener, &QProcess::finished, opener, [opener, failed](int exitCode, QProcess::ExitStatus status) {
        opener->deleteLater();
        if ((status != QProcess::NormalExit || exitCode != 0) && failed)
            failed();
    });
    QObject::connect(opener, &QProcess::errorOccurred, opener, [opener, failed](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return; // a crash or a lost pipe ends in finished()
        opener->deleteLater();
        if (failed)
            failed();
    });
    opener->start();
#else
    if (!QDesktopServices::openUrl(url) && failed)
        failed();
#endif
}
