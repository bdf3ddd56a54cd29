#pragma once

#include <QString>

class QLineEdit;

// The one way a field's length is limited. A limit counts characters (code
// points: an emoji is one), never cuts one in half, and applies to what the
// person types or pastes: a text the program puts into the field, such as
// a stored text a dialog loads, is shown and kept whole however long it is.
// Typing never makes the text longer than the limit, or than it already
// was; a paste that does not fit is cut to what fits.
void LimitTypedLength(QLineEdit *edit, int maxCharacters);

// The number of characters (code points) of a text.
qsizetype CharacterCount(const QString &text);

// The first count characters of a text, never ending inside one.
QString LeftCharacters(const QString &text, qsizetype count);
