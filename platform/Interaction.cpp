#include "Interaction.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
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

bool DesktopInteraction::openWithDesktop(const QString &pathOrUrl)
{
    const QUrl url = QFileInfo::exists(pathOrUrl) ? QUrl::fromLocalFile(pathOrUrl) : QUrl(pathOrUrl);
    return QDesktopServices::openUrl(url);
}
