#include "app/ReportFiles.h"

#include "app/TextUtil.h"
#include "platform/AppPaths.h"
#include "platform/Ui.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace corv {

QString viewerCommandLine(const QString& viewer, const QString& path)
{
    return QLatin1Char('"') + viewer + QStringLiteral("\" \"") + path + QLatin1Char('"');
}

bool openReport(Ui& ui, const QString& viewer, const QString& path)
{
    return ui.openInViewer(viewer, path);
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
    const bool written = file.write("test") == 4;
    file.close();
    return QFile::remove(probe) && written;
}

QString writeListFile(const QStringList& rows, const AppPaths& paths)
{
    const QString base = QStringLiteral("Lista_") + utl::dateStamp(QDateTime::currentDateTime());
    QString path = paths.dataFile(base + QStringLiteral(".txt"));
    for (int n = 2; QFile::exists(path); ++n)
        path = paths.dataFile(base + QLatin1Char('_') + QString::number(n) + QStringLiteral(".txt"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    for (const QString& row : rows)
        file.write(row.toUtf8() + "\r\n");
    return file.commit() ? path : QString();
}

bool listToFile(Ui& ui, const QStringList& rows, const QString& viewer, const AppPaths& paths)
{
    if (rows.isEmpty()) {
        ui.beep();
        return false;
    }
    const QString path = writeListFile(rows, paths);
    if (path.isEmpty()) {
        ui.critical(QStringLiteral("Impossibile scrivere il file della lista nella cartella :\r\n")
                        + QDir::toNativeSeparators(paths.dataDir),
                    QStringLiteral("Lista su file"));
        return false;
    }
    openReport(ui, viewer, path);
    return true;
}

} // namespace corv
