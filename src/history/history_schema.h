#pragma once
// The tables of "history.sqlite" and the steps that bring an older file up to date.
#include <QString>

class QSqlDatabase;

namespace dm {

// PRAGMA user_version of a file made by this program.
int historySchemaVersion();

// Brings the file from its version up to `target` (default: the newest), one step per
// transaction; false with `error` set when a step failed (the file stays at the last
// step that went through). A file newer than this program is left alone and reads as is.
bool migrateHistory(QSqlDatabase& db, QString& error, int target = -1);

int historyVersionOf(QSqlDatabase& db);

}  // namespace dm
