#pragma once

#include <QString>

class QWidget;
class ImageButton;

// A button of the goods-bill windows with its control id. Enter never
// presses it: none of these windows gives Enter a meaning.
ImageButton *MakeCommandButton(QWidget *parent, const char *id, const QString &text);
