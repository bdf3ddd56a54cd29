#include "ScriptedInteraction.h"

#include <QMetaObject>
#include <QTest>

namespace {

// The next queued answer, or none when nothing is queued.
template<typename T>
T takeNext(std::deque<T> &queue, T none = T())
{
    if (queue.empty())
        return none;
    T next = std::move(queue.front());
    queue.pop_front();
    return next;
}

} // namespace

ScriptedInteraction::ScriptedInteraction()
{
    Interaction::install(this);
}

ScriptedInteraction::~ScriptedInteraction()
{
    Interaction::install(nullptr);
}

void ScriptedInteraction::note(QWidget *owner, Message::Kind kind, const QString &caption, const QString &text)
{
    owners.emplace_back(owner);
    messages.push_back({kind, caption, text});
}

void ScriptedInteraction::information(QWidget *parent, const QString &caption, const QString &text)
{
    note(parent, Message::Information, caption, text);
}

bool ScriptedInteraction::question(QWidget *parent, const QString &caption, const QString &text)
{
    note(parent, Message::Question, caption, text);
    return takeNext(m_answers, false);
}

void ScriptedInteraction::error(QWidget *parent, const QString &caption, const QString &text)
{
    note(parent, Message::Error, caption, text);
}

QString ScriptedInteraction::saveFileName(QWidget *, const QString &, const QString &suggestedPath, const QString &)
{
    suggestedFileNames << suggestedPath;
    fileDialogKinds << QStringLiteral("save");
    return takeNext(m_fileNames);
}

QString ScriptedInteraction::openFileName(QWidget *, const QString &, const QString &directory, const QString &)
{
    suggestedFileNames << directory;
    fileDialogKinds << QStringLiteral("open");
    return takeNext(m_fileNames);
}

int ScriptedInteraction::runModal(QDialog *dialog)
{
    modalDialogs << QString::fromLatin1(dialog->metaObject()->className());
    const ModalHandler handler = takeNext(m_modalHandlers);
    if (!handler) {
        dialog->reject();
        return dialog->result();
    }
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
    owners.clear();
    modalDialogs.clear();
    suggestedFileNames.clear();
    fileDialogKinds.clear();
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
