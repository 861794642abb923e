#include "forms/DiskPrintArchive.h"

#include "platform/IniFile.h"
#include "platform/Ui.h"
#include "print/PrintEngine.h"
#include "context/AppContext.h"
#include "settings/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace corv {

namespace {

const QString kCaption = QStringLiteral("Stampe su Disco");

QString setting(const IniFile& settings, const TextSetting& which) { return which.read(settings).trimmed(); }

} // namespace

QString DiskPrintArchive::anyCasePattern(const QString& extension)
{
    const QString trimmed = extension.trimmed();
    if (trimmed.isEmpty() || trimmed == QLatin1String("*"))
        return QStringLiteral("*");
    QString pattern = QStringLiteral("*.");
    for (const QChar c : trimmed) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            pattern += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        else if (c == QLatin1Char('[') || c == QLatin1Char(']') || c == QLatin1Char('?'))
            pattern += QLatin1Char('[') + c + QLatin1Char(']'); // literal, not a wildcard
        else
            pattern += c;
    }
    return pattern;
}

DiskPrintArchive::DiskPrintArchive(AppContext& ctx) : ctx_(ctx)
{
    const IniFile settings = ctx.corvSettings();
    // A folder that is not there (the settings of another machine) gives way
    // to the program's own.
    folder = setting(settings, keys::kDiskPrintFolder);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = ctx.paths().dataDir;
    file = setting(settings, keys::kDiskPrintFile);
    extension = setting(settings, keys::kDiskPrintExtension);
    const QStringList extra = setting(settings, keys::kDiskPrintExtraExtensions).split(QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts);
    for (const QString& choice : extra + QStringList{QStringLiteral("LOG"), QStringLiteral("TXT")}) {
        const QString bare = choice.startsWith(QLatin1Char('.')) ? choice.mid(1) : choice;
        if (!bare.isEmpty() && !extensionChoices_.contains(bare, Qt::CaseInsensitive))
            extensionChoices_.append(bare);
    }
    viewer_ = settings.read(keys::kViewer).trimmed();
    if (viewer_.isEmpty())
        viewer_ = ctx.viewer(); // the one fixed at start-up: the desktop's opener when none is set
}

QString DiskPrintArchive::viewerTip() const
{
    return QStringLiteral("Programma visualizzatore : ") + viewer_ + QStringLiteral(" - Mouse destro per cambiare!");
}

bool DiskPrintArchive::chooseFile()
{
    const QString ext = extension.trimmed().isEmpty() ? QStringLiteral("*") : extension.trimmed();
    FileRequest request;
    request.title = QStringLiteral("Stampe su disco.");
    request.filterName = QStringLiteral("Stampe su Disco | *.") + ext;
    request.pattern = anyCasePattern(ext);
    request.defaultSuffix = ext == QLatin1String("*") ? QString() : ext;
    request.folder = folder;
    const std::optional<QString> chosen = ctx_.ui().chooseFile(request);
    if (!chosen || chosen->isEmpty())
        return false;
    const QFileInfo info(*chosen);
    file = QDir::toNativeSeparators(info.absoluteFilePath());
    folder = QDir::toNativeSeparators(info.absolutePath());
    return true;
}

bool DiskPrintArchive::chooseViewer(bool fromRightButton)
{
    FileRequest request;
    request.title = QStringLiteral("Programmi visualizzatori.");
#ifdef Q_OS_WIN
    request.filterName = fromRightButton ? QStringLiteral("Programmi visualizzatori | *.exe") : QStringLiteral("Programmi visualizzatori | *.EXE");
    request.pattern = anyCasePattern(QStringLiteral("EXE"));
    request.defaultSuffix = QStringLiteral("EXE");
#else
    // Programs carry no extension here: any file, an executable one is kept.
    Q_UNUSED(fromRightButton);
    request.filterName = QStringLiteral("Programmi visualizzatori | *");
    request.pattern = QStringLiteral("*");
#endif
    const QFileInfo current(viewer_);
    request.folder = current.isAbsolute() ? current.absolutePath() : QStringLiteral("/usr/bin");
    const std::optional<QString> chosen = ctx_.ui().chooseFile(request);
    if (!chosen || chosen->isEmpty())
        return false;
    const QFileInfo program(*chosen);
    if (!program.isFile() || !program.isExecutable()) {
        ctx_.ui().message(QStringLiteral("Il file scelto non è un programma :\r\n") + QDir::toNativeSeparators(*chosen), kCaption,
                          Ui::Icon::Exclamation);
        return false;
    }
    viewer_ = QDir::toNativeSeparators(program.absoluteFilePath());
    ctx_.setViewer(viewer_); // the report commands use it from now on
    IniFile settings = ctx_.corvSettings();
    saveSetting(ctx_.ui(), settings, keys::kViewer, viewer_);
    return true;
}

QString DiskPrintArchive::currentFile() const { return QDir::fromNativeSeparators(file.trimmed()); }

bool DiskPrintArchive::view()
{
    const QString path = currentFile();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        ctx_.ui().beep();
        return false;
    }
    if (!ctx_.ui().openInViewer(viewer_, path)) {
        ctx_.ui().message(QStringLiteral("Impossibile avviare il programma visualizzatore :\r\n") + viewer_, kCaption, Ui::Icon::Exclamation);
        return false;
    }
    return true;
}

bool DiskPrintArchive::reprint()
{
    const QString path = currentFile();
    if (!ctx_.ui().askYesNo(QStringLiteral("Confermi ristampa documento : \r\n") + file, kCaption))
        return false;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile()) {
        ctx_.ui().beep();
        return false;
    }
    if (info.size() == 0)
        return false; // nothing to print
    PrintEngine* engine = ctx_.printEngine();
    if (!engine) {
        ctx_.ui().message(QStringLiteral("Nessuna stampante disponibile."), kCaption, Ui::Icon::Exclamation);
        return false;
    }
    QString said, error;
    if (!engine->printFile(path, &said, &error)) {
        ctx_.ui().critical(error, kCaption);
        return false;
    }
    if (!said.isEmpty())
        ctx_.ui().message(said, kCaption, Ui::Icon::Information);
    return true;
}

bool DiskPrintArchive::close()
{
    IniFile settings = ctx_.corvSettings();
    const bool written = settings.writeAll({keys::kDiskPrintFolder(folder.trimmed()), keys::kDiskPrintFile(file.trimmed()),
                                            keys::kDiskPrintExtension(extension.trimmed()), {keys::kViewer, viewer_}});
    if (!written)
        ctx_.ui().critical(QStringLiteral("Impossibile salvare le scelte delle stampe su disco nel file :\r\n")
                               + QDir::toNativeSeparators(settings.path()) + QStringLiteral("\r\n(") + settings.lastError() + QLatin1Char(')'),
                           kCaption);
    return written;
}

} // namespace corv
