#include "context/ArdeaInstallation.h"

#include "report/RunLog.h"
#include "platform/Registry.h"
#include "settings/SettingsKeys.h"

#include <QDir>

namespace corv {

namespace {


// The separator a folder text already uses ("\" for Windows paths).
QChar separatorOf(const QString& folder)
{
    return folder.contains(QLatin1Char('\\')) ? QLatin1Char('\\') : QLatin1Char('/');
}

QString withSeparator(const QString& folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + separatorOf(folder);
}

// The text up to and including the last separator before the final character.
QString parentOf(const QString& folder)
{
    const qsizetype from = folder.size() - 2;
    if (from < 0)
        return {};
    const qsizetype at = std::max(folder.lastIndexOf(QLatin1Char('\\'), from),
                                  folder.lastIndexOf(QLatin1Char('/'), from));
    return at < 0 ? QString() : folder.left(at + 1);
}

// The public folder: the parent of the temporary folder, but never the root
// of a file system (an unset PathTemp would put the work folders there).
QString publicFolderOf(const QString& temp);

QString localPath(const QString& folder)
{
#ifdef Q_OS_WIN
    return folder;
#else
    QString path = folder;
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
}


QString publicFolderOf(const QString& temp)
{
    const QString parent = parentOf(temp);
    const bool driveRoot = parent.size() == 3 && parent[0].isLetter() && parent[1] == QLatin1Char(':');
    if (parent.isEmpty() || driveRoot || QDir(localPath(parent)).isRoot())
        return temp;
    return parent;
}

} // namespace

ArdeaInstallation::ArdeaInstallation(const Registry& registry, RunLog& log) : registry_(registry), log_(log) {}

QString ArdeaInstallation::defaultFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\temp\\");
#else
    return QDir::tempPath() + QLatin1Char('/');
#endif
}

QString ArdeaInstallation::settingsValue(const char* name) const
{
    return registry_.read(RegistryRoot::LocalMachine, regkeys::kSettings, QLatin1String(name));
}

QString ArdeaInstallation::Dove_AR(DoveKind kind)
{
    log_.write(QStringLiteral("\\\\ ENTRO in Dove_AR : %1 < ").arg(static_cast<int>(kind)));
    const QString result = lookup(kind);
    log_.write(QStringLiteral("// ESCO da Dove_AR : %1 : ").arg(static_cast<int>(kind)) + result);
    return result;
}

QString ArdeaInstallation::lookup(DoveKind kind)
{
    const auto orDefault = [](const QString& value) { return value.isEmpty() ? defaultFolder() : value; };
    const auto orBlanks = [](const QString& value) { return value.isEmpty() ? QStringLiteral("   ") : value; };
    switch (kind) {
    case DoveKind::PublicTemp: {
        const QString temp = orDefault(settingsValue("PathTemp"));
        publicBase_ = publicFolderOf(temp);
        return temp;
    }
    case DoveKind::ReportSave:
        return orDefault(settingsValue("PathReportSave"));
    case DoveKind::Report:
        return orDefault(settingsValue("PathReport"));
    case DoveKind::Macros:
        return orDefault(settingsValue("PathVBA"));
    case DoveKind::Work:
    case DoveKind::CompanyWork: {
        if (publicBase_.isEmpty())
            publicBase_ = publicFolderOf(orDefault(settingsValue("PathTemp")));
        const QChar sep = separatorOf(publicBase_);
        QString folder = withSeparator(publicBase_) + QStringLiteral("ar_Q5K") + sep;
        if (kind == DoveKind::CompanyWork)
            folder += companyCode_ + sep;
        QDir().mkpath(localPath(folder));
        return folder;
    }
    case DoveKind::Installation:
        return settingsValue("PercorsoInstallazione");
    case DoveKind::DbServer:
        return registry_.read(RegistryRoot::LocalMachine, regkeys::kDatabase, QStringLiteral("DBServer"));
    case DoveKind::ReportExport:
        return orDefault(settingsValue("PathReportExp"));
    case DoveKind::Provider:
        provider_ = registry_.read(RegistryRoot::LocalMachine, regkeys::kDatabase, QStringLiteral("OLEDBProvider"));
        return provider_;
    case DoveKind::ServerHint:
        return orBlanks(settingsValue("PS"));
    case DoveKind::UserHint:
        return orBlanks(settingsValue("PU"));
    case DoveKind::PasswordHint:
        return orBlanks(settingsValue("PW"));
    case DoveKind::SpareHint:
        return orBlanks(settingsValue("SP"));
    case DoveKind::Programs: {
        const QString folder = settingsValue("PercorsoInstallazione");
        return folder + QStringLiteral("exe") + separatorOf(folder);
    }
    default:
        log_.write(QStringLiteral("// Tipo Dove_AR NON TROVATO !! : %1").arg(static_cast<int>(kind)));
        return {};
    }
}

QString ArdeaInstallation::registryServer() const
{
    const QString server = registry_.read(RegistryRoot::LocalMachine, regkeys::kMachineDatabase,
                                          QStringLiteral("DBServer"));
    if (!server.isEmpty())
        return server;
    return registry_.read(RegistryRoot::LocalMachine,
                          regkeys::kMachineDatabase32,
                          QStringLiteral("DBServer"));
}

} // namespace corv
