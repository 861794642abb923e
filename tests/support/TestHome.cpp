#include "TestHome.h"

#include "demo/DemoInstallation.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace corv::test {

TestHome::TestHome(bool demo)
{
    if (!dir_.isValid())
        ADD_FAILURE() << "no temporary folder";
    if (demo) {
        QString error;
        if (!createDemoInstallation(dir_.path(), &error))
            ADD_FAILURE() << "demo installation: " << error.toStdString();
    }
}

TestHome::~TestHome()
{
    if (!dir_.isValid())
        return;
    // The files that keep the login by design, and the databases.
    static const QRegularExpression kept(QStringLiteral("^(ARDEA_Z\\.INI|SQLOG_BACK\\.INI)$|\\.sqlite(-wal|-shm|-journal)?$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QByteArray secret = kDemoPassword.toUtf8();
    QDirIterator files(dir_.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QFileInfo info(files.next());
        if (kept.match(info.fileName()).hasMatch() || info.isSymLink())
            continue;
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains(secret))
            ADD_FAILURE() << "the demo password is written in " << info.filePath().toStdString();
    }
}

std::unique_ptr<AppContext> TestHome::context(Ui& ui) const
{
    return std::make_unique<AppContext>(paths(), makeRegistryFile(paths().registryFile()), ui);
}

QString TestHome::readFile(const QString& name) const
{
    QFile file(this->file(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList TestHome::lines(const QString& name) const
{
    QStringList all = readFile(name).split(QStringLiteral("\r\n"));
    if (!all.isEmpty() && all.last().isEmpty())
        all.removeLast();
    return all;
}

void TestHome::writeFile(const QString& name, const QByteArray& bytes) const
{
    QFile file(this->file(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QStringList TestHome::logLinesOf(const QString& folder)
{
    static const QRegularExpression prefix(QStringLiteral("^(\\d{4}-\\d\\d-\\d\\d )?\\d\\d:\\d\\d:\\d\\d\\.\\d{3} "));
    QFile file(folder + QStringLiteral("/Corvina.LOG"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines)
        line.remove(prefix);
    return lines;
}

} // namespace corv::test
