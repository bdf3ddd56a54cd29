#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

#include "Interaction.h"

// The user as a test plays them: every message is recorded with the window
// it was given to, every question and file dialog takes the next queued
// answer, every modal dialog is handed to the next queued handler (which may
// type and click in it and answers its result code).
class ScriptedInteraction : public Interaction
{
public:
    struct Message {
        enum Kind { Information, Question, Error } kind;
        QString caption;
        QString text;
    };
    using ModalHandler = std::function<int(QDialog *)>;

    ScriptedInteraction();
    ~ScriptedInteraction() override;

    void information(QWidget *parent, const QString &caption, const QString &text) override;
    bool question(QWidget *parent, const QString &caption, const QString &text) override;
    void error(QWidget *parent, const QString &caption, const QString &text) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &suggestedPath,
                         const QString &filter) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &directory,
                         const QString &filter) override;
    int runModal(QDialog *dialog) override;
    // Notes the path; the opening fails when opensFiles is false.
    void openWithDesktop(const QString &pathOrUrl, const std::function<void()> &failed) override;

    void answerQuestion(bool yes) { m_answers.push_back(yes); }
    void answerFileName(const QString &path) { m_fileNames.push_back(path); }
    // Handles the next modal run. Without a queued handler a modal run is
    // closed with its reject code.
    void onNextModal(ModalHandler handler) { m_modalHandlers.push_back(std::move(handler)); }

    std::vector<Message> messages;
    // The owner of each message, in order; null for a box without one.
    std::vector<QPointer<QWidget>> owners;
    // Class names of the dialogs run modally, in order.
    QStringList modalDialogs;
    QStringList suggestedFileNames;
    // "open" (an existing file only) or "save" (any name), one a file dialog.
    QStringList fileDialogKinds;
    QStringList openedWithDesktop;
    bool opensFiles = true;

    QStringList texts() const;
    QString lastText() const { return messages.empty() ? QString() : messages.back().text; }
    void clear();

private:
    void note(QWidget *owner, Message::Kind kind, const QString &caption, const QString &text);

    std::deque<bool> m_answers;
    std::deque<QString> m_fileNames;
    std::deque<ModalHandler> m_modalHandlers;
};

// Types text into a widget key by key, as a person would; characters
// beyond ASCII arrive as an input method commits them, as key text.
void typeText(QWidget *widget, const QString &text);
