#include "report/ViewerChoice.h"

#include "report/RunLog.h"
#include "platform/AppPaths.h"
#include "platform/IniFile.h"
#include "platform/Registry.h"
#include "platform/SpecialFolders.h"
#include "platform/Ui.h"
#include "report/ReportFiles.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QDir>
#include <QRegularExpression>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace corv {

namespace {

#ifdef Q_OS_WIN
QString firstToken(const QString& commandLine)
{
    const QStringList parts = QProcess::splitCommand(commandLine);
    return parts.isEmpty() ? QString() : parts.first();
}
#endif

} // namespace

QString desktopExecCommand(const QString& exec)
{
    // The field codes stand for the files to open: the report path is added
    // after the command instead.
    static const QRegularExpression fieldCode(QStringLiteral("\\s*%[fFuUdDnNickvm]"));
    QString command = exec;
    command.remove(fieldCode);
    return command.replace(QLatin1String("%%"), QLatin1String("%")).trimmed();
}

namespace {

#ifndef Q_OS_WIN
// The desktop's default program for text/plain, from its .desktop entry.
QString xdgTextProgram()
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                              QStringLiteral("text/plain")});
    if (!query.waitForFinished(2000) || query.exitCode() != 0)
        return {};
    const QString desktopId = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
    if (desktopId.isEmpty())
        return {};
    const QString entry = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopId);
    QFile file(entry);
    if (entry.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1String("Exec=")))
            return desktopExecCommand(line.mid(5));
    }
    return {};
}
#endif

} // namespace

ViewerEnvironment platformViewerEnvironment(const AppPaths& paths, const Registry& registry)
{
    ViewerEnvironment env;
    env.programFolders = {specialFolder(QStringLiteral("Programs"), paths, registry),
                          specialFolder(QStringLiteral("Programs86"), paths, registry)};
    env.windowsFolder = specialFolder(QStringLiteral("_Win"), paths, registry);
#ifdef Q_OS_WIN
    const Registry* reg = &registry;
    env.associatedTextProgram = [reg] {
        const QString progId =
            reg->read(RegistryRoot::LocalMachine, QStringLiteral("Software\\Classes\\.txt"), QStringLiteral("Default"));
        if (progId.isEmpty())
            return QString();
        return firstToken(reg->read(RegistryRoot::LocalMachine,
                                    QStringLiteral("Software\\Classes\\") + progId + QStringLiteral("\\shell\\open\\command"),
                                    QStringLiteral("Default")));
    };
    env.fallbackViewer = env.windowsFolder + QStringLiteral("NOTEPAD.EXE");
    env.exists = [](const QString& p) { return !p.isEmpty() && QFileInfo::exists(p); };
    env.warnWhenUnset = true;
#else
    env.associatedTextProgram = xdgTextProgram;
    env.fallbackViewer = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    // A viewer may be a command ("flatpak run org.gnome.TextEditor"): its program must exist.
    env.exists = [](const QString& p) {
        if (p.isEmpty())
            return false;
        const QString program = viewerInvocation(p, QString()).first;
        if (program.contains(QLatin1Char('/')))
            return QFileInfo(program).isFile();
        return !QStandardPaths::findExecutable(program).isEmpty();
    };
    env.warnWhenUnset = false;
#endif
    return env;
}

QString chooseViewer(IniFile& corvSettings, const ViewerEnvironment& env, Ui& ui, RunLog* log)
{
    QString candidate = env.associatedTextProgram ? env.associatedTextProgram() : QString();
    candidate.replace(QStringLiteral("%SystemRoot%"), env.windowsFolder, Qt::CaseInsensitive);
    const QString defaultViewer = env.exists(candidate) ? candidate : env.fallbackViewer;

    const QString configured = corvSettings.read(keys::kViewer);
    QString viewer = env.exists(configured) ? configured : QString();

    if (viewer.isEmpty()) {
        for (const QString& folder : env.programFolders) {
            if (folder.isEmpty())
                continue;
            QStringList tries;
            for (int n = 5; n <= 50; ++n)
                tries << QStringLiteral("TextPad %1/TextPad.exe").arg(n);
            for (const QString& relative : tries) {
                const QString path = QDir(folder).filePath(relative);
                if (env.exists(path)) {
                    viewer = QDir::toNativeSeparators(path);
                    break;
                }
            }
            if (!viewer.isEmpty()) {
                saveSetting(ui, corvSettings, keys::kViewer, viewer);
                break;
            }
        }
    }

    if (viewer != defaultViewer && !env.exists(viewer)) {
        if (!configured.isEmpty() || env.warnWhenUnset) {
            ui.message(QStringLiteral("Imposto Viewer con \"") + defaultViewer
                           + QStringLiteral("\" per assenza file :\r\n") + configured,
                       QStringLiteral("InitVBProc"), Ui::Icon::Critical);
        }
        viewer = defaultViewer;
        saveSetting(ui, corvSettings, keys::kViewer, viewer);
    }
    if (log)
        log->write(QStringLiteral("Viewer : ") + viewer + QLatin1Char('<'));
    return viewer;
}

} // namespace corv
