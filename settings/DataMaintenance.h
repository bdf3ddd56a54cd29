#pragma once

#include <QDate>
#include <QString>

class QWidget;

// Whole-file copies of the database, as the user asks for them: backup to
// a file the user names (the main window's 1003 and the data-maintenance
// page's 1001) and restore of such a file (the page's 1233). The copies
// themselves are DatabaseCopy's.

// The proposed backup name, "汀岑进销存Y-M-D.mdb" without leading zeros.
QString DefaultBackupFileName(const QDate &date);

// Asks for a file name in the documents folder and copies the database
// there, asking first before it replaces another file than the one the
// dialog confirmed. Reports success and failure.
void BackupDatabase(QWidget *parent);

// Asks whether to go on and which file to restore, restores it and, after
// saying so, closes the connection and ends the program with exit code 0
// (through the application's event loop); the next start opens the
// restored data. A failure is reported and the program goes on with the
// old data.
void RestoreDatabase(QWidget *parent);
