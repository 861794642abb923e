#pragma once

#include <QString>
#include <functional>

class QSqlDatabase;
class QSqlQuery;

namespace corv {

// The ODBC statements being read, by connection name, so that a stop given
// on the window's thread can cancel one that runs on a worker thread
// (SQLCancel is the ODBC call meant to be made from another thread). A
// statement is known from its preparing to its reader's end; it is never
// cancelled after its reader let it go.
namespace runningstatements {

// Remembers the query's statement when its driver is ODBC; false otherwise.
bool enter(const QSqlDatabase& db, const QSqlQuery& query);
void leave(const QString& connectionName);
// Cancels the statements of the connections chosen; how many were cancelled.
int cancel(const std::function<bool(const QString& connectionName)>& chosen);

} // namespace runningstatements

} // namespace corv
