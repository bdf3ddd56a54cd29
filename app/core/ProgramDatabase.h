#pragma once

#include <QString>

#include <memory>

class Database;

// Where the program keeps its database and how it gets there: the file
// lives in the documents folder's Varnholt folder and is copied there from
// the program's folder at the first start.

inline const QString kDatabaseFileName = QStringLiteral("db_duvavivada_12.mdb");

QString DataFolderPath();
QString DatabaseFilePath();

// Makes the data folder and tells whether the database file can be opened
// for reading and writing.
bool CheckDatabaseFile();

// Copies the empty database from the program's folder, never over an
// existing file. On failure, `error` says why.
bool CopyDatabaseFile(const QString &programFolder, QString *error);

// The whole start-up of the database: check, copy when missing, open.
// Null with `errorMessage` set when the database cannot be used.
std::unique_ptr<Database> OpenProgramDatabase(const QString &programFolder, QString *errorMessage);

// Creates every table, index and first row of a new database.
void CreateSchema(Database &db);

// Brings the indexes of a database made by an earlier build of the program
// to those of the schema: a missing index is created, one whose definition
// changed is made again. Rows are never touched. One transaction; throws
// DbError (nothing changed then).
void UpdateIndexes(Database &db);

// Makes the compiled-in resources (schema, pictures) available; safe to
// call more than once.
void InitAppResources();
