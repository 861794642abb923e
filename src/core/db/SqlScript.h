#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace corv {

// The statements of a SQL script: split on ";" outside quotes, "--" comments
// dropped, empty statements skipped.
QStringList splitSqlScript(const QString& script);

// Runs a script in one transaction; on failure nothing of it stays and error
// names the statement that failed.
bool runSqlScript(QSqlDatabase& db, const QString& script, QString* error = nullptr);

} // namespace corv
