#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace corv {

class AppContext;

// The town database (LOCALITA.sqlite in the program folder; messages name it
// LOCALITA.MDB as the users know it): table Localita, rebuilt from the text
// files LOCALITA.TXT (towns) and NAZIONI.TXT (ISO codes of the foreign states).
namespace towns {

inline const QString kDatabaseMessage = QStringLiteral("DB : 'LOCALITA.MDB' NON Esistente !!");

QString databasePath(const AppContext& ctx);
QString townsFile(const AppContext& ctx);
QString nationsFile(const AppContext& ctx);

// Makes the empty database with its table (the demo, a first installation).
bool createDatabase(const QString& path, QString* error = nullptr);

// A field as the text files hold it: blanks and a trailing "_" alone (an
// empty masked field) is empty; anything else trimmed.
QString normalized(const QString& value);

struct RebuildResult {
    bool ok = false;
    int towns = 0;        // lines of LOCALITA.TXT taken
    int skipped = 0;      // lines without a key, logged and skipped
    int nations = 0;      // ISO codes set
    int unmatched = 0;    // states of NAZIONI.TXT with no town row, logged
    QString error;        // why it did not run, or failed
};
// Rebuilds the table from the two files in one transaction: every row of the
// towns file added or updated in place (rows not in it stay), then the ISO
// codes of the states. `progress` is called with each key.
RebuildResult rebuild(AppContext& ctx, const std::function<void(const QString&)>& progress = {});
// The same on given files, the skipped lines and unmatched states told to `log`.
RebuildResult rebuild(const QString& database, const QString& townsText, const QString& nationsText, const std::function<void(const QString&)>& log,
                      const std::function<void(const QString&)>& progress = {});

// The rows whose code (and with `byName` name) holds the text, as "|"
// separated lines in the table's column order.
QStringList find(const AppContext& ctx, const QString& text, bool byName, QString* error = nullptr);

} // namespace towns
} // namespace corv
