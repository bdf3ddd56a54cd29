#pragma once

#include <QString>

class QLabel;
class QWidget;
class ImageButton;

// The buttons and labels of the accounts windows and the finance-bill
// report page, made alike: a control id, a picture beside the caption, and
// never a default button, since Enter means nothing on these windows.
ImageButton *MakePageButton(QWidget *parent, const char *id, const QString &caption, const QString &image = QString());
QLabel *MakePageLabel(QWidget *parent, const char *id, const QString &text);
