#pragma once

#include <QFont>
#include <QIcon>
#include <QImage>
#include <QString>

// The pictures and the font of the record cards. The icons are our own SVG
// drawings compiled into the library under ":/icons/icon<id>.svg".

// The card font: 15 pixels, normal weight, Arial first and a sans-serif
// face that covers Chinese after it.
QFont CardFont();

// The resource path of our drawing of the icon, for a QIcon or an image
// button.
QString IconResourcePath(int iconId);
// The icon drawn at the given size; a null image for an id we have no
// picture for.
QImage IconImage(int iconId, int size = 32);
// The program's window icon (resource 128).
QIcon ProgramIcon();
