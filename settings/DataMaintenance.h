#pragma once

#include <QDate>
#include <QString>

class QWidget;

// Whole-file copies of the database: backup to a file the user names.

// The proposed backup name, "汀岑进销存Y-M-D.mdb" without leading zeros.
QString DefaultBackupFileName(const QDate &date);

// Asks for a file name and copies the database file there, replacing a
// file of that name. Reports success and failure.
void BackupDatabase(QWidget *parent);
