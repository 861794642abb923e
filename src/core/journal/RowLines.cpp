#include "journal/RowLines.h"

#include "platform/Ui.h"
#include "context/AppContext.h"
#include "util/Feedback.h"

namespace corv {

bool execOrReport(AppContext& ctx, RowReader& reader, const QString& sql, const QVariantList& values, const QString& failure)
{
    if (reader.exec(sql, values))
        return true;
    ctx.log().write(QStringLiteral("*** ERRORE lettura : ") + reader.error() + QStringLiteral(" - ") + sql);
    // A statement interrupted by the user's stop is no error to tell.
    if (!ctx.stop().requested())
        ctx.ui().critical(failure + QStringLiteral("\r\n") + reader.error());
    return false;
}

bool readToTheEnd(AppContext& ctx, const RowReader& reader, const QString& failure)
{
    if (!reader.failed())
        return true;
    ctx.log().write(QStringLiteral("*** ERRORE lettura : ") + reader.error());
    if (!ctx.stop().requested())
        ctx.ui().critical(failure + QStringLiteral("\r\n") + reader.error());
    return false;
}

bool readRowLines(AppContext& ctx, const QSqlDatabase& db, const QString& sql, const QVariantList& values,
                  const std::function<QString(RowColumns&, const RowReader&)>& makeLine, QStringList& lines, const QString& failure)
{
    RowReader reader(db);
    if (!execOrReport(ctx, reader, sql, values, failure))
        return false;
    RowColumns columns(reader);
    Feedback progress = ctx.feedback();
    while (reader.next()) {
        lines << makeLine(columns, reader);
        if (!progress.step([&] { return QStringLiteral("Righe lette : %1").arg(lines.size()); }))
            return false; // stopped: the caller tells it from a failure by the stop request
    }
    return readToTheEnd(ctx, reader, failure);
}

} // namespace corv
