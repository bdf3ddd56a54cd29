// Build tool: writes the empty database that the program copies into the
// user's data folder at its first start.

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

#include "Database.h"
#include "ProgramDatabase.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <database file>\n", argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QString partial = path + QStringLiteral(".new");
    QFile::remove(partial);
    try {
        {
            Database db(partial, Database::OpenMode::Create);
            CreateSchema(db);
        }
        QFile::remove(path);
        if (!QFile::rename(partial, path)) {
            std::fprintf(stderr, "cannot write %s\n", argv[1]);
            return 1;
        }
    } catch (const DbError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        QFile::remove(partial);
        return 1;
    }
    return 0;
}
