#pragma once

#include <QFileDialog>

// The file dialog every window of the program opens: Qt's own dialog on
// every desktop, so it looks and answers the same everywhere, with its
// dates as yyyy-MM-dd HH:mm:ss, its sizes and types in the program's
// language whatever the desktop's (an English desktop would show
// "7 Dec 2024 08:44:02", "1.50 KiB" and "JET database"), and its detail
// columns as wide as what they show once a folder is read.
class FileDialog : public QFileDialog
{
    Q_OBJECT

public:
    // path is the folder to show, or a file in it to offer as the name.
    FileDialog(QWidget *parent, const QString &caption, const QString &path, const QString &filter, AcceptMode mode);
};
