#include "UnattendedInteraction.h"

#include <cstdio>

#include <QDialog>

namespace {

void Report(const QString& text)
{
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
}

} // namespace

UnattendedInteraction::UnattendedInteraction()
{
    Interaction::install(this);
}

UnattendedInteraction::~UnattendedInteraction()
{
    Interaction::install(nullptr);
}

void UnattendedInteraction::information(QWidget*, const QString&, const QString& text)
{
    Report(text);
}

bool UnattendedInteraction::question(QWidget*, const QString&, const QString& text)
{
    Report(text);
    return false;
}

void UnattendedInteraction::error(QWidget*, const QString&, const QString& text)
{
    Report(text);
}

QString UnattendedInteraction::saveFileName(QWidget*, const QString&, const QString&, const QString&)
{
    return {};
}

QString UnattendedInteraction::openFileName(QWidget*, const QString&, const QString&, const QString&)
{
    return {};
}

int UnattendedInteraction::runModal(QDialog* dialog)
{
    return m_modalAnswer ? m_modalAnswer(dialog) : 0;
}

void UnattendedInteraction::openWithDesktop(const QString&, const std::function<void()>& failed)
{
    if (!m_opensFiles && failed)
        failed();
}

void UnattendedInteraction::SetModalAnswer(ModalAnswer answer)
{
    m_modalAnswer = std::move(answer);
}

void UnattendedInteraction::SetOpensFiles(bool opens)
{
    m_opensFiles = opens;
}
