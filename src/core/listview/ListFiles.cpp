#include "listview/ListFiles.h"

#include "listview/ListLines.h"
#include "platform/Ui.h"
#include "context/AppContext.h"
#include "report/ReportFile.h"
#include "util/TextUtil.h"

namespace corv::listfiles {

namespace {

// Writes the file and opens it; a failure is told to the user.
QString writeAndPresent(AppContext& ctx, const QString& path, const QStringList& lines, bool present = true)
{
    QString failure;
    if (!ReportFile::writeAll(path, lines, &failure)) {
        ctx.ui().critical(failure);
        return {};
    }
    if (present)
        presentReport(ctx.ui(), ctx.viewer(), path);
    return path;
}

} // namespace

QString viewList(AppContext& ctx, const QString& caption, const QString& heading, const QStringList& lines)
{
    const QString path = reportPath(ctx.paths(), QString(caption).replace(QLatin1Char(' '), QLatin1Char('_')) + QStringLiteral(".DBP"));
    QStringList all{heading, utl::RepeatChar(static_cast<int>(heading.size()), QLatin1Char('-'))};
    all << lines;
    return writeAndPresent(ctx, path, all);
}

QString saveList(AppContext& ctx, const QString& listName, const QStringList& lines)
{
    const QString path =
        reportPath(ctx.paths(), QStringLiteral("\\RS_") + (listName.isEmpty() ? QStringLiteral("F_LIST") : listName) + QStringLiteral(".TXT"));
    Ui& ui = ctx.ui();
    if (!ui.askToChange(QStringLiteral("Salvo le righe sul file :\r\n") + path + QStringLiteral(" ?")))
        return {};
    if (writeAndPresent(ctx, path, lines, false).isEmpty())
        return {};
    if (ui.message(QStringLiteral("SALVATAGGIO RIGHE SU FILE: ") + path + QStringLiteral(" COMPLETATO !!\r\n\r\nVisualizzo il file ?"),
                   QStringLiteral("LIST SAVE"), Ui::Icon::Question, Ui::Buttons::YesNo, Ui::Answer::Yes)
        == Ui::Answer::Yes)
        presentReport(ui, ctx.viewer(), path);
    return path;
}

QString pipeViewLine(AppContext& ctx, const QString& caption, const QString& heading, const QString& line)
{
    if (ctx.ui().message(QStringLiteral("Vedi riga con PIPE ?"), caption, Ui::Icon::Question, Ui::Buttons::YesNo, Ui::Answer::No)
        != Ui::Answer::Yes)
        return {};
    return writeAndPresent(ctx, reportPath(ctx.paths(), QStringLiteral("PIPE.TMP")), listlines::pipeView(heading, line));
}

} // namespace corv::listfiles
