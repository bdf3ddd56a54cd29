#include "ScriptedInteraction.h"

#include <QMetaObject>
#include <QTest>

ScriptedInteraction::ScriptedInteraction()
{
    Interaction::install(this);
}

ScriptedInteraction::~ScriptedInteraction()
{
    Interaction::install(nullptr);
}

void ScriptedInteraction::information(QWidget *, const QString &caption, const QString &text)
{
    messages.push_back({Message::Information, caption, text});
}

bool ScriptedInteraction::question(QWidget *, const QString &caption, const QString &text)
{
    messages.push_back({Message::Question, caption, text});
    if (m_answers.empty())
        return false;
    const bool answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void ScriptedInteraction::error(QWidget *, const QString &caption, const QString &text)
{
    messages.push_back({Message::Error, caption, text});
}

QString ScriptedInteraction::saveFileName(QWidget *, const QString &, const QString &suggestedPath, const QString &)
{
    suggestedFileNames << suggestedPath;
    if (m_fileNames.empty())
        return QString();
    const QString path = m_fileNames.front();
    m_fileNames.pop_front();
    return path;
}

QString ScriptedInteraction::openFileName(QWidget *, const QString &, const QString &directory, const QString &)
{
    suggestedFileNames << directory;
    if (m_fileNames.empty())
        return QString();
    const QString path = m_fileNames.front();
    m_fileNames.pop_front();
    return path;
}

int ScriptedInteraction::runModal(QDialog *dialog)
{
    modalDialogs << QString::fromLatin1(dialog->metaObject()->className());
    if (m_modalHandlers.empty()) {
        dialog->reject();
        return dialog->result();
    }
    ModalHandler handler = std::move(m_modalHandlers.front());
    m_modalHandlers.pop_front();
    // The dialog is shown as a person would see it, then handled.
    dialog->show();
    const int result = handler(dialog);
    dialog->hide();
    return result;
}

void ScriptedInteraction::openWithDesktop(const QString &pathOrUrl, const std::function<void()> &failed)
{
    openedWithDesktop << pathOrUrl;
    if (!opensFiles && failed)
        failed();
}

QStringList ScriptedInteraction::texts() const
{
    QStringList result;
    for (const Message &message : messages)
        result << message.text;
    return result;
}

void ScriptedInteraction::clear()
{
    messages.clear();
    modalDialogs.clear();
    suggestedFileNames.clear();
    openedWithDesktop.clear();
}

void typeText(QWidget *widget, const QString &text)
{
    // One key a character: an emoji's two UTF-16 units come as one key.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.unicode() < 0x80) {
            QTest::keyClick(widget, ch.toLatin1());
            continue;
        }
        const qsizetype units = ch.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, units), Qt::NoModifier);
        i += units - 1;
    }
}
