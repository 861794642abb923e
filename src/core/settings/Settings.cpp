#include "settings/Settings.h"

#include "platform/Ui.h"

#include <QDir>
#include <QRegularExpression>

namespace corv {

double leadingNumber(const QString& text)
{
    static const QRegularExpression number(
        QStringLiteral("^\\s*[+-]?(\\d+(\\.\\d*)?|\\.\\d+)([eE][+-]?\\d+)?"));
    const auto m = number.match(text);
    if (!m.hasMatch())
        return 0.0;
    bool ok = false;
    const double value = m.captured(0).trimmed().toDouble(&ok);
    return ok ? value : 0.0;
}

bool readIniBool(const IniFile& file, const QString& section, const QString& key, bool defaultValue)
{
    const QString text = file.read(section, key, defaultValue ? QStringLiteral("True") : QStringLiteral("False"))
                             .left(255)
                             .toUpper();
    return !(leadingNumber(text) == 0.0 && text != QLatin1String("TRUE"));
}

bool saveSetting(Ui& ui, IniFile& file, const IniKey& key, const QString& value) { return saveSettings(ui, file, {{key, value}}); }

bool saveSettings(Ui& ui, IniFile& file, const QList<std::pair<IniKey, QString>>& values)
{
    if (values.isEmpty() || file.writeAll(values))
        return true;
    const IniKey& key = values.first().first;
    ui.critical(QStringLiteral("Impossibile salvare l'impostazione [") + key.section + QStringLiteral("] ") + key.name
                    + QStringLiteral(" nel file :\r\n") + QDir::toNativeSeparators(file.path()) + QStringLiteral("\r\n(")
                    + file.lastError() + QStringLiteral(")\r\nIl file resta com'era."),
                QStringLiteral("Impostazioni"));
    return false;
}

bool visualStyleEnabled(IniFile& printerSettings)
{
    if (printerSettings.read(keys::kThemes).isEmpty())
        printerSettings.write(keys::kThemes, QStringLiteral("FALSE"));
    return readIniBool(printerSettings, keys::kThemes.section, keys::kThemes.name, false);
}

} // namespace corv
