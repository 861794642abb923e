#include "ardea/SqlAccessForm.h"

#include "platform/Ui.h"
#include "settings/SettingsKeys.h"

namespace corv {

QString withoutEnclosingQuotes(const QString& text, bool doubleToo)
{
    if (text.size() < 2)
        return text;
    const QChar first = text.front();
    const bool quoted = first == text.back()
                        && (first == QLatin1Char('\'') || (doubleToo && first == QLatin1Char('"')));
    return quoted ? text.mid(1, text.size() - 2) : text;
}

SqlAccessForm::SqlAccessForm(IniFile ardeaSettings, IniFile loginBackup, Ui& ui, QString registryServer)
    : ardea_(std::move(ardeaSettings)), backup_(std::move(loginBackup)), ui_(ui), serverLabel_(std::move(registryServer))
{
}

void SqlAccessForm::fillFrom(const IniFile& file)
{
    server = withoutEnclosingQuotes(file.read(keys::kLoginServer, QStringLiteral("(locale)")), false);
    user = file.read(keys::kLoginUser, QStringLiteral("sa"));
    password = file.read(keys::kLoginPassword, QString());
}

void SqlAccessForm::remember()
{
    loadedServer_ = server;
    loadedUser_ = user;
    loadedPassword_ = password;
}

void SqlAccessForm::activate()
{
    if (!ardea_.read(keys::kLoginServer).isEmpty()) {
        fillFrom(ardea_);
    } else {
        user = ardea_.read(keys::kLoginUser, QStringLiteral("sa"));
        password = ardea_.read(keys::kLoginPassword);
    }
    if (ardea_.isEmpty() && !backup_.isEmpty()) {
        const QString question = QStringLiteral("ARDEA_Z.INI") + QStringLiteral(" Inesistente o vuoto !!")
                                 + QStringLiteral("\r\n\r\nRipristino dal Backup ??");
        if (ui_.askYesNo(question, QStringLiteral("F_SQLAccess")))
            fillFrom(backup_);
    }
    remember();
}

void SqlAccessForm::restoreFromBackup()
{
    if (backup_.isEmpty()) {
        ui_.critical(QStringLiteral("File di Backup Password Inesistente o Vuoto !!"), QStringLiteral("F_SQLAccess"));
        ui_.beep();
        return;
    }
    fillFrom(backup_);
}

void SqlAccessForm::save()
{
    abandoned_ = false;
    const bool written = ardea_.write(keys::kLoginServer, server) && ardea_.write(keys::kLoginUser, user)
                         && ardea_.write(keys::kLoginPassword, password);
    if (!written) {
        ui_.critical(QStringLiteral("Impossibile scrivere il file :\r\n") + ardea_.path(),
                     QStringLiteral("F_SQLAccess"));
        return;
    }
    remember();
}

void SqlAccessForm::close()
{
    if (edited() && ui_.askYesNo(QStringLiteral("Salvo i Dati ?"), QStringLiteral("F_SQLAccess")))
        save();
}

bool SqlAccessForm::edited() const
{
    return server != loadedServer_ || user != loadedUser_ || password != loadedPassword_;
}

} // namespace corv
