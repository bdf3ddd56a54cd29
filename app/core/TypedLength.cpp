#include "TypedLength.h"

#include <QLineEdit>
#include <QValidator>

#include <algorithm>

namespace {

// Cuts what an edit inserted so that the whole text keeps to the limit. A
// validator sees every change of the text, also the program's own setText();
// those come with an empty undo history (setText clears it) and are let
// through as they are. A typed change is compared with the text before it:
// the common beginning and end stay, the inserted middle is cut to what
// fits, so that the text keeps to the limit, or to the length of the
// program's own text where that is longer.
class TypedLengthValidator : public QValidator
{
public:
    TypedLengthValidator(QLineEdit *edit, int maxCharacters)
        : QValidator(edit)
        , m_edit(edit)
        , m_max(maxCharacters)
        , m_before(edit->text())
        , m_room(std::max<qsizetype>(maxCharacters, CharacterCount(m_before)))
    {
        connect(edit, &QLineEdit::textChanged, this, [this] {
            m_before = m_edit->text();
            if (!m_edit->isUndoAvailable())
                m_room = std::max<qsizetype>(m_max, CharacterCount(m_before));
        });
    }

    State validate(QString &input, int &pos) const override
    {
        if (!m_edit->isUndoAvailable())
            return Acceptable; // the program's own text, or undone back to it
        const qsizetype room = m_room;
        if (CharacterCount(input) <= room)
            return Acceptable;

        qsizetype head = 0;
        const qsizetype shorter = std::min(input.size(), m_before.size());
        while (head < shorter && input.at(head) == m_before.at(head))
            ++head;
        if (head > 0 && input.at(head - 1).isHighSurrogate())
            --head;
        qsizetype tail = 0;
        while (tail < shorter - head && input.at(input.size() - 1 - tail) == m_before.at(m_before.size() - 1 - tail))
            ++tail;
        if (tail > 0 && input.at(input.size() - tail).isLowSurrogate())
            --tail;

        const QString kept = input.left(head) + input.right(tail);
        const QString inserted = input.mid(head, input.size() - head - tail);
        const QString fitted = LeftCharacters(inserted, std::max<qsizetype>(room - CharacterCount(kept), 0));
        input = input.left(head) + fitted + input.right(tail);
        pos = int(head + fitted.size());
        return Acceptable;
    }

private:
    QLineEdit *m_edit;
    int m_max;
    QString m_before;
    qsizetype m_room;
};

} // namespace

void LimitTypedLength(QLineEdit *edit, int maxCharacters)
{
    edit->setValidator(new TypedLengthValidator(edit, maxCharacters));
}

qsizetype CharacterCount(const QString &text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++count) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    return count;
}

QString LeftCharacters(const QString &text, qsizetype count)
{
    qsizetype units = 0;
    for (qsizetype characters = 0; characters < count && units < text.size(); ++characters)
        units += text.at(units).isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
    return text.left(units);
}
