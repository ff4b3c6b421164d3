#pragma once

#include <QString>

class QSqlError;
struct sqlite3;

// Why a SQLite call failed, in the words of the program's other messages: SQLite's own texts
// ("database or disk is full", "unable to open database file") and those of Qt's driver
// ("Unable to fetch row") are English. resultCode: SQLite's result code, extended or not;
// systemError: the errno of the failed system call behind a failure to open or to read and
// write, 0 when there is none; engineText: SQLite's message, whose names an SQL error keeps.
QString sqliteErrorText(int resultCode, int systemError, const QString& engineText);

// The same for a failed call of Qt's SQLite driver. connection: the connection's handle,
// which knows the errno of the failed system call; null when the connection is not open.
QString sqliteErrorText(const QSqlError& error, sqlite3* connection);
