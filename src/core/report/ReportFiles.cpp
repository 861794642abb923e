#include "report/ReportFiles.h"

#include "platform/AppPaths.h"
#include "platform/Ui.h"
#include "report/ReportFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace corv {

std::pair<QString, QStringList> viewerInvocation(const QString& viewer, const QString& path)
{
    QStringList arguments;
    QString program = viewer;
    if (!QFileInfo(viewer).isFile()) {
        arguments = QProcess::splitCommand(viewer);
        program = arguments.isEmpty() ? QString() : arguments.takeFirst();
    }
    if (!path.isEmpty())
        arguments << QDir::toNativeSeparators(path);
    return {program, arguments};
}

QString listToFile(Ui& ui, const QStringList& rows, const QString& viewer, const AppPaths& paths)
{
    if (rows.isEmpty()) {
        ui.beep();
        return {};
    }
    const QString path = stampedReportPath(paths, QStringLiteral("Lista_"), QStringLiteral(".txt"));
    QString failure;
    if (!ReportFile::writeAll(path, rows, &failure)) {
        ui.critical(failure, QStringLiteral("Lista su file"));
        return {};
    }
    presentReport(ui, viewer, path);
    return path;
}

} // namespace corv
