#pragma once

#include <QString>

#include <memory>

class QLabel;
class QWidget;
class GridReport;
class ImageButton;

// The widgets the party windows build alike.

// A command button with its control id, caption and, when given, picture.
// Enter never presses it: none of the party windows gives Enter a meaning.
ImageButton *MakePartyButton(QWidget *parent, const char *id, const QString &text, const QString &image = QString());
QLabel *MakePartyLabel(QWidget *parent, const char *id, const QString &text);

// Makes the party windows' pictures (":/partners/...") available; every
// party window calls it before it loads one.
void InitPartyResources();

// A report loaded with the template of that name from the program's
// folder. A missing template is reported when the person asks for the
// report.
std::unique_ptr<GridReport> LoadPartyReport(const char *templateName);
