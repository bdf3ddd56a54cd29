#pragma once

#include <QString>

class QWidget;
class ImageButton;

// The widgets the settings windows build alike.

// A button with its control id and picture that Enter never presses: the
// settings pages give Enter no meaning.
ImageButton *MakeSettingsButton(QWidget *parent, const char *id, const QString &text, const QString &image = QString());
// A heading: a small picture (none when empty) before its text.
QWidget *MakeHeading(QWidget *parent, const QString &image, const QString &text);
