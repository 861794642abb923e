#pragma once

#include "report/RowColumns.h"

#include <QSqlDatabase>
#include <QStringList>
#include <QVariantList>
#include <functional>

namespace corv {

class AppContext;

inline const QString kReadFailure = QStringLiteral("Errore di lettura dal database :");

// Runs a statement for reading; on a database error the error goes to the run
// log and to the user (`failure` + the engine's words), and false comes back.
bool execOrReport(AppContext& ctx, RowReader& reader, const QString& sql, const QVariantList& values = {},
                  const QString& failure = kReadFailure);

// Whether a walk over the rows ended at their end: false, told as
// execOrReport tells (silently when the user's stop interrupted it), when
// reading failed midway. A walk cut short is never taken for the whole.
bool readToTheEnd(AppContext& ctx, const RowReader& reader, const QString& failure = kReadFailure);

// The lines of the console's lists: a statement run with its values bound,
// one fixed-width line per row. A database error is written to the run log
// and told to the user (`failure` + the engine's words); false then. False
// too, silently, when the user stops it between two rows (ctx.stop() tells).
bool readRowLines(AppContext& ctx, const QSqlDatabase& db, const QString& sql, const QVariantList& values,
                  const std::function<QString(RowColumns&, const RowReader&)>& makeLine, QStringList& lines,
                  const QString& failure = kReadFailure);

} // namespace corv
