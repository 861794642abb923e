#include "report/ReportFiles.h"

#include "platform/AppPaths.h"
#include "platform/Ui.h"
#include "report/ReportFile.h"

#include <QFile>

namespace corv {

QString viewerCommandLine(const QString& viewer, const QString& path)
{
    return QLatin1Char('"') + viewer + QStringLiteral("\" \"") + path + QLatin1Char('"');
}

bool folderWritable(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    QString probe = folder;
    if (!probe.endsWith(QLatin1Char('/')) && !probe.endsWith(QLatin1Char('\\')))
        probe += QLatin1Char('/');
    probe += QStringLiteral("$$TESTPth$$.txt");
    QFile file(probe);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const bool written = file.write("test") == 4 && file.flush();
    file.close();
    return QFile::remove(probe) && written;
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
