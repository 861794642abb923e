#include "ardea/ArdeaInstallation.h"

#include "process/RunLog.h"
#include "platform/Registry.h"

#include <QDir>

namespace corv {

namespace {

const QString kSettingsKey = kPelionKey + QStringLiteral("\\Settings");
const QString kBaseDatiKey = kPelionKey + QStringLiteral("\\BaseDati");

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

QString localPath(const QString& folder)
{
#ifdef Q_OS_WIN
    return folder;
#else
    QString path = folder;
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
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
    return registry_.read(RegistryRoot::LocalMachine, kSettingsKey, QLatin1String(name));
}

QString ArdeaInstallation::Dove_AR(int kind)
{
    log_.write(QStringLiteral("\\\\ ENTRO in Dove_AR : %1 < ").arg(kind));
    const QString result = lookup(kind);
    log_.write(QStringLiteral("// ESCO da Dove_AR : %1 : ").arg(kind) + result);
    return result;
}

QString ArdeaInstallation::lookup(int kind)
{
    const auto orDefault = [](const QString& value) { return value.isEmpty() ? defaultFolder() : value; };
    const auto orBlanks = [](const QString& value) { return value.isEmpty() ? QStringLiteral("   ") : value; };
    switch (kind) {
    case 1: {
        const QString temp = orDefault(settingsValue("PathTemp"));
        publicBase_ = parentOf(temp);
        return temp;
    }
    case 2:
        return orDefault(settingsValue("PathReportSave"));
    case 3:
        return orDefault(settingsValue("PathReport"));
    case 4:
        return orDefault(settingsValue("PathVBA"));
    case 5:
    case 6: {
        if (publicBase_.isEmpty())
            publicBase_ = parentOf(orDefault(settingsValue("PathTemp")));
        const QChar sep = separatorOf(publicBase_);
        QString folder = withSeparator(publicBase_) + QStringLiteral("ar_Q5K") + sep;
        if (kind == 6)
            folder += companyCode_ + sep;
        QDir().mkpath(localPath(folder));
        return folder;
    }
    case 7:
        return settingsValue("PercorsoInstallazione");
    case 9:
        dbServer_ = registry_.read(RegistryRoot::LocalMachine, kBaseDatiKey, QStringLiteral("DBServer"));
        return dbServer_;
    case 10:
        return orDefault(settingsValue("PathReportExp"));
    case 11:
        provider_ = registry_.read(RegistryRoot::LocalMachine, kBaseDatiKey, QStringLiteral("OLEDBProvider"));
        return provider_;
    case 21:
        return orBlanks(settingsValue("PS"));
    case 22:
        return orBlanks(settingsValue("PU"));
    case 23:
        return orBlanks(settingsValue("PW"));
    case 24:
        return orBlanks(settingsValue("SP"));
    case 50: {
        const QString folder = settingsValue("PercorsoInstallazione");
        return folder + QStringLiteral("exe") + separatorOf(folder);
    }
    default:
        log_.write(QStringLiteral("// Tipo Dove_AR NON TROVATO !! : %1").arg(kind));
        return {};
    }
}

QString ArdeaInstallation::registryServer() const
{
    const QString server = registry_.read(RegistryRoot::LocalMachine, QStringLiteral("SOFTWARE\\Pelion Software\\e\\BaseDati"),
                                          QStringLiteral("DBServer"));
    if (!server.isEmpty())
        return server;
    return registry_.read(RegistryRoot::LocalMachine,
                          QStringLiteral("SOFTWARE\\Wow6432Node\\Pelion Software\\e\\BaseDati"),
                          QStringLiteral("DBServer"));
}

} // namespace corv
