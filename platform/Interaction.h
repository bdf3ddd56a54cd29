#pragma once

#include <QString>

#include <functional>

class QDialog;
class QWidget;

// The one seam through which the program talks to the person in front of
// it: messages, questions, file dialogs, modal runs and opening files with
// the desktop. The program installs the QMessageBox/exec() implementation;
// tests install a scripted one that records every text and gives queued
// answers.
class Interaction
{
public:
    virtual ~Interaction() = default;

    virtual void information(QWidget *parent, const QString &caption, const QString &text) = 0;
    // True for yes.
    virtual bool question(QWidget *parent, const QString &caption, const QString &text) = 0;
    // The plain error box (OK button, warning icon).
    virtual void error(QWidget *parent, const QString &caption, const QString &text) = 0;
    // Empty when the person cancelled.
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &suggestedPath,
                                 const QString &filter) = 0;
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &directory,
                                 const QString &filter) = 0;
    // Runs the dialog modally and answers its result code.
    virtual int runModal(QDialog *dialog) = 0;
    // Opens a file or address with the desktop's default program, without
    // waiting for it. When the opening fails, failed is called, at once or
    // later, once the desktop's opener has ended.
    virtual void openWithDesktop(const QString &pathOrUrl, const std::function<void()> &failed) = 0;

    static Interaction &current();
    // Replaces the current implementation; the caller keeps ownership.
    // Passing nullptr goes back to the real one.
    static void install(Interaction *interaction);
};

// The real implementation on QMessageBox, the program's FileDialog,
// QDialog::exec and the desktop's opener (xdg-open, elsewhere
// QDesktopServices).
class DesktopInteraction : public Interaction
{
public:
    void information(QWidget *parent, const QString &caption, const QString &text) override;
    bool question(QWidget *parent, const QString &caption, const QString &text) override;
    void error(QWidget *parent, const QString &caption, const QString &text) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &suggestedPath,
                         const QString &filter) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &directory,
                         const QString &filter) override;
    int runModal(QDialog *dialog) override;
    // The opener runs as a process of its own; its exit status tells
    // whether a program took the file.
    void openWithDesktop(const QString &pathOrUrl, const std::function<void()> &failed) override;
};
