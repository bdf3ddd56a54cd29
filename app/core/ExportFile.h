#pragma once

#include <QString>

#include <functional>

// Where exported workbooks go and how they are written and opened. Every
// export of the program goes through these functions.

// The user's own export folder (under the user's cache folder), created
// owner-only. Empty, with the reason in *error, when it cannot be made or
// when the place is a link or belongs to someone else.
QString ExportFolder(QString *error = nullptr);

// The path of a fixed export file name inside ExportFolder(); empty with
// the reason in *error when there is no folder.
QString ExportPath(const QString &fileName, QString *error = nullptr);

// Writes a file as a new file beside the target, then renames it over the
// target, so that a link planted at the target is replaced, never followed,
// and a failed write leaves the previous file as it was. write is given
// the new file's path and answers whether it wrote the whole file.
bool WriteThenRename(const QString &target, const std::function<bool(const QString &)> &write,
                     QString *error = nullptr);

// Opens an exported file with the desktop's program for it. When that
// fails, tells the user where the file was saved.
void OpenExportedFile(const QString &path);

// "共 <total> <unit>，工作表只放得下前 <written> <unit>，其余的没有导出。"
QString ExportCutMessage(int written, int total, const QString &unit);
