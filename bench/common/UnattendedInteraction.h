#pragma once

#include <functional>

#include "Interaction.h"

// The user of a benchmark: nobody is there to answer. Every message goes
// to stderr, every question is answered no and no file is chosen; a modal
// dialog goes to the benchmark's answer, or is cancelled (0) without one.
// Installs itself for as long as it lives.
class UnattendedInteraction : public Interaction
{
public:
    // Runs the dialog in the person's stead and answers its result code.
    using ModalAnswer = std::function<int(QDialog*)>;

    UnattendedInteraction();
    ~UnattendedInteraction() override;

    void information(QWidget* parent, const QString& caption, const QString& text) override;
    bool question(QWidget* parent, const QString& caption, const QString& text) override;
    void error(QWidget* parent, const QString& caption, const QString& text) override;
    QString saveFileName(
        QWidget* parent, const QString& caption, const QString& suggestedPath, const QString& filter) override;
    QString openFileName(
        QWidget* parent, const QString& caption, const QString& directory, const QString& filter) override;
    int runModal(QDialog* dialog) override;
    void openWithDesktop(const QString& pathOrUrl, const std::function<void()>& failed) override;

    void SetModalAnswer(ModalAnswer answer);
    // Whether the desktop "opens" a file: nothing is ever started, but an
    // export bench times the path a successful open takes.
    void SetOpensFiles(bool opens);

private:
    ModalAnswer m_modalAnswer;
    bool m_opensFiles = false;
};
