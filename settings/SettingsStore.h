#pragma once

#include <QList>
#include <QString>

#include "ParameterEntry.h"

class Database;
struct ParameterList;

inline const QString kModifyPasswordKey = QStringLiteral("资料修改密码");
inline const QString kPrintFormatOption = QStringLiteral("退货单打印格式设置");
inline const QString kPrintWithDeposit = QStringLiteral("含订金");
inline const QString kPrintWithoutDeposit = QStringLiteral("不含订金");

// The writer of the settings tables: the three parameter lists, the two
// login passwords, the data-modification password and the print option.
// The password prompt and the goods-bill print read what it writes. Every
// call runs one statement on the connection it was given and throws
// DbError when that fails; it never opens a window.
class SettingsStore
{
public:
    explicit SettingsStore(Database &db);

    // Every entry of the list in table order.
    QList<ParameterEntry> Parameters(const ParameterList &list);
    // Adds the entry as it stands (names may repeat; the GUID must be new).
    void AddParameter(const ParameterList &list, const ParameterEntry &entry);
    // Gives the row with the entry's GUID the entry's name. False when no
    // row has that GUID any more.
    bool RenameParameter(const ParameterList &list, const ParameterEntry &entry);
    // Deletes the one row with that GUID, never another row of the same
    // name. False when no row has that GUID any more.
    bool DeleteParameter(const ParameterList &list, const QString &guid);

    // Each writes its row, creating it when the database lacks it, so that
    // a change is never silently lost.
    void SetLoginPassword(const QString &userType, const QString &password);
    void SetModifyPassword(const QString &password);
    void SetPrintFormat(const QString &value);

private:
    Database &m_db;
};
