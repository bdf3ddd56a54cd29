#pragma once

class QString;
class QToolButton;
class QWidget;

// Makes the party windows' pictures (":/partners/...") available; every
// party window calls it before it loads one.
void InitPartyResources();

// A command button of a party page's side column, with its control id:
// its 24 x 24 picture stands above its caption, so that both show whole
// in the narrow column. The hand cursor, as on every command button.
QToolButton *MakeSideButton(QWidget *parent, const char *id, const QString &text, const QString &image);
