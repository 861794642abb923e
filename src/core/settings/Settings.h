#pragma once

#include "platform/IniFile.h"
#include "settings/SettingsKeys.h"

#include <QString>

namespace corv {

class Ui;

// The number at the start of the text ("12abc" is 12), 0 when there is none.
double leadingNumber(const QString& text);

// The Boolean rule of the settings: the value (default written "True" or
// "False") is False when its number is 0 and it is not "TRUE" (any case), True
// otherwise. So "FALSE", "0", "" and "abc" are False; "TRUE", "-1", "5" True.
bool readIniBool(const IniFile& file, const QString& section, const QString& key, bool defaultValue);

// Writes one setting; when the file cannot be written the user is told which
// setting and file (the file keeps its old content). False then.
bool saveSetting(Ui& ui, IniFile& file, const IniKey& key, const QString& value);
// Several keys in one write of the file, said the same way when it fails.
bool saveSettings(Ui& ui, IniFile& file, const QList<std::pair<IniKey, QString>>& values);

// The visual-style switch: `Themes` of section `System` in TLX_PRT.INI,
// written "FALSE" when it is empty.
bool visualStyleEnabled(IniFile& printerSettings);

} // namespace corv
